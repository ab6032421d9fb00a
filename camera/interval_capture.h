// Interval capture: a still every N seconds into the image folder while the
// live picture runs; and the naming and count of time-lapse recordings.
// This is the schedule and naming, toolkit-free; the camera view owns the
// timer, takes the pictures and draws the count.
#pragma once

#include <string>

#include "platform/sys/local_time.h"

namespace orvilo::camera {

inline constexpr int kShortestInterval = 1;     // seconds
inline constexpr int kLongestInterval = 3600;   // one hour

// Seconds clamped to 1 s .. 1 h.
constexpr int ClampInterval(int seconds) {
  return seconds < kShortestInterval ? kShortestInterval : seconds > kLongestInterval ? kLongestInterval : seconds;
}

// "20261210143005-0007.bmp": the local time and the still's number in the
// run, so stills a second apart (or two in one second) never replace each
// other and sort in the order they were taken.
std::string IntervalStillName(const sys::LocalTime& time, int number);

// "10 s", "5 min": an interval as the overlay says it.
std::string IntervalText(int seconds);

// "20261210143005-timelapse.avi": a time-lapse file by its start time.
std::string TimeLapseName(const sys::LocalTime& time);

// The time-lapse count on the picture: "Time-lapse 10 s · 42" (frames).
std::string TimeLapseOverlayText(int seconds, int frames);

class IntervalCapture {
 public:
  void Start(std::string folder, int seconds);
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  int Seconds() const { return seconds_; }
  const std::string& Folder() const { return folder_; }
  // Stills written in this run.
  int Count() const { return count_; }
  // The path of the next still; the count goes up only when it was written.
  std::string NextPath(const sys::LocalTime& now) const;
  void Written() { ++count_; }
  // The text drawn on the picture: "Interval 10 s · 3".
  std::string OverlayText() const;

 private:
  bool running_ = false;
  int seconds_ = 10;
  int count_ = 0;
  std::string folder_;
};

}  // namespace orvilo::camera
