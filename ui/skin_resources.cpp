#include "ui/skin_resources.h"

#include <QFile>
#include <QPixmap>

#include "ui/skin/skin_table.h"

// The bundle lives in a static library: referencing its initialiser keeps
// the linker from dropping it and registers it once.
static void RegisterSkinBundle() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(orvilo_skin);
    return true;
  }();
  (void)registered;
}

namespace orvilo::ui {
namespace {

QImage LoadPicture(skin::SkinKind kind, int id, bool englishPicture, QImage::Format format) {
  RegisterSkinBundle();
  const QString path = QString::fromStdString(skin::SkinResourcePath(kind, id, englishPicture));
  if (!QFile::exists(path)) return {};
  QImage picture(path);
  if (picture.isNull()) return {};
  return picture.convertToFormat(format);
}

}  // namespace

QImage LoadSkinBitmap(int id, bool korean) {
  if (!korean) {
    QImage english = LoadPicture(skin::SkinKind::Bitmap, id, true, QImage::Format_RGB32);
    if (!english.isNull()) return english;
  }
  return LoadPicture(skin::SkinKind::Bitmap, id, false, QImage::Format_RGB32);
}

QImage LoadPngResource(int id) { return LoadPicture(skin::SkinKind::Png, id, false, QImage::Format_ARGB32_Premultiplied); }

QIcon LoadIconResource(int id) {
  const QImage picture = LoadPicture(skin::SkinKind::Icon, id, false, QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return {};
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    if (size > picture.width()) break;
    icon.addPixmap(QPixmap::fromImage(picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
  return icon;
}

QCursor LoadCursorResource(int id) {
  const QImage picture = LoadPicture(skin::SkinKind::Cursor, id, false, QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  const int hotX = id == skin::kDragCursor ? skin::kDragCursorHotX : 0;
  const int hotY = id == skin::kDragCursor ? skin::kDragCursorHotY : 0;
  return QCursor(QPixmap::fromImage(picture), hotX, hotY);
}

}  // namespace orvilo::ui
