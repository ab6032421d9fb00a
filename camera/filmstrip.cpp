#include "camera/filmstrip.h"

#include <QBuffer>

namespace orvilo::camera {

bool Filmstrip::Add(std::string path, const QImage& picture) {
  if (path.empty() || picture.isNull()) return false;
  Still still;
  still.path = std::move(path);
  const QImage small = picture.scaled(kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB888);
  still.size = small.size();
  QBuffer buffer(&still.jpeg);
  buffer.open(QIODevice::WriteOnly);
  if (!small.save(&buffer, "JPG", 85)) {
    still.jpeg.clear();
    still.raw = small;
  }
  still.jpeg.squeeze();
  stills_.push_back(std::move(still));
  return true;
}

std::string Filmstrip::Path(int index) const {
  return index >= 0 && index < Count() ? stills_[static_cast<std::size_t>(index)].path : std::string();
}

QImage Filmstrip::Thumbnail(int index) const {
  if (index < 0 || index >= Count()) return {};
  const Still& still = stills_[static_cast<std::size_t>(index)];
  return still.jpeg.isEmpty() ? still.raw : QImage::fromData(still.jpeg, "JPG");
}

QSize Filmstrip::ThumbnailSize(int index) const {
  return index >= 0 && index < Count() ? stills_[static_cast<std::size_t>(index)].size : QSize();
}

std::size_t Filmstrip::ThumbnailBytes() const {
  std::size_t bytes = 0;
  for (const Still& still : stills_) {
    bytes += static_cast<std::size_t>(still.jpeg.size()) + static_cast<std::size_t>(still.raw.sizeInBytes());
  }
  return bytes;
}

}  // namespace orvilo::camera
