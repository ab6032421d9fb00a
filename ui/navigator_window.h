// CNavigatorWnd: the zoom navigator of the camera view and the image view. A
// small framed window at the owner's top right showing the whole picture as
// a thumbnail with a red rectangle, the region the owner shows while zoomed
// in; the teacher drags the rectangle to choose another region.
//
// It reports the region with kNavigatorSelection to its owner: wParam = the
// address of the view rectangle, lParam = the address of the thumbnail
// rectangle (both gdi::Rect in navigator coordinates, valid while the
// navigator lives). Posted after every layout, sent when a drag ends.
#pragma once

#include <QImage>
#include <cstdint>

#include "core/command_ids.h"
#include "platform/gdi/rect.h"
#include "platform/win/window.h"

namespace orvilo::ui {

using message::kNavigatorSelection;
inline constexpr int kNavigatorHeight = 221;

class CNavigatorWnd : public win::Window {
  Q_OBJECT
 public:
  explicit CNavigatorWnd(QWidget* parent = nullptr);

  void SetOwner(win::Window* owner) { owner_ = owner; }
  // 1: lays out whenever it paints (image view); 0: only when given a new
  // picture (camera view, whose picture changes with every frame).
  void SetSelfRefresh(bool on) { selfRefresh_ = on; }
  void SetZoom(double zoom) { zoom_ = zoom; }
  double Zoom() const { return zoom_; }

  // A new picture at zoom `zoom`: laid out, reported and repainted at once.
  void SetPicture(double zoom, const QImage& picture);
  // Lays out the thumbnail and the view rectangle for the current size and
  // zoom, and reports them.
  void Layout();

  const gdi::Rect& ViewRect() const { return viewRect_; }
  const gdi::Rect& ThumbnailRect() const { return thumbnailRect_; }
  bool HasPicture() const { return !picture_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Report(bool send);

  win::Window* owner_ = nullptr;
  bool selfRefresh_ = false;
  bool dragging_ = false;
  double zoom_ = 1.0;
  gdi::Rect thumbnailRect_;
  gdi::Rect viewRect_;
  QPoint dragPointer_;
  gdi::Rect dragRect_;
  QImage picture_;
  QImage thumbnail_;  // the picture at the thumbnail's size
  QImage frame_;      // frame picture, magenta transparent
};

}  // namespace orvilo::ui
