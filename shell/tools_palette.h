// The floating tools palette as the main window sees it. CVyr3ToolsWnd is
// the real window.
#pragma once

#include "platform/win/window.h"

namespace orvilo::shell {

// The camera tools, the image tools, or the pen tools of the drawing over
// the live picture (pen .. shapes, the first seven image tools).
enum class ToolSet { Camera = 0, Image = 1, LiveDrawing = 2 };

class ToolsPalette : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;
  virtual void SetToolSet(ToolSet set) = 0;
  virtual ToolSet CurrentToolSet() const = 0;
  virtual void RepaintButtons() = 0;
  // Opens the picker of an image tool (colour 1536, pen type 1537, shapes
  // 1540, board 1541) beside its button, as its button does; a choice is
  // sent as message 1575.
  virtual void OpenPicker(int commandId) = 0;
};

}  // namespace orvilo::shell
