// Keys of the main window and its children turned into commands: watches
// every key press of the application, and for one aimed at the main window
// (or a child of it) that is not typing in a text field, sends the command
// CommandForKey gives for it. Dialogs and pickers are other windows and
// keep their keys.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "shell/key_map.h"

class QKeyEvent;
class QWidget;

namespace orvilo::shell {

// The key of a key event, or none when it makes no shortcut (Alt or Meta
// held, an automatic repeat, a key of no binding).
std::optional<KeyPress> KeyPressOf(const QKeyEvent& event);

// A widget the user types in: an editable line, text, spin box or combo box.
// A read-only text (the reading panel while it reads) is not one.
bool IsTextField(const QWidget* widget);

class KeyRouter : public QObject {
 public:
  // `window` is the main window; `state` tells the mode, full screen and
  // blanking now; `send` runs a command through the window's routing.
  KeyRouter(QWidget* window, std::function<KeyState()> state, std::function<void(int)> send);
  ~KeyRouter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<KeyState()> state_;
  std::function<void(int)> send_;
};

}  // namespace orvilo::shell
