// The main window's painting at its initial size: the frame, the fill, the
// zoom badge with its percentage and the resolution text in camera mode.
#include <QBuffer>
#include <QFile>
#include <QImage>

#include "core/camera_model.h"
#include "main_window_fixture.h"
#include "core/command_ids.h"
#include "shell/frame_geometry.h"

namespace orvilo::shell::testing {
namespace {

int BrightPixels(const QImage& picture, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += qGray(picture.pixel(x, y)) > 200;
  }
  return count;
}

TEST_F(MainWindowTest, PaintsFrameBadgeAndResolutionText) {
  Run([&](CVyr3Dlg& window) {
    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = picture.width();
    const int h = picture.height();
    ASSERT_EQ(w, 1038);
    // The frame pieces leave no magenta in the painted window, and the
    // bottom edge is the frame's, not the plain fill.
    for (int y = 0; y < h; y += 7) {
      for (int x = 0; x < w; x += 7) ASSERT_NE(picture.pixel(x, y) & 0xFFFFFF, 0xFF00FFu) << x << "," << y;
    }
    // The badge's percentage is drawn in white on the badge.
    const gdi::Rect badge = ZoomBadgeRect(w);
    EXPECT_GT(BrightPixels(picture, QRect(badge.left + 8, badge.top + 2, 40, 15)), 10);
    // The resolution text of the camera's index, white, bottom-aligned.
    const gdi::Rect text = ResolutionTextRect(w);
    EXPECT_GT(BrightPixels(picture, QRect(text.left, text.top, text.Width(), text.Height())), 20);
  });
}

// The label for each model group and index, the out-of-range index as 6.
TEST(ResolutionText, FollowsTheModelGroupAndIndex) {
  struct Case {
    int model;
    int index;
    const char* text;
  };
  const Case cases[] = {{0, 0, "640 X 480"},    {4, 2, "1024 X 768"},   {3, 6, "2048 X 1536"}, {1, 9, "2048 X 1536"},
                        {5, 1, "1280 X 720"},   {6, 2, "1280 X 1024"},  {5, 6, "2592 X 1944"}, {6, -1, "2592 X 1944"},
                        {7, 1, "800 X 600"},    {8, 2, "1280 X 720"},   {7, 3, "1600 X 1200"}, {8, 5, "2592 X 1944"}};
  for (const Case& c : cases) EXPECT_EQ(core::ResolutionLabel(c.model, c.index), c.text) << c.model << "/" << c.index;
}

}  // namespace
}  // namespace orvilo::shell::testing

namespace orvilo::shell::testing {
namespace {

// A "logo.bmp" that is no picture, an empty one, and one that is: the first
// two fall back to the built-in logo (17 x 17 looks).
TEST_F(MainWindowTest, LogoFileThatIsNoPictureFallsBackToTheBuiltInLogo) {
  struct Case {
    QByteArray bytes;
    QSize look;
  };
  QImage school(4 * 30, 20, QImage::Format_RGB32);
  school.fill(Qt::darkGreen);
  QByteArray picture;
  {
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    school.save(&buffer, "BMP");
  }
  const Case cases[] = {{"MZ this is not a picture", QSize(17, 17)}, {"", QSize(17, 17)}, {picture, QSize(30, 20)}};
  for (const Case& c : cases) {
    QFile file(QString::fromStdString(ProgramFolder()) + "/logo.bmp");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    Run([&](CVyr3Dlg& window) {
      ui::CSkinButton* logo = window.TitleButton(TitleButtonId::Logo);
      ASSERT_NE(logo, nullptr);
      EXPECT_EQ(logo->FrameSize(), c.look);
      EXPECT_EQ(logo->pos(), QPoint(10, 6));
    });
  }
}

// Absurd "GRADE" and "LANGUAGE" values: the window starts, paints and shows
// the AR bar; grades without a slot stay hidden and no button leaves the
// window.
TEST_F(MainWindowTest, AbsurdGradeAndLanguageValuesStillGiveAWorkingWindow) {
  const char* const settings[] = {"GRADE=abcdef\r\nLANGUAGE=-7\r\n", "GRADE=99999999999999999999\r\nLANGUAGE=zz\r\n",
                                  "GRADE=-3\r\nLANGUAGE=99999999999\r\n", "GRADE=1111111\r\nLANGUAGE=\r\n"};
  for (const char* values : settings) {
    WriteSettings(std::string("[QEL-3]\r\n") + values);
    Run([&](CVyr3Dlg& window) {
      Command(window, command::kModeAr);
      EXPECT_EQ(window.Bars().VisibleBar(), ViewMode::AR) << values;
      for (int grade = 1; grade <= 6; ++grade) {
        auto* button = window.Bars().ButtonOfCommand(command::kFirstArGrade + grade - 1);
        ASSERT_NE(button, nullptr);
        if (button->isVisibleTo(&window)) {
          EXPECT_TRUE(window.rect().contains(button->geometry())) << values << " grade " << grade;
        }
      }
      EXPECT_FALSE(window.grab().isNull());
    });
  }
}

}  // namespace
}  // namespace orvilo::shell::testing
