// The main window's zoom: a percentage from 25 to 1000 in steps of 25 from
// the buttons, or a value chosen from the zoom list. Not saved.
#pragma once

#include <array>

namespace orvilo::core {

inline constexpr int kMinimumZoomPercent = 25;
inline constexpr int kMaximumZoomPercent = 1000;
inline constexpr int kZoomStep = 25;
inline constexpr std::array<int, 13> kZoomListValues = {25, 50, 75, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};

constexpr int ZoomedIn(int percent) { return percent + kZoomStep > kMaximumZoomPercent ? kMaximumZoomPercent : percent + kZoomStep; }
constexpr int ZoomedOut(int percent) { return percent - kZoomStep < kMinimumZoomPercent ? kMinimumZoomPercent : percent - kZoomStep; }

// The zoom-list entry selected for a percentage: the largest value not
// above it (25 for anything below 50, 1000 for 1000 and above).
constexpr int ZoomListIndexFor(int percent) {
  int index = 0;
  for (int i = 0; i < static_cast<int>(kZoomListValues.size()); ++i) {
    if (percent >= kZoomListValues[i]) index = i;
  }
  return index;
}

constexpr double ZoomFactor(int percent) { return percent / 100.0; }

}  // namespace orvilo::core
