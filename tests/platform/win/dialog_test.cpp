#include "platform/win/dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orvilo::win;

namespace {

class TestDialog : public Dialog {
 public:
  bool endDuringInit = false;
  bool wasShown = false;

 protected:
  bool OnInitDialog() override {
    if (endDuringInit) EndDialog(kResultClose);
    return true;
  }
  void showEvent(QShowEvent* event) override {
    wasShown = true;
    Dialog::showEvent(event);
  }
};

// Runs `action` on the dialog once its modal loop is running.
int RunWith(TestDialog& dialog, std::function<void()> action) {
  QTimer::singleShot(0, &dialog, std::move(action));
  return dialog.DoModal();
}

void PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

}  // namespace

struct KeyCase {
  int key;
  int result;
};

class DialogKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DialogKeys, EndTheDialogWithTheirResult) {
  TestDialog dialog;
  EXPECT_EQ(RunWith(dialog, [&] { PressKey(&dialog, GetParam().key); }), GetParam().result);
  EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(EnterEscape, DialogKeys,
                         ::testing::Values(KeyCase{Qt::Key_Return, kResultOk}, KeyCase{Qt::Key_Enter, kResultOk},
                                           KeyCase{Qt::Key_Escape, kResultCancel}));

TEST(Dialog, EndDialogCarriesAnyResult) {
  TestDialog dialog;
  EXPECT_EQ(RunWith(dialog, [&] { dialog.EndDialog(kResultClose); }), kResultClose);
  EXPECT_TRUE(dialog.wasShown);
}

TEST(Dialog, EndingWhileInitialisingNeverShowsTheDialog) {
  TestDialog dialog;
  dialog.endDuringInit = true;
  EXPECT_EQ(dialog.DoModal(), kResultClose);
  EXPECT_FALSE(dialog.wasShown);
}

TEST(Dialog, ClosingThroughTheWindowSystemActsAsCancel) {
  TestDialog dialog;
  EXPECT_EQ(RunWith(dialog, [&] { dialog.close(); }), kResultCancel);
}

TEST(Dialog, NestedModalDialogsEndIndependently) {
  TestDialog outer;
  TestDialog inner;
  int innerResult = 0;
  const int outerResult = RunWith(outer, [&] {
    innerResult = RunWith(inner, [&] { inner.EndDialog(kResultOk); });
    outer.EndDialog(kResultClose);
  });
  EXPECT_EQ(innerResult, kResultOk);
  EXPECT_EQ(outerResult, kResultClose);
}
