// Copies the entropy-coded data of a scan into a work buffer, undoing byte stuffing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvilo::mjpeg {

struct CopiedEntropyData {
  size_t copied;    // bytes written to the work buffer
  size_t consumed;  // input bytes read; the input continues at the marker that ended the data
};

// Copies from `input` until a marker other than RSTn or the end of the input:
// 0xFF 0x00 becomes 0xFF; runs of 0xFF collapse to one; 0xFF 0xD0..0xD7 is kept as both
// bytes; 0xFF before any other byte ends the copy, that 0xFF kept as the last byte.
// `output` must hold `length` bytes.
CopiedEntropyData CopyEntropyData(const uint8_t* input, size_t length, uint8_t* output);

}  // namespace orvilo::mjpeg
