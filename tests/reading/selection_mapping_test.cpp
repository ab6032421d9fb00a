#include "reading/selection_mapping.h"

#include <gtest/gtest.h>

namespace orvilo::reading {
namespace {

struct Case {
  const char* name;
  PageGeometry page;
  int x, y, w, h;
  gdi::Rect kept;
};

class SelectionMappingTest : public ::testing::TestWithParam<Case> {};

TEST_P(SelectionMappingTest, MapsWindowPixelsToPagePixels) {
  const Case& c = GetParam();
  const MappedSelection mapped = MapSelection(c.page);
  EXPECT_EQ(mapped.x, c.x);
  EXPECT_EQ(mapped.y, c.y);
  EXPECT_EQ(mapped.w, c.w);
  EXPECT_EQ(mapped.h, c.h);
  EXPECT_EQ(mapped.selection, c.kept);
}

// 2000 x 1000 in 1000 x 800: s = 0.5, shown 1000 x 500 from y = 150.
constexpr PageGeometry Page(gdi::Rect selection, float zoom = 1.0f, gdi::Rect source = {}, bool fullScreen = false) {
  return PageGeometry{2000, 1000, 1000, 800, selection, zoom, source, fullScreen};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionMappingTest,
    ::testing::Values(
        Case{"FittedAtZoomOne", Page({100, 200, 300, 400}), 200, 100, 400, 400, {100, 200, 300, 400}},
        Case{"ClampedToTheShownPage", Page({-50, 100, 300, 700}), 0, 0, 600, 1000, {0, 150, 300, 650}},
        Case{"NarrowerThanAPixelIsTheWholePage", Page({100, 200, 100, 400}), 0, 0, 2000, 1000, {100, 200, 100, 400}},
        Case{"LowerThanAPixelIsTheWholePage", Page({100, 200, 300, 200}), 0, 0, 2000, 1000, {100, 200, 300, 200}},
        Case{"FullScreenStretches", Page({100, 200, 300, 400}, 1.0f, {}, true), 200, 250, 400, 250, {100, 200, 300, 400}},
        // Zoom 2: the page is scaled 1.0 and fills the window; the source
        // rectangle (500, 250)-(1500, 1050) is what is shown.
        Case{"ZoomedInUsesTheSourceRectangle", Page({100, 200, 300, 400}, 2.0f, {500, 250, 1500, 1050}), 600, 450, 200,
             200, {100, 200, 300, 400}},
        Case{"ZoomedInWithoutSourceIsTheWholePage", Page({100, 200, 300, 400}, 2.0f), 0, 0, 2000, 1000,
             {100, 200, 300, 400}},
        Case{"NoWindowIsTheWholePage", PageGeometry{2000, 1000, 0, 0, {1, 1, 5, 5}, 1.0f, {}, false}, 0, 0, 2000, 1000, {1, 1, 5, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvilo::reading
