#include "platform/audio/audio_file_header.h"

#include <algorithm>
#include <limits>

namespace orvilo::audio {
namespace {

constexpr std::uint16_t kWaveFormatPcm = 1;
constexpr std::uint16_t kWaveFormatALaw = 6;
constexpr std::uint16_t kWaveFormatMuLaw = 7;

constexpr std::uint32_t kAuMuLaw = 1;
constexpr std::uint32_t kAuLinear8 = 2;
constexpr std::uint32_t kAuLinear16 = 3;
constexpr std::uint32_t kAuALaw = 27;
constexpr std::uint32_t kAuHeaderBytes = 24;

std::uint32_t Clamp32(std::uint64_t value) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

class ByteWriter {
 public:
  void Text(const char* four) { bytes_.insert(bytes_.end(), four, four + 4); }
  void Little16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void Little32(std::uint32_t v) {
    Little16(static_cast<std::uint16_t>(v));
    Little16(static_cast<std::uint16_t>(v >> 16));
  }
  void Big32(std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

int BytesPerSample(SampleEncoding encoding) { return encoding == SampleEncoding::kLinear16 ? 2 : 1; }

std::vector<std::uint8_t> MakeWaveHeader(SampleEncoding encoding, int sampleRate, int channels,
                                         std::uint64_t dataBytes) {
  if (sampleRate <= 0 || channels <= 0 || channels > 0xFFFF) return {};
  const bool pcm = encoding == SampleEncoding::kLinear16 || encoding == SampleEncoding::kLinear8;
  const std::uint16_t format =
      pcm ? kWaveFormatPcm : (encoding == SampleEncoding::kMuLaw ? kWaveFormatMuLaw : kWaveFormatALaw);
  const std::uint32_t formatBytes = pcm ? 16 : 18;
  const std::uint32_t factBytes = pcm ? 0 : 12;
  const std::uint32_t headerBytes = 12 + 8 + formatBytes + factBytes + 8;
  const int sampleBytes = BytesPerSample(encoding);
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(sampleBytes * channels);

  ByteWriter out;
  out.Text("RIFF");
  out.Little32(Clamp32(dataBytes + headerBytes - 8));
  out.Text("WAVE");
  out.Text("fmt ");
  out.Little32(formatBytes);
  out.Little16(format);
  out.Little16(static_cast<std::uint16_t>(channels));
  out.Little32(static_cast<std::uint32_t>(sampleRate));
  out.Little32(Clamp32(static_cast<std::uint64_t>(sampleRate) * blockAlign));
  out.Little16(static_cast<std::uint16_t>(blockAlign));
  out.Little16(static_cast<std::uint16_t>(8 * sampleBytes));
  if (!pcm) {
    out.Little16(0);  // no extra format bytes
    out.Text("fact");
    out.Little32(4);
    out.Little32(Clamp32(dataBytes / blockAlign));
  }
  out.Text("data");
  out.Little32(Clamp32(dataBytes));
  return out.Take();
}

std::vector<std::uint8_t> MakeAuHeader(SampleEncoding encoding, int sampleRate, int channels,
                                       std::uint64_t dataBytes) {
  if (sampleRate <= 0 || channels <= 0) return {};
  std::uint32_t code = kAuLinear16;
  switch (encoding) {
    case SampleEncoding::kLinear16: code = kAuLinear16; break;
    case SampleEncoding::kLinear8: code = kAuLinear8; break;
    case SampleEncoding::kMuLaw: code = kAuMuLaw; break;
    case SampleEncoding::kALaw: code = kAuALaw; break;
  }
  ByteWriter out;
  out.Text(".snd");
  out.Big32(kAuHeaderBytes);
  // 0xFFFFFFFF would mean "unknown"; a real length never reaches it here.
  out.Big32(std::min<std::uint32_t>(Clamp32(dataBytes), 0xFFFFFFFEu));
  out.Big32(code);
  out.Big32(static_cast<std::uint32_t>(sampleRate));
  out.Big32(static_cast<std::uint32_t>(channels));
  return out.Take();
}

}  // namespace orvilo::audio
