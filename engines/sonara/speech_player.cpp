#include "engines/sonara/speech_player.h"

#include <chrono>

#include "engines/sonara/sonara_m.h"

namespace orvilo::sonara {
namespace {

// How far synthesis runs ahead of what has been heard, and the block size:
// small enough that the first block is ready at once and memory stays
// small for any text, large enough that the device never runs dry.
constexpr int kAheadMilliseconds = 500;
constexpr int kBlockMilliseconds = 50;
constexpr auto kIdleBeforeClosing = std::chrono::seconds(5);

}  // namespace

SpeechPlayer::SpeechPlayer(EspeakSynthesizer& synthesizer) : synthesizer_(synthesizer) {
  worker_ = std::thread([this] { Run(); });
}

SpeechPlayer::~SpeechPlayer() {
  {
    std::unique_lock lock(mutex_);
    StopLocked(lock);
    quit_ = true;
  }
  changed_.notify_all();
  worker_.join();
  output_.reset();
}

int SpeechPlayer::Play(vx_hwnd window, std::uint32_t message, std::string text, SynthesisSettings settings) {
  std::unique_lock lock(mutex_);
  StopLocked(lock);
  const int rate = settings.speaker->sampleRate;
  if (!output_ || output_->SampleRate() != rate || output_->Failed()) {
    output_.reset();
    output_ = audio::PcmOutput::Open(
        rate, 1,
        [this](std::uint64_t, bool) {
          std::lock_guard progress(progressMutex_);
          progress_.notify_all();
        },
        nullptr);
    if (!output_) return STTS_ERR_AUDIO_DEVICE;
  }
  settings.highlight = false;
  settings.maxBlockSamples = static_cast<std::size_t>(rate) * kBlockMilliseconds / 1000;
  speech_ = Speech{window, message, std::move(text), std::move(settings)};
  speechWaiting_ = true;
  started_ = false;
  stopSynthesis_ = false;
  state_ = State::kStarting;
  changed_.notify_all();
  return STTS_DONE;
}

int SpeechPlayer::Pause() {
  std::lock_guard lock(mutex_);
  if (state_ == State::kPlaying) {
    output_->Pause();
    state_ = State::kPaused;
    Post(STTS_STATUS_PAUSED);
    return STTS_OK;
  }
  if (state_ == State::kStarting) {  // paused before the first sound: reported after STARTED
    output_->Pause();
    state_ = State::kStartingPaused;
    return STTS_OK;
  }
  return STTS_ERR_NOTHING_PLAYING;
}

int SpeechPlayer::Restart() {
  std::lock_guard lock(mutex_);
  if (state_ == State::kPaused) {
    output_->Resume();
    state_ = State::kPlaying;
    Post(STTS_STATUS_RESUMED);
    return STTS_OK;
  }
  if (state_ == State::kStartingPaused) {
    output_->Resume();
    state_ = State::kStarting;
    return STTS_OK;
  }
  return STTS_ERR_NOTHING_PLAYING;
}

int SpeechPlayer::Stop() {
  std::unique_lock lock(mutex_);
  return StopLocked(lock);
}

int SpeechPlayer::StopLocked(std::unique_lock<std::mutex>& lock) {
  if (state_ == State::kIdle) return STTS_ERR_NOTHING_PLAYING;
  if (state_ != State::kStopping) {
    state_ = State::kStopping;
    {
      // Speak queues blocks under this lock: none is queued after the reset below.
      std::lock_guard progress(progressMutex_);
      stopSynthesis_ = true;
    }
    progress_.notify_all();
    if (output_) output_->Reset();
  }
  changed_.wait(lock, [&] { return state_ == State::kIdle; });
  return STTS_OK;
}

void SpeechPlayer::Post(std::uintptr_t status) { vx_post_message(speech_.window, speech_.message, status, 0); }

void SpeechPlayer::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    const auto ready = [&] { return quit_ || speechWaiting_; };
    if (!changed_.wait_for(lock, kIdleBeforeClosing, ready)) {
      output_.reset();  // idle for a while: let the device go
      changed_.wait(lock, ready);
    }
    if (!speechWaiting_) break;  // quit
    speechWaiting_ = false;
    const Speech speech = speech_;
    lock.unlock();
    Speak(speech);
    lock.lock();
    if (!started_ && state_ != State::kStopping) Post(STTS_STATUS_STARTED);  // a text without sound
    Post(STTS_STATUS_FINISHED);
    started_ = false;
    state_ = State::kIdle;
    changed_.notify_all();
  }
}

void SpeechPlayer::Speak(const Speech& speech) {
  audio::PcmOutput* output = nullptr;
  {
    std::lock_guard lock(mutex_);
    output = output_.get();  // fixed until this speech ends (Play waits for that)
  }
  const std::size_t ahead = static_cast<std::size_t>(output->SampleRate()) * kAheadMilliseconds / 1000;
  Synthesize(synthesizer_, speech.settings, speech.text, stopSynthesis_,
             [&](const std::int16_t* samples, std::size_t count, const WordMark*) {
               {
                 // A stop sets its flag under this lock and then resets the
                 // output, so a block is queued before that reset (which
                 // discards it) or not at all: nothing is heard after a stop
                 // or left over for the next speech.
                 std::unique_lock progress(progressMutex_);
                 progress_.wait(progress, [&] { return stopSynthesis_.load() || output->QueuedFrames() < ahead; });
                 if (stopSynthesis_.load()) return false;
                 output->Queue(samples, count);
               }
               if (!started_) ReportFirstSound();
               return true;
             });
  // The end is reported once the last sound has been heard.
  std::unique_lock progress(progressMutex_);
  progress_.wait(progress, [&] { return stopSynthesis_.load() || output->QueuedFrames() == 0; });
}

void SpeechPlayer::ReportFirstSound() {
  std::lock_guard lock(mutex_);
  if (state_ == State::kStarting) {
    Post(STTS_STATUS_STARTED);
    state_ = State::kPlaying;
  } else if (state_ == State::kStartingPaused) {
    Post(STTS_STATUS_STARTED);
    Post(STTS_STATUS_PAUSED);
    state_ = State::kPaused;
  } else {
    return;
  }
  started_ = true;
}

}  // namespace orvilo::sonara
