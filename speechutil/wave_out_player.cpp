#include "speechutil/wave_out_player.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/audio/pcm_output.h"

namespace orvilo::speechutil {
namespace {

// Tags of queued buffers: a ring slot, or a mark (above every slot).
constexpr std::uint64_t kMarkTag = std::uint64_t{1} << 32;

// The wave-output error numbers the player reports.
constexpr int kNoDriver = 6;
constexpr int kDeviceOutputError = 5;

}  // namespace

std::string WaveOutErrorText(int code) {
  switch (code) {
    case 2: return "The specified device ID is out of range.";
    case 4: return "The specified resource is already allocated.";
    case 5: return "The specified device handle is invalid.";
    case 6: return "No device driver is present.";
    case 7: return "Unable to allocate or lock memory.";
    case 8: return "Specified device is synchronous and does not support pausing.";
    case 32: return "The system attempted to open with an unsupported wave format";
    case 33: return "There are still buffers in the queue.";
    case 34: return "The lpWaveInHdr buffer hasn't been prepared.";
    default: return "Error code is " + std::to_string(code) + ".";
  }
}

CWaveOutPlayer::CWaveOutPlayer(int rate, Reporter reporter)
    : rate_(rate), reporter_(std::move(reporter)), buffers_(kBufferCount) {}

std::unique_ptr<CWaveOutPlayer> CWaveOutPlayer::Open(int rate, Reporter reporter) {
  std::unique_ptr<CWaveOutPlayer> player(new CWaveOutPlayer(rate, std::move(reporter)));
  std::string error;
  CWaveOutPlayer* self = player.get();
  player->output_ = audio::PcmOutput::Open(
      rate, 1, [self](std::uint64_t tag, bool played) { self->Completed(tag, played); }, &error);
  if (!player->output_) {
    if (player->reporter_) {
      player->reporter_(WaveOutErrorText(kNoDriver) + "\n" + error, "Wave Out Device Open Error !");
    }
    return nullptr;
  }
  return player;
}

CWaveOutPlayer::~CWaveOutPlayer() { Close(); }

void CWaveOutPlayer::Completed(std::uint64_t tag, bool played) {
  std::function<void()> heard;
  {
    std::lock_guard lock(ringLock_);
    if (tag >= kMarkTag) {
      auto mark = marks_.find(tag);
      if (mark != marks_.end()) {
        if (played && !stopRequested_) heard = std::move(mark->second);
        marks_.erase(mark);
      }
    } else if (playing_) {
      done_ = (done_ + 1) % kBufferCount;
    }
  }
  changed_.notify_all();
  if (heard) heard();
}

bool CWaveOutPlayer::Write(const void* samples, std::size_t bytes) {
  const auto* in = static_cast<const std::uint8_t*>(samples);
  const auto wait = std::chrono::milliseconds(3 * BufferMilliseconds());
  while (bytes > 0) {
    const std::size_t piece = std::min<std::size_t>(bytes, kBufferBytes) & ~std::size_t{1};
    if (piece == 0) break;  // half a sample cannot be played
    int slot = 0;
    {
      std::unique_lock lock(ringLock_);
      // The writer sleeps while the ring is full; a completion or a stop wakes it.
      while ((write_ + 1) % kBufferCount == done_ && !stopRequested_) changed_.wait_for(lock, wait);
      if (stopRequested_) return false;
      slot = write_;
      std::memcpy(buffers_[static_cast<std::size_t>(slot)].data(), in, piece);
      playing_ = true;
      write_ = (write_ + 1) % kBufferCount;
    }
    output_->Queue(reinterpret_cast<const std::int16_t*>(buffers_[static_cast<std::size_t>(slot)].data()), piece / 2,
                   static_cast<std::uint64_t>(slot));
    if (output_->Failed()) {
      bool report = false;
      {
        std::lock_guard lock(ringLock_);
        report = !failureReported_;
        failureReported_ = true;
      }
      if (report && reporter_) reporter_(WaveOutErrorText(kDeviceOutputError), "Device output error !");
    }
    in += piece;
    bytes -= piece;
  }
  return true;
}

void CWaveOutPlayer::Mark(std::function<void()> heard) {
  std::uint64_t tag = 0;
  {
    std::lock_guard lock(ringLock_);
    if (stopRequested_) return;
    tag = kMarkTag + nextMark_++;
    marks_.emplace(tag, std::move(heard));
  }
  output_->Queue(nullptr, 0, tag);
}

void CWaveOutPlayer::Drain() {
  std::unique_lock lock(ringLock_);
  changed_.wait_for(lock, std::chrono::milliseconds(kBufferCount * BufferMilliseconds() + 1000),
                    [this] { return stopRequested_ || (done_ + 1) % kBufferCount == write_; });
  playing_ = false;
}

void CWaveOutPlayer::RequestStop() {
  {
    std::lock_guard lock(ringLock_);
    stopRequested_ = true;
    playing_ = false;
    done_ = 0;
    write_ = 1;
    marks_.clear();
  }
  changed_.notify_all();
  std::lock_guard lock(outputLock_);
  if (output_) output_->Reset();
}

bool CWaveOutPlayer::StopRequested() const {
  std::lock_guard lock(ringLock_);
  return stopRequested_;
}

void CWaveOutPlayer::Close() {
  if (closed_ || !output_) return;
  closed_ = true;
  if (!StopRequested()) Drain();
  std::lock_guard lock(outputLock_);
  output_.reset();  // discards anything left and closes the device
}

int CWaveOutPlayer::WriteIndex() const {
  std::lock_guard lock(ringLock_);
  return write_;
}

int CWaveOutPlayer::DoneIndex() const {
  std::lock_guard lock(ringLock_);
  return done_;
}

}  // namespace orvilo::speechutil
