#include "shell/modes/stage.h"

#include "platform/win/geometry.h"
#include "shell/child_windows.h"
#include "shell/frame_geometry.h"

namespace orvilo::shell {

Stage::Stage(ChildWindows& children, std::function<gdi::Size()> clientSize)
    : children_(children), clientSize_(std::move(clientSize)) {}

void Stage::PlaceInContent(win::Window* view) const {
  if (view) view->setGeometry(win::ToQRect(ContentRect(ClientSize())));
}

void Stage::ShowOnly(const win::Window* wanted) const {
  for (win::Window* view : {static_cast<win::Window*>(children_.image.get()),
                            static_cast<win::Window*>(children_.movie.get()),
                            static_cast<win::Window*>(children_.camera.get()),
                            static_cast<win::Window*>(children_.ar.get())}) {
    if (view == nullptr) continue;
    const bool shown = view == wanted;
    if (view->isVisibleTo(view->parentWidget()) != shown) view->setVisible(shown);
  }
  if (wanted != nullptr && wanted == children_.image.get()) children_.image->update();
  if (wanted != nullptr && wanted == children_.ar.get()) children_.ar->update();
  RaisePalette();
}

void Stage::RaisePalette() const { Raise(children_.tools.get()); }

void Stage::ShowPalette(ToolSet set) const {
  ToolsPalette* tools = children_.tools.get();
  if (!tools) return;
  tools->SetToolSet(set);
  if (!PaletteVisible()) {
    tools->show();
    tools->raise();
  }
}

void Stage::HidePalette() const {
  if (PaletteVisible()) children_.tools->hide();
}

bool Stage::PaletteVisible() const {
  return children_.tools && children_.tools->isVisibleTo(children_.tools->parentWidget());
}

void Stage::Raise(QWidget* window) {
  if (window) window->raise();
}

}  // namespace orvilo::shell
