#include "speechutil/message_boxes.h"

#include <QMessageBox>

namespace orvilo::speechutil {
namespace {

class ToolkitMessageBoxes : public MessageBoxes {
 public:
  void Show(QWidget* owner, const std::string& text, const std::string& caption, Icon icon) override {
    const QString body = QString::fromStdString(text);
    const QString title = QString::fromStdString(caption);
    if (icon == Icon::Error) {
      QMessageBox::critical(owner, title, body);
    } else {
      QMessageBox::information(owner, title, body);
    }
  }
  bool Ask(QWidget* owner, const std::string& text, const std::string& caption) override {
    return QMessageBox::question(owner, QString::fromStdString(caption), QString::fromStdString(text)) ==
           QMessageBox::Yes;
  }
};

MessageBoxes* installed = nullptr;

}  // namespace

MessageBoxes& MessageBoxes::Current() {
  static ToolkitMessageBoxes toolkit;
  return installed != nullptr ? *installed : toolkit;
}

MessageBoxes* MessageBoxes::Install(MessageBoxes* boxes) {
  MessageBoxes* previous = installed;
  installed = boxes;
  return previous;
}

}  // namespace orvilo::speechutil
