#include "shell/default_child_factory.h"

#include "ar/ar_window.h"
#include "camera/camera_window.h"
#include "movie/movie_window.h"
#include "camera/record_window.h"
#include "imageview/image_window.h"
#include "ui/control_window.h"
#include "reading/sub_library_window.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/ui_language.h"
#include "shell/ar_chapter_picker.h"
#include "shell/tab_window.h"
#include "shell/tools_window.h"

namespace orvilo::shell {

std::unique_ptr<imageview::ImageView> DefaultChildWindowFactory::MakeImageView() {
  return std::make_unique<imageview::CVyr3ImageWnd>();
}
std::unique_ptr<movie::MovieView> DefaultChildWindowFactory::MakeMovieView() {
  return std::make_unique<movie::CVyr3MovieWnd>();
}
std::unique_ptr<camera::CameraView> DefaultChildWindowFactory::MakeCameraView() {
  return std::make_unique<camera::CVyr3CameraWnd>();
}
std::unique_ptr<ar::ArView> DefaultChildWindowFactory::MakeArView() {
  auto view = std::make_unique<ar::CVyr3ARWnd>();
  view->SetServices(StandaloneArServices(*view, sys::ProgramFolder(), sys::SystemUiLanguage()));
  return view;
}
std::unique_ptr<camera::RecordIndicator> DefaultChildWindowFactory::MakeRecordIndicator() {
  return std::make_unique<camera::CVyr3RecordWnd>();
}
std::unique_ptr<TabStrip> DefaultChildWindowFactory::MakeTabStrip(int featureVariant, bool korean) {
  return std::make_unique<CVyr3TabWnd>(featureVariant, korean);
}
std::unique_ptr<ToolsPalette> DefaultChildWindowFactory::MakeToolsPalette() { return std::make_unique<CVyr3ToolsWnd>(); }
std::unique_ptr<reading::ReadingPanel> DefaultChildWindowFactory::MakeReadingPanel(core::CameraModel model) {
  return std::make_unique<reading::CVyr3SubLibraryWnd>(model);
}
std::unique_ptr<ui::ControlBar> DefaultChildWindowFactory::MakeControlBar(bool readingBar) {
  return std::make_unique<ui::CVyr3ControlWnd>(readingBar);
}

}  // namespace orvilo::shell
