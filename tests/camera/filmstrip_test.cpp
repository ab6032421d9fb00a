// The filmstrip of the camera view: stills written through the view join
// it as small thumbnails, newest last and in view; the handle, a click and
// a drag reach the main window as the bar's command and as messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "camera/camera_window.h"
#include "camera/filmstrip_window.h"
#include "core/command_ids.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/win/message.h"

namespace orvilo::camera {
namespace {

// The main window as the camera view sees it: it keeps what it is sent.
class MainWindowDouble : public win::Window {
 public:
  std::vector<win::Msg> received;

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override {
    received.push_back(message);
    return 0;
  }
};

gdi::PackedDib Picture(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return gdi::FromQImage(image, 24);
}

class Filmstrips : public ::testing::Test {
 protected:
  Filmstrips() {
    main.resize(900, 600);
    view = new CVyr3CameraWnd(&main);
    view->setGeometry(100, 0, 640, 480);
    main.show();
    strip = view->FilmstripWindow();
  }

  std::string Save(int number, QColor colour = Qt::red, int width = 1280, int height = 720) {
    const std::string path = QDir(folder.path()).filePath(QString("still-%1.bmp").arg(number)).toStdString();
    view->SaveBitmapFile(path, Picture(width, height, colour));
    return path;
  }

  // The messages and commands the main window got since the last call.
  std::vector<win::Msg> Received() {
    QCoreApplication::processEvents();
    return std::exchange(main.received, {});
  }

