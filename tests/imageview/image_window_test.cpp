#include "imageview/image_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QImage>
#include <cstring>
#include <filesystem>

#include "imageview/view_geometry.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/sys/file_io.h"
#include "platform/win/geometry.h"
#include "tests/imageview/window_test_support.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::imageview {
namespace {

using namespace testing;
using orvilo::testing::TemporaryFolder;

class ImageWindowTest : public ::testing::Test {
 protected:
  void Make(int width, int height) {
    ASSERT_TRUE(view.Create(&owner, "image", 100, QRect(0, 0, width, height)));
    view.SetScratchFolder(scratch.path());
  }
  RecordingOwner owner;
  CVyr3ImageWnd view;
  TemporaryFolder scratch;
  TemporaryFolder files;
};

TEST_F(ImageWindowTest, DisplayGeometryAtZoomHalfAndTwo) {
  Make(1000, 800);
  ASSERT_TRUE(view.SetImage(Filled(2000, 1000, 200, 10, 10)));
  view.SetZoom(0.5);
  EXPECT_EQ(view.PictureTarget(), QRect(250, 275, 500, 250));
  QImage shown = Shown(&view);
  EXPECT_EQ(qRed(shown.pixel(500, 400)), 200);
  EXPECT_EQ(shown.pixel(240, 400), qRgb(57, 57, 57));
  view.SetZoom(2.0);
  // The picture overflows on both axes: drawn over the whole client area,
  // the region shown starting at the picture's top-left corner.
  EXPECT_EQ(view.PictureTarget(), QRect(0, 0, 1000, 800));
  EXPECT_EQ(view.SourceRect(), (gdi::Rect{0, 0, 1000, 800}));
  shown = Shown(&view);
  EXPECT_EQ(qRed(shown.pixel(2, 2)), 200);
}

TEST_F(ImageWindowTest, TheNavigatorsReportChoosesTheRegionShown) {
  Make(1000, 800);
  ASSERT_TRUE(view.SetImage(Filled(2000, 1000, 0, 0, 0)));
  view.SetZoom(2.0);
  const gdi::Rect viewRect{60, 85, 160, 135};
  const gdi::Rect thumbnail{10, 60, 210, 160};
  view.SendMessage(1328, reinterpret_cast<std::uintptr_t>(&viewRect), reinterpret_cast<std::intptr_t>(&thumbnail));
  EXPECT_EQ(view.SourceRect(), (gdi::Rect{500, 250, 1500, 750}));
  view.SendMessage(1328, 0, 0);  // no rectangles: nothing changes
  EXPECT_EQ(view.SourceRect(), (gdi::Rect{500, 250, 1500, 750}));
}

TEST_F(ImageWindowTest, TheNavigatorShowsWhileZoomedInAndWanted) {
  Make(1000, 800);
  ASSERT_TRUE(view.SetImage(Filled(2000, 1000, 0, 0, 0)));
  view.ShowNavigator(true);
  EXPECT_FALSE(view.NavigatorVisible());  // at 100 % the whole page is shown
  view.SetZoom(2.0);
  ASSERT_TRUE(view.NavigatorVisible());
  const auto* navigator = view.findChild<QWidget*>("IMAGENAVI");
  ASSERT_NE(navigator, nullptr);
  EXPECT_EQ(navigator->geometry(), win::ToQRect(NavigatorRect(gdi::Size{1000, 800})));
  // Its first layout reports the region it outlines; the view keeps to it.
  QApplication::processEvents();
  EXPECT_EQ(view.SourceRect().Width(), 1000);
  view.SetFullScreenPicture(true);
  EXPECT_FALSE(view.NavigatorVisible());
  view.SetFullScreenPicture(false);
  EXPECT_TRUE(view.NavigatorVisible());
  view.ShowNavigator(false);
  EXPECT_FALSE(view.NavigatorVisible());
}

TEST_F(ImageWindowTest, FourQuarterTurnsGiveThePictureBack) {
  Make(800, 600);
  gdi::PackedDib picture = gdi::PackedDib::Create(640, 480, 24);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) picture.Row(y)[3 * x] = static_cast<std::uint8_t>(x * 7 + y * 13);
  const gdi::PackedDib original = picture.Clone();
  ASSERT_TRUE(view.SetImage(std::move(picture)));
  view.RotateQuarter();
  EXPECT_EQ(view.ImageSize(), (gdi::Size{480, 640}));
  EXPECT_EQ(view.DisplayedPicture().Row(0)[0], original.Row(479)[0]);  // the bottom-left corner came to the top-left
  EXPECT_EQ(view.PictureTarget(), QRect(175, 0, 450, 600));  // the fit follows the new shape
  view.RotateQuarter();
  view.RotateQuarter();
  view.RotateQuarter();
  ASSERT_EQ(view.ImageSize(), (gdi::Size{640, 480}));
  EXPECT_EQ(std::memcmp(view.DisplayedPicture().pixels(), original.pixels(), original.pixelBytes()), 0);
}

