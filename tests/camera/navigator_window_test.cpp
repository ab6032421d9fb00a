// The navigator lives in ui/ and is shared with the image view; its layout
// is tested here, with its first owner.
#include "ui/navigator_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace orvilo::ui {
namespace {

class Owner : public win::Window {
 public:
  std::vector<std::pair<gdi::Rect, gdi::Rect>> reports;

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override {
    if (message.id == kNavigatorSelection) {
      reports.emplace_back(*reinterpret_cast<const gdi::Rect*>(message.wParam),
                           *reinterpret_cast<const gdi::Rect*>(message.lParam));
      return 0;
    }
    return win::Window::OnMessage(message);
  }
};

TEST(CNavigatorWnd, LaysOutTheThumbnailAndAViewRectangleAnchoredTopLeft) {
  Owner owner;
  CNavigatorWnd navigator(&owner);
  navigator.SetOwner(&owner);
  navigator.setGeometry(0, 0, 291, 221);
  QImage picture(1280, 720, QImage::Format_RGB32);
  picture.fill(Qt::white);
  navigator.SetPicture(2.0, picture);
  // a = 562, b = 422, s = min(562/1280, 422/720) = 0.4390625; 281 x 158.
  EXPECT_EQ(navigator.ThumbnailRect(), (gdi::Rect{5, 31, 286, 189}));
  // 281 / 2 = 140 wide, 211 / 2 = 105 high, at the thumbnail's top left.
  EXPECT_EQ(navigator.ViewRect(), (gdi::Rect{5, 31, 145, 136}));
  QCoreApplication::processEvents();
  ASSERT_EQ(owner.reports.size(), 1u);
  EXPECT_EQ(owner.reports[0].first, navigator.ViewRect());
  // Zoomed out to 1 the view rectangle is the whole thumbnail.
  navigator.SetPicture(1.0, picture);
  EXPECT_EQ(navigator.ViewRect(), navigator.ThumbnailRect());
}

}  // namespace
}  // namespace orvilo::ui
