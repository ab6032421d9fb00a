// A PCM playback device as the output thread sees it: 16-bit signed
// interleaved frames, written without blocking into a short device buffer
// that the device plays at its sample rate.
//
// Only one thread (the owning PcmOutput's) ever calls a sink, so sinks need
// no locking. Frame counts are per channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orvilo::audio {

class PcmSink {
 public:
  virtual ~PcmSink() = default;

  virtual int SampleRate() const = 0;
  virtual int Channels() const = 0;
  // The device's transfer unit; the output thread writes and waits in these.
  virtual std::size_t PeriodFrames() const = 0;

  // Frames that can be written now without blocking; negative on a device
  // failure the sink could not recover from.
  virtual long Available() = 0;
  // Writes at most Available() frames; returns the frames taken or a
  // negative value on an unrecoverable failure. Playback starts by itself.
  virtual long Write(const std::int16_t* frames, std::size_t count) = 0;
  // Frames written but not yet heard (0 once the device has played out).
  virtual std::size_t Pending() = 0;
  // Holds or continues playback without losing what is pending; false when
  // the device cannot pause (the caller then drops and rewrites instead).
  virtual bool SetPaused(bool paused) = 0;
  // Discards everything pending at once; the sink stays ready for writes.
  virtual void Drop() = 0;
};

}  // namespace orvilo::audio
