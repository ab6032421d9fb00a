// Camera models, their groups and the resolution tables that depend on them.
#pragma once

#include <string_view>

namespace orvilo::core {

// 0 = no known camera; 1..8 from the USB product identifier.
using CameraModel = int;
inline constexpr CameraModel kNoCamera = 0;
inline constexpr CameraModel kDemoCameraModel = 8;

enum class CameraGroup { A, B, C };

constexpr CameraGroup GroupOf(CameraModel model) {
  if (model == 5 || model == 6) return CameraGroup::B;
  if (model == 7 || model == 8) return CameraGroup::C;
  return CameraGroup::A;
}

// Index into the group's resolution column, 0..6 (settings key "RESOLUTION").
using ResolutionIndex = int;
inline constexpr ResolutionIndex kDefaultResolutionIndex = 2;

struct FrameSize {
  int width;
  int height;
  bool operator==(const FrameSize&) const = default;
};

// Capture size of an index in the model's group; indices outside 0..6 are
// treated as 6.
FrameSize ResolutionOf(CameraModel model, ResolutionIndex index);

// The index a capture size is saved as (by width first; see the table).
ResolutionIndex ResolutionIndexOf(CameraModel model, FrameSize size);

// Frames per second requested for a capture height.
int FrameRateFor(CameraModel model, int height);

// The label of the main window's resolution text ("1280 X 720").
std::string_view ResolutionLabel(CameraModel model, ResolutionIndex index);

}  // namespace orvilo::core
