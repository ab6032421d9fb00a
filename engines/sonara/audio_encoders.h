// Sample encoders for saving speech: 8-bit linear, G.711 mu-law and A-law,
// and two 4-bit ADPCM streams (Dialogic VOX of 12-bit samples, IMA of
// 16-bit samples), both packed first sample in the high nibble, the order
// raw VOX and IMA files are read in.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvilo::sonara {

std::uint8_t EncodeLinear8Signed(std::int16_t sample);
std::uint8_t EncodeLinear8Unsigned(std::int16_t sample);
std::uint8_t EncodeMuLaw(std::int16_t sample);
std::uint8_t EncodeALaw(std::int16_t sample);

class AdpcmEncoder {
 public:
  enum class Kind { kVox, kIma };

  explicit AdpcmEncoder(Kind kind) : kind_(kind) {}

  // Encodes `count` samples after any held one; returns the bytes written
  // to `out` (at most (count + 1) / 2). An odd last sample is held for the
  // next call.
  std::size_t Encode(const std::int16_t* samples, std::size_t count, std::uint8_t* out);
  void Reset();

 private:
  std::uint8_t EncodeOne(std::int16_t sample);

  Kind kind_;
  int predictor_ = 0;
  int stepIndex_ = 0;
  bool holding_ = false;
  std::uint8_t heldNibble_ = 0;
};

}  // namespace orvilo::sonara
