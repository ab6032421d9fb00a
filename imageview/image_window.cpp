#include "imageview/image_window.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ui/pen_palette.h"
#include "platform/gdi/qimage_conversion.h"
#include "core/command_ids.h"

namespace orvilo::imageview {

CVyr3ImageWnd::CVyr3ImageWnd(QWidget* parent) : ImageView(parent) {}

bool CVyr3ImageWnd::SetImage(gdi::PackedDib picture) {
  if (picture.IsEmpty()) return false;
  source_ = std::move(picture);
  shown_ = gdi::ToQImage(source_);
  update();
  return true;
}

bool CVyr3ImageWnd::LoadImageFile(const std::string& path) {
  if (path.empty()) return false;
  QImageReader reader(QString::fromStdString(path));
  reader.setAutoTransform(true);
  const QImage image = reader.read();
  if (image.isNull()) return false;
  return SetImage(gdi::FromQImage(image, 24));
}

void CVyr3ImageWnd::SetPenColour(int entry) {
  if (entry >= 0 && entry < static_cast<int>(ui::PenPalette.size())) penColour_ = entry;
}

void CVyr3ImageWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
  if (shown_.isNull()) return;
  QSize fitted = shown_.size();
  if (fullScreen_) {
    fitted = size();
  } else {
    fitted.scale(size(), Qt::KeepAspectRatio);
  }
  const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, shown_);
}

// The wheel zooms through the main window: forward (also 0) zooms out,
// backward zooms in.
void CVyr3ImageWnd::wheelEvent(QWheelEvent* event) {
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    owner->PostCommand(event->angleDelta().y() >= 0 ? command::kZoomOut : command::kZoomIn);
  }
  event->accept();
}

void CVyr3ImageWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  if (arrangement_ == Arrangement::ImageInset && event->button() == Qt::LeftButton) {
    if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostCommand(command::kSwapToCameraInset);
    return;
  }
  ImageView::mouseDoubleClickEvent(event);
}

}  // namespace orvilo::imageview
