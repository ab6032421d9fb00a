#include "shell/key_router.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace orvilo::shell {

std::optional<KeyPress> KeyPressOf(const QKeyEvent& event) {
  if (event.isAutoRepeat()) return std::nullopt;  // a held key does not step on, nor blank and unblank
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier) return std::nullopt;
  KeyPress press;
  press.control = modifiers == Qt::ControlModifier;
  switch (event.key()) {
    case Qt::Key_PageDown: press.key = Key::PageDown; break;
    case Qt::Key_PageUp: press.key = Key::PageUp; break;
    case Qt::Key_Right: press.key = Key::Right; break;
    case Qt::Key_Left: press.key = Key::Left; break;
    case Qt::Key_B: press.key = Key::B; break;
    case Qt::Key_Period: press.key = Key::Period; break;
    case Qt::Key_F5: press.key = Key::F5; break;
    case Qt::Key_F1: press.key = Key::F1; break;
    case Qt::Key_Escape: press.key = Key::Escape; break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: press.key = Key::Plus; break;  // "+" without Shift on most layouts
    case Qt::Key_Minus: press.key = Key::Minus; break;
    case Qt::Key_Space: press.key = Key::Space; break;
    case Qt::Key_Z: press.key = Key::Z; break;
    case Qt::Key_Y: press.key = Key::Y; break;
    case Qt::Key_S: press.key = Key::S; break;
    case Qt::Key_O: press.key = Key::O; break;
    default: return std::nullopt;
  }
  return press;
}

bool IsTextField(const QWidget* widget) {
  if (widget == nullptr) return false;
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
  if (const auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return !plain->isReadOnly();
  if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget)) return !spin->isReadOnly();
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
  return false;
}

KeyRouter::KeyRouter(QWidget* window, std::function<KeyState()> state, std::function<void(int)> send)
    : QObject(window), window_(window), state_(std::move(state)), send_(std::move(send)) {
  if (qApp) qApp->installEventFilter(this);
}

KeyRouter::~KeyRouter() {
  if (qApp) qApp->removeEventFilter(this);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* target = static_cast<QWidget*>(watched);
  if (target->window() != window_ || !window_->isEnabled()) return false;
  // Typing stays typing, in the reading panel's text as in any field.
  if (IsTextField(target) || IsTextField(QApplication::focusWidget())) return false;
  const std::optional<KeyPress> press = KeyPressOf(*static_cast<QKeyEvent*>(event));
  if (!press) return false;
  const std::optional<int> command = CommandForKey(*press, state_());
  if (!command) return false;
  send_(*command);
  return true;
}

}  // namespace orvilo::shell
