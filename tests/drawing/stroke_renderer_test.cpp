// The renderer on a transparent layer, as the drawing over the live picture
// uses it: what the layer shows laid over a picture must equal the strokes
// drawn onto that picture directly.
#include "drawing/stroke_renderer.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace orvilo::drawing {
namespace {

QImage Page() {
  QImage page(120, 80, QImage::Format_RGB32);
  page.fill(QColor(230, 220, 200));
  QPainter painter(&page);
  painter.fillRect(QRect(0, 40, 120, 40), QColor(40, 60, 160));  // a darker lower half
  return page;
}

// A few strokes of every freehand kind and a shape, the eraser last.
std::vector<Stroke> Strokes() {
  return {
      Stroke{StrokeKind::Pen, 6, 0x0000FF, {{10, 10}, {60, 50}, {110, 20}}},
      Stroke{StrokeKind::Highlighter, 5, 0x00FFFF, {{5, 60}, {115, 30}}},
      Stroke{StrokeKind::Quadrangle, 3, 0x00FF00, {{20, 20}, {90, 70}}},
      Stroke{StrokeKind::Eraser, 8, 0, {{50, 5}, {50, 75}}},
  };
}

TEST(StrokeRenderer, ALayerLaidOverThePictureEqualsTheStrokesDrawnOntoIt) {
  const QImage page = Page();
  QImage direct = page.copy();
  QImage layer(page.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  for (const Stroke& stroke : Strokes()) {
    RenderStroke(direct, stroke, page);
    RenderStroke(layer, stroke, QImage());  // no picture under the layer: the eraser makes holes
  }
  QImage composed = page.copy();
  QPainter(&composed).drawImage(0, 0, layer);

  // The rectangle's top edge is drawn, except where the eraser crossed it:
  // there the layer is a hole and the page shows again, on both.
  EXPECT_EQ(layer.pixel(30, 20), qRgb(0, 255, 0));
  EXPECT_EQ(qAlpha(layer.pixel(50, 20)), 0);
  EXPECT_EQ(composed.pixel(50, 20), page.pixel(50, 20));
  EXPECT_EQ(direct.pixel(50, 20), page.pixel(50, 20));
  EXPECT_NE(composed.pixel(11, 11), page.pixel(11, 11));  // the pen drew
  int differing = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QRgb a = composed.pixel(x, y), b = direct.pixel(x, y);
      // Premultiplied rounding may differ by a step or two in a channel.
      if (std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 || std::abs(qBlue(a) - qBlue(b)) > 2) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace orvilo::drawing
