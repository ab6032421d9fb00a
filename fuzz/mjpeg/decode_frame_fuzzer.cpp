// libFuzzer target: DecodeFrame and ConvertToBgrx on arbitrary bytes, differential
// between the portable and the SIMD forms, which must agree byte for byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "mjpeg/colour_conversion.h"
#include "mjpeg/decoder.h"

using namespace orvilo::mjpeg;

namespace {

// Work caps: inputs up to 1 MiB, pictures up to 2 megapixels (a frame header may declare
// anything up to the decoder's own limit, and zero-filling that is slow, not a bug).
constexpr size_t kMaxInput = 1 << 20;
constexpr long kMaxPixels = 2'000'000;

bool DeclaresHugePicture(const uint8_t* data, size_t size) {
  for (size_t i = 0; i + 8 < size; ++i) {
    if (data[i] == 0xFF && (data[i + 1] == 0xC0 || data[i + 1] == 0xC2)) {
      const long height = (data[i + 5] << 8) | data[i + 6];
      const long width = (data[i + 7] << 8) | data[i + 8];
      if (width * height > kMaxPixels) return true;
    }
  }
  return false;
}

struct Result {
  long consumed;
  std::vector<uint8_t> bgrx;
};

// Decodes the input twice with one context (tables and buffers carry over) and converts.
Result Run(SimdLevel level, const uint8_t* data, size_t size) {
  ContextPtr context(CreateContext(level));
  if (!context) std::abort();
  Result result{0, {}};
  for (int pass = 0; pass < 2; ++pass) {
    PlaneSet planes;
    result.consumed = DecodeFrame(context.get(), &planes, data, size);
    if (result.consumed == 0 || result.consumed > static_cast<long>(size)) std::abort();
    if (result.consumed < 0 || planes.y == nullptr) continue;
    const size_t stride = static_cast<size_t>(planes.width) * 4;
    result.bgrx.assign(stride * planes.height, 0);
    if (ConvertToBgrx(level, result.bgrx.data(), static_cast<ptrdiff_t>(stride), planes, pass == 1, pass == 1) != 0) {
      std::abort();
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput || DeclaresHugePicture(data, size)) return 0;
  // An exact-size copy, so that ASan sees any read past the caller's bytes.
  std::vector<uint8_t> input(data, data + size);
  const Result portable = Run(SimdLevel::None, input.data(), input.size());
  const Result simd = Run(BestSimdLevel(), input.data(), input.size());
  if (portable.consumed != simd.consumed || portable.bgrx != simd.bgrx) std::abort();
  return 0;
}
