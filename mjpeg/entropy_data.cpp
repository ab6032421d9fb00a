#include "mjpeg/entropy_data.h"

#include <cstring>

namespace orvilo::mjpeg {

CopiedEntropyData CopyEntropyData(const uint8_t* input, size_t length, uint8_t* output) {
  size_t in = 0;
  size_t out = 0;
  while (in < length) {
    const void* found = std::memchr(input + in, 0xFF, length - in);
    const size_t plain = found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - input) - in : length - in;
    std::memcpy(output + out, input + in, plain);
    out += plain;
    in += plain;
    if (in >= length) break;
    // input[in] is 0xFF: collapse a run of them, then look at what follows.
    size_t next = in + 1;
    while (next < length && input[next] == 0xFF) ++next;
    output[out++] = 0xFF;
    if (next >= length) {
      in = length;
      break;
    }
    const uint8_t code = input[next];
    if (code == 0x00) {
      in = next + 1;
    } else if (code >= 0xD0 && code <= 0xD7) {
      output[out++] = code;
      in = next + 1;
    } else {
      in = next - 1;  // the marker's 0xFF; the marker search starts there
      break;
    }
  }
  return {out, in};
}

}  // namespace orvilo::mjpeg