TEST_F(ImageWindowTest, BlackAndWhiteThenNegativeOnPureRedAndANewPictureClearsThem) {
  Make(100, 100);
  ASSERT_TRUE(view.SetImage(Filled(4, 4, 255, 0, 0)));
  view.ToggleBlackWhite();
  EXPECT_EQ(view.DisplayedPicture().Row(0)[2], 76);
  view.ToggleNegative();
  EXPECT_EQ(view.DisplayedPicture().Row(0)[0], 179);
  EXPECT_EQ(view.DisplayedPicture().Row(0)[2], 179);
  view.ToggleBlackWhite();  // negative alone, from the untouched source
  EXPECT_EQ(view.DisplayedPicture().Row(0)[2], 0);
  EXPECT_EQ(view.DisplayedPicture().Row(0)[1], 255);
  ASSERT_TRUE(view.SetImage(Filled(4, 4, 255, 0, 0)));
  EXPECT_EQ(view.DisplayedPicture().Row(0)[2], 255);
}

TEST_F(ImageWindowTest, BoardsReplaceThePictureAndCaptureBringsItBackWithItsTransforms) {
  Make(900, 600);
  ASSERT_TRUE(view.SetImage(Filled(64, 48, 255, 0, 0)));
  view.ToggleNegative();
  view.SetBoard(BoardKind::Whiteboard);
  EXPECT_EQ(view.ImageSize(), (gdi::Size{892, 521}));
  const QImage before = Shown(&view);
  view.SetBoard(BoardKind::Whiteboard);  // again: nothing changes
  EXPECT_EQ(Shown(&view), before);
  view.RotateQuarter();
  EXPECT_EQ(view.ImageSize(), (gdi::Size{521, 892}));
  view.SetBoard(BoardKind::Capture);
  EXPECT_EQ(view.ImageSize(), (gdi::Size{48, 64}));
  EXPECT_EQ(view.DisplayedPicture().Row(0)[2], 0);  // still negative: red became cyan
  EXPECT_EQ(view.DisplayedPicture().Row(0)[0], 255);
}

TEST_F(ImageWindowTest, LoadsAPictureFileThroughTheScratchBitmap) {
  Make(400, 300);
  QImage png(37, 21, QImage::Format_RGB32);
  png.fill(qRgb(10, 20, 30));
  const std::string path = files / "page.png";
  ASSERT_TRUE(png.save(QString::fromStdString(path)));
  ASSERT_TRUE(view.LoadImageFile(path));
  EXPECT_EQ(view.SourcePicture().width(), 37);
  EXPECT_EQ(view.SourcePicture().height(), 21);
  EXPECT_EQ(view.SourcePicture().Row(5)[0], 30);  // blue
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));  // the scratch file is gone
  const std::string jpeg = files / "page.jpg";
  ASSERT_TRUE(png.save(QString::fromStdString(jpeg), "JPG"));
  EXPECT_TRUE(view.LoadImageFile(jpeg));
}

