// The floating tools palette as the main window sees it. CVyr3ToolsWnd is
// the real window.
#pragma once

#include "platform/win/window.h"

namespace orvilo::shell {

enum class ToolSet { Camera = 0, Image = 1 };

class ToolsPalette : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;
  virtual void SetToolSet(ToolSet set) = 0;
  virtual ToolSet CurrentToolSet() const = 0;
  virtual void RepaintButtons() = 0;
};

}  // namespace orvilo::shell
