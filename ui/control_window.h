// CVyr3ControlWnd, a playback control bar (reading or movie). What exists
// now: its face picture and shape, it shows itself centred at the bottom of
// the main window and keeps the movie position text. Its buttons, sliders and auto-hide come with the
// playback work.
#pragma once

#include <QImage>

#include "ui/control_bar.h"

namespace orvilo::ui {

class CVyr3ControlWnd : public ControlBar {
  Q_OBJECT
 public:
  explicit CVyr3ControlWnd(bool readingBar, QWidget* parent = nullptr) : ControlBar(parent), readingBar_(readingBar) {}

  void ShowBar() override;
  void SetPosition(int position, int range, const std::string& text) override;
  void ShowPlaying(bool playing) override { playing_ = playing; }
  bool IsReadingBar() const { return readingBar_; }
  const std::string& PositionText() const { return positionText_; }

 protected:
  bool OnCreate() override;
  void OnTimer(int id) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool readingBar_;
  QImage face_;
  bool playing_ = false;
  std::string positionText_;
};

}  // namespace orvilo::ui
