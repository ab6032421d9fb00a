#include "camera/live_view_geometry.h"

#include <algorithm>

namespace orvilo::camera {

FrameDraw PlanFrameDraw(QSize client, QSize frame, int fitMode, double zoom, Arrangement arrangement,
                        const gdi::Rect& zoomSource) {
  FrameDraw plan;
  if (client.isEmpty() || frame.isEmpty()) return plan;
  const QRect whole(QPoint(0, 0), frame);
  if (arrangement == Arrangement::CameraInset || fitMode == 0) return {true, whole, QRect(QPoint(0, 0), client)};
  const double s = zoom * std::min(static_cast<double>(client.width()) / frame.width(),
                                   static_cast<double>(client.height()) / frame.height());
  const int w = static_cast<int>(frame.width() * s);
  const int h = static_cast<int>(frame.height() * s);
  const int x = (client.width() - w) / 2;
  const int y = (client.height() - h) / 2;
  if (zoom <= 1.0) return {true, whole, QRect(x, y, w, h)};
  if (zoomSource.Width() <= 0 || zoomSource.Height() <= 0) return plan;
  QRect target(0, 0, client.width(), client.height());
  if (x > 0) {
    target.setLeft(x);
    target.setWidth(w);
  }
  if (y > 0) {
    target.setTop(y);
    target.setHeight(h);
  }
  return {true, QRect(zoomSource.left, zoomSource.top, zoomSource.Width(), zoomSource.Height()), target};
}

QRect NavigatorPlacement(QSize client) {
  if (client.isEmpty()) return {};
  const int width = client.width() * 221 / client.height();
  return QRect(client.width() - width, 0, width, 221);
}

gdi::Rect ZoomSourceFromSelection(const gdi::Rect& selection, const gdi::Rect& thumbnail, QSize frame) {
  const int pw = thumbnail.Width();
  const int ph = thumbnail.Height();
  if (pw <= 0 || ph <= 0) return {};
  const gdi::Rect clipped{std::max(selection.left, thumbnail.left), std::max(selection.top, thumbnail.top),
                          std::min(selection.right, thumbnail.right), std::min(selection.bottom, thumbnail.bottom)};
  const gdi::Rect relative = clipped.Offset(-thumbnail.left, -thumbnail.top);
  gdi::Rect source;
  source.left = frame.width() * relative.left / pw;
  source.top = frame.height() * relative.top / ph;
  source.right = source.left + relative.Width() * frame.width() / pw;
  source.bottom = source.top + relative.Height() * frame.height() / ph;
  return source;
}

}  // namespace orvilo::camera
