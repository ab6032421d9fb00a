// The AR view as the main window sees it: the grade picture and the
// outside viewer of one textbook unit. CVyr3ARWnd is the real window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ar/ar_content.h"
#include "platform/win/window.h"

namespace orvilo::ar {

// What the main window lends the AR view. Every member may be left empty:
// the program folder is then the running program's, and the parts that
// need the main window are skipped (no picker means Cancel).
struct ArServices {
  std::string programFolder;
  // The chapter picker (page 7 of the settings dialog) for `grade`, preset
  // to `preset`: the chosen unit on OK, nothing on Cancel or close.
  std::function<std::optional<Chapter>(int grade, Chapter preset)> pickChapter;
  // "ARINFO" read afresh; empty gives the default caption format.
  std::function<std::string()> captionFormat;
  // The chosen unit's marker value and caption for the main window's
  // status area (the main window stores them and repaints it).
  std::function<void(int marker, const std::string& caption)> showUnitCaption;
  // The disabled (true) or normal look of an AR bar button.
  std::function<void(int commandId, bool disabled)> setButtonDisabled;
};

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

  // Given by the owner once, before or after the window is created.
  virtual void SetServices(ArServices services) { services_ = std::move(services); }
  const ArServices& Services() const { return services_; }

 private:
  ArServices services_;
};

}  // namespace orvilo::ar
