#include "engines/sonara/audio_encoders.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

struct CompandCase {
  std::int16_t sample;
  std::uint8_t muLaw;
  std::uint8_t aLaw;
  std::uint8_t signed8;
  std::uint8_t unsigned8;
};

class CompandTest : public ::testing::TestWithParam<CompandCase> {};

// Reference values of the G.711 tables.
TEST_P(CompandTest, MatchesTheStandardCodes) {
  const CompandCase& c = GetParam();
  EXPECT_EQ(EncodeMuLaw(c.sample), c.muLaw);
  EXPECT_EQ(EncodeALaw(c.sample), c.aLaw);
  EXPECT_EQ(EncodeLinear8Signed(c.sample), c.signed8);
  EXPECT_EQ(EncodeLinear8Unsigned(c.sample), c.unsigned8);
}

INSTANTIATE_TEST_SUITE_P(Samples, CompandTest,
                         ::testing::Values(CompandCase{0, 0xFF, 0xD5, 0x00, 0x80},
                                           CompandCase{-1, 0x7E, 0x55, 0x00, 0x80},
                                           CompandCase{32767, 0x80, 0xAA, 0x7F, 0xFF},
                                           CompandCase{-32768, 0x00, 0x2A, 0x80, 0x00},
                                           CompandCase{1000, 0xCE, 0xFA, 0x04, 0x84},
                                           CompandCase{-1000, 0x4E, 0x7A, 0xFC, 0x7C}));

TEST(AdpcmEncoderTest, HoldsAnOddSampleForTheNextCall) {
  AdpcmEncoder split(AdpcmEncoder::Kind::kIma);
  AdpcmEncoder whole(AdpcmEncoder::Kind::kIma);
  const std::int16_t samples[5] = {100, 2000, -3000, 4000, 50};
  std::uint8_t a[4] = {};
  std::uint8_t b[4] = {};
  EXPECT_EQ(split.Encode(samples, 3, a), 1u);
  EXPECT_EQ(split.Encode(samples + 3, 2, a + 1), 1u);
  EXPECT_EQ(whole.Encode(samples, 5, b), 2u);
  EXPECT_EQ(a[0], b[0]);
  EXPECT_EQ(a[1], b[1]);
}

}  // namespace
}  // namespace orvilo::sonara
