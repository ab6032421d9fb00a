// Camera-like test pictures and their JPEG frames, made by libjpeg-turbo, for the
// decoder's tests and benchmark. Nothing is checked in: every frame is encoded here.
#pragma once

#include <cstdint>
#include <vector>

namespace orvilo::mjpeg::testing {

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3, top-down
};

// A page under a document camera: paper with uneven light, lines of dark glyph-like
// strokes, a colour photograph with smooth shading and edges, and sensor noise.
RgbPicture MakeCameraPicture(int width, int height, uint32_t seed = 1);
// Every pixel the same colour.
RgbPicture MakeUniformPicture(int width, int height, uint8_t r, uint8_t g, uint8_t b);

enum class Sampling { k422, k420, k444 };

struct EncodeOptions {
  int quality = 85;
  Sampling sampling = Sampling::k422;
  int restartInterval = 0;       // in MCUs; 0 = none
  bool progressive = false;      // the usual progressive script (with refinement scans)
  bool dcOnly = false;           // progressive with a single DC first pass (Al = 0)
  bool optimiseHuffman = false;  // tables fitted to the picture instead of Annex K's
  bool huffmanTables = true;     // false: leave out every DHT segment, as cameras do
};

std::vector<uint8_t> EncodeFrame(const RgbPicture& picture, const EncodeOptions& options);
// The frame without its DHT segments.
std::vector<uint8_t> StripHuffmanTables(const std::vector<uint8_t>& jpeg);

// BGRX picture (width * height * 4) made from libjpeg-turbo's decoded planes (no
// upsampling) through our colour conversion: what a decoder of ours should show, up to
// the small differences of the block transform.
std::vector<uint8_t> ReferenceBgrx(const std::vector<uint8_t>& jpeg, int& width, int& height);

// Peak signal-to-noise ratio over the B, G and R bytes of two BGRX pictures.
double PsnrBgrx(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

}  // namespace orvilo::mjpeg::testing
