// The list of keys and gestures (F1) over the main window, in the window's
// language. A click anywhere or F1 / Escape closes it.
#pragma once

#include <QWidget>

namespace orvilo::shell {

class HelpOverlay : public QWidget {
 public:
  HelpOverlay(bool korean, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool korean_;
};

}  // namespace orvilo::shell
