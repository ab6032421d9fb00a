// Headers of the two standard audio containers the program writes, RIFF WAVE
// and Sun/NeXT AU, for interleaved samples in one of four encodings.
//
// WAVE is little-endian; its 8-bit linear samples are unsigned (the format's
// rule) and its mu-law and A-law files carry the 18-byte format chunk and the
// "fact" chunk that non-PCM WAVE files need. AU is big-endian; its 8-bit
// linear samples are signed. A writer that does not know the data length
// yet writes the header with 0 and rewrites it once the data is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvilo::audio {

enum class SampleEncoding {
  kLinear16,  // 16-bit two's complement
  kLinear8,   // 8-bit: unsigned in WAVE, signed in AU
  kMuLaw,     // G.711 mu-law, 8 bits
  kALaw,      // G.711 A-law, 8 bits
};

// Bytes per sample of an encoding (2 for 16-bit linear, else 1).
int BytesPerSample(SampleEncoding encoding);

// Longest header the functions below produce.
inline constexpr std::size_t kMaxAudioHeaderBytes = 58;

// The header for `dataBytes` bytes of samples that follow it; empty when the
// rate or channel count is not positive. Lengths that do not fit the
// container's 32-bit fields are stored as the largest value that does.
std::vector<std::uint8_t> MakeWaveHeader(SampleEncoding encoding, int sampleRate, int channels,
                                         std::uint64_t dataBytes);
std::vector<std::uint8_t> MakeAuHeader(SampleEncoding encoding, int sampleRate, int channels,
                                       std::uint64_t dataBytes);

}  // namespace orvilo::audio
