#include "engines/palen/dib_image.h"

#include <cstring>

namespace palen {
namespace {

using orvilo::gdi::BitmapInfoHeader;
using orvilo::gdi::RgbQuad;
using orvilo::sys::GlobalLock;

constexpr std::size_t kHeaderBytes = sizeof(BitmapInfoHeader);

bool IsSupportedBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32; }

// Grey level of a colour, weights of ITU-R BT.601 in 1/1024.
std::uint8_t Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<std::uint8_t>((red * 306 + green * 601 + blue * 117 + 512) >> 10);
}

// Palette index of pixel x in a row of 1, 4 or 8 bits.
std::uint8_t IndexAt(const std::uint8_t* row, int x, int bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default:
      return row[x];
  }
}

void WriteGreyPalette(RgbQuad* palette) {
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    palette[i] = RgbQuad{level, level, level, 0};
  }
}

}  // namespace

std::optional<std::size_t> PackedDibBytes(const BitmapInfoHeader& header) {
  if (header.biSize < kHeaderBytes || header.biSize > 4096) return std::nullopt;
  if (header.biCompression != orvilo::gdi::kBiRgb || !IsSupportedBitCount(header.biBitCount)) return std::nullopt;
  const std::int64_t width = header.biWidth;
  const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
  if (width <= 0 || height <= 0 || width > kMaximumSide || height > kMaximumSide || width * height > kMaximumPixels) {
    return std::nullopt;
  }
  const std::uint32_t colours = orvilo::gdi::DibColourCount(header);
  if (colours > 256 || (header.biBitCount <= 8 && colours > (1u << header.biBitCount))) return std::nullopt;
  return header.biSize + std::size_t{colours} * sizeof(RgbQuad) +
         orvilo::gdi::DibStride(width, header.biBitCount) * static_cast<std::size_t>(height);
}

std::optional<PackedDibView> ViewPackedDib(const void* bytes, std::size_t size) {
  if (bytes == nullptr || size < kHeaderBytes) return std::nullopt;
  const auto* header = static_cast<const BitmapInfoHeader*>(bytes);
  const std::optional<std::size_t> needed = PackedDibBytes(*header);
  if (!needed || *needed > size) return std::nullopt;
  PackedDibView view;
  view.header = header;
  view.colourCount = orvilo::gdi::DibColourCount(*header);
  view.palette = reinterpret_cast<const RgbQuad*>(static_cast<const std::uint8_t*>(bytes) + header->biSize);
  view.rows = reinterpret_cast<const std::uint8_t*>(view.palette + view.colourCount);
  view.width = header->biWidth;
  view.topDown = header->biHeight < 0;
  view.height = view.topDown ? -header->biHeight : header->biHeight;
  view.bitCount = header->biBitCount;
  view.stride = orvilo::gdi::DibStride(view.width, view.bitCount);
  return view;
}

DibPicture PictureFromView(const PackedDibView& view) {
  DibPicture picture;
  picture.xPelsPerMeter = view.header->biXPelsPerMeter;
  picture.yPelsPerMeter = view.header->biYPelsPerMeter;
  const bool indexed = view.bitCount <= 8;
  PixPtr pix(pixCreate(view.width, view.height, indexed ? 8 : 32));
  if (!pix) return picture;
  pixSetXRes(pix.get(), DpiFromPelsPerMeter(picture.xPelsPerMeter));
  pixSetYRes(pix.get(), DpiFromPelsPerMeter(picture.yPelsPerMeter));
  const int wordsPerLine = pixGetWpl(pix.get());
  l_uint32* data = pixGetData(pix.get());
  if (indexed) {
    std::uint8_t grey[256] = {};
    for (std::uint32_t i = 0; i < view.colourCount; ++i) {
      grey[i] = Luminance(view.palette[i].rgbRed, view.palette[i].rgbGreen, view.palette[i].rgbBlue);
    }
    for (int y = 0; y < view.height; ++y) {
      const std::uint8_t* row = view.Row(y);
      l_uint32* line = data + static_cast<std::size_t>(y) * wordsPerLine;
      for (int x = 0; x < view.width; ++x) SET_DATA_BYTE(line, x, grey[IndexAt(row, x, view.bitCount)]);
    }
  } else {
    const int bytesPerPixel = view.bitCount / 8;
    for (int y = 0; y < view.height; ++y) {
      const std::uint8_t* pixel = view.Row(y);
      l_uint32* line = data + static_cast<std::size_t>(y) * wordsPerLine;
      for (int x = 0; x < view.width; ++x, pixel += bytesPerPixel) {
        composeRGBPixel(pixel[2], pixel[1], pixel[0], line + x);
      }
    }
  }
  picture.pix = std::move(pix);
  return picture;
}

