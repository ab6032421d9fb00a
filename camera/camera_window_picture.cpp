// CVyr3CameraWnd: the picture controls of the bound camera and interval
// capture (stills every N seconds with a count on the picture).
#include <gst/gst.h>

#include <QPainter>
#include <cstdio>

#include "camera/camera_window.h"
#include "camera/focus_popup.h"
#include "camera/picture_controls.h"
#include "camera/picture_popup.h"
#include "platform/camctl/camera_controls.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/media/demo_camera_controls.h"
#include "platform/sys/local_time.h"

namespace orvilo::camera {

std::unique_ptr<camctl::ControlDevice> CVyr3CameraWnd::OpenControlDevice() const {
  if (!video_) return nullptr;
  if (video_->path.rfind(media::kDemoCameraPath, 0) == 0) {
    GstElement* source = graph_ ? graph_->Element("source") : nullptr;
    auto device = std::make_unique<media::DemoCameraControls>(source);
    if (source != nullptr) gst_object_unref(source);
    return device;
  }
  return std::make_unique<camctl::CameraControls>(video_->path);
}

// On every bind: the values chosen for this camera model before.
void CVyr3CameraWnd::ApplySavedPictureControls() {
  if (settingsPath_.empty()) return;
  const PictureValues saved = ReadSavedPictureValues(settingsPath_, model_);
  if (saved.empty()) return;
  if (const auto device = OpenControlDevice()) PictureControls(*device).Apply(saved);
}

void CVyr3CameraWnd::TogglePictureControls() {
  if (picturePopup_ != nullptr && picturePopup_->isVisible()) {
    picturePopup_->hide();
    return;
  }
  const auto device = OpenControlDevice();
  if (!device) return;
  const auto states = PictureControls(*device).Read();
  if (states.empty()) return;  // a camera without any of them: nothing to show
  if (picturePopup_ == nullptr) {
    picturePopup_ = new CVyrPictureWnd(this);
    picturePopup_->setObjectName("PictureWnd");
    picturePopup_->SetSetter([this](PictureControl control, std::int32_t value, bool final) {
      OnPictureControl(static_cast<int>(control), value, final);
    });
  }
  picturePopup_->SetControls(states);
  const int top = (arrangement_ == Arrangement::CameraInset ? 5 : 0) +
                  (focusPopup_ != nullptr && focusPopup_->isVisible() ? focusPopup_->height() : 0);
  picturePopup_->move((width() - CVyrPictureWnd::kWidth) / 2, top);
  picturePopup_->show();
  picturePopup_->raise();
}

// A change in the popup goes to the camera at once; the value is kept when
// the change is final (a release, not every step of a drag). Switching an
// automatic mode reads the controls back, as the camera may have changed
// the value by hand meanwhile.
void CVyr3CameraWnd::OnPictureControl(int control, std::int32_t value, bool final) {
  const auto device = OpenControlDevice();
  if (!device) return;
  const auto which = static_cast<PictureControl>(control);
  const PictureControls controls(*device);
  if (!controls.Set(which, value)) return;
  if (!final) return;
  SavePictureValue(settingsPath_, model_, which, value);
  if ((which == PictureControl::AutoExposure || which == PictureControl::AutoWhiteBalance) && picturePopup_ != nullptr) {
    picturePopup_->SetControls(controls.Read());
  }
}

// --- interval capture ------------------------------------------------------

bool CVyr3CameraWnd::StartIntervalCapture(const std::string& folder, int seconds) {
  if (!video_ || folder.empty()) return false;
  interval_.Start(folder, seconds);
  SetTimer(kIntervalTimer, interval_.Seconds() * 1000);
  TakeIntervalStill();  // the first still at once, so a start is seen
  update();
  return true;
}

void CVyr3CameraWnd::StopIntervalCapture() {
  if (!interval_.Running()) return;
  KillTimer(kIntervalTimer);
  interval_.Stop();
  update();
}

// A still that cannot be taken (no frame yet, camera lost) or written is
// skipped; the run goes on with the next one.
void CVyr3CameraWnd::TakeIntervalStill() {
  if (!interval_.Running()) return;
  const gdi::PackedDib still = TakeAnnotatedSnapshot();
  if (still.IsEmpty()) return;
  const std::string path = interval_.NextPath(sys::GetLocalTime());
  if (gdi::WriteBitmapFile(path, still)) {
    interval_.Written();
    AddStill(path, still);
  } else {
    std::fprintf(stderr, "camera: cannot write %s\n", path.c_str());
  }
  update();
}

void CVyr3CameraWnd::PaintIntervalCount(QPainter& painter) const {
  int row = 0;
  if (interval_.Running()) PaintBadge(painter, row++, QColor(30, 136, 229), QString::fromStdString(interval_.OverlayText()));
  if (TimeLapseRunning()) {
    PaintBadge(painter, row++, QColor(229, 57, 53),
               QString::fromStdString(TimeLapseOverlayText(timeLapseSeconds_, graph_->TimeLapseFrames())));
  }
}

void CVyr3CameraWnd::PaintBadge(QPainter& painter, int row, const QColor& dot, const QString& text) const {
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(16);
  painter.setFont(font);
  const int textWidth = painter.fontMetrics().horizontalAdvance(text);
  const QRect badge(width() - textWidth - 44, 10 + 34 * row, textWidth + 34, 28);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 150));
  painter.drawRoundedRect(badge, 6, 6);
  painter.setBrush(dot);
  painter.drawEllipse(QPoint(badge.left() + 14, badge.center().y() + 1), 5, 5);
  painter.setPen(Qt::white);
  painter.drawText(badge.adjusted(26, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  painter.restore();
}

}  // namespace orvilo::camera
