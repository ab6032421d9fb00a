// The about dialog (100) of the speech editor: its picture, one line per
// engine language from the engine's own description, and "Close".
#pragma once

#include <array>
#include <string>

#include "platform/win/dialog.h"

class QLabel;

namespace orvilo::speechutil {

class CAboutDlg : public win::Dialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
  // The lines of controls 1021..1024, as shown.
  std::array<std::string, 4> Lines() const;

 private:
  std::array<QLabel*, 4> lines_{};
};

}  // namespace orvilo::speechutil
