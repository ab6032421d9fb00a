// CSkinButton: a push or toggle button drawn from a strip of four looks
// (normal, hover, pressed, disabled) side by side, magenta transparent. A
// completed click posts WM_COMMAND with the button's command identifier to
// its parent. Owners set the toggle flag, toggle state and look directly
// and repaint; the Disabled look ignores the mouse.
#pragma once

#include <QImage>
#include <QString>
#include <string>

#include "platform/win/window.h"

namespace orvilo::imageview {

enum class ToggleState { Off = 0, On = 1, ReleasingOn = 2, Pressing = 3 };
enum class ButtonLook { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

class CSkinButton : public win::Window {
  Q_OBJECT
 public:
  explicit CSkinButton(QWidget* parent = nullptr);
  ~CSkinButton() override;

  // A button at (x, y) of the parent with the strip of skin bitmap
  // `bitmapId`; false when the identifier or bitmap is 0 or missing.
  bool Create(int commandId, win::Window* parent, int bitmapId, int x, int y);
  // The strip from a picture file with `frameCount` looks; false when the
  // path is empty, the file missing, or parent or identifier not given.
  bool CreateFromFile(const std::string& path, int commandId, int frameCount, win::Window* parent, int x, int y);
  // A button from a strip already in memory (the two above end here).
  bool CreateFromStrip(const QImage& strip, int commandId, int frameCount, win::Window* parent, int x, int y);

  void SetToolTip(const std::string& text);
  // Look follows the toggle state: Pressed when On or Pressing, else Normal.
  void SyncLook();

  int toggle = 0;  // 1: a toggle button
  ToggleState toggleState = ToggleState::Off;
  ButtonLook look = ButtonLook::Normal;

  int CommandId() const { return ControlId(); }
  QSize FrameSize() const { return frameSize_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void PointerMovedOutside();
  QImage strip_;
  int frameCount_ = 4;
  QSize frameSize_;
};

}  // namespace orvilo::imageview
