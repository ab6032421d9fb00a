// The blinking recording indicator. CVyr3RecordWnd is the real window.
#pragma once

#include "platform/win/window.h"

namespace orvilo::camera {

class RecordIndicator : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;
  // Starts blinking; false while already blinking or without its picture.
  virtual bool StartBlinking() = 0;
  virtual void StopBlinking() = 0;
};

}  // namespace orvilo::camera
