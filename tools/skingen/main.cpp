// skingen: draws every picture of the skin table at its exact size and
// writes the bundle that the build compiles into the program.
//
//   skingen --out <folder> [--sheet <file.png>] [--preview <file.png>]
//
// Writes <folder>/<kind>/<id>.png (Korean or language-neutral) and
// <folder>/<kind>/<id>_en.png (English), and <folder>/orvilo_skin.qrc that
// lists them under the resource paths of skin_table.h. For people to judge
// the artwork, --sheet writes one overview of every picture and --preview a
// main window put together from them.
// Exits with 1 when a picture cannot be drawn at its size or written.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "ui/skin/skin_table.h"
#include "platform/gdi/key_colour.h"
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
    const bool keyed = place.item->entry->kind == SkinKind::Bitmap;
    painter.drawImage(place.box, keyed ? orvilo::gdi::KeyColourToTransparent(place.item->picture) : place.item->picture);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(place.box.left(), place.box.bottom() + kCaption),
                     QString::number(place.item->entry->id) + (place.item->english ? QStringLiteral("en") : QString()));
  }
  painter.end();
  return sheet.save(path);
}

const QImage* Find(const std::vector<Written>& written, SkinKind kind, int id, bool english = false) {
  for (const Written& item : written) {
    if (item.entry->kind == kind && item.entry->id == id && item.english == english) return &item.picture;
  }
  return nullptr;
}

// A main window put together from the pictures as the program places them
// (camera mode, Korean), with the palette, a control bar and the focus
// popup over its content area: for people to judge the artwork.
bool WritePreview(const QString& path, const std::vector<Written>& written) {
  using namespace orvilo::skin;
  constexpr int W = 1038, H = 420;
  QImage window(W, H, QImage::Format_ARGB32);
  window.fill(QColor(57, 57, 57));
  QPainter painter(&window);
  auto draw = [&](int id, int x, int y, int look = -1, int looks = 4, QSize stretch = QSize()) {
    const QImage* picture = Find(written, SkinKind::Bitmap, id);
    if (picture == nullptr) return;
    QImage part = orvilo::gdi::KeyColourToTransparent(*picture);
    if (look >= 0) part = part.copy(look * part.width() / looks, 0, part.width() / looks, part.height());
    painter.drawImage(QRect(QPoint(x, y), stretch.isValid() ? stretch : part.size()), part);
  };
  draw(FramePiece(0), 0, 0);
  draw(FramePiece(1), 30, 0, -1, 1, QSize(W - 60, 85));
  draw(FramePiece(2), W - 30, 0);
  draw(FramePiece(3), 0, 85, -1, 1, QSize(30, H - 103));
  draw(FramePiece(4), W - 30, 85, -1, 1, QSize(30, H - 103));
  draw(FramePiece(5), 0, H - 18);
  draw(FramePiece(6), 30, H - 18, -1, 1, QSize(W - 60, 18));
  draw(FramePiece(7), W - 30, H - 18);
  painter.fillRect(QRect(7, 85, W - 14, H - 93), QColor(90, 110, 120));
  draw(TitleButton(0), 10, 6, 0);
  draw(TitleButton(1), W - 75, 3, 0);
  draw(TitleButton(2), W - 53, 3, 1);
  draw(TitleButton(4), W - 31, 3, 0);
  draw(TitleButton(5), W - 135, 57, 0);
  draw(TitleButton(6), W - 105, 57, 0);
  draw(kZoomBadge, W - 31 - 43, 58);
  draw(TitleButton(7), W - 31, 60, 0);
  draw(TabStrip(3, 0), 30, 5);
  const int places[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 4};
  for (int i = 0; i < 10; ++i) draw(CommandBarButton(0, i), 13 + 53 * places[i], 30, i == 1 ? 1 : i == 8 ? 2 : 0);
  draw(kPaletteTopGrip, 21, 113);
  draw(kPaletteVerticalFill, 21, 122, -1, 1, QSize(28, 196));
  for (int i = 0; i < 7; ++i) draw(PaletteToolButton(1525 + i), 21, 122 + 28 * i, i == 2 ? 1 : 0);
  draw(kFocusBackground, 300, 120);
  draw(kFocusStepDown, 313, 126, 0);
  draw(kFocusStepUp, 625, 126, 0);
  draw(kFocusSliderBase, 351, 130);
  draw(kFocusSliderBase + 1, 351, 135, -1, 1, QSize(120, 5));
  draw(kFocusSliderBase + 2, 464, 130, 1, 3);
  draw(kMovieBarBackground, 230, H - 8 - 36);
  const int movieButtons[4] = {1625, 1627, 1628, 1629};
  for (int i = 0; i < 4; ++i) draw(ControlBarButton(movieButtons[i]), 230 + 13 + 31 * i, H - 40, 0);
  draw(kSpeedButton, 230 + 178, H - 33, 0);
  draw(kPositionSliderBase, 230 + 206, H - 34);
  draw(kPositionSliderBase + 1, 230 + 206, H - 29, -1, 1, QSize(60, 7));
  draw(kPositionSliderBase + 2, 230 + 206 + 60, H - 34, 0, 3);
  draw(kBarVolumeSliderBase, 230 + 501, H - 33);
  draw(kBarVolumeSliderBase + 2, 230 + 501 + 30, H - 33, 0, 3);
  draw(kRecordingIndicator, W - 84 - 30, 85 + 105);
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  painter.setFont(font);
  painter.drawText(QRect(W - 31 - 35, 60, 60, 19), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("100%"));
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(W - 85, 27, 75, 19), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("1280 X 1024"));
  painter.end();
  return window.save(path);
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn off screen, also on build machines without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QString outFolder, sheetPath, previewPath;
  const QStringList arguments = application.arguments();
  for (int i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--out") && i + 1 < arguments.size()) {
      outFolder = arguments[++i];
    } else if (arguments[i] == QLatin1String("--sheet") && i + 1 < arguments.size()) {
      sheetPath = arguments[++i];
    } else if (arguments[i] == QLatin1String("--preview") && i + 1 < arguments.size()) {
      previewPath = arguments[++i];
    } else {
      std::fprintf(stderr, "usage: skingen --out <folder> [--sheet <file.png>] [--preview <file.png>]\n");
      return 2;
    }
  }
  if (outFolder.isEmpty()) {
    std::fprintf(stderr, "usage: skingen --out <folder> [--sheet <file.png>] [--preview <file.png>]\n");
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
  if (!previewPath.isEmpty() && !WritePreview(previewPath, written)) {
    std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(previewPath));
    return 1;
  }
  return 0;
}
