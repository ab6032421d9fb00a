// CVyrEditCtrl: the reading panel's text control. Rich text, a vertical
// scroll bar, Arial 16 pixels, and a right-click edit menu (Cut, Copy,
// Paste) in the interface language; Paste is offered only when the
// clipboard holds something the control can take.
#pragma once

#include <QTextEdit>

#include "reading/reading_ports.h"

namespace orvilo::reading {

// Commands of the edit menu.
inline constexpr int kEditCut = 57635;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditPaste = 57637;

class CVyrEditCtrl : public QTextEdit, public ReadingText {
  Q_OBJECT
 public:
  explicit CVyrEditCtrl(bool koreanUi, QWidget* parent = nullptr);

  // UTF-8 text; CR-LF, LF or CR each make one line break.
  void SetText(const std::string& text);

  // Carries out an edit command; false for other numbers.
  bool OnEditCommand(int command);
  // The edit menu a right click shows: the title and the three commands.
  QMenu* MakeEditMenu(QWidget* parent);

  // ReadingText
  std::string WholeText() const override;
  std::optional<TextSelection> Selection() const override;
  std::u16string ControlCharacters() const override;
  void Select(int start, int end) override;
  void ClearSelection() override;
  void SetReadOnly(bool readOnly) override { setReadOnly(readOnly); }
  void Focus() override { setFocus(Qt::OtherFocusReason); }
  void ReleaseFocus() override {
    if (hasFocus()) clearFocus();
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool koreanUi_;
};

}  // namespace orvilo::reading
