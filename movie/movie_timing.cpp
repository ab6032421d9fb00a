#include "movie/movie_timing.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace orvilo::movie {

double RateForSpeedEntry(int entry) {
  static constexpr std::array<double, kSpeedEntryCount> kRates = {0.5, 0.6, 0.7, 0.8, 0.9, 1.0,
                                                                   1.2, 1.4, 1.6, 1.8, 2.0};
  if (entry < 0 || entry >= kSpeedEntryCount) return 1.0;
  return kRates[static_cast<std::size_t>(entry)];
}

int WholeSeconds(std::int64_t nanoseconds) {
  if (nanoseconds <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(nanoseconds / kNanosecondsPerSecond, INT32_MAX));
}

std::string PositionText(int seconds) {
  seconds = std::max(seconds, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

int SeekPercentSeconds(int percent, int durationSeconds) {
  const std::int64_t p = std::clamp(percent, 0, 100);
  return static_cast<int>(p * std::max(durationSeconds, 0) / 100);
}

std::int64_t SkipBackTarget(std::int64_t position) { return std::max<std::int64_t>(position - kSkipStep, 0); }

std::optional<std::int64_t> SkipForwardTarget(std::int64_t position, std::int64_t duration) {
  const std::int64_t target = std::max<std::int64_t>(position, 0) + kSkipStep;
  if (duration >= 0 && target >= duration) return std::nullopt;
  return target;
}

ViewRect PictureRect(int frameWidth, int frameHeight, int viewWidth, int viewHeight, bool keepAspect) {
  if (frameWidth <= 0 || frameHeight <= 0 || viewWidth <= 0 || viewHeight <= 0) return {};
  if (!keepAspect) return {0, 0, viewWidth, viewHeight};
  const std::int64_t fw = frameWidth, fh = frameHeight, vw = viewWidth, vh = viewHeight;
  int width = viewWidth;
  int height = viewHeight;
  if (fw * vh > vw * fh) {
    // Wider than the view: full width, bars above and below.
    height = static_cast<int>((vw * fh * 2 + fw) / (fw * 2));  // rounded
  } else {
    width = static_cast<int>((vh * fw * 2 + fh) / (fh * 2));
  }
  width = std::max(width, 1);
  height = std::max(height, 1);
  return {(viewWidth - width) / 2, (viewHeight - height) / 2, width, height};
}

ViewRect ControlBarBand(int viewWidth, int viewHeight) {
  return {(viewWidth - kControlBandWidth) / 2, viewHeight - kControlBandHeight, kControlBandWidth, kControlBandHeight};
}

}  // namespace orvilo::movie
