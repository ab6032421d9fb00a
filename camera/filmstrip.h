// The stills taken since the program started (snapshots, saved frames,
// interval stills), each as its file and a thumbnail. A thumbnail is scaled
// once when the still is taken and kept as a small JPEG (about 2 kB for a page; raw
// it would be 15-27 kB), decoded again when it is drawn.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstddef>
#include <string>
#include <vector>

namespace orvilo::camera {

class Filmstrip {
 public:
  // The box a thumbnail fits in, aspect kept.
  static constexpr int kThumbnailWidth = 96;
  static constexpr int kThumbnailHeight = 72;

  // A still written to `path`; its thumbnail from `picture`. Nothing is
  // added for an empty path or picture.
  bool Add(std::string path, const QImage& picture);
  int Count() const { return static_cast<int>(stills_.size()); }
  // The still's file; empty out of range.
  std::string Path(int index) const;
  // The thumbnail, decoded; null out of range.
  QImage Thumbnail(int index) const;
  QSize ThumbnailSize(int index) const;
  // Bytes the thumbnails hold.
  std::size_t ThumbnailBytes() const;

 private:
  struct Still {
    std::string path;
    QSize size;
    QByteArray jpeg;  // empty when the JPEG writer is missing: `raw` then
    QImage raw;
  };
  std::vector<Still> stills_;
};

}  // namespace orvilo::camera
