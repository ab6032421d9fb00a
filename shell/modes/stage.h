// The views of the content area as the modes place them: which of the four
// views shows, where a view stands, and the floating tools palette that
// stays above them. Placement rules are the constexpr functions of
// frame_geometry.h; this is only where they meet the windows.
#pragma once

#include <functional>

#include "platform/gdi/rect.h"
#include "shell/tools_palette.h"

class QWidget;

namespace orvilo::win {
class Window;
}

namespace orvilo::shell {

struct ChildWindows;

class Stage {
 public:
  // `clientSize` gives the main window's client size when asked.
  Stage(ChildWindows& children, std::function<gdi::Size()> clientSize);

  gdi::Size ClientSize() const { return clientSize_(); }
  // The view fills the content rectangle (nothing for a missing view).
  void PlaceInContent(win::Window* view) const;
  // Shows `view` and hides the other views of the content area (image,
  // movie, camera, AR); a view already in the wanted state is left alone.
  // The image and AR views repaint when shown; the palette stays on top.
  void ShowOnly(const win::Window* view) const;
  void RaisePalette() const;
  // The palette with the tools of `set`, shown and raised when hidden.
  void ShowPalette(ToolSet set) const;
  void HidePalette() const;
  bool PaletteVisible() const;
  // To the top of the window order, without moving or activating.
  static void Raise(QWidget* window);

 private:
  ChildWindows& children_;
  std::function<gdi::Size()> clientSize_;
};

}  // namespace orvilo::shell
