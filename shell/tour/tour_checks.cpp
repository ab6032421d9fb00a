#include "shell/tour/tour_checks.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "platform/gdi/bitmap_file.h"
#include "platform/media/avi_repair.h"

namespace orvilo::shell::tour {

namespace {

std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// A speech file is minutes at most; more is not one the tour made.
constexpr std::uint64_t kMostWaveBytes = 64u << 20;

}  // namespace

std::optional<PictureSize> BitmapFileSize(const std::string& path) {
  const gdi::PackedDib picture = gdi::ReadBitmapFile(path);
  if (picture.IsEmpty()) return std::nullopt;
  return PictureSize{picture.width(), picture.height()};
}

double VoicedSeconds(const std::string& path, double threshold) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0.0;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || bytes.size() > kMostWaveBytes || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return 0.0;
  }
  // Walk the chunks: "fmt " says the format, "data" holds the samples (its
  // size may still be 0 or short while the file grows: the file decides).
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t size = Le32(bytes.data() + at + 4);
    const unsigned char* body = bytes.data() + at + 8;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16 && at + 8 + 16 <= bytes.size()) {
      if (Le16(body) != 1) return 0.0;  // PCM only
      channels = Le16(body + 2);
      rate = static_cast<int>(Le32(body + 4));
      bits = Le16(body + 14);
    } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
      if (bits != 16 || channels <= 0 || rate <= 0) return 0.0;
      const std::size_t rest = bytes.size() - (at + 8);
      const std::size_t sampleCount = (size > 0 && size < rest ? size : rest) / 2;
      const std::size_t window = static_cast<std::size_t>(rate) * static_cast<std::size_t>(channels) / 50;
      if (window == 0) return 0.0;
      std::size_t voiced = 0;
      for (std::size_t first = 0; first + window <= sampleCount; first += window) {
        double sum = 0.0;
        for (std::size_t i = first; i < first + window; ++i) {
          const double s = static_cast<std::int16_t>(Le16(body + 2 * i));
          sum += s * s;
        }
        if (std::sqrt(sum / static_cast<double>(window)) > threshold) ++voiced;
      }
      return static_cast<double>(voiced) * 0.02;
    }
    at += 8 + static_cast<std::size_t>(size) + (size & 1);
  }
  return 0.0;
}

std::optional<RecordingLength> AviRecordingLength(const std::string& path) {
  const media::AviFileInfo info = media::InspectAvi(path);
  if (!info.valid) return std::nullopt;
  RecordingLength length;
  length.finished = info.finished;
  length.seconds = static_cast<double>(info.totalFrames) * info.microSecondsPerFrame / 1e6;
  return length;
}

}  // namespace orvilo::shell::tour
