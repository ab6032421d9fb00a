// CVyr3RecordWnd, the recording indicator: a small picture shaped by its
// magenta pixels that blinks (1 s shown, 1 s hidden) near the top right of
// the main window while a recording runs.
//
// Blinking runs on the window's own one-shot timer, on the user-interface
// thread: each expiry toggles the window and arms the next one, so nothing
// of it runs on another thread.
#pragma once

#include <QImage>

#include "camera/record_indicator.h"

namespace orvilo::camera {

class CVyr3RecordWnd : public RecordIndicator {
  Q_OBJECT
 public:
  enum class State { Created = 0, Ready = 1, Blinking = 2, Stopped = 3 };
  static constexpr int kBlinkTimer = 1;
  static constexpr int kBlinkMilliseconds = 1000;
  static constexpr int kRightMargin = 30;
  static constexpr int kTopOffset = 105;

  explicit CVyr3RecordWnd(QWidget* parent = nullptr);
  ~CVyr3RecordWnd() override;

  // Refused while blinking, before the picture is loaded (state Created)
  // or without one.
  bool StartBlinking() override;
  void StopBlinking() override;
  State CurrentState() const { return state_; }

 protected:
  void OnTimer(int id) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void EnsureReady();
  QImage picture_;
  State state_ = State::Created;
  bool timerRunning_ = false;
};

}  // namespace orvilo::camera
