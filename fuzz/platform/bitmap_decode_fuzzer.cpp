// libFuzzer target: bitmap files and packed DIBs of any content. A picture
// that decodes must survive every rotate/flip code and a round trip through
// the file format unchanged in size.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/rotate_flip.h"

using namespace orvilo::gdi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Work cap: a header may declare a picture up to the decoder's limit;
  // rotating such a picture eight times is slow, not a finding.
  if (size > (1 << 20)) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)PackedDib::FromBytes(data, size);
  const PackedDib picture = DecodeBitmapFile(bytes);
  if (picture.IsEmpty()) return 0;
  if (static_cast<long>(picture.width()) * picture.height() > 4'000'000) return 0;
  for (int code = 0; code < 8; ++code) {
    const PackedDib turned = RotateFlip(picture, code);
    const bool swapped = RotateFlipSwapsSides(code);
    if (turned.width() != (swapped ? picture.height() : picture.width())) abort();
  }
  const PackedDib back = DecodeBitmapFile(EncodeBitmapFile(picture));
  if (back.width() != picture.width() || back.height() != picture.height() || back.pixelBytes() != picture.pixelBytes()) abort();
  return 0;
}
