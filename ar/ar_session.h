// What the AR view does, free of the toolkit: the grade picture, choosing a
// unit, launching and closing its viewer, the viewer's registration, and the
// zoom and rotation it is told to make. CVyr3ARWnd is the window around it;
// tests drive a session with a recording host.
//
// The viewer is an outside program that draws a unit's scene inside the AR
// view. It is started with the AR view's handle on its command line,
// registers with message 5025 carrying its own window handle, and from then
// on hears the messages below. Every message to it is sent synchronously;
// the host's channel gives up on an answer after a timeout, so a viewer that
// hangs costs one timeout, never the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ar/ar_content.h"
#include "ar/viewer_motion.h"

namespace orvilo::ar {

// Messages between the AR view and its viewer.
namespace viewer_message {
inline constexpr std::uint32_t kRegister = 5025;  // from the viewer: wParam = its window handle; answer 1 (0 for handle 0)
inline constexpr std::uint32_t kClose = 5026;     // to the viewer
inline constexpr std::uint32_t kSize = 5027;      // to the viewer: lParam = width | height << 16
inline constexpr std::uint32_t kZoom = 5032;      // to the viewer: wParam = percent, 0 = default scale
inline constexpr std::uint32_t kRotate1 = 5033;   // to the viewer: wParam = ±15 degrees, 0 = back to 0
inline constexpr std::uint32_t kAcknowledge = 5035;  // from the viewer: answer 1
inline constexpr std::uint32_t kRotate2 = 5036;   // to the viewer: as 5033 for the second axis
inline constexpr std::uint32_t kTenth = 5037;     // to the viewer: command 1104
}  // namespace viewer_message

// The AR command bar (bar 4).
namespace ar_command {
inline constexpr int kZoomIn = 1095;
inline constexpr int kResetZoom = 1096;
inline constexpr int kZoomOut = 1097;
inline constexpr int kAxis1Minus = 1098;
inline constexpr int kAxis1Reset = 1099;
inline constexpr int kAxis1Plus = 1100;
inline constexpr int kAxis2Minus = 1101;
inline constexpr int kAxis2Reset = 1102;
inline constexpr int kAxis2Plus = 1103;
inline constexpr int kTenth = 1104;
inline constexpr int kFirstGrade = 1105;  // grades 1..6: 1105..1110
inline constexpr int kLastGrade = 1110;
}  // namespace ar_command

// The viewer's command line: "\"%s\" %d" with its path and the AR view's
// handle. It is shown and logged as text; the program is started from its
// parts (no shell parses it), so a path holding spaces or quotes stays one
// argument.
struct ViewerLaunch {
  std::string program;
  std::int64_t handle = 0;
  std::string CommandLine() const;
  std::string HandleArgument() const { return std::to_string(handle); }
};

// lParam of the size message.
constexpr std::intptr_t PackSize(int width, int height) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(width) & 0xFFFF) |
                                    ((static_cast<std::uint32_t>(height) & 0xFFFF) << 16));
}

// What a session asks of its window and the world around it.
class ArSessionHost {
 public:
  virtual ~ArSessionHost() = default;

  // The viewer: whether `handle` names a live viewer window; a sent message
  // and its answer (nothing when the viewer is gone or did not answer in
  // time); showing a registered viewer over the view; starting a viewer.
  virtual bool IsViewerWindow(std::int64_t handle) = 0;
  virtual std::optional<std::intptr_t> SendToViewer(std::int64_t handle, std::uint32_t number, std::uintptr_t wParam,
                                                    std::intptr_t lParam) = 0;
  virtual void ShowViewer(std::int64_t handle) = 0;
  // The stored viewer was closed or replaced: stop showing it.
  virtual void ForgetViewer(std::int64_t handle) = 0;
  // The handle announced on a viewer's command line.
  virtual std::int64_t OwnHandle() = 0;
  virtual bool StartViewer(const ViewerLaunch& launch) = 0;
  virtual void Pause(int milliseconds) = 0;
  virtual void SetBusy(bool busy) = 0;  // the wait cursor

  // The view.
  virtual int ClientWidth() = 0;
  virtual int ClientHeight() = 0;
  // Loads the picture file; on success it replaces the current picture.
  virtual bool LoadPicture(const std::string& path) = 0;
  virtual void ClearPicture() = 0;
  virtual void Repaint() = 0;

  // The main window: the chapter picker (nothing on Cancel or close), the
  // "ARINFO" caption format, the unit's marker and caption in its frame, and
  // the look of an AR bar button.
  virtual std::optional<Chapter> PickChapter(int grade, Chapter preset) = 0;
  virtual std::string CaptionFormat() = 0;
  virtual void ShowUnitCaption(int marker, const std::string& caption) = 0;
  virtual void SetButtonDisabled(int commandId, bool disabled) = 0;
};

class ArSession {
 public:
  ArSession(ArContent content, ArSessionHost& host);

  const ArContent& content() const { return content_; }
  // Another program folder's content (the picture grade starts over).
  void SetContent(ArContent content);

  // The picture of grade 0..6; false (the current picture kept) when the
  // description names none or its file is missing or unreadable.
  bool ShowPicture(int grade);
  int PictureGrade() const { return pictureGrade_; }

  // A command of the AR bar (1095..1110); others are ignored.
  void OnBarCommand(int commandId);
  // Choose grade 1..6: picture, picker, caption, launch.
  void ChooseGrade(int grade);

  // A message from a viewer; the answer.
  std::intptr_t OnViewerMessage(std::uint32_t number, std::uintptr_t wParam, std::intptr_t lParam);
  // The view was resized: a live viewer hears the new size.
  void OnResized();

  // Closes the stored viewer; true when there was one.
  bool CloseViewer();
  bool HasViewer() const { return viewer_ != 0; }
  std::int64_t Viewer() const { return viewer_; }

  int ZoomStep() const { return zoomStep_; }
  int Angle1() const { return angle1_; }
  int Angle2() const { return angle2_; }
  int ChosenGrade() const { return chosenGrade_; }
  Chapter ChosenChapter() const { return chosen_; }

 private:
  bool LiveViewer() { return viewer_ != 0 && host_.IsViewerWindow(viewer_); }
  void Send(std::uint32_t number, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  void SendSize();
  void Zoom(bool in);
  void ResetZoom();
  void Rotate(int axis, int delta);
  void ResetAxis(int axis);
  bool Launch(int grade, Chapter chapter);

  ArContent content_;
  ArSessionHost& host_;
  int pictureGrade_ = 0;
  int chosenGrade_ = 0;
  Chapter chosen_{0, 0};
  std::int64_t viewer_ = 0;
  int zoomStep_ = kDefaultZoomStep;
  int angle1_ = 0;
  int angle2_ = 0;
};

}  // namespace orvilo::ar
