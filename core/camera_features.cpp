#include "core/camera_features.h"

namespace orvilo::core {

std::string MainWindowCaption(core::CameraModel model, const std::string& title) {
  if (!title.empty()) return title;
  if (model == 1) return "QEL-3.2";
  if (model >= 2 && model <= 4) return "QEL-3.2T";
  if (model >= 5 && model <= 8) return "WRM-5.0";
  return {};
}

std::vector<ViewMode> TabModes(int variant) {
  std::vector<ViewMode> modes{ViewMode::Camera, ViewMode::Image};
  if (HasReadingTab(variant)) modes.push_back(ViewMode::Reading);
  if (HasArTab(variant)) modes.push_back(ViewMode::AR);
  modes.push_back(ViewMode::Movie);
  return modes;
}

}  // namespace orvilo::core
