#include "camera/camera_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/gdi/bitmap_file.h"
#include "platform/win/geometry.h"
#include "core/command_ids.h"

namespace orvilo::camera {

CVyr3CameraWnd::CVyr3CameraWnd(QWidget* parent) : CameraView(parent) { setMouseTracking(true); }

void CVyr3CameraWnd::SelectDevices(const CaptureDevice& video, const CaptureDevice*) {
  CloseCamera();
  device_ = video;
}

void CVyr3CameraWnd::SetResolution(core::CameraModel model, core::ResolutionIndex index) {
  model_ = model;
  size_ = core::ResolutionOf(model, index);
}

core::ResolutionIndex CVyr3CameraWnd::GetResolutionIndex(core::CameraModel model) const { return core::ResolutionIndexOf(model, size_); }

bool CVyr3CameraWnd::TogglePause() { return false; }

void CVyr3CameraWnd::CloseCamera() {
  device_.reset();
  paused_ = false;
}

bool CVyr3CameraWnd::StartRecording(const std::string&) { return false; }

bool CVyr3CameraWnd::StopRecording() { return false; }

gdi::PackedDib CVyr3CameraWnd::TakeSnapshot(bool) { return {}; }

void CVyr3CameraWnd::SaveBitmapFile(const std::string& path, const gdi::PackedDib& picture) {
  if (path.empty() || picture.IsEmpty()) return;
  gdi::WriteBitmapFile(path, picture);
}

void CVyr3CameraWnd::SetFitMode(int mode) { fitMode_ = mode == 2 ? 1 - fitMode_ : mode; }

void CVyr3CameraWnd::SetArrangement(Arrangement arrangement) {
  arrangement_ = arrangement;
  update();
}

void CVyr3CameraWnd::SetRotation(int quarterTurns) { rotation_ = ((quarterTurns % 4) + 4) % 4; }

// In Split the left 5 pixels are the sizing edge of the split; as the inset
// the whole view drags.
win::HitTest CVyr3CameraWnd::HitTestAt(const QPoint& point) const {
  if (arrangement_ == Arrangement::Split && point.x() < 5) return win::HitTest::Left;
  if (arrangement_ == Arrangement::CameraInset) return win::HitTest::Caption;
  return win::HitTest::Client;
}

void CVyr3CameraWnd::PostToMainWindow(int commandId) {
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostCommand(commandId);
}

void CVyr3CameraWnd::resizeEvent(QResizeEvent* event) {
  CameraView::resizeEvent(event);
  if (arrangement_ == Arrangement::Split) PostToMainWindow(command::kSplitResized);
}

void CVyr3CameraWnd::OnExitSizeMove() { PostToMainWindow(command::kSplitSizingEnded); }

void CVyr3CameraWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  if (arrangement_ == Arrangement::CameraInset && event->button() == Qt::LeftButton) {
    PostToMainWindow(command::kSwapToImageInset);
    return;
  }
  CameraView::mouseDoubleClickEvent(event);
}

void CVyr3CameraWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
}

}  // namespace orvilo::camera
