// Device stand-ins for machines without sound and for tests: a sink that
// plays nothing but lets time pass exactly as a device would (a 100 ms
// buffer drained at the sample rate, pausing and dropping at once), and the
// same sink recording what it "plays" into a WAVE file.
//
// The WAVE file holds exactly the frames that were heard: a drop discards
// the pending frames, a pause stops the file from growing. Its header is
// kept valid while it grows, so a reader may open it at any time.
#pragma once

#include <chrono>
#include <cstdio>
#include <deque>

#include "platform/audio/pcm_sink.h"

namespace orvilo::audio {

class ClockPcmSink : public PcmSink {
 public:
  using Clock = std::chrono::steady_clock;

  // A sink that records nothing.
  ClockPcmSink(int sampleRate, int channels);
  // A sink that records into `wavePath` (created afresh); check Recording().
  ClockPcmSink(int sampleRate, int channels, const std::string& wavePath);
  ~ClockPcmSink() override;

  bool Recording() const { return file_ != nullptr; }

  int SampleRate() const override { return sampleRate_; }
  int Channels() const override { return channels_; }
  std::size_t PeriodFrames() const override { return periodFrames_; }
  long Available() override;
  long Write(const std::int16_t* frames, std::size_t count) override;
  std::size_t Pending() override;
  bool SetPaused(bool paused) override;
  void Drop() override;

 private:
  void Advance();
  void Record(std::size_t frames);
  void UpdateFileHeader();

  int sampleRate_;
  int channels_;
  std::size_t periodFrames_;
  std::size_t bufferFrames_;
  std::uint64_t written_ = 0;
  std::uint64_t played_ = 0;
  // While running, played_ = anchorPlayed_ + elapsed time since anchorTime_.
  bool running_ = false;
  bool paused_ = false;
  Clock::time_point anchorTime_;
  std::uint64_t anchorPlayed_ = 0;
  // Recording: the samples written but not yet played, and the file.
  std::deque<std::int16_t> unplayed_;
  std::FILE* file_ = nullptr;
  std::uint64_t recordedBytes_ = 0;
};

}  // namespace orvilo::audio
