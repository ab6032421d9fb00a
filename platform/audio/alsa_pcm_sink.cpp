#include "platform/audio/alsa_pcm_sink.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>

#include "platform/audio/alsa_quiet.h"

namespace orvilo::audio {
namespace {

constexpr unsigned kPeriodMicroseconds = 10000;
constexpr unsigned kBufferMicroseconds = 100000;

struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmCloser>;

struct HwParamsFree {
  void operator()(snd_pcm_hw_params_t* p) const { snd_pcm_hw_params_free(p); }
};
struct SwParamsFree {
  void operator()(snd_pcm_sw_params_t* p) const { snd_pcm_sw_params_free(p); }
};

std::string Describe(const char* step, int error) { return std::string(step) + ": " + snd_strerror(error); }

class AlsaPcmSink : public PcmSink {
 public:
  AlsaPcmSink(PcmHandle pcm, int sampleRate, int channels, snd_pcm_uframes_t period, snd_pcm_uframes_t buffer,
              bool canPause)
      : pcm_(std::move(pcm)),
        sampleRate_(sampleRate),
        channels_(channels),
        period_(period),
        buffer_(buffer),
        canPause_(canPause) {}

  ~AlsaPcmSink() override { snd_pcm_drop(pcm_.get()); }

  int SampleRate() const override { return sampleRate_; }
  int Channels() const override { return channels_; }
  std::size_t PeriodFrames() const override { return period_; }

  long Available() override {
    snd_pcm_sframes_t room = snd_pcm_avail_update(pcm_.get());
    if (room < 0) {
      if (Recover(static_cast<int>(room)) < 0) return -1;
      room = snd_pcm_avail_update(pcm_.get());
    }
    return room < 0 ? -1 : static_cast<long>(std::min<snd_pcm_sframes_t>(room, buffer_));
  }

  long Write(const std::int16_t* frames, std::size_t count) override {
    for (int attempt = 0; attempt < 2; ++attempt) {
      const snd_pcm_sframes_t n = snd_pcm_writei(pcm_.get(), frames, count);
      if (n >= 0) return static_cast<long>(n);
      if (n == -EAGAIN) return 0;
      if (Recover(static_cast<int>(n)) < 0) return -1;
    }
    return 0;
  }

  std::size_t Pending() override {
    snd_pcm_sframes_t delay = 0;
    const snd_pcm_state_t state = snd_pcm_state(pcm_.get());
    if (state == SND_PCM_STATE_XRUN || state == SND_PCM_STATE_SETUP) return 0;  // played out
    if (snd_pcm_delay(pcm_.get(), &delay) < 0 || delay <= 0) return 0;
    // Less than the start threshold was written (the end of a stream): start it.
    if (state == SND_PCM_STATE_PREPARED && !paused_) snd_pcm_start(pcm_.get());
    return static_cast<std::size_t>(delay);
  }

  bool SetPaused(bool paused) override {
    if (paused == paused_) return true;
    if (!canPause_) return false;
    const snd_pcm_state_t state = snd_pcm_state(pcm_.get());
    if (paused) {
      // A device that is not running has nothing to hold; Pending() will not start it while paused.
      hardwarePaused_ = state == SND_PCM_STATE_RUNNING && snd_pcm_pause(pcm_.get(), 1) == 0;
    } else if (hardwarePaused_) {
      if (snd_pcm_pause(pcm_.get(), 0) < 0) Recover(-EPIPE);
      hardwarePaused_ = false;
    }
    paused_ = paused;
    return true;
  }

  void Drop() override {
    snd_pcm_drop(pcm_.get());
    snd_pcm_prepare(pcm_.get());
    paused_ = false;
    hardwarePaused_ = false;
  }

 private:
  // Underruns (the stream ran dry) and suspends are normal; anything else is fatal.
  int Recover(int error) { return snd_pcm_recover(pcm_.get(), error, 1); }

