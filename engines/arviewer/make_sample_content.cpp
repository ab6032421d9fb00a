// Draws the sample AR content into a program folder at build time:
//
//   AR/AR.ini, AR/title.png, AR/grade3.png, AR/grade5.png
//   AR/<grade>/<semester>/<unit>/scene.png and ARViewer.exe, a link to the
//   sample viewer beside the main program ("../../../../ARViewer"), for the
//   units that have content
//
// Grade 3 has units without content (their picker buttons are disabled) and
// one unit without a marker value; grade 5 has all of its units.
//
// Usage: arviewer_sample_content <program folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Unit {
  int grade, semester, unit;
  const char* caption;
  int marker;  // −1: no MARKER key
  bool content;
  QColor colour;
};

const std::vector<Unit> kUnits = {
    {3, 1, 1, "01 단원 자석의 성질", 2, true, QColor(200, 60, 60)},
    {3, 1, 2, "02 단원 동물의 한살이", 4, true, QColor(60, 150, 80)},
    {3, 1, 3, "03 단원 물질의 성질", 1, false, QColor(90, 90, 90)},
    {3, 2, 1, "01 단원 지구의 모습", -1, true, QColor(50, 100, 190)},
    {3, 2, 2, "02 단원 소리의 성질", 3, false, QColor(90, 90, 90)},
    {5, 1, 1, "01 단원 온도와 열", 3, true, QColor(220, 120, 40)},
    {5, 1, 2, "02 단원 태양계와 별", 6, true, QColor(40, 40, 120)},
    {5, 2, 1, "01 단원 생물과 환경", 5, true, QColor(70, 140, 70)},
    {5, 2, 2, "02 단원 날씨와 우리 생활", 2, true, QColor(80, 150, 200)},
};

QFont Font(int pixels, bool bold = true) {
  QFont font("NanumGothic");
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

bool Save(const QImage& image, const fs::path& path) {
  fs::create_directories(path.parent_path());
  if (image.save(QString::fromStdString(path.string()), "PNG")) return true;
  std::cerr << "cannot write " << path << "\n";
  return false;
}

QImage Poster(const QString& heading, const QString& line, QColor colour) {
  QImage image(800, 500, QImage::Format_RGB32);
  image.fill(QColor(238, 240, 245));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(40, 40, 720, 420), 30, 30);
  painter.setBrush(QColor(255, 255, 255, 60));
  for (int i = 0; i < 5; ++i) painter.drawEllipse(QPointF(120 + i * 140, 380), 40 + i * 6, 40 + i * 6);
  painter.setPen(Qt::white);
  painter.setFont(Font(72));
  painter.drawText(QRectF(40, 90, 720, 140), Qt::AlignCenter, heading);
  painter.setFont(Font(30, false));
  painter.drawText(QRectF(40, 230, 720, 60), Qt::AlignCenter, line);
  return image;
}

// A unit's scene: a card with the unit's caption over a simple figure.
QImage Scene(const Unit& unit) {
  QImage image(480, 360, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(252, 248, 236));
  painter.setPen(QPen(unit.colour, 8));
  painter.drawRoundedRect(QRectF(6, 6, 468, 348), 24, 24);
  painter.setPen(Qt::NoPen);
  painter.setBrush(unit.colour);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 90 : 38;
    const double angle = M_PI / 2 + i * M_PI / 5;
    const QPointF point(240 + radius * std::cos(angle), 150 - radius * std::sin(angle));
    if (i == 0) star.moveTo(point); else star.lineTo(point);
  }
  star.closeSubpath();
  painter.drawPath(star);
  painter.setPen(QColor(40, 40, 40));
  painter.setFont(Font(28));
  painter.drawText(QRectF(10, 260, 460, 80), Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(unit.caption));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: arviewer_sample_content <program folder>\n";
    return 2;
  }
  const fs::path ar = fs::path(argv[1]) / "AR";
  std::error_code ignored;
  fs::remove_all(ar, ignored);

  bool ok = Save(Poster("증강현실 AR", "학년을 고르세요 · Choose a grade", QColor(60, 80, 130)), ar / "title.png");
  ok = Save(Poster("3 학년", "과학 · 증강현실", QColor(170, 70, 70)), ar / "grade3.png") && ok;
  ok = Save(Poster("5 학년", "과학 · 증강현실", QColor(60, 120, 90)), ar / "grade5.png") && ok;

  std::string ini = "; Sample AR content of Orvilo: two grades.\r\n[AR]\r\nIMAGE=title.png\r\n";
  for (const int grade : {3, 5}) {
    int units[2] = {0, 0};
    for (const Unit& unit : kUnits) {
      if (unit.grade == grade) ++units[unit.semester - 1];
    }
    const int height = 66 + (units[0] > 0 ? (units[0] + 1) * 26 : 0) + (units[1] > 0 ? (units[1] + 1) * 26 : 0) + 42;
    ini += "[GRADE0" + std::to_string(grade) + "]\r\nIMAGE=grade" + std::to_string(grade) + ".png\r\n";
    ini += "WIDTH=320\r\nHEIGHT=" + std::to_string(height) + "\r\n";
    ini += "SEMESTER1=" + std::to_string(units[0]) + "\r\nSEMESTER2=" + std::to_string(units[1]) + "\r\n";
    for (const Unit& unit : kUnits) {
      if (unit.grade != grade) continue;
      const std::string key = std::to_string(unit.semester) + std::to_string(unit.unit);
      ini += "CHAPTER" + key + "=" + unit.caption + "\r\n";
      if (unit.marker >= 0) ini += "MARKER" + key + "=" + std::to_string(unit.marker) + "\r\n";
      if (!unit.content) continue;
      const fs::path folder =
          ar / std::to_string(unit.grade) / std::to_string(unit.semester) / std::to_string(unit.unit);
      ok = Save(Scene(unit), folder / "scene.png") && ok;
      fs::create_symlink("../../../../ARViewer", folder / "ARViewer.exe", ignored);
      if (ignored) {
        std::cerr << "cannot link " << folder / "ARViewer.exe" << ": " << ignored.message() << "\n";
        ok = false;
      }
    }
  }
  std::ofstream(ar / "AR.ini", std::ios::binary) << ini;
  return ok ? 0 : 1;
}
