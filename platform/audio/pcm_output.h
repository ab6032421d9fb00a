// PCM playback with completion notifications, in the manner of a wave-out
// device: the caller queues buffers of 16-bit interleaved frames and is told,
// buffer by buffer, when each has been heard to its end. An output thread
// feeds the device one period at a time, so pause and reset take effect
// within a period (10 ms) and nothing queued is ever lost or played twice:
// after a pause, playback continues with the first frame not yet heard.
//
// Threads: every member may be called from any thread. The completion
// function runs on the output thread, never under an internal lock; it may
// call Queue and QueuedFrames, and Pause, Resume and Reset (which then take
// effect once it returns instead of being waited for).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/pcm_sink.h"

namespace orvilo::audio {

class PcmOutput {
 public:
  // `played` is false for a buffer discarded by Reset, a device failure or
  // the destruction of the output.
  using Completion = std::function<void(std::uint64_t tag, bool played)>;

  // The output chosen by ORVILO_AUDIO_OUT (see audio_output_choice.h); null
  // with a readable reason in `error` when no such device can be opened.
  static std::unique_ptr<PcmOutput> Open(int sampleRate, int channels, Completion completion, std::string* error);

  PcmOutput(std::unique_ptr<PcmSink> sink, Completion completion);
  // Discards whatever is still queued (its completions run) and closes the device.
  ~PcmOutput();
  PcmOutput(const PcmOutput&) = delete;
  PcmOutput& operator=(const PcmOutput&) = delete;

  int SampleRate() const { return sampleRate_; }
  int Channels() const { return channels_; }

  // Copies `frames` frames and queues them behind everything queued; never
  // blocks. An empty buffer completes once everything before it was heard.
  void Queue(const std::int16_t* samples, std::size_t frames, std::uint64_t tag = 0);

  // Holds playback where it is / continues it. Return once the device has
  // stopped or started again.
  void Pause();
  void Resume();
  bool Paused() const;

  // Silences the device at once and discards everything queued. Returns
  // once the device is silent.
  void Reset();

  // Frames queued or in the device that have not been heard yet.
  std::size_t QueuedFrames() const;

  // The device failed while playing; everything queued was discarded and
  // later buffers are discarded as they come.
  bool Failed() const;

 private:
  struct Buffer {
    std::vector<std::int16_t> samples;
    std::size_t frames = 0;
    std::size_t nextFrame = 0;           // first frame not yet written to the device
    std::uint64_t startPosition = 0;     // device position of frame 0
    std::uint64_t endPosition = 0;       // device position after the last frame
    std::uint64_t tag = 0;
  };
  using Finished = std::vector<std::pair<std::uint64_t, bool>>;

  void Run();
  void ApplyReset(std::unique_lock<std::mutex>& lock, Finished& finished);
  void ApplyPause(std::unique_lock<std::mutex>& lock);
  void DiscardAll(Finished& finished);
  void RewindTo(std::uint64_t position);
  bool Feed(std::unique_lock<std::mutex>& lock, Finished& finished);
  bool CommandPending() const;
  void WaitForCommand(std::unique_lock<std::mutex>& lock, std::uint64_t generation);
  std::size_t UnheardFrames() const;

  std::unique_ptr<PcmSink> sink_;
  Completion completion_;
  const int sampleRate_;
  const int channels_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;      // to the output thread: data or a command
  std::condition_variable acknowledged_;  // from it: a command took effect
  std::deque<Buffer> queued_;         // not completely written to the device
  std::deque<Buffer> inDevice_;       // written, not yet heard
  std::uint64_t written_ = 0;         // frames written to the device so far
  std::uint64_t heard_ = 0;           // frames the device has played so far
  bool pauseWanted_ = false;
  bool paused_ = false;
  std::uint64_t resetsRequested_ = 0;
  std::uint64_t resetsDone_ = 0;
  std::uint64_t commandsRequested_ = 0;
  std::uint64_t commandsDone_ = 0;
  bool failed_ = false;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace orvilo::audio
