#include "core/camera_model.h"

namespace orvilo::core {
namespace {

constexpr FrameSize kResolutions[3][7] = {
    {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1600, 1200}, {2048, 1536}},    // A
    {{640, 480}, {1280, 720}, {1280, 1024}, {1600, 1200}, {2048, 1536}, {2592, 1944}, {2048, 1536}},  // B
    {{640, 480}, {800, 600}, {1280, 720}, {1600, 1200}, {2048, 1536}, {2592, 1944}, {2048, 1536}},    // C
};

// The label table differs from the capture table at index 6 of groups B
// and C, which reads "2592 X 1944" while 2048 x 1536 is captured.
constexpr std::string_view kLabels[3][7] = {
    {"640 X 480", "800 X 600", "1024 X 768", "1280 X 720", "1280 X 1024", "1600 X 1200", "2048 X 1536"},
    {"640 X 480", "1280 X 720", "1280 X 1024", "1600 X 1200", "2048 X 1536", "2592 X 1944", "2592 X 1944"},
    {"640 X 480", "800 X 600", "1280 X 720", "1600 X 1200", "2048 X 1536", "2592 X 1944", "2592 X 1944"},
};

int Column(CameraModel model) { return static_cast<int>(GroupOf(model)); }
int Row(ResolutionIndex index) { return (index < 0 || index > 6) ? 6 : index; }

}  // namespace

FrameSize ResolutionOf(CameraModel model, ResolutionIndex index) { return kResolutions[Column(model)][Row(index)]; }

ResolutionIndex ResolutionIndexOf(CameraModel model, FrameSize size) {
  if (GroupOf(model) == CameraGroup::A) {
    switch (size.width) {
      case 640: return 0;
      case 800: return 1;
      case 1024: return 2;
      case 1600: return 5;
      case 2048: return 6;
      default: return size.height == 720 ? 3 : 4;
    }
  }
  switch (size.width) {
    case 640: return 0;
    case 1600: return 3;
    case 2048: return 4;
    case 2592: return 5;
    default: break;
  }
  if (GroupOf(model) == CameraGroup::B) return size.height == 720 ? 1 : 2;
  return size.height == 600 ? 1 : 2;
}

int FrameRateFor(CameraModel model, int height) {
  if (GroupOf(model) == CameraGroup::C) return height >= 1600 ? 10 : 20;
  if (height < 1000) return 30;
  return height <= 1500 ? 15 : 5;
}

std::string_view ResolutionLabel(CameraModel model, ResolutionIndex index) { return kLabels[Column(model)][Row(index)]; }

}  // namespace orvilo::core
