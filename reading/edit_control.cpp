#include "reading/edit_control.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>

namespace orvilo::reading {
namespace {

// Text of the control (a line break is U+2029 in selections, "\n" in
// plain text) as UTF-8 with CR-LF line breaks.
std::string ToSystemText(QString text) {
  text.replace(QChar(0x2029), QChar('\n')).replace(QChar(0x2028), QChar('\n'));
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return text.toStdString();
}

}  // namespace

CVyrEditCtrl::CVyrEditCtrl(bool koreanUi, QWidget* parent) : QTextEdit(parent), koreanUi_(koreanUi) {
  setAcceptRichText(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setLineWrapMode(QTextEdit::WidgetWidth);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(16);
  font.setWeight(QFont::Normal);
  setFont(font);
  document()->setDefaultFont(font);
}

void CVyrEditCtrl::SetText(const std::string& text) {
  QString value = QString::fromStdString(text);
  value.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  setPlainText(value);
}

std::string CVyrEditCtrl::WholeText() const { return ToSystemText(toPlainText()); }

std::optional<TextSelection> CVyrEditCtrl::Selection() const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return std::nullopt;
  return TextSelection{cursor.selectionStart(), ToSystemText(cursor.selectedText())};
}

std::u16string CVyrEditCtrl::ControlCharacters() const {
  const QString text = toPlainText();
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

void CVyrEditCtrl::Select(int start, int end) {
  const int last = std::max(0, document()->characterCount() - 1);
  QTextCursor cursor(document());
  cursor.setPosition(std::clamp(start, 0, last));
  cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  ensureCursorVisible();
}

void CVyrEditCtrl::ClearSelection() {
  QTextCursor cursor = textCursor();
  cursor.clearSelection();
  setTextCursor(cursor);
}

bool CVyrEditCtrl::OnEditCommand(int command) {
  switch (command) {
    case kEditCut: cut(); return true;
    case kEditCopy: copy(); return true;
    case kEditPaste:
      if (canPaste()) paste();
      return true;
    default: return false;
  }
}

QMenu* CVyrEditCtrl::MakeEditMenu(QWidget* parent) {
  auto* menu = new QMenu(koreanUi_ ? QStringLiteral("편집") : QStringLiteral("EDIT"), parent);
  const auto add = [&](const QString& label, int command, bool enabled) {
    QAction* action = menu->addAction(label, this, [this, command] { OnEditCommand(command); });
    action->setData(command);
    action->setEnabled(enabled);
  };
  add(koreanUi_ ? QStringLiteral("잘라내기") : QStringLiteral("Cut"), kEditCut, !isReadOnly());
  add(koreanUi_ ? QStringLiteral("복사") : QStringLiteral("Copy"), kEditCopy, true);
  add(koreanUi_ ? QStringLiteral("붙여넣기") : QStringLiteral("Paste"), kEditPaste, canPaste());
  return menu;
}

void CVyrEditCtrl::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = MakeEditMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
  event->accept();
}

}  // namespace orvilo::reading
