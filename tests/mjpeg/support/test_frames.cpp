#include "test_frames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>  // before jpeglib.h, which uses FILE without including it
#include <cstdlib>

#include <jpeglib.h>
#include <turbojpeg.h>

#include "mjpeg/colour_conversion.h"
#include "mjpeg/decoder.h"

namespace orvilo::mjpeg::testing {
namespace {

struct Random {
  uint32_t state;
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  int Range(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1)); }
};

uint8_t Clamp(double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0)); }

}  // namespace

RgbPicture MakeUniformPicture(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  RgbPicture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (size_t i = 0; i < p.rgb.size(); i += 3) {
    p.rgb[i] = r;
    p.rgb[i + 1] = g;
    p.rgb[i + 2] = b;
  }
  return p;
}

RgbPicture MakeCameraPicture(int width, int height, uint32_t seed) {
  RgbPicture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  // Paper lit unevenly.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = (x - width * 0.4) / width, dy = (y - height * 0.45) / height;
      const double light = 1.0 - 0.35 * (dx * dx + dy * dy);
      uint8_t* px = &p.rgb[(static_cast<size_t>(y) * width + x) * 3];
      px[0] = Clamp(238 * light);
      px[1] = Clamp(232 * light);
      px[2] = Clamp(218 * light);
    }
  }
  Random random{seed * 2654435761u + 1};
  // A photograph in the upper right third: shaded colour bands and discs.
  const int photoX = width * 3 / 5, photoY = height / 10, photoW = width / 3, photoH = height / 3;
  for (int y = photoY; y < photoY + photoH; ++y) {
    for (int x = photoX; x < photoX + photoW; ++x) {
      const double u = static_cast<double>(x - photoX) / photoW, v = static_cast<double>(y - photoY) / photoH;
      uint8_t* px = &p.rgb[(static_cast<size_t>(y) * width + x) * 3];
      px[0] = Clamp(60 + 160 * u + 30 * std::sin(9 * v));
      px[1] = Clamp(90 + 120 * v * (1 - u));
      px[2] = Clamp(200 - 150 * u * v);
      const double cx = u - 0.5, cy = v - 0.55;
      if (cx * cx + cy * cy < 0.04) {
        px[0] = Clamp(220 - 80 * cy);
        px[1] = Clamp(180 + 60 * cx);
        px[2] = 40;
      }
    }
  }
  // Lines of text: dark strokes of glyph size with word gaps, on the rest of the page.
  const int lineHeight = std::max(12, height / 45);
  for (int top = height / 12; top + lineHeight < height * 11 / 12; top += lineHeight * 2) {
    int x = width / 12;
    const int right = top < photoY + photoH + lineHeight ? photoX - width / 30 : width * 11 / 12;
    while (x < right) {
      const int glyph = random.Range(lineHeight / 4, lineHeight * 3 / 4);
      const int rise = random.Range(0, lineHeight / 3);
      for (int y = top + rise; y < top + lineHeight; ++y) {
        for (int gx = x; gx < std::min(x + glyph, right); ++gx) {
          const bool stroke = (gx - x) < 3 || (gx - x) >= glyph - 3 || y < top + rise + 3 || y >= top + lineHeight - 3;
          if (!stroke) continue;
          uint8_t* px = &p.rgb[(static_cast<size_t>(y) * width + gx) * 3];
          px[0] = 30;
          px[1] = 32;
          px[2] = 40;
        }
      }
      x += glyph + random.Range(2, 5) + (random.Range(0, 5) == 0 ? lineHeight : 0);
    }
  }
  // Sensor noise.
  for (auto& value : p.rgb) value = Clamp(value + static_cast<int>(random.Next() % 9) - 4);
  return p;
}

