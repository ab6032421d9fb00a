#include "ocr/binarization.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using lexiq::GreyHistogram;

GreyHistogram SharesOf(const std::vector<std::pair<int, long double>>& levels) {
  GreyHistogram shares{};
  for (const auto& [level, share] : levels) shares[level] = share;
  return shares;
}

struct ThresholdCase {
  const char* name;
  std::vector<std::pair<int, long double>> levels;
  int threshold;
};
void PrintTo(const ThresholdCase& value, std::ostream* out) { *out << value.name; }

class IntermeansThresholdTest : public testing::TestWithParam<ThresholdCase> {};

TEST_P(IntermeansThresholdTest, FindsTheThresholdOfTheRule) {
  EXPECT_EQ(lexiq::IntermeansThreshold(SharesOf(GetParam().levels)), GetParam().threshold);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, IntermeansThresholdTest,
    testing::Values(
        // One grey level leaves one class empty: threshold 0.
        ThresholdCase{"AllTwoHundred", {{200, 1.0L}}, 0}, ThresholdCase{"AllBlack", {{0, 1.0L}}, 0},
        ThresholdCase{"AllWhite", {{255, 1.0L}}, 0},
        // Mean 130 already lies halfway between the class means 10 and 250.
        ThresholdCase{"HalfTenHalfTwoFifty", {{10, 0.5L}, {250, 0.5L}}, 130},
        // Mean 91.5 -> 91; class means 0 and 228.75 -> 114; same classes -> stays 114.
        ThresholdCase{"MovesOnceFromTheMean", {{0, 0.6L}, {150, 0.1L}, {255, 0.3L}}, 114},
        // Mean 211 -> class means 152.5 and 250 -> 201; same classes -> stays 201.
        ThresholdCase{"InkGreyAndWhite", {{10, 0.1L}, {200, 0.3L}, {250, 0.6L}}, 201}),
    [](const testing::TestParamInfo<ThresholdCase>& info) { return std::string(info.param.name); });

TEST(HistogramOfTest, CountsOnlyThePixelsOfEachRowNotThePadding) {
  // Two rows of 3 pixels in a stride of 4: the padding byte 99 must not count.
  const std::uint8_t rows[] = {10, 10, 250, 99, 250, 250, 10, 99};
  const GreyHistogram shares = lexiq::HistogramOf(rows, 4, 3, 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(shares[10]), 0.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(shares[250]), 0.5);
  EXPECT_EQ(shares[99], 0.0L);
}

TEST(ApplyThresholdTest, SetsEveryByteOfEveryRowPaddingIncluded) {
  std::uint8_t rows[] = {130, 131, 0, 200, 255, 7, 131, 130};
  lexiq::ApplyThreshold(rows, 4, 2, 130);
  const std::uint8_t expected[] = {0, 255, 0, 255, 255, 0, 255, 0};
  EXPECT_TRUE(std::equal(std::begin(rows), std::end(rows), std::begin(expected)));
}

}  // namespace
