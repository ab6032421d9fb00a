#include "engines/sonara/audio_encoders.h"

#include <algorithm>
#include <array>

namespace orvilo::sonara {
namespace {

// The end of each segment of the G.711 companding curves.
constexpr std::array<int, 8> kALawSegmentEnd = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
constexpr std::array<int, 8> kMuLawSegmentEnd = {0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF};
constexpr int kMuLawBias = 0x84;
constexpr int kMuLawClip = 8159;

int Segment(int value, const std::array<int, 8>& ends) {
  for (int i = 0; i < 8; ++i) {
    if (value <= ends[i]) return i;
  }
  return 8;
}

constexpr std::array<int, 89> kImaSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr std::array<int, 49> kVoxSteps = {16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,  45,  50,
                                           55,  60,  66,  73,  80,  88,  97,  107, 118, 130, 143, 157, 173,
                                           190, 209, 230, 253, 279, 307, 337, 371, 408, 449, 494, 544, 598,
                                           658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
// Both ADPCM kinds move through their step tables alike.
constexpr std::array<int, 8> kStepIndexChange = {-1, -1, -1, -1, 2, 4, 6, 8};

}  // namespace

std::uint8_t EncodeLinear8Signed(std::int16_t sample) {
  return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::min(127, (sample + 128) >> 8)));
}

std::uint8_t EncodeLinear8Unsigned(std::int16_t sample) {
  return static_cast<std::uint8_t>(EncodeLinear8Signed(sample) ^ 0x80);
}

std::uint8_t EncodeMuLaw(std::int16_t sample) {
  int value = sample >> 2;
  int mask = 0xFF;
  if (value < 0) {
    value = -value;
    mask = 0x7F;
  }
  value = std::min(value, kMuLawClip) + (kMuLawBias >> 2);
  const int segment = Segment(value, kMuLawSegmentEnd);
  if (segment >= 8) return static_cast<std::uint8_t>(0x7F ^ mask);
  return static_cast<std::uint8_t>(((segment << 4) | ((value >> (segment + 1)) & 0x0F)) ^ mask);
}

std::uint8_t EncodeALaw(std::int16_t sample) {
  int value = sample >> 3;
  int mask = 0xD5;
  if (value < 0) {
    mask = 0x55;
    value = -value - 1;
  }
  const int segment = Segment(value, kALawSegmentEnd);
  if (segment >= 8) return static_cast<std::uint8_t>(0x7F ^ mask);
  const int mantissa = segment < 2 ? (value >> 1) & 0x0F : (value >> segment) & 0x0F;
  return static_cast<std::uint8_t>(((segment << 4) | mantissa) ^ mask);
}

void AdpcmEncoder::Reset() {
  predictor_ = 0;
  stepIndex_ = 0;
  holding_ = false;
  heldNibble_ = 0;
}

// Chooses the code whose decoded value comes closest, then follows the
// decoder exactly so that both stay in step.
std::uint8_t AdpcmEncoder::EncodeOne(std::int16_t sample) {
  const bool vox = kind_ == Kind::kVox;
  const int target = vox ? sample >> 4 : sample;  // VOX works on 12-bit samples
  const int step = vox ? kVoxSteps[stepIndex_] : kImaSteps[stepIndex_];
  int difference = target - predictor_;
  std::uint8_t code = 0;
  if (difference < 0) {
    code = 8;
    difference = -difference;
  }
  int threshold = step;
  for (std::uint8_t bit = 4; bit != 0; bit >>= 1) {
    if (difference >= threshold) {
      code |= bit;
      difference -= threshold;
    }
    threshold >>= 1;
  }
  // The decoders' reconstruction: (2 * magnitude + 1) / 8 of a step.
  const int change = ((2 * (code & 7) + 1) * step) >> 3;
  predictor_ += (code & 8) ? -change : change;
  predictor_ = vox ? std::clamp(predictor_, -2048, 2047) : std::clamp(predictor_, -32768, 32767);
  const int last = vox ? static_cast<int>(kVoxSteps.size()) - 1 : static_cast<int>(kImaSteps.size()) - 1;
  stepIndex_ = std::clamp(stepIndex_ + kStepIndexChange[code & 7], 0, last);
  return code;
}

std::size_t AdpcmEncoder::Encode(const std::int16_t* samples, std::size_t count, std::uint8_t* out) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t nibble = EncodeOne(samples[i]);
    if (holding_) {
      out[bytes++] = static_cast<std::uint8_t>((heldNibble_ << 4) | nibble);
      holding_ = false;
    } else {
      heldNibble_ = nibble;
      holding_ = true;
    }
  }
  return bytes;
}

}  // namespace orvilo::sonara
