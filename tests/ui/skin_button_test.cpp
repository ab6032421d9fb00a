#include "ui/skin_button.h"
#include "platform/gdi/key_colour.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"
#include "platform/win/window_shape.h"
#include "skin_test_support.h"

using namespace orvilo;
using namespace orvilo::ui;
using namespace orvilo::ui::testing;

namespace {

constexpr int kCommand = 1053;
const QRgb kLookColours[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0)};

// A strip of four 10 x 8 looks in plain colours, each with a magenta corner.
QImage PlainStrip() {
  QImage strip(40, 8, QImage::Format_RGB32);
  for (int look = 0; look < 4; ++look) {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 10; ++x) strip.setPixel(10 * look + x, y, (x == 0 && y == 0) ? gdi::kKeyColour : kLookColours[look]);
    }
  }
  return strip;
}

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.show();
    ASSERT_TRUE(button->CreateFromStrip(PlainStrip(), kCommand, 4, &parent, 5, 6));
  }
  void Click(QPoint press, QPoint release) {
    Move(button, press);
    Press(button, press);
    if (release != press) Move(button, release, true);
    Release(button, release);
    parent.Deliver();
  }
  QRgb Shown(QPoint point) { return button->grab().toImage().pixel(point); }

  RecordingParent parent;
  CSkinButton* button = new CSkinButton;  // owned by the parent once created
  const QPoint inside{5, 4};
  const QPoint outside{30, 30};
};

}  // namespace

TEST_F(SkinButtonTest, IsAChildOfItsParentWithOneLookOfTheStrip) {
  EXPECT_EQ(button->parentWidget(), &parent);
  EXPECT_EQ(button->geometry(), QRect(5, 6, 10, 8));
  EXPECT_EQ(button->FrameSize(), QSize(10, 8));
  EXPECT_EQ(button->CommandId(), kCommand);
  EXPECT_EQ(button->property("controlId").toInt(), kCommand);
  EXPECT_TRUE(button->isVisible());
}

TEST_F(SkinButtonTest, PaintsTheFrameOfItsLookWithMagentaLeftOut) {
  for (int look = 0; look < 4; ++look) {
    button->look = static_cast<ButtonLook>(look);
    EXPECT_EQ(Shown(QPoint(5, 5)), kLookColours[look]) << look;
  }
  // The keyed corner shows what lies beneath (here: nothing painted).
  EXPECT_NE(Shown(QPoint(0, 0)), gdi::kKeyColour);
}

TEST_F(SkinButtonTest, ToggleTurnsOnThenOffPostingEachTime) {
  button->toggle = 1;
  Click(inside, inside);
  EXPECT_EQ(button->toggleState, ToggleState::On);
  EXPECT_EQ(button->look, ButtonLook::Pressed);
  EXPECT_EQ(parent.commands, std::vector<int>{kCommand});

  Click(inside, inside);
  EXPECT_EQ(button->toggleState, ToggleState::Off);
  EXPECT_EQ(button->look, ButtonLook::Normal);
  EXPECT_EQ(parent.commands, (std::vector<int>{kCommand, kCommand}));
}

TEST_F(SkinButtonTest, TogglePressLooksDependOnItsState) {
  button->toggle = 1;
  Press(button, inside);
  EXPECT_EQ(button->toggleState, ToggleState::Pressing);
  EXPECT_EQ(button->look, ButtonLook::Pressed);
  Release(button, inside);
  Press(button, inside);
  EXPECT_EQ(button->toggleState, ToggleState::ReleasingOn);
  EXPECT_EQ(button->look, ButtonLook::Normal);
}

TEST_F(SkinButtonTest, PushButtonDraggedOutsidePostsNothingAndLooksNormal) {
  Click(inside, outside);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_EQ(button->look, ButtonLook::Normal);
  EXPECT_EQ(button->toggleState, ToggleState::Off);
  EXPECT_FALSE(button->HasCapture());
}

TEST_F(SkinButtonTest, PushButtonClickedInsidePostsOnce) {
  Click(inside, inside);
  EXPECT_EQ(parent.commands, std::vector<int>{kCommand});
  EXPECT_EQ(button->look, ButtonLook::Normal);
  EXPECT_EQ(button->toggleState, ToggleState::Off);
}

TEST_F(SkinButtonTest, ToggleDraggedOutsideKeepsItsStateAndLook) {
  button->toggle = 1;
  Click(inside, outside);  // from Off: cancelled
  EXPECT_EQ(button->toggleState, ToggleState::Off);
  EXPECT_EQ(button->look, ButtonLook::Normal);
  button->toggleState = ToggleState::On;
  button->SyncLook();
  Click(inside, outside);  // from On: cancelled
  EXPECT_EQ(button->toggleState, ToggleState::On);
  EXPECT_EQ(button->look, ButtonLook::Pressed);
  EXPECT_TRUE(parent.commands.empty());
}

TEST_F(SkinButtonTest, DisabledLookIgnoresThePointer) {
  button->look = ButtonLook::Disabled;
  Click(inside, inside);
  Move(button, outside);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_EQ(button->look, ButtonLook::Disabled);
  EXPECT_EQ(button->toggleState, ToggleState::Off);
  EXPECT_FALSE(button->HasCapture());
}

