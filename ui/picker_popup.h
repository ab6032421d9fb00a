// The picker popup: a borderless list that opens at a button, highlights the
// row under the pointer and closes on a click. It shows the zoom list, the
// speed list, the pen colour, pen width, shape and board pickers, and lists
// supplied by the caller.
//
// Windows open pickers through PickerRunner::Current(), so tests can answer
// them from a script (ScriptedPickers) instead of a real popup, as with the
// common dialogs.
#pragma once

#include <QColor>
#include <QImage>
#include <deque>
#include <string>
#include <vector>

#include "platform/gdi/rect.h"
#include "platform/win/dialog.h"
#include "platform/win/scripted_double.h"

namespace orvilo::ui {

enum class PickerKind { SpeedFactor = 0, ZoomPercent = 1, Custom = 2, Colour = 3, PenWidth = 4, Shape = 5, Board = 6 };

struct PickerItem {
  QImage picture;  // may be null
  int value = 0;
  std::string text;  // UTF-8, at most 259 bytes
};

// The entries a kind shows, in order (Custom: none; the caller adds them):
//  SpeedFactor "0.5 X" .. "2.0 X" (values 50 .. 200 percent); ZoomPercent
//  " 25%" .. "1000%" (values 25 .. 1000); Colour the ten PenPalette colours
//  (values 0x00BBGGRR); PenWidth 1, 3 .. 19 (no text); Shape and Board their
//  pictures and names (from the skin table) in Korean or English (values
//  0, 1, ...).
std::vector<PickerItem> PickerEntries(PickerKind kind, bool korean);

struct PickerColours {
  QColor border, background, highlight, text;
};
// Dark for the speed and zoom lists, light for the others.
PickerColours PickerColoursFor(PickerKind kind);

// CCobboDlg: the popup itself, run with DoModal. Set the kind, the selected
// index and the first row's rectangle (screen coordinates; its size is the
// size of every row), add the entries of a Custom list, then run it.
// Result 1: `selected` is the choice; 8: closed without a choice (a click
// outside, Escape, or the window system closing it).
//
// The mouse takes the row it is on. A finger's row reaches out to 40 px
// about the row (touch_reach.h) where nothing else lies: a finger just above
// the first row, below the last or beside a narrow list takes that row
// instead of closing the list; where rows touch, each keeps its own place.
// A finger's choice is the row it lifts from.
class CCobboDlg : public win::Dialog {
  Q_OBJECT
 public:
  explicit CCobboDlg(bool korean, QWidget* parent = nullptr);
  ~CCobboDlg() override;

  PickerKind kind = PickerKind::SpeedFactor;
  int selected = 1;
  gdi::Rect firstRow;

  // An entry of a Custom list; the picture is "PNG" resource
  // `pictureResourceId` (none for 0 or a missing resource).
  void AddItem(int pictureResourceId, int value, const std::string& text);
  void AddItem(PickerItem item);

  const std::vector<PickerItem>& Items() const { return items_; }
  bool PointerWasInside() const { return inside_; }
  PickerColours Colours() const { return colours_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage Render() const;
  int RowHeight() const { return firstRow.Height(); }
  int RowAt(const QMouseEvent& event) const;
  void Close(int result);

  bool korean_;
  bool inside_ = false;
  PickerColours colours_;
  std::vector<PickerItem> items_;
};

// Runs pickers for windows. `selected` is the entry highlighted at the
// start and, when the result is 1, the entry chosen.
class PickerRunner {
 public:
  virtual ~PickerRunner();
  virtual int Run(QWidget* owner, PickerKind kind, const gdi::Rect& firstRow, int& selected,
                  std::vector<PickerItem> customItems = {}) = 0;

  // The runner in use: the installed one, else real popups with English
  // texts (the program installs a PopupPickers with its language at start).
  static PickerRunner& Current();
  // Installs `runner` (not owned; null restores the default) and returns
  // the previous one.
  static PickerRunner* Install(PickerRunner* runner);
};

// The real pickers: a CCobboDlg per run.
class PopupPickers : public PickerRunner {
 public:
  explicit PopupPickers(bool korean = false) : korean(korean) {}
  int Run(QWidget* owner, PickerKind kind, const gdi::Rect& firstRow, int& selected,
          std::vector<PickerItem> customItems = {}) override;
  bool korean;
};

struct PickerRequest {
  PickerKind kind = PickerKind::SpeedFactor;
  gdi::Rect firstRow;
  int selected = 0;
  std::vector<PickerItem> customItems;
};

struct PickerAnswer {
  int result = win::kResultClose;  // also the answer once the script has run out
  int selected = 0;  // taken when result is 1
};

// A double for tests: answers in order from `answers` (an exhausted script
// closes without a choice) and records every request.
class ScriptedPickers : public PickerRunner {
 public:
  std::deque<PickerAnswer> answers;
  std::vector<PickerRequest> requests;

  int Run(QWidget* owner, PickerKind kind, const gdi::Rect& firstRow, int& selected,
          std::vector<PickerItem> customItems = {}) override;
};

// Installs a ScriptedPickers for the lifetime of the guard.
using ScopedScriptedPickers = win::ScopedInstall<ScriptedPickers>;

}  // namespace orvilo::ui
