#include "ui/skin_progress_bar.h"

#include <gtest/gtest.h>

#include <climits>

#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"
#include "skin_test_support.h"

using namespace orvilo;
using namespace orvilo::ui;
using namespace orvilo::ui::testing;

namespace {

struct SliderCase {
  int message;
  int base;
  int fillOffset;
  int width;
  int thumbWidth;
  bool reportsWhileDragging;
};

class SliderTest : public ::testing::TestWithParam<SliderCase> {
 protected:
  void SetUp() override {
    parent.show();
    ASSERT_TRUE(slider->Create(GetParam().message, &parent, GetParam().fillOffset, GetParam().base, 20, 10));
  }
  std::vector<win::Msg> Posted() {
    parent.Deliver();
    return std::exchange(parent.messages, {});
  }
  QPoint OnTrack(int x) const { return QPoint(x, GetParam().fillOffset + 1); }

  RecordingParent parent;
  CSkinPrograssBar* slider = new CSkinPrograssBar;
};

const SliderCase kSliders[] = {
    {1275, skin::kPositionSliderBase, 5, 175, 18, false},
    {1276, skin::kBarVolumeSliderBase, 4, 53, 7, true},
    {1835, skin::kFocusSliderBase, 5, 261, 7, true},
    {1838, skin::kArVolumeSliderBase, 5, 119, 7, false},
};

void PrintTo(const SliderCase& c, std::ostream* out) { *out << "slider " << c.message; }

int Percent(int x, int span) { return std::clamp(x, 0, span) * 100 / span; }

}  // namespace

TEST_P(SliderTest, TakesItsSizeFromTheBackgroundAndItsNameFromTheMessage) {
  const SliderCase c = GetParam();
  EXPECT_EQ(slider->size(), QSize(c.width, LoadSkinBitmap(c.base).height()));
  EXPECT_EQ(slider->pos(), QPoint(20, 10));
  EXPECT_EQ(slider->objectName(), QStringLiteral("SkinPrograssBar%1").arg(c.message));
  EXPECT_EQ(slider->ControlId(), c.message);
  EXPECT_EQ(slider->ThumbRect().Width(), c.thumbWidth);
  EXPECT_EQ(slider->FillRect().top, c.fillOffset);
  EXPECT_EQ(slider->Span(), c.width - c.thumbWidth);
}

TEST_P(SliderTest, AClickOnTheTrackJumpsAndReportsTheThumbsPlace) {
  const SliderCase c = GetParam();
  const int x = c.width * 3 / 5;
  Press(slider, OnTrack(x));
  Release(slider, OnTrack(x));
  const int left = x - c.thumbWidth / 2;
  EXPECT_EQ(slider->ThumbLeft(), left);
  const auto posted = Posted();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].id, static_cast<std::uint32_t>(c.message));
  EXPECT_EQ(posted[0].wParam, static_cast<std::uintptr_t>(left * 100 / slider->Span()));
  EXPECT_EQ(posted[0].lParam, 0);
}

TEST_P(SliderTest, DraggingReportsFromThePointerAndOnlySomeReportOnTheWay) {
  const SliderCase c = GetParam();
  const int grab = c.thumbWidth / 2;
  Move(slider, QPoint(grab, 2));
  EXPECT_EQ(slider->state, ThumbState::Hover);
  Press(slider, QPoint(grab, 2));
  EXPECT_EQ(slider->state, ThumbState::Dragging);
  const int middle = c.width / 2;
  Move(slider, QPoint(middle, 2), true);
  Move(slider, QPoint(c.width + 40, 2), true);
  EXPECT_EQ(slider->ThumbLeft(), slider->Span());
  Release(slider, QPoint(c.width + 40, 2));
  EXPECT_EQ(slider->state, ThumbState::Idle);

  std::vector<win::Msg> expected;
  if (c.reportsWhileDragging) {
    expected.push_back({static_cast<std::uint32_t>(c.message), static_cast<std::uintptr_t>(Percent(middle, slider->Span())), 2});
    expected.push_back({static_cast<std::uint32_t>(c.message), 100, 2});
  }
  expected.push_back({static_cast<std::uint32_t>(c.message), 100, 0});
  const auto posted = Posted();
  ASSERT_EQ(posted.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(posted[i].id, expected[i].id);
    EXPECT_EQ(posted[i].wParam, expected[i].wParam) << i;
    EXPECT_EQ(posted[i].lParam, expected[i].lParam) << i;
  }
}

TEST_P(SliderTest, PaintsTheFillUpToTheThumb) {
  const SliderCase c = GetParam();
  slider->SetPosition(1, 1);
  const QImage shown = slider->grab().toImage();
  const QImage fill = LoadSkinBitmap(c.base + 1);
  const QImage background = LoadSkinBitmap(c.base);
  const int y = c.fillOffset + fill.height() / 2;
  const int x = slider->ThumbLeft() / 2;
  EXPECT_EQ(shown.pixel(x, y), fill.pixel(x, fill.height() / 2));
  EXPECT_NE(shown.pixel(x, y), background.pixel(x, y));
  slider->SetPosition(0, 1);
  EXPECT_EQ(slider->grab().toImage().pixel(x, y), background.pixel(x, y));
}

INSTANTIATE_TEST_SUITE_P(Sliders, SliderTest, ::testing::ValuesIn(kSliders),
                         [](const ::testing::TestParamInfo<SliderCase>& info) {
                           return "Message" + std::to_string(info.param.message);
                         });

class PositionSliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.show();
    ASSERT_TRUE(slider->Create(1275, &parent, 5, skin::kPositionSliderBase, 206, 10));
  }
  RecordingParent parent;
  CSkinPrograssBar* slider = new CSkinPrograssBar;
};

TEST_F(PositionSliderTest, ClickAtHundredReportsFiftySevenThenDragToTwoHundredReportsAHundred) {
  Press(slider, QPoint(100, 8));
  Release(slider, QPoint(100, 8));
  EXPECT_EQ(slider->ThumbLeft(), 91);
  parent.Deliver();
  ASSERT_EQ(parent.messages.size(), 1u);
  EXPECT_EQ(parent.messages[0].wParam, 57u);  // 91 x 100 / 157
  EXPECT_EQ(parent.messages[0].lParam, 0);

  Press(slider, QPoint(100, 8));  // now on the thumb
  Move(slider, QPoint(200, 8), true);
  Release(slider, QPoint(200, 8));
  EXPECT_EQ(slider->ThumbLeft(), 157);
  parent.Deliver();
  ASSERT_EQ(parent.messages.size(), 2u);
  EXPECT_EQ(parent.messages[1].wParam, 100u);  // x clamped to 157
  EXPECT_EQ(parent.messages[1].lParam, 0);
}

TEST_F(PositionSliderTest, AClickWhileHoveringTheThumbDragsInsteadOfJumping) {
  Move(slider, QPoint(5, 8));
  Press(slider, QPoint(5, 8));
  EXPECT_EQ(slider->state, ThumbState::Dragging);
  EXPECT_EQ(slider->ThumbLeft(), 0);
}

TEST_F(PositionSliderTest, ClicksOutsideTheFillBarDoNothing) {
  Press(slider, QPoint(100, 1));  // above the fill bar
  Release(slider, QPoint(100, 1));
  parent.Deliver();
  EXPECT_EQ(slider->ThumbLeft(), 0);
  EXPECT_TRUE(parent.messages.empty());
}

TEST_F(PositionSliderTest, SetPositionWhileHoveringChangesNothing) {
  slider->SetPosition(20, 100);
  const int before = slider->ThumbLeft();
  Move(slider, QPoint(before + 3, 8));
  ASSERT_EQ(slider->state, ThumbState::Hover);
  slider->SetPosition(80, 100);
  EXPECT_EQ(slider->ThumbLeft(), before);
  Move(slider, QPoint(170, 8));
  EXPECT_EQ(slider->state, ThumbState::Idle);
  slider->SetPosition(80, 100);
  EXPECT_EQ(slider->ThumbLeft(), 80 * 175 / 100 - 9);
}

TEST_F(PositionSliderTest, SetPositionPlacesTheThumbCentreOnTheValue) {
  struct Case {
    long long value, total;
    int left;
  };
  const Case cases[] = {{0, 100, 0},   {5, 100, 0},      {50, 100, 78},   {100, 100, 157},
                        {65535, 65535, 157}, {-3, 100, 0}, {500, 100, 157},
                        // value × width beyond 64 bits
                        {LLONG_MAX, LLONG_MAX, 157}, {LLONG_MAX / 2, LLONG_MAX, 78}, {LLONG_MAX, 1LL << 62, 157},
                        {1LL << 40, 1LL << 41, 78}};
  for (const Case& c : cases) {
    slider->SetPosition(c.value, c.total);
    EXPECT_EQ(slider->ThumbLeft(), c.left) << c.value << "/" << c.total;
  }
  slider->SetPosition(30, 0);  // no total: ignored
  EXPECT_EQ(slider->ThumbLeft(), 78);
}

TEST_F(PositionSliderTest, ADisabledSliderIgnoresThePointer) {
  slider->enabled = 0;
  Press(slider, QPoint(100, 8));
  Release(slider, QPoint(100, 8));
  Move(slider, QPoint(3, 8));
  parent.Deliver();
  EXPECT_EQ(slider->ThumbLeft(), 0);
  EXPECT_EQ(slider->state, ThumbState::Idle);
  EXPECT_TRUE(parent.messages.empty());
}

TEST_F(PositionSliderTest, HidingEndsADragSoPositionsAreTakenAgain) {
  Press(slider, QPoint(5, 8));
  ASSERT_EQ(slider->state, ThumbState::Dragging);
  slider->hide();
  EXPECT_EQ(slider->state, ThumbState::Idle);
  EXPECT_FALSE(slider->HasCapture());
  slider->SetPosition(100, 100);
  EXPECT_EQ(slider->ThumbLeft(), 157);
}

TEST(SkinProgressBar, WithoutBackgroundItExistsWithoutSize) {
  RecordingParent parent;
  auto* slider = new CSkinPrograssBar;
  ASSERT_TRUE(slider->Create(1276, &parent, 4, 9990, 0, 0));
  EXPECT_EQ(slider->size(), QSize(0, 0));
  slider->SetPosition(10, 20);
  Press(slider, QPoint(0, 0));
  EXPECT_EQ(slider->ThumbLeft(), 0);
  CSkinPrograssBar orphan;
  EXPECT_FALSE(orphan.Create(1276, nullptr, 4, skin::kBarVolumeSliderBase, 0, 0));
}
