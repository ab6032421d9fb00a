// CWaveOutPlayer: the speech editor's audio output, a ring of 100 buffers
// of 6400 bytes (16-bit mono) over the platform's PCM output. The writer
// fills the ring ahead of what is heard and sleeps while it is full; each
// buffer's completion frees its slot. A mark placed between two writes
// runs its function when everything written before it has been heard, which
// is how the highlight follows the voice without holding the writer back.
//
// Threads: Write, Mark, Drain and Close belong to one thread (the playback
// thread); RequestStop may come from any thread and makes a blocked Write
// return at once. Completions and marks run on the output's thread.
// Failures are reported through the reporter with the text and caption of a
// message box; the reporter may be called from the writing thread.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orvilo::audio {
class PcmOutput;
}

namespace orvilo::speechutil {

class CWaveOutPlayer {
 public:
  static constexpr int kBufferCount = 100;
  static constexpr int kBufferBytes = 6400;

  using Reporter = std::function<void(const std::string& text, const std::string& caption)>;

  // Opens the default output at `rate`, mono, 16 bits. Null after reporting
  // "Wave Out Device Open Error !" when there is no such device.
  static std::unique_ptr<CWaveOutPlayer> Open(int rate, Reporter reporter);

  ~CWaveOutPlayer();  // Close()
  CWaveOutPlayer(const CWaveOutPlayer&) = delete;
  CWaveOutPlayer& operator=(const CWaveOutPlayer&) = delete;

  int Rate() const { return rate_; }
  // Milliseconds one full buffer plays: 400 at 8000 Hz, 200 at 16000 Hz.
  int BufferMilliseconds() const { return 6400000 / (2 * rate_); }

  // Queues `bytes` bytes of samples in buffers of at most 6400 bytes; false
  // when a stop was requested before all of it was queued.
  bool Write(const void* samples, std::size_t bytes);
  // Runs `heard` (on the output's thread) once everything written so far
  // has been heard; never after a stop.
  void Mark(std::function<void()> heard);
  // Waits until everything written has been heard (at most the ring's
  // length of audio).
  void Drain();
  // Silences the output at once and discards what is queued.
  void RequestStop();
  bool StopRequested() const;
  // Drains unless a stop was requested, then closes the device. Idempotent.
  void Close();

  // Ring indexes, for tests: buffers written and completed so far (mod 100).
  int WriteIndex() const;
  int DoneIndex() const;

 private:
  explicit CWaveOutPlayer(int rate, Reporter reporter);
  void Completed(std::uint64_t tag, bool played);

  const int rate_;
  Reporter reporter_;
  std::mutex outputLock_;  // output_ against a stop from another thread while closing
  std::unique_ptr<audio::PcmOutput> output_;
  std::vector<std::array<std::uint8_t, kBufferBytes>> buffers_;

  mutable std::mutex ringLock_;  // write_, done_, playing_, stopRequested_, marks_
  std::condition_variable changed_;
  int write_ = 1;
  int done_ = 0;
  bool playing_ = false;
  bool stopRequested_ = false;
  bool failureReported_ = false;
  std::uint64_t nextMark_ = 0;
  std::map<std::uint64_t, std::function<void()>> marks_;
  bool closed_ = false;
};

// The message-box text of a wave-output error code ("Error code is %d." for
// codes without one of their own).
std::string WaveOutErrorText(int code);

}  // namespace orvilo::speechutil
