// CSkinPrograssBar: a horizontal slider drawn from three skin bitmaps: the
// background b (its size is the control's size), the fill b + 1 that grows
// from the left up to the thumb, and the thumb b + 2 with three looks
// (idle, hover, dragging) side by side. It reports positions in percent by
// posting its own message number to its parent: wParam 0..100, lParam 0
// after a drag, 2 while dragging (message numbers 1276 and 1835 only), or
// the thumb state 0 or 1 after a click on the track. The percentage of a
// drag comes from the pointer's x, clamped to 0..span (span = control width
// - thumb width).
#pragma once

#include <QImage>
#include <QPointer>

#include "platform/gdi/rect.h"
#include "platform/win/window.h"

namespace orvilo::ui {

enum class ThumbState { Idle = 0, Hover = 1, Dragging = 2 };

class CSkinPrograssBar : public win::Window {
  Q_OBJECT
 public:
  explicit CSkinPrograssBar(QWidget* parent = nullptr);
  ~CSkinPrograssBar() override;

  // A slider at (x, y) of the parent from bitmaps bitmapBase .. + 2; the
  // fill bar lies `fillOffset` pixels below the top. A missing background
  // leaves the slider without size; missing fill or thumb draw nothing.
  // False without a parent or message number.
  bool Create(int messageNumber, win::Window* parent, int fillOffset, int bitmapBase, int x, int y);

  // Puts the thumb at value / total of the track; ignored while the thumb
  // is hovered or dragged, and for a total of 0 or less. Values below 0
  // count as 0, values above total as total.
  void SetPosition(long long value, long long total);

  int enabled = 1;  // 0: the mouse is ignored
  ThumbState state = ThumbState::Idle;

  int MessageNumber() const { return ControlId(); }
  int ThumbLeft() const { return thumb_.left; }
  gdi::Rect ThumbRect() const { return thumb_; }
  gdi::Rect FillRect() const { return fill_; }
  int Span() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  bool ReportsWhileDragging() const;
  int ThumbLeftFor(int x) const;
  int PercentAt(int x) const;
  void MoveThumb(int left);
  void Report(int percent, int lParam);

  QImage background_, fillPicture_, thumbPicture_;  // key colour made transparent
  gdi::Rect fill_;
  gdi::Rect thumb_;
  QPointer<win::Window> parent_;
};

}  // namespace orvilo::ui
