// CSkinButton: a push or toggle button drawn from a strip of four looks
// (normal, hover, pressed, disabled) side by side, magenta transparent. A
// completed click posts WM_COMMAND with the button's command identifier to
// its parent. Owners set the toggle flag, toggle state and look directly
// and repaint; the Disabled look ignores the mouse.
//
// Pointer rules (T toggle flag, S toggle state, L look):
//  - press: a toggle that is On (or Pressing) goes to ReleasingOn and looks
//    Normal, otherwise to Pressing and looks Pressed; a push button goes to
//    Pressing and looks Pressed;
//  - release: a toggle becomes Off (from ReleasingOn) or On (from Pressing)
//    and posts its command when the pointer is still inside; its look then
//    follows the new state. A push button looks Normal, posts when inside
//    and still Pressing, and is Off;
//  - moving inside captures the pointer and shows Hover (not while a press
//    is held); moving outside releases it: a held press is cancelled (a
//    toggle keeps its state, a push button goes Off) and Hover goes back to
//    the look of the state.
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <string>

#include "platform/win/window.h"

namespace orvilo::ui {

enum class ToggleState { Off = 0, On = 1, ReleasingOn = 2, Pressing = 3 };
enum class ButtonLook { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

class CSkinButton : public win::Window {
  Q_OBJECT
 public:
  explicit CSkinButton(QWidget* parent = nullptr);
  ~CSkinButton() override;

  // A button at (x, y) of the parent with the strip of skin bitmap
  // `bitmapId` (its Korean or English picture by `korean`, where it has
  // both); false when the identifier or bitmap is 0 or missing.
  bool Create(int commandId, win::Window* parent, int bitmapId, int x, int y, bool korean = false);
  // The strip from a picture file with `frameCount` looks; false when the
  // path is empty, the file missing or unreadable, or parent or identifier
  // not given.
  bool CreateFromFile(const std::string& path, int commandId, int frameCount, win::Window* parent, int x, int y);
  // A button from a strip already in memory (the two above end here).
  bool CreateFromStrip(const QImage& strip, int commandId, int frameCount, win::Window* parent, int x, int y);

  // A tooltip for the button; empty text leaves the current one. Tips wider
  // than 200 pixels wrap.
  void SetToolTip(const std::string& text);
  const std::string& ToolTipText() const { return toolTip_; }
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
  void hideEvent(QHideEvent* event) override;

 private:
  void PointerMovedInside();
  void PointerMovedOutside();
  void PostClick();
  bool Ignoring() const { return look == ButtonLook::Disabled; }

  QImage strip_;  // the looks side by side, magenta made transparent
  int frameCount_ = 4;
  QSize frameSize_;
  QPointer<win::Window> parent_;
  std::string toolTip_;
};

}  // namespace orvilo::ui
