// Keys and presenter remotes on the main window: each key reaches the mode
// that owns its command; typing in a text field stays typing.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextEdit>

#include "core/command_ids.h"
#include "main_window_fixture.h"

namespace orvilo::shell::testing {
namespace {

void Key(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(&target, &release);
}

TEST_F(MainWindowTest, RemoteKeysReachTheModeThatOwnsThem) {
  const int result = Run([&](CVyr3Dlg& window) {
    // F5 and Escape: full screen on and off; Escape does not end the window then.
    Key(window, Qt::Key_F5);
    EXPECT_TRUE(window.FullScreenPicture());
    Key(window, Qt::Key_Escape);
    EXPECT_FALSE(window.FullScreenPicture());
    Key(window, Qt::Key_Plus);
    EXPECT_EQ(window.ZoomPercent(), 125);
    // F1 shows the keys; Escape closes the help and nothing else.
    Key(window, Qt::Key_F5);
    Key(window, Qt::Key_F1);
    EXPECT_TRUE(window.HelpShown());
    Key(window, Qt::Key_Escape);
    EXPECT_FALSE(window.HelpShown());
    EXPECT_TRUE(window.FullScreenPicture());
    Key(window, Qt::Key_Escape);
    EXPECT_FALSE(window.FullScreenPicture());

    Command(window, command::kModeImage);
    log.clear();
    Key(window, Qt::Key_Z, Qt::ControlModifier);
    Key(window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(LogHasInOrder({"image.Undo", "image.Redo"}));

    Command(window, command::kModeReading);
    log.clear();
    Key(window, Qt::Key_PageDown);
    Key(window, Qt::Key_Left);
    EXPECT_TRUE(LogHasInOrder({"reading.StepItem(1)", "reading.StepItem(-1)"}));

    // B blanks; while blanked the other keys do nothing; "." brings it back.
    Key(window, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_TRUE(window.Blanked());
    log.clear();
    Key(window, Qt::Key_PageDown);
    EXPECT_FALSE(Logged("reading.StepItem(1)"));
    Key(window, Qt::Key_Period, Qt::NoModifier, ".");
    EXPECT_FALSE(window.Blanked());
  });
  EXPECT_NE(result, win::kResultCancel);
}

TEST_F(MainWindowTest, TypingBInATextFieldDoesNotBlankThePicture) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    QTextEdit text(&window);  // as the reading panel's text
    text.show();
    text.setFocus();
    Key(text, Qt::Key_B, Qt::NoModifier, "b");
    Key(text, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(text.toPlainText(), "b ");
    EXPECT_FALSE(window.Blanked());
    EXPECT_FALSE(Logged("reading.PauseOrResume"));
    // While the panel reads, its text is read-only and the keys act.
    text.setReadOnly(true);
    Key(text, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_TRUE(window.Blanked());
  });
}

TEST_F(MainWindowTest, AZoomByPinchSetsThePercentageWithinItsLimits) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeImage);
    Message(window, message::kTouchZoom, 350);
    EXPECT_EQ(window.ZoomPercent(), 350);
    EXPECT_TRUE(Logged("image.SetZoom(3.5)"));
    Message(window, message::kTouchZoom, 5000);
    EXPECT_EQ(window.ZoomPercent(), 1000);
    Command(window, command::kZoomIn);  // the buttons go on from there
    EXPECT_EQ(window.ZoomPercent(), 1000);
  });
}

}  // namespace
}  // namespace orvilo::shell::testing
