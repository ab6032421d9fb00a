// The program's own child windows for the main window.
#pragma once

#include "shell/child_windows.h"

namespace orvilo::shell {

class DefaultChildWindowFactory : public ChildWindowFactory {
 public:
  std::unique_ptr<imageview::ImageView> MakeImageView() override;
  std::unique_ptr<movie::MovieView> MakeMovieView() override;
  std::unique_ptr<camera::CameraView> MakeCameraView() override;
  std::unique_ptr<ar::ArView> MakeArView() override;
  std::unique_ptr<camera::RecordIndicator> MakeRecordIndicator() override;
  std::unique_ptr<TabStrip> MakeTabStrip(int featureVariant, bool korean) override;
  std::unique_ptr<ToolsPalette> MakeToolsPalette() override;
  std::unique_ptr<reading::ReadingPanel> MakeReadingPanel(core::CameraModel model) override;
  std::unique_ptr<ui::ControlBar> MakeControlBar(bool readingBar) override;
};

}  // namespace orvilo::shell