TEST_F(ImageWindowTest, BadPictureFilesLeaveTheViewAsItWas) {
  Make(400, 300);
  ASSERT_TRUE(view.SetImage(Filled(50, 40, 1, 2, 3)));
  const std::string text = files / "notes.png";
  ASSERT_TRUE(sys::SaveFileAtomically(text, "this is not a picture"));
  // A bitmap header announcing 20000 x 20000 (the pixels need not follow:
  // it is refused from the header) and one announcing 0 x 0.
  const auto header = [](int side) {
    std::string bytes(54, '\0');
    gdi::BitmapFileHeader file{0x4D42, 54, 0, 0, 54};
    gdi::BitmapInfoHeader info{};
    info.biSize = 40;
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::memcpy(bytes.data(), &file, 14);
    std::memcpy(bytes.data() + 14, &info, 40);
    return bytes;
  };
  const std::string huge = files / "huge.bmp";
  ASSERT_TRUE(sys::SaveFileAtomically(huge, header(20000)));
  const std::string empty = files / "empty.bmp";
  ASSERT_TRUE(sys::SaveFileAtomically(empty, header(0)));
  for (const std::string& path : {text, huge, empty, files / "missing.png", std::string()}) {
    EXPECT_FALSE(view.LoadImageFile(path)) << path;
    EXPECT_EQ(view.ImageSize(), (gdi::Size{50, 40})) << path;
    EXPECT_EQ(view.SourcePicture().width(), 50);
  }
  EXPECT_FALSE(view.SetImage(gdi::PackedDib()));
  EXPECT_FALSE(view.SetImage(gdi::PackedDib::Create(kMaxPictureSide + 1, 1, 24)));
  EXPECT_EQ(view.ImageSize(), (gdi::Size{50, 40}));
}

TEST_F(ImageWindowTest, SavesWhatItShowsAsA32BitBitmapWithStrokesAndWithoutBlinds) {
  Make(1000, 700);
  ASSERT_TRUE(view.SetImage(Filled(1000, 700, 255, 255, 255)));
  view.SetMode(ViewMode::Image);
  Drag(&view, {QPoint(100, 100), QPoint(300, 100)});
  view.AddBlind(0, 0, 0, 0);  // over (10, 10)-(343, 185)
  const std::string path = files / "saved.bmp";
  ASSERT_TRUE(view.SaveAnnotatedImageFile(path));
  EXPECT_EQ(std::filesystem::file_size(path), 54u + 2'800'000u);
  const gdi::PackedDib saved = gdi::ReadBitmapFile(path);
  ASSERT_EQ(saved.bitCount(), 32);
  ASSERT_EQ(saved.width(), 1000);
  const auto pixel = [&](int x, int y) { return saved.Row(y) + 4 * x; };
  EXPECT_LT(pixel(200, 100)[0], 40);   // the black stroke, under the blind
  EXPECT_EQ(pixel(200, 150)[0], 255);  // the picture under the blind, not the blind
  EXPECT_EQ(pixel(500, 500)[2], 255);
}

TEST_F(ImageWindowTest, ASaveThatCannotBeWrittenFailsAndKeepsTheEarlierFile) {
  Make(200, 100);
  ASSERT_TRUE(view.SetImage(Filled(200, 100, 9, 9, 9)));
  const std::string path = files / "saved.bmp";
  ASSERT_TRUE(view.SaveAnnotatedImageFile(path));
  const std::string before = sys::ReadFileBytes(path, 1 << 20).bytes;
  view.resize(300, 100);
  EXPECT_FALSE(view.SaveAnnotatedImageFile(files / "no/such/folder.bmp"));
  chmod(files.path().c_str(), 0555);
  const int written = orvilo::testing::RunInChild(orvilo::testing::Restriction::Unprivileged,
                                                  [&] { return view.SaveAnnotatedImageFile(path) ? 1 : 0; });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(sys::ReadFileBytes(path, 1 << 20).bytes, before);
}

