// libFuzzer target: page files of any content through the OCR module's C
// interface, as a caller hands a path to LEXIQ_LoadImage, then binarised.
// Nothing may crash; a page it returns is an 8-bit DIB whose header fits its
// block.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_file.h"
#include "ocr/LEXIQ.h"
#include "platform/abi/vx_global_memory.h"
#include "platform/gdi/bitmap_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The decoders refuse pages above their pixel limit by the header alone,
  // but a small page already shows every path of the header checks and the
  // conversions; larger inputs only slow the search down.
  if (size > (64 << 10)) return 0;
  static const bool ready = LEXIQ_Init() >= 1;
  if (!ready) abort();
  static FuzzFile file("page");
  VxGlobalHandle page = LEXIQ_LoadImage(file.Write(data, size).c_str());
  if (page == nullptr) return 0;
  const size_t blockSize = VxGlobalSize(page);
  const auto* bytes = static_cast<const uint8_t*>(VxGlobalLock(page));
  orvilo::gdi::BitmapInfoHeader header;
  if (bytes == nullptr || blockSize < sizeof header) abort();
  std::memcpy(&header, bytes, sizeof header);
  VxGlobalUnlock(page);
  const int64_t stride = (int64_t{header.biWidth} + 3) / 4 * 4;
  const int64_t rows = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
  const int64_t colours = header.biClrUsed == 0 ? 256 : header.biClrUsed;
  if (header.biBitCount != 8 || header.biWidth <= 0 || rows <= 0 || colours > 256 ||
      static_cast<int64_t>(blockSize) < int64_t{header.biSize} + colours * 4 + stride * rows) {
    abort();
  }
  LEXIQ_PreProc(page);
  VxGlobalFree(page);
  LEXIQ_Free();
  return 0;
}
