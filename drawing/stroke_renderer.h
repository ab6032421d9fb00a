// Drawing strokes with the toolkit: a committed stroke in full, a freehand
// stroke one segment at a time into its own mask, and the XOR preview of a
// shape. Targets are client-size pictures of the image view.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "drawing/stroke.h"

class QPainter;

namespace orvilo::drawing {

QColor StrokeColour(const Stroke& stroke);

// The box a stroke's pixels lie in, padded by its width (so round caps and
// smoothing fit), in client coordinates; empty for fewer than 2 points.
QRect StrokeBounds(const Stroke& stroke);
// The box of the segment from point i - 1 to point i, padded the same way.
QRect SegmentBounds(const Stroke& stroke, std::size_t i);

// Draws the whole stroke onto `target`. The eraser puts back the pixels of
// `clean` (the picture without strokes, same size as the target) along its
// path; with a null `clean` (a transparent layer over a picture drawn
// elsewhere) it makes the target transparent there instead; the highlighter is drawn opaque into a mask of its own box and laid
// over the target at alpha 128 once, so its own overlaps never darken.
// Strokes with fewer than 2 points draw nothing. A non-empty `clip` limits
// the drawing to that box (the pixels inside come out as without it).
void RenderStroke(QImage& target, const Stroke& stroke, const QImage& clean, const QRect& clip = QRect());

// Makes `mask` a transparent ARGB picture of `size` for the next freehand
// stroke: a new one when its size differs, else only `used` (what the last
// stroke drew on) cleared. `used` comes back empty.
void PrepareMask(QImage& mask, QSize size, QRect& used);

// Draws the segment ending at point i (i >= 1) opaque into the stroke's mask
// (a transparent ARGB picture of the client size). Shapes draw nothing here.
void RenderSegment(QImage& mask, const Stroke& stroke, std::size_t i);

// Lays the part `area` of a stroke's mask over `painter`'s device: the pen as
// it is, the highlighter at alpha 128, the eraser as the pixels of `clean`
// (or, with a null `clean`, as a hole through the device).
void CompositeMask(QPainter& painter, const QImage& mask, const Stroke& stroke, const QImage& clean, const QRect& area);

// The shape's outline in a 1-pixel white XOR pen (drawing it twice restores
// the pixels), and the box it touches.
void DrawShapePreview(QPainter& painter, const Stroke& shape);
QRect ShapePreviewBounds(const Stroke& shape);

}  // namespace orvilo::drawing
