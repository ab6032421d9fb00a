// The mode tabs as the main window sees them. CVyr3TabWnd is the real window.
#pragma once

#include "platform/win/window.h"
#include "core/view_mode.h"

namespace orvilo::shell {

class TabStrip : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;
  // Highlights the tab of `mode` without posting a command.
  virtual void SelectTabOf(ViewMode mode) = 0;
  virtual ViewMode SelectedMode() const = 0;
};

}  // namespace orvilo::shell
