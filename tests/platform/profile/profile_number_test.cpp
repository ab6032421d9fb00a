#include <climits>

#include <gtest/gtest.h>

#include "tests/platform/sys/test_label.h"

#include "platform/profile/private_profile.h"

using orvilo::profile::ReadProfileNumber;

struct NumberCase {
  const char* text;
  int expected;
  friend void PrintTo(const NumberCase& c, std::ostream* out) { *out << orvilo::testing::TestLabel(c.text); }
};

class ProfileNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ProfileNumber, IsSignAndLeadingDigits) {
  EXPECT_EQ(ReadProfileNumber(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileNumber,
                         ::testing::Values(NumberCase{"", 0}, NumberCase{"2", 2}, NumberCase{"-3", -3},
                                           NumberCase{"+7", 7}, NumberCase{" \t42", 42}, NumberCase{"5abc", 5},
                                           NumberCase{"1.9", 1}, NumberCase{"0x10", 0}, NumberCase{"abc", 0},
                                           NumberCase{"TRUE", 0}, NumberCase{"-", 0}, NumberCase{"--1", 0},
                                           NumberCase{"- 1", 0}, NumberCase{"007", 7},
                                           NumberCase{"2147483647", INT_MAX}, NumberCase{"2147483648", INT_MAX},
                                           NumberCase{"99999999999999999999999", INT_MAX},
                                           NumberCase{"-2147483648", INT_MIN},
                                           NumberCase{"-99999999999999999999999", INT_MIN}));
