// What the connected camera model decides in the shell: the caption, the
// feature variant (bit 0: reading tab, bit 1: AR tab) and the tab set.
#pragma once

#include <string>
#include <vector>

#include "core/camera_model.h"
#include "core/view_mode.h"

namespace orvilo::core {

constexpr int FeatureVariantOf(core::CameraModel model) {
  switch (model) {
    case 2:
    case 5:
    case 7: return 1;
    case 3: return 2;
    case 4:
    case 6:
    case 8: return 3;
    default: return 0;
  }
}

constexpr bool HasReadingTab(int variant) { return (variant & 1) != 0; }
constexpr bool HasArTab(int variant) { return (variant & 2) != 0; }

// The settings key "TITLE" when set, else the model's default caption
// (empty for no camera).
std::string MainWindowCaption(core::CameraModel model, const std::string& title);

// Modes of the tabs, left to right; the movie tab is always last.
std::vector<ViewMode> TabModes(int variant);

}  // namespace orvilo::core
