// CVyr3CameraWnd: the filmstrip of the stills written since the program
// started. A click on a thumbnail and a drop of one outside the strip go to
// the main window as messages (kOpenStill, kCompareStill, wParam = the
// still's place); the handle acts as the bar's Filmstrip button.
#include "camera/camera_window.h"
#include "camera/filmstrip_window.h"
#include "core/command_ids.h"
#include "platform/gdi/qimage_conversion.h"

namespace orvilo::camera {

void CVyr3CameraWnd::MakeFilmstrip() {
  filmstrip_ = new CVyrFilmstripWnd(stills_, this);
  const auto post = [this](std::uint32_t id, int index) {
    if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostMessage(id, static_cast<std::uintptr_t>(index));
  };
  filmstrip_->onHandle = [this] { PostToMainWindow(command::kFilmstrip); };
  filmstrip_->onOpen = [post](int index) { post(message::kOpenStill, index); };
  filmstrip_->onCompare = [post](int index) { post(message::kCompareStill, index); };
}

void CVyr3CameraWnd::ShowFilmstrip(bool show) { filmstrip_->SetOpen(show); }

bool CVyr3CameraWnd::FilmstripShown() const { return filmstrip_->IsOpen(); }

void CVyr3CameraWnd::AddStill(const std::string& path, const gdi::PackedDib& picture) {
  if (stills_.Add(path, gdi::ToQImage(picture))) filmstrip_->StillAdded();
}

}  // namespace orvilo::camera
