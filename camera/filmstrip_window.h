// CVyrFilmstripWnd: the stills of this session as thumbnails along the
// bottom of the camera view, newest last. A small handle above the strip
// opens and closes it; a click on a thumbnail opens the still, a drag of it
// out of the strip (onto the live picture or the split view) compares it
// with the live picture. The camera view owns it and the stills; what a
// click or a drag means is the view's callbacks' business.
#pragma once

#include <QWidget>
#include <functional>

#include "camera/filmstrip.h"

class QLabel;

namespace orvilo::camera {

class CVyrFilmstripWnd : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHandleWidth = 56;
  static constexpr int kHandleHeight = 16;
  static constexpr int kStripHeight = 92;
  static constexpr int kGap = 8;
  static constexpr int kArrowWidth = 22;  // at each end, for scrolling

  CVyrFilmstripWnd(const Filmstrip& stills, QWidget* parent);

  std::function<void()> onHandle;        // the handle was clicked
  std::function<void(int index)> onOpen;     // a thumbnail was clicked
  std::function<void(int index)> onCompare;  // a thumbnail was dropped outside the strip

  // Open shows the strip; closed only the handle, and nothing at all while
  // there are no stills.
  void SetOpen(bool open);
  bool IsOpen() const { return open_; }
  // After a still was added: shown, and the newest scrolled into view.
  void StillAdded();
  // At the bottom of the parent, its full width.
  void Place();
  // Kept hidden (the camera view as a small inset has no room for it).
  void SetSuppressed(bool suppressed);

  // In the window's coordinates: the handle, the strip, a thumbnail (empty
  // when it is scrolled out of sight or the strip is closed).
  QRect HandleRect() const;
  QRect StripRect() const;
  QRect ThumbnailRect(int index) const;
  int ScrollOffset() const { return scroll_; }
  int MaximumScroll() const;
  void ScrollBy(int pixels);
  int IndexAt(const QPoint& point) const;
  bool Dragging() const { return dragging_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QRect ThumbnailSlot(int index) const;
  QRect InnerRect() const;
  void UpdateMask();
  void EndDrag();

  const Filmstrip& stills_;
  bool open_ = false;
  bool suppressed_ = false;
  int scroll_ = 0;
  int pressed_ = -1;  // the thumbnail a press went down on
  QPoint pressAt_;
  bool dragging_ = false;
  QLabel* ghost_ = nullptr;  // the thumbnail following the pointer while dragged
};

}  // namespace orvilo::camera
