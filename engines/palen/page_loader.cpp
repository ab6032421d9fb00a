#include "engines/palen/page_loader.h"

#include <sys/stat.h>

#include "engines/palen/PalenPublicAPI.h"
#include "engines/palen/dib_image.h"

namespace palen {
namespace {

bool IsTiff(int format) {
  switch (format) {
    case IFF_TIFF:
    case IFF_TIFF_PACKBITS:
    case IFF_TIFF_RLE:
    case IFF_TIFF_G3:
    case IFF_TIFF_G4:
    case IFF_TIFF_LZW:
    case IFF_TIFF_ZIP:
    case IFF_TIFF_JPEG:
      return true;
    default:
      return false;
  }
}

bool IsAcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaximumSide && height <= kMaximumSide && width * height <= kMaximumPixels;
}

// Evens out uneven light: estimates the paper's brightness in small tiles
// (ignoring dark ink), smooths that map and divides it out, so the paper
// becomes white everywhere and one global threshold then separates ink.
PixPtr EvenOutBackground(Pix* grey) {
  constexpr int kTileWidth = 10, kTileHeight = 15;  // pixels
  constexpr int kInkBelow = 60;        // darker pixels are not taken for paper
  constexpr int kMinimumPaperPixels = 40;  // per tile, else the tile is filled in
  constexpr int kPaperLevel = 255;
  constexpr int kSmoothX = 2, kSmoothY = 1;  // tiles
  PixPtr evened(pixBackgroundNorm(grey, nullptr, nullptr, kTileWidth, kTileHeight, kInkBelow, kMinimumPaperPixels,
                                  kPaperLevel, kSmoothX, kSmoothY));
  if (!evened) return PixPtr(pixCopy(nullptr, grey));  // too small to estimate: keep as is
  return evened;
}

}  // namespace

VxGlobalHandle LoadPage(const char* path, int page, LoadMode mode, int* error) {
  int ignored = 0;
  int& result = error != nullptr ? *error : ignored;
  result = PALEN_ERROR_ARGUMENT;
  if (path == nullptr || path[0] == '\0' || page < 0) return nullptr;
  struct stat status{};
  if (stat(path, &status) != 0) {
    result = PALEN_ERROR_FILE_MISSING;
    return nullptr;
  }
  result = PALEN_ERROR_UNREADABLE;
  if (!S_ISREG(status.st_mode) || status.st_size == 0) return nullptr;

  l_int32 format = 0, width = 0, height = 0, bitsPerSample = 0, samples = 0, colourMapped = 0;
  if (pixReadHeader(path, &format, &width, &height, &bitsPerSample, &samples, &colourMapped) != 0) return nullptr;
  if (IsTiff(format)) {
    l_int32 resolution = 0;
    if (readHeaderTiff(path, page, &width, &height, &bitsPerSample, &samples, &resolution, &colourMapped, &format) !=
        0) {
      return nullptr;
    }
  } else if (page != 0) {
    return nullptr;
  }
  if (!IsAcceptableSize(width, height)) {
    result = PALEN_ERROR_TOO_LARGE;
    return nullptr;
  }

  PixPtr decoded(IsTiff(format) ? pixReadTiff(path, page) : pixRead(path));
  if (!decoded) return nullptr;
  if (!IsAcceptableSize(pixGetWidth(decoded.get()), pixGetHeight(decoded.get()))) {
    result = PALEN_ERROR_TOO_LARGE;
    return nullptr;
  }
  const std::int32_t xPelsPerMeter = PelsPerMeterFromDpi(pixGetXRes(decoded.get()));
  const std::int32_t yPelsPerMeter = PelsPerMeterFromDpi(pixGetYRes(decoded.get()));

  result = PALEN_ERROR_MEMORY;
  PixPtr grey = GreyOf(decoded.get());
  decoded.reset();
  if (!grey) return nullptr;
  if (mode == LoadMode::CameraPage) grey = EvenOutBackground(grey.get());
  if (!grey) return nullptr;
  VxGlobalHandle dib = DibFromPix(grey.get(), xPelsPerMeter, yPelsPerMeter);
  if (dib != nullptr) result = PALEN_OK;
  return dib;
}

}  // namespace palen
