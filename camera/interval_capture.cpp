#include "camera/interval_capture.h"

#include <cstdio>

#include "platform/sys/program_folder.h"

namespace orvilo::camera {

std::string IntervalStillName(const sys::LocalTime& time, int number) {
  char name[48];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d-%04d.bmp", time.year, time.month, time.day, time.hour,
                time.minute, time.second, number);
  return name;
}

void IntervalCapture::Start(std::string folder, int seconds) {
  folder_ = std::move(folder);
  seconds_ = ClampInterval(seconds);
  count_ = 0;
  running_ = true;
}

std::string IntervalCapture::NextPath(const sys::LocalTime& now) const {
  return sys::JoinPath(folder_, IntervalStillName(now, count_ + 1));
}

std::string IntervalText(int seconds) {
  return seconds % 60 == 0 ? std::to_string(seconds / 60) + " min" : std::to_string(seconds) + " s";
}

std::string TimeLapseName(const sys::LocalTime& time) {
  char name[48];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d-timelapse.avi", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return name;
}

std::string TimeLapseOverlayText(int seconds, int frames) {
  return "Time-lapse " + IntervalText(seconds) + " \xC2\xB7 " + std::to_string(frames < 0 ? 0 : frames);
}

std::string IntervalCapture::OverlayText() const {
  return "Interval " + IntervalText(seconds_) + " \xC2\xB7 " + std::to_string(count_);
}

}  // namespace orvilo::camera
