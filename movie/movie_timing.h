// The arithmetic of movie playback, free of the toolkit and of the media
// pipeline: the speed table, seek targets, the position text and where the
// picture and the control-bar band lie in the view. Times are nanoseconds,
// as the pipeline counts them; what the main window is told is whole seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvilo::movie {

inline constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
inline constexpr std::int64_t kSkipStep = 10 * kNanosecondsPerSecond;

// The number of speed entries of the movie control bar.
inline constexpr int kSpeedEntryCount = 11;
// The entry that plays at normal speed.
inline constexpr int kNormalSpeedEntry = 5;

// The playback rate of a speed entry: 0.5 … 1.0 in steps of 0.1 for entries
// 0–5, then 1.2 … 2.0 in steps of 0.2; any other entry plays at 1.0.
double RateForSpeedEntry(int entry);

// Whole seconds of a time, truncated; unknown (negative) times count as 0.
int WholeSeconds(std::int64_t nanoseconds);

// "hh:mm:ss" (two digits at least for each field) of a time in seconds;
// negative values read as 0.
std::string PositionText(int seconds);

// The target of a seek to `percent` of a movie of `durationSeconds` whole
// seconds, in whole seconds: percent × duration ÷ 100, integer division.
// The percentage is held to 0–100, so a stray value never seeks outside the
// movie.
int SeekPercentSeconds(int percent, int durationSeconds);

// Ten seconds back from `position`, not before the start.
std::int64_t SkipBackTarget(std::int64_t position);

// Ten seconds on from `position`; empty when that reaches or passes the end
// `duration` (the movie then stops and rewinds). An unknown (negative)
// duration sets no end.
std::optional<std::int64_t> SkipForwardTarget(std::int64_t position, std::int64_t duration);

struct ViewRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
  friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

// Where a frame of frameWidth × frameHeight is drawn in a view of
// viewWidth × viewHeight: the whole view when stretched; with `keepAspect`
// the largest rectangle of the frame's shape, centred, the rest left as bars.
// Empty when either size is empty.
ViewRect PictureRect(int frameWidth, int frameHeight, int viewWidth, int viewHeight, bool keepAspect);

// The band along the bottom of the view where the pointer calls up the movie
// control bar: 500 pixels wide, centred, the bottom 36 pixels.
inline constexpr int kControlBandWidth = 500;
inline constexpr int kControlBandHeight = 36;
ViewRect ControlBarBand(int viewWidth, int viewHeight);

}  // namespace orvilo::movie
