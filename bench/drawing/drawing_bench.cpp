// Cost of drawing on the image view: the time of one pointer move while a
// pen, highlighter or eraser stroke is drawn (the move event and the paint
// it causes), on a 1920 x 1080 view over a camera-sized picture with 200
// strokes already drawn; and of an undo with 200 strokes. The reference,
// measured in the same run, is a repaint of the whole view with every
// stroke drawn again, which is what a view without a stroke layer and a
// cached picture would pay per move.
//
// Runs offscreen (QT_QPA_PLATFORM=offscreen unless set). Each figure is the
// median of its samples; the shared machine moves timings by about 10 %.
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/drawing/pointer_strokes.h"
#include "imageview/image_window.h"

// Counts the paint events the view really gets, so the figures are known to
// include painting.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

using orvilo::imageview::CVyr3ImageWnd;
using orvilo::imageview::StrokeKind;
using orvilo::bench::Clock;
using orvilo::bench::Median;
using orvilo::bench::Ms;
using orvilo::bench::Send;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Strokes start where the whole wave stays inside the view.
std::vector<QPoint> StrokePath(std::mt19937& random) {
  return orvilo::bench::StrokePath(random, QRect(QPoint(100, 100), QPoint(kWidth - 700, kHeight - 200)));
}

void DrawStroke(QWidget& view, const std::vector<QPoint>& path) { orvilo::bench::DrawStroke(&view, path); }

// Milliseconds per pointer move of a stroke with `tool`: each move is
// handled and its paint done before the next.
double PerMove(CVyr3ImageWnd& view, StrokeKind tool, std::mt19937& random) {
  view.SetCurrentTool(tool);
  std::vector<double> samples;
  for (int stroke = 0; stroke < 10; ++stroke) {
    const std::vector<QPoint> path = StrokePath(random);
    Send(&view, QEvent::MouseButtonPress, path.front(), Qt::LeftButton);
    QApplication::processEvents();
    for (std::size_t i = 1; i < path.size(); ++i) {
      const auto start = Clock::now();
      Send(&view, QEvent::MouseMove, path[i], Qt::LeftButton);
      view.repaint(view.rect().intersected(QRect(path[i] - QPoint(60, 60), QSize(120, 120))));
      QApplication::processEvents();
      samples.push_back(Ms(Clock::now() - start));
    }
    Send(&view, QEvent::MouseButtonRelease, path.back(), Qt::NoButton);
    QApplication::processEvents();
    view.Undo();  // keep the page at 200 strokes
    QApplication::processEvents();
  }
  return Median(samples);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform grants no pointer grab and says so on every
  // stroke; that note would drown the table.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && !text.contains("grabbing the mouse")) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  QApplication app(argc, argv);
  CVyr3ImageWnd view;
  view.resize(kWidth, kHeight);
  view.show();
  orvilo::gdi::PackedDib picture = orvilo::gdi::PackedDib::Create(2592, 1944, 24);
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < 3 * picture.width(); ++x) row[x] = static_cast<std::uint8_t>((x / 3 + y) & 0xFF);
  }
  view.SetImage(std::move(picture));
  view.SetMode(orvilo::ViewMode::Image);
  PaintCounter counter;
  view.installEventFilter(&counter);
  QApplication::processEvents();

  std::mt19937 random(7);
  const StrokeKind mix[] = {StrokeKind::Pen, StrokeKind::Pen, StrokeKind::Highlighter, StrokeKind::Eraser};
  for (int i = 0; i < 200; ++i) {
    view.SetCurrentTool(mix[i % 4]);
    view.SetPenColour(i % 10);
    DrawStroke(view, StrokePath(random));
  }
  std::printf("view %d x %d, picture 2592 x 1944, %zu strokes drawn (pen, pen, highlighter, eraser)\n", kWidth,
              kHeight, view.GetDrawing().Strokes().size());

  // Reference: a whole repaint with every stroke drawn again.
  std::vector<double> full;
  for (int i = 0; i < 15; ++i) {
    const auto start = Clock::now();
    view.SetArrangement(i % 2 ? orvilo::Arrangement::Split : orvilo::Arrangement::Normal);  // invalidates the layers
    view.repaint();
    full.push_back(Ms(Clock::now() - start));
  }
  const double reference = Median(full);
  std::vector<double> copy;
  for (int i = 0; i < 15; ++i) {
    const auto start = Clock::now();
    view.repaint();
    copy.push_back(Ms(Clock::now() - start));
  }
  const double wholeCopy = Median(copy);

  const double pen = PerMove(view, StrokeKind::Pen, random);
  const double highlighter = PerMove(view, StrokeKind::Highlighter, random);
  const double eraser = PerMove(view, StrokeKind::Eraser, random);

  std::vector<double> undo;
  for (int i = 0; i < 15; ++i) {
    view.SetCurrentTool(StrokeKind::Pen);
    DrawStroke(view, StrokePath(random));  // 201 strokes
    const auto start = Clock::now();
    view.Undo();
    view.repaint();
    undo.push_back(Ms(Clock::now() - start));
  }
  const double undoMs = Median(undo);

  // Undo after a rebuild (zoom, new picture): the latest strokes within the
  // budget kept their pixels again while they were redrawn.
  std::vector<double> undoRebuilt;
  for (int i = 0; i < 15; ++i) {
    view.SetCurrentTool(StrokeKind::Pen);
    DrawStroke(view, StrokePath(random));
    view.SetArrangement(i % 2 ? orvilo::Arrangement::Split : orvilo::Arrangement::Normal);
    view.repaint();
    const auto start = Clock::now();
    view.Undo();
    view.repaint();
    undoRebuilt.push_back(Ms(Clock::now() - start));
  }
  const double undoRebuiltMs = Median(undoRebuilt);

  // Every stroke undone in a row: the latest from their kept pixels, the
  // older ones beyond the budget by drawing their box again.
  std::vector<double> undoKept, undoRedrawn;
  const std::size_t strokes = view.GetDrawing().Strokes().size();
  for (std::size_t i = 0; i < strokes; ++i) {
    const auto start = Clock::now();
    view.Undo();
    view.repaint();
    (i < 60 ? undoKept : undoRedrawn).push_back(Ms(Clock::now() - start));
  }
  const double undoKeptMs = Median(undoKept);
  const double undoRedrawnMax = *std::max_element(undoRedrawn.begin(), undoRedrawn.end());
  const double undoRedrawnMs = Median(undoRedrawn);

  std::printf("%-36s %9s %9s\n", "case", "ms", "/ full");
  std::printf("%-36s %9.3f %9s\n", "full repaint, all strokes (reference)", reference, "1.000");
  const auto row = [&](const char* name, double ms) { std::printf("%-36s %9.3f %9.3f\n", name, ms, ms / reference); };
  row("repaint of the whole view (a copy)", wholeCopy);
  row("pen: one pointer move", pen);
  row("highlighter: one pointer move", highlighter);
  row("eraser: one pointer move", eraser);
  row("undo with 200 strokes", undoMs);
  row("undo just after a rebuild", undoRebuiltMs);
  row("undo, first 60 of all in a row", undoKeptMs);
  row("undo, the other 140 (median)", undoRedrawnMs);
  row("undo, the other 140 (slowest)", undoRedrawnMax);
  std::printf("(%d paint events)\n", counter.paints);
  std::printf("goals: < 2 ms a move (bar 4 ms), undo < 16 ms\n");
  return 0;
}
