// Time-lapse recording: of the camera's stream only one frame every N
// seconds goes into the file, and the kept frames are stamped as
// consecutive frames of a 30 fps movie, so an hour at one frame a minute
// plays in two seconds.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

typedef struct _GstElement GstElement;

namespace orvilo::media {

inline constexpr int kTimeLapseFramesPerSecond = 30;

// Which frames of the stream are kept, by their timestamps (nanoseconds):
// the first at once, then the first one at or after each further interval.
// Intervals are counted from the first frame, so the rhythm does not drift
// with the camera's frame spacing; after a gap longer than an interval (a
// camera that stalled) the next one is counted from the frame that ends it.
class TimeLapseClock {
 public:
  explicit TimeLapseClock(int seconds);
  // The timestamp the frame gets in the file when it is kept.
  std::optional<std::uint64_t> Take(std::uint64_t timestampNs);
  int Seconds() const { return seconds_; }
  // Frames kept so far (read from any thread).
  int Frames() const { return frames_.load(); }

 private:
  int seconds_;
  std::uint64_t intervalNs_;
  bool started_ = false;
  std::uint64_t dueNs_ = 0;
  std::atomic<int> frames_{0};
};

// Puts the clock between the recording graph's video valve and its
// multiplexer: the frames it does not keep are dropped there, the kept ones
// restamped, and the stream's caps say 30 fps. The clock must outlive the
// graph's streaming (it is used on the streaming thread). False when the
// graph has no video valve.
bool AttachTimeLapse(GstElement* pipeline, TimeLapseClock& clock);

}  // namespace orvilo::media
