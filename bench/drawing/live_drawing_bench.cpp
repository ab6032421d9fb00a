// Cost of drawing over the live picture: the time of one pointer move while
// a pen, highlighter or eraser stroke is drawn on the drawing layer (the move
// event and the paint it causes, the picture under it included), on a
// 1920 x 1080 camera view showing a 2592 x 1944 frame with 200 strokes
// already drawn; and of one whole repaint of the view with the layer, which
// every live frame costs. The reference, measured in the same run, is a
// whole repaint with every stroke drawn again, which is what a layer without
// its committed picture would pay per move and per frame.
//
// The camera view is stood in for by a widget that paints a still frame
// scaled as the live view does, so the figures do not depend on a camera.
// Runs offscreen (QT_QPA_PLATFORM=offscreen unless set). Each figure is the
// median of its samples.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/drawing/pointer_strokes.h"
#include "camera/live_drawing_layer.h"
#include "drawing/stroke_renderer.h"

using orvilo::camera::CLiveDrawingLayer;
using orvilo::drawing::StrokeKind;
using orvilo::bench::Clock;
using orvilo::bench::Median;
using orvilo::bench::Ms;
using orvilo::bench::Send;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const QSize kFrame(2592, 1944);

// Strokes start over the fitted frame, where the whole wave stays on it.
std::vector<QPoint> StrokePath(std::mt19937& random) {
  return orvilo::bench::StrokePath(random, QRect(QPoint(400, 100), QPoint(kWidth - 1000, kHeight - 200)));
}

void DrawStroke(QWidget& layer, const std::vector<QPoint>& path) { orvilo::bench::DrawStroke(&layer, path); }

// The live view: a frame fitted into the client, as every new frame paints it.
class StillCameraView : public orvilo::win::Window {
 public:
  QImage frame;
  QRect target;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(57, 57, 57));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame);
  }
};

double PerMove(CLiveDrawingLayer& layer, StrokeKind tool, std::mt19937& random) {
  layer.SetTool(tool);
  std::vector<double> samples;
  for (int stroke = 0; stroke < 10; ++stroke) {
    const std::vector<QPoint> path = StrokePath(random);
    Send(&layer, QEvent::MouseButtonPress, path.front(), Qt::LeftButton);
    QApplication::processEvents();
    for (std::size_t i = 1; i < path.size(); ++i) {
      const auto start = Clock::now();
      Send(&layer, QEvent::MouseMove, path[i], Qt::LeftButton);
      layer.repaint(layer.TakeRepaintedArea());
      QApplication::processEvents();
      samples.push_back(Ms(Clock::now() - start));
    }
    // Dropped, not kept: the page stays at 200 strokes.
    Send(&layer, QEvent::MouseMove, QPoint(-50, -50), Qt::LeftButton);
    Send(&layer, QEvent::MouseButtonRelease, QPoint(-50, -50), Qt::NoButton);
    QApplication::processEvents();
  }
  return Median(samples);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && !text.contains("grabbing the mouse")) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  QApplication app(argc, argv);
  StillCameraView view;
  view.resize(kWidth, kHeight);
  view.frame = QImage(kFrame, QImage::Format_RGB32);
  for (int y = 0; y < kFrame.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(view.frame.scanLine(y));
    for (int x = 0; x < kFrame.width(); ++x) row[x] = qRgb((x + y) & 0xFF, (x / 3) & 0xFF, (y / 2) & 0xFF);
  }
  // Fitted: 1440 x 1080, centred.
  view.target = QRect(240, 0, 1440, 1080);
  auto* layer = new CLiveDrawingLayer(&view);
  layer->setGeometry(view.rect());
  view.show();
  layer->SetMapping({orvilo::gdi::Rect{0, 0, kFrame.width(), kFrame.height()}, orvilo::gdi::Rect{240, 0, 1680, 1080}});
  QApplication::processEvents();

  std::mt19937 random(7);
  const StrokeKind mix[] = {StrokeKind::Pen, StrokeKind::Pen, StrokeKind::Highlighter, StrokeKind::Eraser};
  for (int i = 0; i < 200; ++i) {
    layer->SetTool(mix[i % 4]);
    layer->SetPenColour(i % 10);
    DrawStroke(*layer, StrokePath(random));
  }
  std::printf("camera view %d x %d, frame %d x %d fitted, %zu strokes drawn (pen, pen, highlighter, eraser)\n", kWidth,
              kHeight, kFrame.width(), kFrame.height(), layer->GetDrawing().Strokes().size());

  // Reference: the frame and every stroke drawn again over it.
  std::vector<double> full;
  for (int i = 0; i < 15; ++i) {
    const auto start = Clock::now();
    QImage screen(view.size(), QImage::Format_RGB32);
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(view.target, view.frame);
    painter.end();
    QImage strokes(view.size(), QImage::Format_ARGB32_Premultiplied);
    strokes.fill(Qt::transparent);
    for (const auto& stroke : layer->GetDrawing().Strokes()) {
      orvilo::drawing::RenderStroke(strokes, orvilo::drawing::StrokeToView(stroke, layer->Mapping()), QImage());
    }
    QPainter(&screen).drawImage(0, 0, strokes);
    full.push_back(Ms(Clock::now() - start));
  }
  const double reference = Median(full);

  std::vector<double> frame, frameAlone;
  for (int i = 0; i < 15; ++i) {
    auto start = Clock::now();
    view.repaint();
    frame.push_back(Ms(Clock::now() - start));
    layer->hide();
    start = Clock::now();
    view.repaint();
    frameAlone.push_back(Ms(Clock::now() - start));
    layer->show();
  }

  const double pen = PerMove(*layer, StrokeKind::Pen, random);
  const double highlighter = PerMove(*layer, StrokeKind::Highlighter, random);
  const double eraser = PerMove(*layer, StrokeKind::Eraser, random);

  std::printf("%-40s %9s %9s\n", "case", "ms", "/ full");
  std::printf("%-40s %9.3f %9s\n", "frame and all strokes drawn (reference)", reference, "1.000");
  const auto row = [&](const char* name, double ms) { std::printf("%-40s %9.3f %9.3f\n", name, ms, ms / reference); };
  row("a live frame without the drawing", Median(frameAlone));
  row("a live frame with the drawing layer", Median(frame));
  row("pen: one pointer move", pen);
  row("highlighter: one pointer move", highlighter);
  row("eraser: one pointer move", eraser);
  return 0;
}
