#include "engines/sonara/prosody.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

struct MarkupCase {
  const char* markup;
  bool accepted;
  int speed;
  int volume;
  int pitch;
};

class MarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTest, SetsWhatTheMarkupNames) {
  const MarkupCase& c = GetParam();
  Prosody prosody;
  prosody.volume = 90;  // an earlier setting that a speed markup keeps
  EXPECT_EQ(ApplyMarkup(c.markup, prosody), c.accepted);
  EXPECT_EQ(prosody.speed, c.speed);
  EXPECT_EQ(prosody.volume, c.volume);
  EXPECT_EQ(prosody.pitch, c.pitch);
}

INSTANTIATE_TEST_SUITE_P(
    Markups, MarkupTest,
    ::testing::Values(MarkupCase{"<speed=\"120\"> </speed>", true, 120, 90, 100},
                      MarkupCase{"<speed=\"80\"><volume=\"150\"><pitch=\"110\">", true, 80, 150, 110},
                      MarkupCase{"<pitch='96'><SPEED = 60>", true, 60, 90, 96},
                      MarkupCase{"<speed=\"999\"><volume=\"-5\"><pitch=\"10\">", true, 200, 0, 80},
                      MarkupCase{"hello", false, 100, 90, 100},
                      MarkupCase{"<speed=\"fast\">", false, 100, 90, 100},
                      MarkupCase{"<speed=\"120\"", false, 100, 90, 100},
                      MarkupCase{"", false, 100, 90, 100}));

}  // namespace
}  // namespace orvilo::sonara
