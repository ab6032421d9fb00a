// Finding and pressing the settings dialog's controls in tests.
#pragma once

#include <QTest>
#include <QWidget>

#include "ui/skin_button.h"

namespace orvilo::shell::dialog_test {

// A child control by its identifier: skinned buttons by their command,
// other controls by their "controlId" property.
template <typename T>
T* ChildWithId(QWidget& dialog, int id) {
  for (T* child : dialog.findChildren<T*>()) {
    if constexpr (std::is_base_of_v<ui::CSkinButton, T>) {
      if (child->CommandId() == id) return child;
    } else {
      if (child->property("controlId").toInt() == id) return child;
    }
  }
  return nullptr;
}

inline ui::CSkinButton* Button(QWidget& dialog, int id) { return ChildWithId<ui::CSkinButton>(dialog, id); }

// Presses and releases the button in its middle, as the pointer would.
inline void Click(QWidget& dialog, int id) {
  ui::CSkinButton* button = Button(dialog, id);
  if (button == nullptr) return;
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

}  // namespace orvilo::shell::dialog_test