  QTemporaryDir folder;
  MainWindowDouble main;
  CVyr3CameraWnd* view = nullptr;
  CVyrFilmstripWnd* strip = nullptr;
};

TEST_F(Filmstrips, StillsJoinAsSmallThumbnailsAndOnlyTheHandleShowsUntilOpened) {
  EXPECT_FALSE(strip->isVisible()) << "no stills, nothing over the picture";
  const std::string first = Save(1, Qt::red);
  Save(2, Qt::blue, 640, 480);
  view->SaveBitmapFile(QDir(folder.path()).filePath("no/such/folder/x.bmp").toStdString(), Picture(64, 48, Qt::green));
  ASSERT_EQ(view->Stills().Count(), 2) << "a still that was not written is not in the strip";
  EXPECT_EQ(view->FilmstripStill(0), first);
  EXPECT_EQ(view->FilmstripStill(2), "");
  EXPECT_EQ(view->Stills().ThumbnailSize(0), QSize(96, 54));  // 16:9 in 96 x 72
  EXPECT_EQ(view->Stills().ThumbnailSize(1), QSize(96, 72));
  const QImage thumbnail = view->Stills().Thumbnail(0);
  EXPECT_EQ(thumbnail.size(), QSize(96, 54));
  EXPECT_GT(qRed(thumbnail.pixel(48, 27)), 200);
  EXPECT_LT(qBlue(thumbnail.pixel(48, 27)), 60);
  // Kept compressed: well under the 2 x 27 kB of raw thumbnails.
  EXPECT_LT(view->Stills().ThumbnailBytes(), 2u * 4000u);

  ASSERT_TRUE(strip->isVisible());
  EXPECT_FALSE(view->FilmstripShown());
  EXPECT_EQ(strip->geometry(), QRect(0, 480 - CVyrFilmstripWnd::kHandleHeight, 640, CVyrFilmstripWnd::kHandleHeight));
  view->ShowFilmstrip(true);
  EXPECT_TRUE(view->FilmstripShown());
  const int height = CVyrFilmstripWnd::kHandleHeight + CVyrFilmstripWnd::kStripHeight;
  EXPECT_EQ(strip->geometry(), QRect(0, 480 - height, 640, height));
  view->resize(800, 400);
  EXPECT_EQ(strip->geometry(), QRect(0, 400 - height, 800, height)) << "follows the view";
  // The strip's own picture: the thumbnails over a dark band.
  const QImage shown = strip->grab().toImage();
  const QRect red = strip->ThumbnailRect(0);
  EXPECT_GT(qRed(shown.pixel(red.center())), 200);
  EXPECT_GT(qBlue(shown.pixel(strip->ThumbnailRect(1).center())), 200);
}

TEST_F(Filmstrips, TheNewestIsLastAndScrolledIntoView) {
  view->ShowFilmstrip(true);
  for (int i = 0; i < 12; ++i) Save(i);  // 12 x 104 pixels: more than 640
  EXPECT_GT(strip->MaximumScroll(), 0);
  EXPECT_EQ(strip->ScrollOffset(), strip->MaximumScroll());
  EXPECT_FALSE(strip->ThumbnailRect(11).isEmpty());
  EXPECT_TRUE(strip->ThumbnailRect(0).isEmpty());
  // The wheel and the left arrow go back to the first.
  QWheelEvent wheel(QPointF(300, 60), strip->mapToGlobal(QPointF(300, 60)), {}, QPoint(0, 120 * 20), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(strip, &wheel);
  EXPECT_EQ(strip->ScrollOffset(), 0);
  EXPECT_FALSE(strip->ThumbnailRect(0).isEmpty());
  QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->width() - 8, 60));
  EXPECT_GT(strip->ScrollOffset(), 0);
  Save(12);
  EXPECT_FALSE(strip->ThumbnailRect(12).isEmpty()) << "a new still scrolls the strip to it";
  view->resize(400, 480);  // narrower, as the right half of split screen
  EXPECT_FALSE(strip->ThumbnailRect(12).isEmpty()) << "the newest stays in view";
}

// The handle is the bar's button (the bar's toggle follows the view); a
// click opens a still; a drop outside the strip compares it; a drag that
// ends on the strip again does nothing.
TEST_F(Filmstrips, TheHandleAClickAndADragReachTheMainWindow) {
  Save(1);
  Save(2);
  QTest::mouseClick(strip, Qt::LeftButton, {}, strip->HandleRect().center());
  auto got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].id, win::kCommand);
  EXPECT_EQ(got[0].wParam, static_cast<std::uintptr_t>(command::kFilmstrip));

  view->ShowFilmstrip(true);
  const QPoint second = strip->ThumbnailRect(1).center();
  QTest::mouseClick(strip, Qt::LeftButton, {}, second);
  got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].id, message::kOpenStill);
  EXPECT_EQ(got[0].wParam, 1u);

  // Dragged up onto the live picture.
  const QPoint first = strip->ThumbnailRect(0).center();
  QTest::mousePress(strip, Qt::LeftButton, {}, first);
  QTest::mouseMove(strip, first + QPoint(0, -40));
  EXPECT_TRUE(strip->Dragging());
  EXPECT_NE(main.findChild<QWidget*>("FilmstripGhost"), nullptr);
  QTest::mouseMove(strip, first + QPoint(-60, -200));
  QTest::mouseRelease(strip, Qt::LeftButton, {}, first + QPoint(-60, -200));
  EXPECT_EQ(main.findChild<QWidget*>("FilmstripGhost"), nullptr);
  got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].id, message::kCompareStill);
  EXPECT_EQ(got[0].wParam, 0u);

  // Dragged along the strip and let go on it.
  QTest::mousePress(strip, Qt::LeftButton, {}, first);
  QTest::mouseMove(strip, first + QPoint(30, 0));
  QTest::mouseRelease(strip, Qt::LeftButton, {}, first + QPoint(30, 0));
  EXPECT_TRUE(Received().empty());
}

// The camera view as a small inset has no room for the strip.
TEST_F(Filmstrips, TheStripKeepsOutOfTheCameraInset) {
  Save(1);
  view->ShowFilmstrip(true);
  view->SetArrangement(Arrangement::CameraInset);
  EXPECT_FALSE(strip->isVisible());
  view->SetArrangement(Arrangement::Normal);
  EXPECT_TRUE(strip->isVisible());
}

}  // namespace
}  // namespace orvilo::camera
