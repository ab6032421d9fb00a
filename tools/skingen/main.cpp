// skingen: draws every picture of the skin table at its exact size and
// writes the bundle that the build compiles into the program.
//
//   skingen --out <folder> [--sheet <file.png>]
//
// Writes <folder>/<kind>/<id>.png (Korean or language-neutral) and
// <folder>/<kind>/<id>_en.png (English), and <folder>/orvilo_skin.qrc that
// lists them under the resource paths of skin_table.h. With --sheet it also
// writes one overview picture of everything, for people to look at.
// Exits with 1 when a picture cannot be drawn at its size or written.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "imageview/skin/skin_table.h"
#include "tools/skingen/artwork.h"
#include "tools/skingen/icons.h"
#include "tools/skingen/style.h"

namespace {

using orvilo::skin::SkinEntry;
using orvilo::skin::SkinKind;

struct Written {
  const SkinEntry* entry;
  bool english;
  QString relativePath;  // inside the output folder
  QImage picture;
};

QString KindFolder(SkinKind kind) {
  switch (kind) {
    case SkinKind::Bitmap: return QStringLiteral("skin");
    case SkinKind::Png: return QStringLiteral("png");
    case SkinKind::Icon: return QStringLiteral("icon");
    case SkinKind::Cursor: return QStringLiteral("cursor");
  }
  return {};
}

bool Fail(const SkinEntry& entry, const char* what) {
  std::fprintf(stderr, "skingen: picture %d (%s): %s\n", entry.id, entry.shows.c_str(), what);
  return false;
}

bool DrawEntry(const SkinEntry& entry, bool english, const QDir& out, std::vector<Written>& written) {
  if (!entry.icon.empty() && entry.icon != "logo" && !orvilo::skingen::HasIcon(entry.icon)) {
    return Fail(entry, "unknown icon");
  }
  QImage picture = orvilo::skingen::DrawPicture(entry, english);
  if (picture.isNull()) return Fail(entry, "no recipe drew it");
  const auto size = entry.SizeFor(english);
  if (picture.width() != size.width || picture.height() != size.height) return Fail(entry, "drawn at the wrong size");
  // Bitmaps are opaque: transparency is the key colour's job.
  picture = picture.convertToFormat(entry.kind == SkinKind::Bitmap ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  const QString relative =
      KindFolder(entry.kind) + QLatin1Char('/') + QString::number(entry.id) + (english ? QStringLiteral("_en") : QString()) +
      QStringLiteral(".png");
  QSaveFile file(out.filePath(relative));
  if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
    return Fail(entry, "cannot write the file");
  }
  written.push_back({&entry, english, relative, picture});
  return true;
}

bool WriteResourceList(const QDir& out, const std::vector<Written>& written) {
  QSaveFile file(out.filePath(QStringLiteral("orvilo_skin.qrc")));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  QTextStream stream(&file);
  stream << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
  for (const Written& item : written) stream << "  <file>" << item.relativePath << "</file>\n";
  stream << "</qresource>\n</RCC>\n";
  stream.flush();
  return file.commit();
}

// Everything on one page, each picture on a checker so keyed and
// transparent parts show, with its number underneath.
bool WriteSheet(const QString& path, const std::vector<Written>& written) {
  constexpr int kPageWidth = 1600, kGap = 8, kCaption = 12;
  constexpr int kMaxShown = 400;  // large pictures are shown reduced
  int x = kGap, y = kGap, rowHeight = 0;
  struct Placed {
    QRect box;
    const Written* item;
  };
  std::vector<Placed> placed;
  for (const Written& item : written) {
    QSize shown = item.picture.size();
    if (shown.width() > kMaxShown || shown.height() > kMaxShown) shown.scale(kMaxShown, kMaxShown, Qt::KeepAspectRatio);
    shown *= shown.width() < 40 && shown.height() < 40 ? 2 : 1;
    const int cellWidth = std::max(shown.width(), 36);
    if (x + cellWidth > kPageWidth) {
      x = kGap;
      y += rowHeight + kCaption + kGap;
      rowHeight = 0;
    }
    placed.push_back({QRect(QPoint(x, y), shown), &item});
    x += cellWidth + kGap;
    rowHeight = std::max(rowHeight, shown.height());
  }
  QImage sheet(kPageWidth, y + rowHeight + kCaption + kGap, QImage::Format_RGB32);
  sheet.fill(QColor(200, 200, 200));
  QPainter painter(&sheet);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(9);
  painter.setFont(font);
  for (const Placed& place : placed) {
    painter.fillRect(place.box, QBrush(QColor(150, 150, 150), Qt::Dense4Pattern));
    QImage shown = place.item->picture;
    if (place.item->entry->kind == SkinKind::Bitmap) {
      shown = shown.convertToFormat(QImage::Format_ARGB32);
      for (int py = 0; py < shown.height(); ++py) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(py));
        for (int px = 0; px < shown.width(); ++px) {
          if ((row[px] & 0xFFFFFF) == 0xFF00FF) row[px] = 0;
        }
      }
    }
    painter.drawImage(place.box, shown);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(place.box.left(), place.box.bottom() + kCaption),
                     QString::number(place.item->entry->id) + (place.item->english ? QStringLiteral("en") : QString()));
  }
  painter.end();
  return sheet.save(path);
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn off screen, also on build machines without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QString outFolder, sheetPath;
  const QStringList arguments = application.arguments();
  for (int i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--out") && i + 1 < arguments.size()) {
      outFolder = arguments[++i];
    } else if (arguments[i] == QLatin1String("--sheet") && i + 1 < arguments.size()) {
      sheetPath = arguments[++i];
    } else {
      std::fprintf(stderr, "usage: skingen --out <folder> [--sheet <file.png>]\n");
      return 2;
    }
  }
  if (outFolder.isEmpty()) {
    std::fprintf(stderr, "usage: skingen --out <folder> [--sheet <file.png>]\n");
    return 2;
  }
  QDir out(outFolder);
  for (const SkinKind kind : {SkinKind::Bitmap, SkinKind::Png, SkinKind::Icon, SkinKind::Cursor}) {
    if (!out.mkpath(KindFolder(kind))) {
      std::fprintf(stderr, "skingen: cannot make %s\n", qPrintable(out.filePath(KindFolder(kind))));
      return 1;
    }
  }
  std::vector<Written> written;
  bool ok = true;
  for (const SkinEntry& entry : orvilo::skin::SkinTable()) {
    ok = DrawEntry(entry, false, out, written) && ok;
    if (entry.languageSets) ok = DrawEntry(entry, true, out, written) && ok;
  }
  if (!ok) return 1;
  if (!WriteResourceList(out, written)) {
    std::fprintf(stderr, "skingen: cannot write the resource list\n");
    return 1;
  }
  if (!sheetPath.isEmpty() && !WriteSheet(sheetPath, written)) {
    std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(sheetPath));
    return 1;
  }
  return 0;
}
