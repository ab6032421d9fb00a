// A look at the X server's screen for the program tests: grabs a rectangle of
// the root window, or compares two grabs.
//   screen_probe grab <x> <y> <w> <h> <out.png>
//   screen_probe compare <a.png> <b.png>
// compare prints "changed <pixels> grey <percent>": how many pixels differ
// and how much of the first picture is the empty view's grey (57, 57, 57).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 7 && args[1] == "grab") {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 2;
    const QPixmap shot = screen->grabWindow(0, args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    return shot.save(args[6], "PNG") ? 0 : 3;
  }
  if (args.size() == 4 && args[1] == "compare") {
    const QImage a = QImage(args[2]).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(args[3]).convertToFormat(QImage::Format_RGB32);
    if (a.isNull() || a.size() != b.size()) return 4;
    long changed = 0, grey = 0;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        const QRgb p = a.pixel(x, y) & 0xFFFFFF;
        if (p != (b.pixel(x, y) & 0xFFFFFF)) ++changed;
        if (p == 0x393939) ++grey;
      }
    }
    std::printf("changed %ld grey %ld\n", changed, grey * 100 / (static_cast<long>(a.width()) * a.height()));
    return 0;
  }
  std::fprintf(stderr, "usage: screen_probe grab x y w h out.png | compare a.png b.png\n");
  return 1;
}
