// The AR view as the main window sees it: the grade picture and the
// outside viewer of one textbook unit. CVyr3ARWnd is the real window.
#pragma once

#include "platform/win/window.h"

namespace orvilo::ar {

class ArView : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  // Carries out an AR command-bar command (1095..1110) that acts on the view
  // or its viewer.
  virtual void OnBarCommand(int commandId) = 0;
  virtual bool HasViewer() const = 0;
  // Closes a running viewer; true when one was closed.
  virtual bool CloseViewer() = 0;
  // Whether AR content is installed for grade 1..6.
  virtual bool GradeHasContent(int grade) const = 0;
};

}  // namespace orvilo::ar