TEST_F(SkinButtonTest, HoverFollowsThePointerAndHoldsIt) {
  Move(button, inside);
  EXPECT_EQ(button->look, ButtonLook::Hover);
  EXPECT_TRUE(button->HasCapture());
  Move(button, outside);
  EXPECT_EQ(button->look, ButtonLook::Normal);
  EXPECT_FALSE(button->HasCapture());
}

TEST_F(SkinButtonTest, HoverOverAToggleThatIsOnReturnsToPressed) {
  button->toggle = 1;
  button->toggleState = ToggleState::On;
  button->SyncLook();
  Move(button, inside);
  EXPECT_EQ(button->look, ButtonLook::Hover);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(button->look, ButtonLook::Pressed);
}

TEST_F(SkinButtonTest, SyncLookFollowsTheToggleState) {
  const std::pair<ToggleState, ButtonLook> cases[] = {{ToggleState::Off, ButtonLook::Normal},
                                                      {ToggleState::On, ButtonLook::Pressed},
                                                      {ToggleState::ReleasingOn, ButtonLook::Normal},
                                                      {ToggleState::Pressing, ButtonLook::Pressed}};
  for (const auto& [state, expected] : cases) {
    button->toggleState = state;
    button->look = ButtonLook::Hover;
    button->SyncLook();
    EXPECT_EQ(button->look, expected);
  }
}

TEST_F(SkinButtonTest, ToolTipsKeepTheLastNonEmptyTextAndWrapWhenWide) {
  button->SetToolTip("펜");
  EXPECT_EQ(button->ToolTipText(), "펜");
  EXPECT_EQ(button->toolTip(), QStringLiteral("펜"));
  button->SetToolTip("");
  EXPECT_EQ(button->ToolTipText(), "펜");
  button->SetToolTip(std::string(120, 'w'));
  EXPECT_TRUE(button->toolTip().contains(QLatin1String("width=\"200\"")));
}

TEST(SkinButton, CreateRefusesMissingPicturesAndIdentifiers) {
  RecordingParent parent;
  CSkinButton button;
  EXPECT_FALSE(button.Create(0, &parent, skin::TitleButton(4), 0, 0));
  EXPECT_FALSE(button.Create(1129, &parent, 0, 0, 0));
  EXPECT_FALSE(button.Create(1129, &parent, 99999, 0, 0));
  EXPECT_FALSE(button.CreateFromStrip(QImage(), 1129, 4, &parent, 0, 0));
  EXPECT_FALSE(button.CreateFromStrip(PlainStrip(), 1129, 0, &parent, 0, 0));
  EXPECT_FALSE(button.CreateFromStrip(PlainStrip(), 1129, 4, nullptr, 0, 0));
}

TEST(SkinButton, CreateTakesTheSkinPictureOfTheLanguage) {
  RecordingParent parent;
  auto* korean = new CSkinButton;
  auto* english = new CSkinButton;
  ASSERT_TRUE(korean->Create(1049, &parent, skin::CommandBarButton(0, 4), 13, 30, true));
  ASSERT_TRUE(english->Create(1049, &parent, skin::CommandBarButton(0, 4), 13, 30, false));
  EXPECT_EQ(korean->FrameSize(), QSize(47, 52));
  EXPECT_NE(korean->grab().toImage(), english->grab().toImage());
  auto* close = new CSkinButton;
  ASSERT_TRUE(close->Create(1129, &parent, skin::TitleButton(4), 100, 3));
  EXPECT_EQ(close->geometry(), QRect(100, 3, 22, 22));
}

TEST(SkinButton, CreateFromFileTakesAPictureFileOrRefuses) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string logo = folder.filePath(QStringLiteral("logo.bmp")).toStdString();
  ASSERT_TRUE(PlainStrip().save(QString::fromStdString(logo), "BMP"));
  const std::string notAPicture = folder.filePath(QStringLiteral("note.bmp")).toStdString();
  {
    QFile file(QString::fromStdString(notAPicture));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
  }
  RecordingParent parent;
  CSkinButton refused;
  EXPECT_FALSE(refused.CreateFromFile("", 1125, 4, &parent, 10, 6));
  EXPECT_FALSE(refused.CreateFromFile(logo + ".missing", 1125, 4, &parent, 10, 6));
  EXPECT_FALSE(refused.CreateFromFile(notAPicture, 1125, 4, &parent, 10, 6));
  EXPECT_FALSE(refused.CreateFromFile(logo, 1125, 4, nullptr, 10, 6));
  EXPECT_FALSE(refused.CreateFromFile(logo, 0, 4, &parent, 10, 6));
  EXPECT_FALSE(refused.CreateFromFile(folder.path().toStdString(), 1125, 4, &parent, 10, 6));

  auto* button = new CSkinButton;
  ASSERT_TRUE(button->CreateFromFile(logo, 1125, 4, &parent, 10, 6));
  EXPECT_EQ(button->geometry(), QRect(10, 6, 10, 8));
  button->look = ButtonLook::Pressed;
  EXPECT_EQ(button->grab().toImage().pixel(5, 5), kLookColours[2]);
}
