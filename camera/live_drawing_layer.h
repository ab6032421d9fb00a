// CLiveDrawingLayer, the drawing over the live picture: a transparent child
// window over the camera view where the pen, highlighter, eraser and shapes
// of the image view draw while the picture keeps moving under them.
//
// Strokes are kept in the picture's own pixels (drawing/picture_mapping.h),
// so they stay on the page under them: zooming, stretching or resizing the
// view moves and scales them with the picture, and turning or mirroring the
// picture turns and mirrors them (a pentagon or a wave is drawn upright
// again in its turned rectangle). The camera view tells the layer where the
// picture shows at every paint.
//
// Pictures: the committed layer (client size, transparent) holds every
// committed stroke mapped into the view, rebuilt when the mapping changes; a
// paint copies it for the damaged area and lays the stroke in progress over
// it from the stroke's own mask, so a pointer move repaints only the
// segment's padded box, as in the image view. The eraser makes the layer
// transparent along its path, uncovering the live picture.
//
// Pointers: the mouse, one finger and the pen draw alike (mouse events the
// system makes of a finger or a pen are ignored); a second finger drops the
// stroke; a finger held still opens the current tool's picker. Where the
// camera view's own hit test is not its client area (the split edge, the
// inset's caption) presses go through to the camera view.
#pragma once

#include <QImage>
#include <QTimer>
#include <functional>
#include <optional>

#include "drawing/drawing.h"
#include "drawing/picture_mapping.h"
#include "drawing/stroke.h"
#include "platform/win/window.h"

class QTabletEvent;
class QTouchEvent;

namespace orvilo::camera {

class CLiveDrawingLayer : public win::Window {
  Q_OBJECT
 public:
  explicit CLiveDrawingLayer(QWidget* parent = nullptr);

  // Where the picture shows now. An empty mapping (no picture) draws no
  // strokes and takes no new ones; the strokes are kept.
  void SetMapping(const drawing::PictureMapping& mapping);
  const drawing::PictureMapping& Mapping() const { return mapping_; }

  void SetTool(drawing::StrokeKind tool) { tool_ = tool; }
  drawing::StrokeKind Tool() const { return tool_; }
  void SetPenWidth(int width);
  // An entry of the pen palette (ui/pen_palette.h); others are ignored.
  void SetPenColour(int entry);
  int PenWidth() const { return penWidth_; }
  std::uint32_t PenColour() const { return penColour_; }

  // Takes every stroke away (and a stroke in progress).
  void Clear();
  // Moves every stroke's points by `map` (picture pixels to picture pixels).
  void MapPoints(const std::function<gdi::Point(gdi::Point)>& map);
  // A copy of `picture` (the picture the mapping's source is in) with every
  // stroke drawn at the picture's own resolution.
  QImage DrawOnto(const QImage& picture) const;

  // For tests.
  const drawing::Drawing& GetDrawing() const { return drawing_; }
  const QImage& CommittedLayer() const { return committed_; }
  // The union of the areas asked to repaint since the last call.
  QRect TakeRepaintedArea();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;

 private:
  // True where the camera view takes the pointer itself.
  bool BelongsToCamera(const QPoint& at) const;
  void Repaint(const QRect& area);
  void RebuildLayer();

  void BeginStroke(gdi::Point at);
  void ContinueStroke(gdi::Point at);
  void EndStroke(bool inside);
  void DiscardStroke();
  void OnTouch(QTouchEvent* event);
  void OnLongPress();

  drawing::PictureMapping mapping_;
  drawing::Drawing drawing_;
  drawing::StrokeKind tool_ = drawing::StrokeKind::Pen;
  int penWidth_ = drawing::kInitialPenWidth;
  std::uint32_t penColour_ = 0;  // black, where the colour picker starts

  QImage committed_;          // client size, transparent where nothing is drawn
  std::optional<drawing::Stroke> current_;  // the stroke in progress, in client pixels
  QImage live_;               // its segments, opaque, client size
  QRect liveBounds_;          // what of live_ is drawn on
  QRect repainted_;

  bool touchActive_ = false;  // a touch sequence runs: its emulated mouse events are ignored
  bool touchGesture_ = false;  // a second finger came: nothing draws until every finger is up
  bool penDown_ = false;
  gdi::Point touchStart_;
  QTimer longPress_;
};

}  // namespace orvilo::camera
