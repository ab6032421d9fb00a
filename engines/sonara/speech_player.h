// Speaking on the audio output, one speech at a time, with status messages
// to a window: 1 started (the first sound went to the device), 2 paused,
// 3 resumed, 4 finished (heard to the end, or stopped).
//
// A worker thread synthesises ahead of the device by a bounded amount
// (so a long text costs little memory) and waits for the device to play
// out before it reports the end. Every message is posted under the
// player's lock, so their order is the order of the events. The output
// stays open between speeches and is closed after a few idle seconds.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engines/sonara/synthesis.h"
#include "platform/audio/pcm_output.h"
#include "platform/abi/vx_hwnd.h"

namespace orvilo::sonara {

class SpeechPlayer {
 public:
  explicit SpeechPlayer(EspeakSynthesizer& synthesizer);
  // Stops any speech (posting its end) and closes the output.
  ~SpeechPlayer();
  SpeechPlayer(const SpeechPlayer&) = delete;
  SpeechPlayer& operator=(const SpeechPlayer&) = delete;

  // STTS_DONE, or STTS_ERR_AUDIO_DEVICE when no output opens at the
  // speaker's rate (nothing is posted then).
  int Play(vx_hwnd window, std::uint32_t message, std::string text, SynthesisSettings settings);
  // STTS_OK, or STTS_ERR_NOTHING_PLAYING.
  int Pause();
  int Restart();
  int Stop();

 private:
  enum class State { kIdle, kStarting, kStartingPaused, kPlaying, kPaused, kStopping };

  struct Speech {
    vx_hwnd window = nullptr;
    std::uint32_t message = 0;
    std::string text;
    SynthesisSettings settings;
  };

  void Run();
  void Speak(const Speech& speech);
  bool QueueBlock(const std::int16_t* samples, std::size_t count);
  void ReportFirstSound();
  void Post(std::uintptr_t status);
  int StopLocked(std::unique_lock<std::mutex>& lock);

  EspeakSynthesizer& synthesizer_;

  std::mutex mutex_;
  std::condition_variable changed_;    // state changes and new speeches
  State state_ = State::kIdle;
  bool speechWaiting_ = false;
  bool started_ = false;               // STARTED was posted for the current speech
  Speech speech_;
  std::unique_ptr<audio::PcmOutput> output_;
  bool quit_ = false;

  // Progress of the output, told by its completion function, which must not
  // take mutex_ (Stop holds it while resetting the output).
  std::mutex progressMutex_;
  std::condition_variable progress_;
  std::atomic<bool> stopSynthesis_{false};

  std::thread worker_;
};

}  // namespace orvilo::sonara
