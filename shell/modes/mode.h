// One mode of the main window (camera, image, reading, movie, AR): what it
// shows, how it is entered and left, the commands it owns and where its
// views stand. The main window keeps one object per mode for the whole run
// and routes to them. Modes know nothing of each other: what one leaves
// behind for the next travels as a Handover, and everything else they use
// (children, bars, views, settings, dialogs) is given by the main window in
// a ModeContext.
#pragma once

#include <optional>
#include <string>

#include "core/view_mode.h"
#include "platform/gdi/packed_dib.h"
#include "platform/gdi/rect.h"
#include "shell/file_filters.h"

class QPainter;
class QWidget;

namespace orvilo::core {
class SettingsStore;
struct MainWindowSettings;
}  // namespace orvilo::core

namespace orvilo::shell {

struct ChildWindows;
class CommandBars;
class Stage;
struct SettingsDialogState;

// What a mode passes on to the next one.
struct Handover {
  // The picture the image view shows next: the camera's frozen frame or
  // the movie's frame. Empty: the image view keeps the picture it has.
  gdi::PackedDib picture;
  // The movie view has just opened a file and plays it: its bar comes up.
  bool moviePlaying = false;
  // An AR viewer was closed on the way out; it may have held the camera.
  bool arViewerClosed = false;
};

// How the next mode is reached: by its tab (the mode left hands over what
// it shows), or by a command that brings what the next mode shows (a file
// opened, a movie frame picked), so the mode left hands over nothing.
enum class Entry { ByTab, WithContent };

// The main window as its modes see it.
class ModeHost {
 public:
  virtual ~ModeHost() = default;
  virtual ViewMode CurrentMode() const = 0;
  virtual gdi::Size ClientSize() const = 0;
  // Shows the command bar of `mode` (and the title controls that go with it).
  virtual void ShowCommandBar(ViewMode mode) = 0;
  // Enters `next` with what a command brings, through the same steps as a
  // tab, and highlights its tab.
  virtual void SwitchMode(ViewMode next, Handover content) = 0;
  // Opens a file in the view of `mode` (Mode::Open) and, when it opened,
  // enters that mode with it.
  virtual void OpenFile(ViewMode mode, const std::string& path) = 0;
  virtual std::optional<std::string> RunFileDialog(bool save, FileFilter filter, const std::string& defaultExtension) = 0;
  // Modal on the main window; 1 OK, 2 Cancel, 8 close.
  virtual int RunSettingsDialog(SettingsDialogState& state) = 0;
  // Timers of the main window by fixed identifier; they repeat until stopped.
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
  // Repaints part of the frame (client coordinates).
  virtual void RepaintFrame(const gdi::Rect& area) = 0;
  // The window that owns dialogs and timers of the modes.
  virtual QWidget* Owner() = 0;
};

// What the main window gives every mode.
struct ModeContext {
  ModeHost& host;
  ChildWindows& children;
  CommandBars& bars;
  Stage& stage;
  core::MainWindowSettings& settings;
  core::SettingsStore& store;
};

class Mode {
 public:
  explicit Mode(ModeContext context) : context_(context) {}
  virtual ~Mode() = default;
  Mode(const Mode&) = delete;
  Mode& operator=(const Mode&) = delete;

  virtual ViewMode Kind() const = 0;
  // Leaves for another mode: stops what runs and returns what `next` gets.
  virtual Handover Leave(ViewMode next, Entry entry) = 0;
  // Shows the mode with what the previous one handed over.
  virtual void Enter(Handover handover) = 0;
  // Places the views of the mode in the client area (after a resize, or
  // when asked to lay out again).
  virtual void LayOut() = 0;
  // The rest of a resize while the mode is current.
  virtual void AfterResize() {}
  // Commands of the mode's command bar and tools, whatever the current mode
  // (a bar is only visible in its mode); false: not this mode's.
  virtual bool OnCommand(int id) = 0;
  // Commands from the control bars and the views, only while the mode is
  // current; false: not this mode's.
  virtual bool OnCommandWhileCurrent(int) { return false; }
  // Status items of the mode in the frame's status area.
  virtual void PaintStatus(QPainter&) const {}
  // A file of this mode's kind, opened in its view before the mode is
  // entered; empty when it cannot be shown (the mode stays as it is).
  virtual std::optional<Handover> Open(const std::string&) { return std::nullopt; }

 protected:
  bool IsCurrent() const { return context_.host.CurrentMode() == Kind(); }
  ModeContext context_;
};

}  // namespace orvilo::shell
