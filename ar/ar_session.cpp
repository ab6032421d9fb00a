#include "ar/ar_session.h"

#include "core/settings/ar_settings.h"
#include "core/settings/settings_keys.h"

namespace orvilo::ar {

namespace {

// After closing a viewer, give it time to let go of the camera before the
// next one starts.
constexpr int kViewerHandOverMs = 300;

}  // namespace

std::string ViewerLaunch::CommandLine() const { return "\"" + program + "\" " + std::to_string(handle); }

ArSession::ArSession(ArContent content, ArSessionHost& host) : content_(std::move(content)), host_(host) {}

void ArSession::SetContent(ArContent content) {
  content_ = std::move(content);
  pictureGrade_ = 0;
}

bool ArSession::ShowPicture(int grade) {
  const std::optional<std::string> path = content_.PicturePath(grade);
  if (!path || !host_.LoadPicture(*path)) return false;
  pictureGrade_ = grade;
  return true;
}

void ArSession::Send(std::uint32_t number, std::uintptr_t wParam, std::intptr_t lParam) {
  host_.SendToViewer(viewer_, number, wParam, lParam);
}

void ArSession::SendSize() {
  Send(viewer_message::kSize, 0, PackSize(host_.ClientWidth(), host_.ClientHeight()));
}

void ArSession::OnBarCommand(int commandId) {
  using namespace ar_command;
  switch (commandId) {
    case kZoomIn: Zoom(true); return;
    case kResetZoom: ResetZoom(); return;
    case kZoomOut: Zoom(false); return;
    case kAxis1Minus: Rotate(1, -15); return;
    case kAxis1Reset: ResetAxis(1); return;
    case kAxis1Plus: Rotate(1, 15); return;
    case kAxis2Minus: Rotate(2, -15); return;
    case kAxis2Reset: ResetAxis(2); return;
    case kAxis2Plus: Rotate(2, 15); return;
    case kTenth:
      if (LiveViewer()) Send(viewer_message::kTenth);
      return;
    default:
      if (commandId >= kFirstGrade && commandId <= kLastGrade) ChooseGrade(commandId - kFirstGrade + 1);
  }
}

// Without a live viewer a zoom command reports the limit, so the button
// takes the disabled look until a reset.
void ArSession::Zoom(bool in) {
  bool limit = true;
  if (LiveViewer()) {
    const ZoomMove move = in ? ZoomStepUp(zoomStep_) : ZoomStepDown(zoomStep_);
    if (Moved(move, zoomStep_)) {
      zoomStep_ = move.step;
      Send(viewer_message::kZoom, static_cast<std::uintptr_t>(move.factor));
    }
    limit = move.limit;
  }
  const int self = in ? ar_command::kZoomIn : ar_command::kZoomOut;
  const int other = in ? ar_command::kZoomOut : ar_command::kZoomIn;
  if (limit) host_.SetButtonDisabled(self, true);
  host_.SetButtonDisabled(other, false);
}

void ArSession::ResetZoom() {
  if (LiveViewer()) {
    zoomStep_ = kDefaultZoomStep;
    Send(viewer_message::kZoom, 0);
  }
  host_.SetButtonDisabled(ar_command::kZoomIn, false);
  host_.SetButtonDisabled(ar_command::kZoomOut, false);
}

void ArSession::Rotate(int axis, int delta) {
  if (!LiveViewer()) return;
  int& angle = axis == 1 ? angle1_ : angle2_;
  angle = RotatedAngle(angle, delta);
  // The viewer turns by the step; a negative step travels as the two's
  // complement of wParam, as a signed int does on the original platform.
  Send(axis == 1 ? viewer_message::kRotate1 : viewer_message::kRotate2,
       static_cast<std::uintptr_t>(static_cast<std::intptr_t>(delta)));
}

void ArSession::ResetAxis(int axis) {
  if (!LiveViewer()) return;
  (axis == 1 ? angle1_ : angle2_) = 0;
  Send(axis == 1 ? viewer_message::kRotate1 : viewer_message::kRotate2, 0);
}

void ArSession::ChooseGrade(int grade) {
  if (grade < 1 || grade > kGradeCount) return;
  if (ShowPicture(grade)) host_.Repaint();
  const Chapter preset = grade == chosenGrade_ ? chosen_ : Chapter{1, 1};
  const std::optional<Chapter> chapter = host_.PickChapter(grade, preset);
  if (!chapter) {
    ShowPicture(0);
    host_.Repaint();
    return;
  }
  if (const std::optional<int> marker = content_.Marker(grade, chapter->semester, chapter->unit)) {
    std::string format = host_.CaptionFormat();
    if (format.empty()) format = core::kDefaultArInfo;
    host_.ShowUnitCaption(*marker, core::FormatArCaption(format, grade, chapter->semester, chapter->unit));
  }
  if (viewer_ != 0) {
    CloseViewer();
    host_.Pause(kViewerHandOverMs);
  }
  Launch(grade, *chapter);
}

bool ArSession::Launch(int grade, Chapter chapter) {
  if (grade != pictureGrade_) {
    host_.ClearPicture();
    if (ShowPicture(grade)) host_.Repaint();
  }
  chosenGrade_ = grade;
  chosen_ = chapter;
  if (!content_.UnitHasContent(grade, chapter.semester, chapter.unit)) return false;
  return host_.StartViewer(ViewerLaunch{content_.ViewerPath(grade, chapter.semester, chapter.unit), host_.OwnHandle()});
}

std::intptr_t ArSession::OnViewerMessage(std::uint32_t number, std::uintptr_t wParam, std::intptr_t) {
  switch (number) {
    case viewer_message::kRegister: {
      if (wParam == 0) return 0;
      const auto handle = static_cast<std::int64_t>(wParam);
      // A second viewer replaces the first, which is no longer shown nor
      // told anything (it is not closed either: the program never started
      // it as the current unit's viewer).
      if (viewer_ != 0 && viewer_ != handle) host_.ForgetViewer(viewer_);
      viewer_ = handle;
      if (host_.IsViewerWindow(viewer_)) {
        SendSize();
        host_.ShowViewer(viewer_);
      }
      return 1;
    }
    case viewer_message::kAcknowledge: return 1;
    default: return 0;
  }
}

void ArSession::OnResized() {
  if (LiveViewer()) SendSize();
}

bool ArSession::CloseViewer() {
  if (viewer_ == 0) return false;
  host_.SetBusy(true);
  if (host_.IsViewerWindow(viewer_)) Send(viewer_message::kClose);
  host_.ForgetViewer(viewer_);
  viewer_ = 0;
  host_.SetBusy(false);
  return true;
}

}  // namespace orvilo::ar
