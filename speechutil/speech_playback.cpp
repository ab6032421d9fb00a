#include "speechutil/speech_playback.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <vector>

#include "speechutil/wave_out_player.h"

namespace orvilo::speechutil {

struct SpeechPlayback::Run {
  SpeechJob job;
  std::shared_ptr<CWaveOutPlayer> player;
  STTS_HANDLE handle = nullptr;
  std::atomic<bool> stop{false};
  int sourceRate = 16000;
  int blockIndex = 0;
  STTS_ConvState converter{};
  std::vector<std::int16_t> buffer;
  // The started event.
  std::mutex startedLock;
  std::condition_variable startedSignal;
  bool started = false;

  void SignalStarted() {
    {
      std::lock_guard lock(startedLock);
      started = true;
    }
    startedSignal.notify_all();
  }
};

namespace {

std::string Formatted(const char* format, int value) {
  char text[96];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

SpeechPlayback::~SpeechPlayback() { Stop(); }

bool SpeechPlayback::Start(SpeechJob job) {
  Stop();
  auto run = std::make_shared<Run>();
  run->player = CWaveOutPlayer::Open(job.outputRate, reports_.messageBox);
  if (!run->player) return false;
  run->job = std::move(job);
  Join();
  stopped_ = false;
  running_ = true;
  {
    std::lock_guard lock(lock_);
    current_ = run;
  }
  try {
    thread_ = std::thread([this, run] { Play(run); });
  } catch (const std::system_error&) {
    running_ = false;
    std::lock_guard lock(lock_);
    current_.reset();
    return false;
  }
  std::unique_lock lock(run->startedLock);
  run->startedSignal.wait_for(lock, std::chrono::milliseconds(1000), [&] { return run->started; });
  return true;
}

void SpeechPlayback::Stop() {
  if (running_) {
    std::shared_ptr<Run> run;
    {
      std::lock_guard lock(lock_);
      run = current_;
      if (run) {
        run->stop = true;
        stopped_ = true;
        run->player->RequestStop();
        if (run->handle != nullptr) STTS_StopTextToSpeech(run->handle);
      }
    }
  }
  Join();
}

void SpeechPlayback::Join() {
  if (thread_.joinable()) thread_.join();
}

void SpeechPlayback::Play(std::shared_ptr<Run> run) {
  SpeechJob& job = run->job;
  run->blockIndex = 0;
  job.post(job.message, static_cast<std::uintptr_t>(kStatusStarted), 0);

  SpeakerDbInfo info{};
  STTS_GetDBInfo(job.language, job.speaker, &info);
  STTS_HANDLE handle = STTS_CreateThread(run.get(), &SpeechPlayback::Callback, job.language, job.speaker);
  if (handle == nullptr) {
    if (reports_.log) reports_.log(Formatted("STTS_CreateThread Err(%d)", STTS_GetError()));
    run->SignalStarted();
    run->player->Close();
    running_ = false;
    job.post(job.message, static_cast<std::uintptr_t>(kStatusFailed), 0);
  } else {
    {
      std::lock_guard lock(lock_);
      run->handle = handle;
      // A stop that came while the handle was being made applies now.
      if (run->stop) STTS_StopTextToSpeech(handle);
    }
    if (!job.markup.empty()) STTS_ChangeAttr(handle, job.markup.c_str());
    bool dictionary = false;
    if (!job.dictionary.empty()) {
      int entries = 0;
      int rejected = 0;
      dictionary = STTS_LoadUserDict(handle, job.dictionary.c_str(), &entries, &rejected) == STTS_OK;
    }
    STTS_SetCharSet(handle, 0);
    STTS_SetTextFormat(handle, 0);
    STTS_SetHighLight(handle, 1);
    STTS_SetLipSync(handle, 0);
    run->sourceRate = info.sampleRate > 0 ? info.sampleRate : 16000;
    const int blockBytes = run->sourceRate == 16000 ? 32000 : 16000;
    run->SignalStarted();

    const int result = STTS_TextToPcmBuf(handle, job.text.c_str(), STTS_MODE_SYNCHRONOUS, blockBytes);

    if (dictionary) STTS_UnLoadUserDict(handle);
    {
      std::lock_guard lock(lock_);
      run->handle = nullptr;
    }
    STTS_DeleteThread(handle);
    STTS_FreeConvState(&run->converter);
    run->player->Close();
    if (result != STTS_DONE && reports_.log) reports_.log(Formatted("STTS_TextToPcmBuf Err(%d)", result));
    // Not running once the window hears the end: a stop that comes after it
    // is no stop of this playback.
    running_ = false;
    job.post(job.message, static_cast<std::uintptr_t>(result == STTS_DONE ? kStatusFinished : kStatusFailed), 0);
  }
}

int SpeechPlayback::Callback(void* userData, PcmChunk* chunk) {
  auto* run = static_cast<Run*>(userData);
  if (run->stop || chunk == nullptr || chunk->byteCount <= 0) return 0;
  const int samples = chunk->byteCount / 2;
  const int outputRate = run->job.outputRate;
  // 2n + 10 bytes: room for what the converter may still hold from earlier blocks.
  run->buffer.assign(static_cast<std::size_t>(samples) + 5, 0);
  int produced = samples;
  if (run->sourceRate == outputRate) {
    std::copy(chunk->samples, chunk->samples + samples, run->buffer.begin());
  } else {
    produced = STTS_ConvSamplingRateBuf(samples, chunk->samples, run->buffer.data(), run->sourceRate, outputRate,
                                        run->blockIndex, &run->converter);
  }
  if (chunk->marker == 1 && chunk->highlight != nullptr && chunk->highlight->textRange != nullptr) {
    const std::int32_t first = chunk->highlight->textRange[0];
    const std::int32_t last = chunk->highlight->textRange[1];
    const auto& post = run->job.post;
    run->player->Mark([post, first, last] {
      post(kSpeechHighlightMessage, static_cast<std::uintptr_t>(first), static_cast<std::intptr_t>(last));
    });
  }
  if (produced > 0) run->player->Write(run->buffer.data(), static_cast<std::size_t>(produced) * 2);
  run->blockIndex = chunk->marker == 1 ? 0 : run->blockIndex + 1;
  return 0;
}

}  // namespace orvilo::speechutil
