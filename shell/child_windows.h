// The main window's ten child windows: who makes them, and the table the
// main window keeps of them (index order = creation order = destruction
// order; an entry is null when its window failed to create).
#pragma once

#include <memory>

#include "ar/ar_view.h"
#include "core/camera_model.h"
#include "camera/camera_view.h"
#include "movie/movie_view.h"
#include "camera/record_indicator.h"
#include "imageview/image_view.h"
#include "ui/control_bar.h"
#include "reading/reading_panel.h"
#include "shell/tab_strip.h"
#include "shell/tools_palette.h"

namespace orvilo::shell {

enum ChildIndex {
  kImageViewIndex = 0,
  kMovieViewIndex = 1,
  kCameraViewIndex = 2,
  kArViewIndex = 3,
  kRecordIndicatorIndex = 4,
  kTabStripIndex = 5,
  kToolsPaletteIndex = 6,
  kReadingPanelIndex = 7,
  kReadingBarIndex = 8,
  kMovieBarIndex = 9,
  kChildCount = 10
};

// Makes the child windows (not yet created as windows: the main window
// gives them their parent, name, identifier and place). Returning null is
// a failed creation.
class ChildWindowFactory {
 public:
  virtual ~ChildWindowFactory() = default;
  virtual std::unique_ptr<imageview::ImageView> MakeImageView() = 0;
  virtual std::unique_ptr<movie::MovieView> MakeMovieView() = 0;
  virtual std::unique_ptr<camera::CameraView> MakeCameraView() = 0;
  virtual std::unique_ptr<ar::ArView> MakeArView() = 0;
  virtual std::unique_ptr<camera::RecordIndicator> MakeRecordIndicator() = 0;
  virtual std::unique_ptr<TabStrip> MakeTabStrip(int featureVariant, bool korean) = 0;
  virtual std::unique_ptr<ToolsPalette> MakeToolsPalette() = 0;
  virtual std::unique_ptr<reading::ReadingPanel> MakeReadingPanel(core::CameraModel model) = 0;
  virtual std::unique_ptr<ui::ControlBar> MakeControlBar(bool readingBar) = 0;
};

struct ChildWindows {
  std::unique_ptr<imageview::ImageView> image;
  std::unique_ptr<movie::MovieView> movie;
  std::unique_ptr<camera::CameraView> camera;
  std::unique_ptr<ar::ArView> ar;
  std::unique_ptr<camera::RecordIndicator> record;
  std::unique_ptr<TabStrip> tabs;
  std::unique_ptr<ToolsPalette> tools;
  std::unique_ptr<reading::ReadingPanel> reading;
  std::unique_ptr<ui::ControlBar> readingBar;
  std::unique_ptr<ui::ControlBar> movieBar;

  // The window of entry `index` (null when empty).
  win::Window* At(int index) const;
  // Destroys the windows in index order.
  void DestroyAll();
};

}  // namespace orvilo::shell
