#include "platform/audio/clock_pcm_sink.h"

#include <algorithm>
#include <vector>

#include "platform/audio/audio_file_header.h"

namespace orvilo::audio {
namespace {

// The stand-in behaves like a desktop sound server: 10 ms periods, 100 ms buffer.
constexpr int kPeriodMilliseconds = 10;
constexpr int kBufferMilliseconds = 100;

}  // namespace

ClockPcmSink::ClockPcmSink(int sampleRate, int channels)
    : sampleRate_(sampleRate),
      channels_(channels),
      periodFrames_(std::max<std::size_t>(1, static_cast<std::size_t>(sampleRate) * kPeriodMilliseconds / 1000)),
      bufferFrames_(std::max<std::size_t>(1, static_cast<std::size_t>(sampleRate) * kBufferMilliseconds / 1000)) {}

ClockPcmSink::ClockPcmSink(int sampleRate, int channels, const std::string& wavePath)
    : ClockPcmSink(sampleRate, channels) {
  file_ = std::fopen(wavePath.c_str(), "wb");
  if (file_ == nullptr) return;
  const auto header = MakeWaveHeader(SampleEncoding::kLinear16, sampleRate_, channels_, 0);
  if (header.empty() || std::fwrite(header.data(), 1, header.size(), file_) != header.size() ||
      std::fflush(file_) != 0) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

ClockPcmSink::~ClockPcmSink() {
  if (file_ != nullptr) std::fclose(file_);
}

void ClockPcmSink::Advance() {
  if (!running_ || paused_) return;
  const auto elapsed = Clock::now() - anchorTime_;
  const auto elapsedFrames = static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count() * static_cast<long double>(sampleRate_) /
      1e9L);
  const std::uint64_t target = std::min(anchorPlayed_ + elapsedFrames, written_);
  if (target > played_) {
    Record(static_cast<std::size_t>(target - played_));
    played_ = target;
  }
  if (played_ == written_) running_ = false;  // played out: the device idles until the next write
}

long ClockPcmSink::Available() {
  Advance();
  return static_cast<long>(bufferFrames_ - (written_ - played_));
}

long ClockPcmSink::Write(const std::int16_t* frames, std::size_t count) {
  const long room = Available();
  count = std::min(count, static_cast<std::size_t>(std::max(0L, room)));
  if (count == 0) return 0;
  if (file_ != nullptr) unplayed_.insert(unplayed_.end(), frames, frames + count * channels_);
  written_ += count;
  if (!running_ && !paused_) {
    running_ = true;
    anchorTime_ = Clock::now();
    anchorPlayed_ = played_;
  }
  return static_cast<long>(count);
}

std::size_t ClockPcmSink::Pending() {
  Advance();
  return static_cast<std::size_t>(written_ - played_);
}

bool ClockPcmSink::SetPaused(bool paused) {
  Advance();
  paused_ = paused;
  if (paused) {
    running_ = false;
  } else if (written_ > played_) {
    running_ = true;
    anchorTime_ = Clock::now();
    anchorPlayed_ = played_;
  }
  return true;
}

void ClockPcmSink::Drop() {
  Advance();
  written_ = played_;
  unplayed_.clear();
  running_ = false;
}

void ClockPcmSink::Record(std::size_t frames) {
  if (file_ == nullptr) return;
  const std::size_t samples = std::min(frames * channels_, unplayed_.size());
  std::vector<std::uint8_t> bytes(samples * 2);
  for (std::size_t i = 0; i < samples; ++i) {
    const auto value = static_cast<std::uint16_t>(unplayed_[i]);
    bytes[2 * i] = static_cast<std::uint8_t>(value);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  unplayed_.erase(unplayed_.begin(), unplayed_.begin() + static_cast<std::ptrdiff_t>(samples));
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    // A full disk ends the recording; the file keeps a valid header for what was written.
    std::fclose(file_);
    file_ = nullptr;
    return;
  }
  recordedBytes_ += bytes.size();
  UpdateFileHeader();
}

void ClockPcmSink::UpdateFileHeader() {
  const auto header = MakeWaveHeader(SampleEncoding::kLinear16, sampleRate_, channels_, recordedBytes_);
  if (std::fseek(file_, 0, SEEK_SET) == 0) std::fwrite(header.data(), 1, header.size(), file_);
  std::fseek(file_, 0, SEEK_END);
  std::fflush(file_);
}

}  // namespace orvilo::audio
