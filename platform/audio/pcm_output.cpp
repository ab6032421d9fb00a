#include "platform/audio/pcm_output.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/audio_output_choice.h"

namespace orvilo::audio {

std::unique_ptr<PcmOutput> PcmOutput::Open(int sampleRate, int channels, Completion completion,
                                           std::string* error) {
  auto sink = OpenPcmSink(AudioOutputChoiceFromEnvironment(), sampleRate, channels, error);
  if (!sink) return nullptr;
  return std::make_unique<PcmOutput>(std::move(sink), std::move(completion));
}

PcmOutput::PcmOutput(std::unique_ptr<PcmSink> sink, Completion completion)
    : sink_(std::move(sink)),
      completion_(std::move(completion)),
      sampleRate_(sink_->SampleRate()),
      channels_(sink_->Channels()) {
  thread_ = std::thread([this] { Run(); });
}

PcmOutput::~PcmOutput() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void PcmOutput::Queue(const std::int16_t* samples, std::size_t frames, std::uint64_t tag) {
  Buffer buffer;
  buffer.samples.assign(samples, samples + frames * channels_);
  buffer.frames = frames;
  buffer.tag = tag;
  {
    std::lock_guard lock(mutex_);
    queued_.push_back(std::move(buffer));
  }
  wake_.notify_all();
}

void PcmOutput::Pause() {
  std::unique_lock lock(mutex_);
  pauseWanted_ = true;
  WaitForCommand(lock, ++commandsRequested_);
}

void PcmOutput::Resume() {
  std::unique_lock lock(mutex_);
  pauseWanted_ = false;
  WaitForCommand(lock, ++commandsRequested_);
}

bool PcmOutput::Paused() const {
  std::lock_guard lock(mutex_);
  return pauseWanted_;
}

void PcmOutput::Reset() {
  std::unique_lock lock(mutex_);
  ++resetsRequested_;
  WaitForCommand(lock, ++commandsRequested_);
}

std::size_t PcmOutput::QueuedFrames() const {
  std::lock_guard lock(mutex_);
  return UnheardFrames();
}

bool PcmOutput::Failed() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

void PcmOutput::WaitForCommand(std::unique_lock<std::mutex>& lock, std::uint64_t generation) {
  wake_.notify_all();
  // From a completion function the command is applied after it returns.
  if (std::this_thread::get_id() == thread_.get_id()) return;
  acknowledged_.wait(lock, [&] { return commandsDone_ >= generation || quit_; });
}

bool PcmOutput::CommandPending() const { return commandsDone_ != commandsRequested_; }

std::size_t PcmOutput::UnheardFrames() const {
  std::size_t frames = static_cast<std::size_t>(written_ - heard_);
  for (const Buffer& buffer : queued_) frames += buffer.frames - buffer.nextFrame;
  return frames;
}

void PcmOutput::Run() {
  const auto slice = std::chrono::microseconds(
      std::max<long long>(1000, static_cast<long long>(sink_->PeriodFrames()) * 1000000 / sampleRate_ / 2));
  std::unique_lock lock(mutex_);
  Finished finished;
  while (!quit_) {
    const std::uint64_t generation = commandsRequested_;
    if (resetsDone_ != resetsRequested_) ApplyReset(lock, finished);
    if (pauseWanted_ != paused_) ApplyPause(lock);
    if (commandsDone_ != generation) {
      commandsDone_ = generation;
      acknowledged_.notify_all();
    }
    if (failed_ && !queued_.empty()) DiscardAll(finished);

    lock.unlock();
    const std::size_t pending = sink_->Pending();
    lock.lock();
    heard_ = std::max(heard_, written_ - std::min<std::uint64_t>(pending, written_));
    while (!inDevice_.empty() && inDevice_.front().endPosition <= heard_) {
      finished.emplace_back(inDevice_.front().tag, true);
      inDevice_.pop_front();
    }
    const bool progressed = Feed(lock, finished);

    if (!finished.empty()) {
      Finished now;
      now.swap(finished);
      lock.unlock();
      if (completion_) {
        for (const auto& [tag, played] : now) completion_(tag, played);
      }
      lock.lock();
      continue;
    }
    if (progressed || quit_ || CommandPending()) continue;
    const bool hadQueued = !queued_.empty();
    const auto woken = [&] { return quit_ || CommandPending() || (!hadQueued && !queued_.empty()); };
    if (!hadQueued && inDevice_.empty() && written_ == heard_) {
      wake_.wait(lock, woken);  // idle: nothing to play or to wait for
    } else {
      wake_.wait_for(lock, slice, woken);  // the device is playing: look again within half a period
    }
  }
  lock.unlock();
  sink_->Drop();
  lock.lock();
  DiscardAll(finished);
  lock.unlock();
  if (completion_) {
    for (const auto& [tag, played] : finished) completion_(tag, played);
  }
}

bool PcmOutput::Feed(std::unique_lock<std::mutex>& lock, Finished& finished) {
  bool progressed = false;
  while (!paused_ && !failed_ && !queued_.empty()) {
    Buffer& buffer = queued_.front();  // stays valid: other threads only append
    if (buffer.nextFrame == buffer.frames) {
      buffer.endPosition = written_;
      inDevice_.push_back(std::move(buffer));
      queued_.pop_front();
      progressed = true;
      continue;
    }
    buffer.startPosition = written_ - buffer.nextFrame;
    const std::int16_t* data = buffer.samples.data() + buffer.nextFrame * channels_;
    const std::size_t wanted = buffer.frames - buffer.nextFrame;
    lock.unlock();
    long taken = sink_->Available();
    if (taken > 0) taken = sink_->Write(data, std::min(wanted, static_cast<std::size_t>(taken)));
    lock.lock();
    if (taken < 0) {
      failed_ = true;
      DiscardAll(finished);
      return true;
    }
    if (taken == 0) break;  // the device buffer is full
    buffer.nextFrame += static_cast<std::size_t>(taken);
    written_ += static_cast<std::uint64_t>(taken);
    progressed = true;
  }
  return progressed;
}

void PcmOutput::ApplyReset(std::unique_lock<std::mutex>& lock, Finished& finished) {
  const std::uint64_t target = resetsRequested_;
  lock.unlock();
  sink_->Drop();
  lock.lock();
  DiscardAll(finished);
  resetsDone_ = target;
}

void PcmOutput::ApplyPause(std::unique_lock<std::mutex>& lock) {
  const bool wanted = pauseWanted_;
  lock.unlock();
  const bool held = sink_->SetPaused(wanted);
  std::size_t pending = 0;
  if (!held && wanted) {
    // The device cannot hold its buffer: drop it and write the unheard frames again on resume.
    pending = sink_->Pending();
    sink_->Drop();
  }
  lock.lock();
  if (!held && wanted) RewindTo(written_ - std::min<std::uint64_t>(pending, written_));
  paused_ = wanted;
}

void PcmOutput::DiscardAll(Finished& finished) {
  for (const Buffer& buffer : inDevice_) finished.emplace_back(buffer.tag, false);
  for (const Buffer& buffer : queued_) finished.emplace_back(buffer.tag, false);
  inDevice_.clear();
  queued_.clear();
  heard_ = written_;
}

void PcmOutput::RewindTo(std::uint64_t position) {
  heard_ = std::max(heard_, position);
  if (!queued_.empty() && queued_.front().nextFrame > 0) {
    Buffer& partial = queued_.front();
    partial.nextFrame =
        position > partial.startPosition
            ? std::min<std::size_t>(partial.nextFrame, static_cast<std::size_t>(position - partial.startPosition))
            : 0;
  }
  while (!inDevice_.empty() && inDevice_.back().endPosition > position) {
    Buffer buffer = std::move(inDevice_.back());
    inDevice_.pop_back();
    buffer.nextFrame = position > buffer.startPosition ? static_cast<std::size_t>(position - buffer.startPosition) : 0;
    queued_.push_front(std::move(buffer));
  }
  written_ = position;
}

}  // namespace orvilo::audio