TEST_F(ImageWindowTest, MarkingIsOrderedAndClampedWhereverThePointerEnds) {
  Make(400, 300);
  view.SetMode(ViewMode::Reading);
  Press(&view, QPoint(300, 200));
  EXPECT_EQ(owner.messages.back(), (std::pair<std::uint32_t, std::uintptr_t>{1278, 1}));
  MoveHeld(&view, QPoint(120, 80));
  MoveHeld(&view, QPoint(-20, 40));  // leaving ends the marking
  Release(&view, QPoint(-20, 40));
  EXPECT_EQ(view.Selection(), (gdi::Rect{120, 80, 300, 200}));
  Press(&view, QPoint(350, 250));
  MoveHeld(&view, QPoint(380, 20));
  Release(&view, QPoint(500, 20));  // released outside, the pointer captured
  EXPECT_EQ(view.Selection(), (gdi::Rect{350, 20, 380, 250}));
  const QImage shown = Shown(&view);
  EXPECT_EQ(shown.pixel(360, 250), qRgb(255, 0, 0));  // the final outline is red
  view.SetSelection(gdi::Rect{420, 10, -5, 500});  // as a learning file might give it
  EXPECT_EQ(view.Selection(), (gdi::Rect{0, 10, 399, 299}));
  const ReadingSource source = view.GetReadingSource();
  EXPECT_EQ(source.selection, view.Selection());
  EXPECT_EQ(source.client, (gdi::Size{400, 300}));
  view.RemoveAllBlinds();
  EXPECT_EQ(view.Selection(), gdi::Rect{});
}

TEST_F(ImageWindowTest, WheelAndInsetDoubleClickPostToTheMainWindow) {
  Make(400, 305);
  QWheelEvent away(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view, &away);
  view.SetArrangement(Arrangement::ImageInset);
  SendMouse(&view, QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(owner.commands, (std::vector<int>{1131, 1826}));
}

TEST_F(ImageWindowTest, TheInsetShowsThePictureStretchedInsideItsFrame) {
  Make(400, 305);
  ASSERT_TRUE(view.SetImage(Filled(64, 48, 200, 0, 0)));
  view.SetArrangement(Arrangement::ImageInset);
  const QImage shown = Shown(&view);
  EXPECT_EQ(qRed(shown.pixel(200, 150)), 200);
  EXPECT_EQ(qRed(shown.pixel(6, 6)), 200);  // stretched to the content area's corner
  EXPECT_NE(shown.pixel(1, 1), shown.pixel(200, 150));  // the frame
  view.SetArrangement(Arrangement::Normal);
  EXPECT_EQ(Shown(&view).pixel(200, 0), qRgb(57, 57, 57));  // fitted again: 400 x 300 from y 2
}

TEST_F(ImageWindowTest, EnteringTheViewInReadingModeTellsTheMainWindow) {
  Make(400, 300);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&view, &enter);  // not in reading mode: nothing
  view.SetMode(ViewMode::Reading);
  QApplication::sendEvent(&view, &enter);
  EXPECT_EQ(owner.messages, (std::vector<std::pair<std::uint32_t, std::uintptr_t>>{{1278, 0}}));
  // Each new entry after leaving shows the bar again: marking hides it, and
  // the teacher comes back over the picture to reach it.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&view, &leave);
  QApplication::sendEvent(&view, &enter);
  EXPECT_EQ(owner.messages, (std::vector<std::pair<std::uint32_t, std::uintptr_t>>{{1278, 0}, {1278, 0}}));
}

TEST_F(ImageWindowTest, TheInsetMovesByAnyPointWithinItsDragBounds) {
  owner.resize(1038, 800);
  Make(400, 305);
  view.move(500, 400);
  view.SetArrangement(Arrangement::ImageInset);
  view.SetMode(ViewMode::Camera);
  view.SetDragBounds(QRect(8, 86, 1022, 705));
  Press(&view, QPoint(100, 100));
  MoveHeld(&view, QPoint(-900, 100));  // far to the left
  Release(&view, QPoint(-900, 100));
  EXPECT_EQ(view.geometry().left(), 8);
  EXPECT_EQ(view.geometry().top(), 400);
  EXPECT_EQ(view.size(), QSize(400, 305));
}

}  // namespace
}  // namespace orvilo::imageview