DibPicture PictureFromDib(VxGlobalHandle dib) {
  const GlobalLock block(dib);
  const std::optional<PackedDibView> view = ViewPackedDib(block.bytes(), block.size());
  if (!view) return {};
  return PictureFromView(*view);
}

VxGlobalHandle DibFromPix(Pix* pix, std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter) {
  if (pix == nullptr) return nullptr;
  PixPtr converted;
  if (pixGetDepth(pix) != 32 && (pixGetDepth(pix) != 8 || pixGetColormap(pix) != nullptr)) {
    converted.reset(pixConvertTo8(pix, 0));
    if (!converted) return nullptr;
    pix = converted.get();
  }
  const int width = pixGetWidth(pix);
  const int height = pixGetHeight(pix);
  const bool grey = pixGetDepth(pix) == 8;
  BitmapInfoHeader header{};
  header.biSize = kHeaderBytes;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = grey ? 8 : 24;
  header.biCompression = orvilo::gdi::kBiRgb;
  const std::size_t stride = orvilo::gdi::DibStride(width, header.biBitCount);
  header.biSizeImage = static_cast<std::uint32_t>(stride * height);
  header.biXPelsPerMeter = xPelsPerMeter;
  header.biYPelsPerMeter = yPelsPerMeter;
  header.biClrUsed = grey ? 256 : 0;
  const std::optional<std::size_t> bytes = PackedDibBytes(header);
  if (!bytes) return nullptr;
  orvilo::sys::GlobalBlock dib = orvilo::sys::GlobalBlock::Allocate(VX_GHND, *bytes);
  if (!dib) return nullptr;
  {
    const GlobalLock block(dib.get());
    auto* start = static_cast<std::uint8_t*>(block.bytes());
    std::memcpy(start, &header, sizeof header);
    if (grey) WriteGreyPalette(reinterpret_cast<RgbQuad*>(start + kHeaderBytes));
  }
  if (!WritePixIntoDib(dib.get(), pix)) return nullptr;
  return dib.release();
}

bool WritePixIntoDib(VxGlobalHandle dib, Pix* pix) {
  if (pix == nullptr) return false;
  const GlobalLock block(dib);
  const std::optional<PackedDibView> view = ViewPackedDib(block.bytes(), block.size());
  if (!view || view->width != pixGetWidth(pix) || view->height != pixGetHeight(pix)) return false;
  // Grey values are palette indices only with a full 256-entry palette.
  const bool grey = view->bitCount == 8 && view->colourCount == 256;
  if (!grey && view->bitCount != 24 && view->bitCount != 32) return false;
  PixPtr source = grey ? GreyOf(pix) : PixPtr(pixConvertTo32(pix));
  if (!source) return false;
  auto* const base = static_cast<std::uint8_t*>(block.bytes());
  const auto offsetOf = [base](const void* part) { return static_cast<const std::uint8_t*>(part) - base; };
  if (grey) WriteGreyPalette(reinterpret_cast<RgbQuad*>(base + offsetOf(view->palette)));
  const int wordsPerLine = pixGetWpl(source.get());
  const l_uint32* data = pixGetData(source.get());
  const int bytesPerPixel = view->bitCount / 8;
  for (int y = 0; y < view->height; ++y) {
    std::uint8_t* row = base + offsetOf(view->Row(y));
    const l_uint32* line = data + static_cast<std::size_t>(y) * wordsPerLine;
    if (grey) {
      for (int x = 0; x < view->width; ++x) row[x] = static_cast<std::uint8_t>(GET_DATA_BYTE(line, x));
      continue;
    }
    for (int x = 0; x < view->width; ++x, row += bytesPerPixel) {
      l_int32 red, green, blue;
      extractRGBValues(line[x], &red, &green, &blue);
      row[0] = static_cast<std::uint8_t>(blue);
      row[1] = static_cast<std::uint8_t>(green);
      row[2] = static_cast<std::uint8_t>(red);
    }
  }
  return true;
}

PixPtr GreyOf(Pix* pix) {
  if (pix == nullptr) return nullptr;
  if (pixGetDepth(pix) == 32) return PixPtr(pixConvertRGBToLuminance(pix));
  return PixPtr(pixConvertTo8(pix, 0));
}

}  // namespace palen