std::vector<uint8_t> EncodeFrame(const RgbPicture& picture, const EncodeOptions& options) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  info.comp_info[0].h_samp_factor = options.sampling == Sampling::k444 ? 1 : 2;
  info.comp_info[0].v_samp_factor = options.sampling == Sampling::k420 ? 2 : 1;
  for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  info.restart_interval = static_cast<unsigned int>(options.restartInterval);
  info.optimize_coding = options.optimiseHuffman ? TRUE : FALSE;
  static jpeg_scan_info dcOnlyScan{3, {0, 1, 2, 0}, 0, 0, 0, 0};
  if (options.progressive || options.dcOnly) jpeg_simple_progression(&info);
  if (options.dcOnly) {
    info.scan_info = &dcOnlyScan;
    info.num_scans = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&picture.rgb[static_cast<size_t>(info.next_scanline) * picture.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return options.huffmanTables ? jpeg : StripHuffmanTables(jpeg);
}

std::vector<uint8_t> StripHuffmanTables(const std::vector<uint8_t>& jpeg) {
  std::vector<uint8_t> out;
  size_t at = 0;
  while (at + 3 < jpeg.size()) {
    if (jpeg[at] != 0xFF || jpeg[at + 1] < 0xC0 || jpeg[at + 1] == 0xFF || jpeg[at + 1] == 0xD8) {
      out.push_back(jpeg[at++]);
      continue;
    }
    const int marker = jpeg[at + 1];
    if (marker == 0xDA) break;  // the scans stay as they are
    const size_t length = (static_cast<size_t>(jpeg[at + 2]) << 8) | jpeg[at + 3];
    if (marker != 0xC4) out.insert(out.end(), jpeg.begin() + static_cast<long>(at), jpeg.begin() + static_cast<long>(at + 2 + length));
    at += 2 + length;
  }
  out.insert(out.end(), jpeg.begin() + static_cast<long>(at), jpeg.end());
  return out;
}

std::vector<uint8_t> ReferenceBgrx(const std::vector<uint8_t>& jpeg, int& width, int& height) {
  tjhandle handle = tjInitDecompress();
  int subsampling = 0, colourspace = 0;
  width = height = 0;
  if (tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colourspace) != 0 ||
      (subsampling != TJSAMP_422 && subsampling != TJSAMP_420 && subsampling != TJSAMP_444)) {
    tjDestroy(handle);
    return {};
  }
  // The planes laid out as the decoder lays them out, so that the converter reads them.
  const int paddedWidth = (width + 15) & ~15, paddedHeight = (height + 15) & ~15;
  const int chromaHeight = subsampling == TJSAMP_420 ? paddedHeight / 2 : paddedHeight;
  const int chromaWidth = subsampling == TJSAMP_444 ? paddedWidth : paddedWidth / 2;
  std::vector<uint8_t> block(static_cast<size_t>(paddedWidth) * paddedHeight +
                             2 * static_cast<size_t>(chromaWidth) * chromaHeight);
  PlaneSet planes;
  planes.width = width;
  planes.height = height;
  planes.y = block.data();
  planes.cb = planes.y + static_cast<size_t>(paddedWidth) * paddedHeight;
  planes.cr = planes.cb + static_cast<size_t>(chromaWidth) * chromaHeight;
  planes.yStride = paddedWidth;
  planes.cbStride = planes.crStride = chromaWidth;
  unsigned char* destination[3] = {planes.y, planes.cb, planes.cr};
  int strides[3] = {planes.yStride, planes.cbStride, planes.crStride};
  const int failed = tjDecompressToYUVPlanes(handle, jpeg.data(), jpeg.size(), destination, width, strides, height, 0);
  tjDestroy(handle);
  if (failed != 0) return {};
  std::vector<uint8_t> bgrx(static_cast<size_t>(width) * height * 4);
  ConvertToBgrx(SimdLevel::None, bgrx.data(), width * 4, planes, false, false);
  return bgrx;
}

double PsnrBgrx(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double sum = 0;
  size_t count = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    if (i % 4 == 3) continue;
    const double d = static_cast<double>(a[i]) - b[i];
    sum += d * d;
    ++count;
  }
  if (sum == 0) return 99;
  return 10 * std::log10(255.0 * 255.0 / (sum / count));
}

}  // namespace orvilo::mjpeg::testing
