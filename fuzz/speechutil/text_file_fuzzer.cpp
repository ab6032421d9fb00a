// libFuzzer target: the speech editor's text files of any content. Decoding
// must never crash, and what it gives must save and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "speechutil/unicode_text_file.h"

using orvilo::speechutil::CUnicodeTextFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every encoding shows itself within a few kilobytes; larger inputs only
  // slow the search down.
  if (size > (64 << 10)) return 0;
  const CUnicodeTextFile::ReadResult read =
      CUnicodeTextFile::Decode(std::string(reinterpret_cast<const char*>(data), size));
  if (read.status != CUnicodeTextFile::Status::Ok) abort();
  const CUnicodeTextFile::ReadResult again = CUnicodeTextFile::Decode(CUnicodeTextFile::Encode(read.text));
  if (again.status != CUnicodeTextFile::Status::Ok || again.encoding != CUnicodeTextFile::Encoding::Utf16Le ||
      again.text != read.text) {
    abort();
  }
  return 0;
}