  PcmHandle pcm_;
  int sampleRate_;
  int channels_;
  snd_pcm_uframes_t period_;
  snd_pcm_uframes_t buffer_;
  bool canPause_;
  bool paused_ = false;
  bool hardwarePaused_ = false;
};

}  // namespace

std::unique_ptr<PcmSink> OpenAlsaPcmSink(const std::string& device, int sampleRate, int channels,
                                         std::string& why) {
  AlsaQuietScope quiet;
  snd_pcm_t* raw = nullptr;
  int rc = snd_pcm_open(&raw, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (rc < 0) {
    why = Describe(("cannot open ALSA device \"" + device + "\"").c_str(), rc);
    return nullptr;
  }
  PcmHandle pcm(raw);

  snd_pcm_hw_params_t* hwRaw = nullptr;
  snd_pcm_hw_params_malloc(&hwRaw);
  std::unique_ptr<snd_pcm_hw_params_t, HwParamsFree> hw(hwRaw);
  unsigned rate = static_cast<unsigned>(sampleRate);
  unsigned periodTime = kPeriodMicroseconds;
  unsigned bufferTime = kBufferMicroseconds;
  if ((rc = snd_pcm_hw_params_any(pcm.get(), hw.get())) < 0 ||
      (rc = snd_pcm_hw_params_set_rate_resample(pcm.get(), hw.get(), 1)) < 0 ||
      (rc = snd_pcm_hw_params_set_access(pcm.get(), hw.get(), SND_PCM_ACCESS_RW_INTERLEAVED)) < 0 ||
      (rc = snd_pcm_hw_params_set_format(pcm.get(), hw.get(), SND_PCM_FORMAT_S16_LE)) < 0 ||
      (rc = snd_pcm_hw_params_set_channels(pcm.get(), hw.get(), static_cast<unsigned>(channels))) < 0 ||
      (rc = snd_pcm_hw_params_set_rate_near(pcm.get(), hw.get(), &rate, nullptr)) < 0 ||
      (rc = snd_pcm_hw_params_set_buffer_time_near(pcm.get(), hw.get(), &bufferTime, nullptr)) < 0 ||
      (rc = snd_pcm_hw_params_set_period_time_near(pcm.get(), hw.get(), &periodTime, nullptr)) < 0 ||
      (rc = snd_pcm_hw_params(pcm.get(), hw.get())) < 0) {
    why = Describe("cannot configure the ALSA device", rc);
    return nullptr;
  }
  if (rate != static_cast<unsigned>(sampleRate)) {
    why = "the ALSA device does not play " + std::to_string(sampleRate) + " Hz";
    return nullptr;
  }
  snd_pcm_uframes_t period = 0;
  snd_pcm_uframes_t buffer = 0;
  snd_pcm_hw_params_get_period_size(hw.get(), &period, nullptr);
  snd_pcm_hw_params_get_buffer_size(hw.get(), &buffer);
  const bool canPause = snd_pcm_hw_params_can_pause(hw.get()) != 0;

  snd_pcm_sw_params_t* swRaw = nullptr;
  snd_pcm_sw_params_malloc(&swRaw);
  std::unique_ptr<snd_pcm_sw_params_t, SwParamsFree> sw(swRaw);
  // Start as soon as one period is there: the first word is heard 10 ms after it arrives.
  if ((rc = snd_pcm_sw_params_current(pcm.get(), sw.get())) < 0 ||
      (rc = snd_pcm_sw_params_set_start_threshold(pcm.get(), sw.get(), std::max<snd_pcm_uframes_t>(period, 1))) < 0 ||
      (rc = snd_pcm_sw_params_set_avail_min(pcm.get(), sw.get(), std::max<snd_pcm_uframes_t>(period, 1))) < 0 ||
      (rc = snd_pcm_sw_params(pcm.get(), sw.get())) < 0 || (rc = snd_pcm_prepare(pcm.get())) < 0) {
    why = Describe("cannot configure the ALSA device", rc);
    return nullptr;
  }
  return std::make_unique<AlsaPcmSink>(std::move(pcm), sampleRate, channels, std::max<snd_pcm_uframes_t>(period, 1),
                                       std::max<snd_pcm_uframes_t>(buffer, 1), canPause);
}

}  // namespace orvilo::audio
