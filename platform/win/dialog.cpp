#include "platform/win/dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace orvilo::win {

Dialog::Dialog(QWidget* parent) : Window(parent) { setFocusPolicy(Qt::StrongFocus); }

int Dialog::DoModal(QWidget* owner) {
  if (running_) return -1;
  if (owner != nullptr && parentWidget() != owner) setParent(owner, windowFlags() | Qt::Dialog);
  setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  running_ = true;
  ended_ = false;
  result_ = 0;
  if (!OnInitDialog() && !ended_) {
    ended_ = true;
    result_ = -1;
  }
  if (!ended_) {
    QEventLoop loop;
    loop_ = &loop;
    show();
    activateWindow();
    setFocus();
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
  }
  hide();
  running_ = false;
  return result_;
}

void Dialog::EndDialog(int result) {
  if (!running_ || ended_) return;
  ended_ = true;
  result_ = result;
  if (loop_ != nullptr) loop_->exit(result);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        OnOK();
        return;
      }
      break;
    case Qt::Key_Escape:
      OnCancel();
      return;
    default: break;
  }
  Window::keyPressEvent(event);
}

void Dialog::closeEvent(QCloseEvent* event) {
  // The dialog closes only through EndDialog, so its result is always set.
  if (running_) {
    event->ignore();
    OnCancel();
    return;
  }
  Window::closeEvent(event);
}

}  // namespace orvilo::win
