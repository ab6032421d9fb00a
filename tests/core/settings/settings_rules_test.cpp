#include <gtest/gtest.h>

#include "platform/sys/ui_language.h"
#include "core/settings/ar_settings.h"
#include "core/settings/language_rules.h"
#include "tests/platform/sys/test_label.h"

using namespace orvilo::core;
using orvilo::sys::kLanguageEnglishUs;
using orvilo::sys::kLanguageKorean;
using orvilo::testing::TestLabel;

struct LanguageCase {
  const char* language;
  int system;
  bool koreanWindow;
  bool koreanComponents;
  friend void PrintTo(const LanguageCase& c, std::ostream* out) {
    *out << TestLabel(c.language) << (c.system == kLanguageKorean ? "_onKorean" : "_onEnglish");
  }
};

class LanguageRules : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageRules, ChooseKoreanOrEnglish) {
  const LanguageCase& c = GetParam();
  EXPECT_EQ(IsKoreanWindowLanguage(c.language, c.system), c.koreanWindow);
  EXPECT_EQ(IsKoreanComponentLanguage(c.language, c.system), c.koreanComponents);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageRules,
                         ::testing::Values(LanguageCase{"", kLanguageKorean, true, true},
                                           LanguageCase{"", kLanguageEnglishUs, false, false},
                                           LanguageCase{"0", kLanguageKorean, true, true},
                                           LanguageCase{"0", kLanguageEnglishUs, true, false},  // Korean main window only
                                           LanguageCase{"1", kLanguageKorean, false, false},    // English everywhere
                                           LanguageCase{"1", kLanguageEnglishUs, false, false},
                                           LanguageCase{"2", kLanguageKorean, true, true},
                                           LanguageCase{"2", kLanguageEnglishUs, false, false},
                                           LanguageCase{"-1", kLanguageKorean, true, true},
                                           LanguageCase{"English", kLanguageEnglishUs, true, false},  // no number: 0
                                           LanguageCase{"English", kLanguageKorean, true, true},
                                           LanguageCase{"1abc", kLanguageKorean, false, false}));

struct GradeCase {
  const char* value;
  int slots[6];  // grades 1..6; -1 hidden
  friend void PrintTo(const GradeCase& c, std::ostream* out) { *out << TestLabel(c.value); }
};

class GradeSlots : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeSlots, PackShownGradesFromTheLeft) {
  for (int grade = 1; grade <= 6; ++grade) {
    const std::optional<int> slot = GradeSlot(GetParam().value, grade);
    EXPECT_EQ(slot.value_or(-1), GetParam().slots[grade - 1]) << "grade " << grade;
  }
  EXPECT_FALSE(GradeSlot(GetParam().value, 0).has_value());
  EXPECT_FALSE(GradeSlot(GetParam().value, 7).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, GradeSlots,
                         ::testing::Values(GradeCase{"", {0, 1, 2, 3, 4, 5}},
                                           GradeCase{"356", {-1, -1, 0, -1, 1, 2}},
                                           GradeCase{"653", {-1, -1, 0, -1, 1, 2}},  // order in the value is irrelevant
                                           GradeCase{"123456", {0, 1, 2, 3, 4, 5}},
                                           GradeCase{"2", {-1, 0, -1, -1, -1, -1}},
                                           GradeCase{"1, 4", {0, -1, -1, 1, -1, -1}},
                                           GradeCase{"0", {-1, -1, -1, -1, -1, -1}},
                                           GradeCase{"9", {-1, -1, -1, -1, -1, -1}},
                                           GradeCase{"10", {0, -1, -1, -1, -1, -1}}));

struct CaptionCase {
  const char* format;
  const char* caption;  // for grade 3, semester 1, unit 12
  friend void PrintTo(const CaptionCase& c, std::ostream* out) { *out << TestLabel(c.format); }
};

class ArCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(ArCaption, TakesOnlyTheThreeNumbers) {
  EXPECT_EQ(FormatArCaption(GetParam().format, 3, 1, 12), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArCaption,
                         ::testing::Values(CaptionCase{"%d 학년 %d 학기 %d 단원", "3 학년 1 학기 12 단원"},
                                           CaptionCase{"Grade %d, semester %i, unit %02d", "Grade 3, semester 1, unit 12"},
                                           CaptionCase{"%03d|%-3d|%+d", "003|1  |+12"},
                                           CaptionCase{"100%% %d", "100% 3"},
                                           CaptionCase{"%d %d %d %d", "3 1 12 %d"},  // no fourth value to read
                                           CaptionCase{"%s %n %x %d", "%s %n %x 3"},  // never other conversions
                                           CaptionCase{"%999999999d", "%999999999d"},  // no giant widths
                                           CaptionCase{"unit %", "unit %"},
                                           CaptionCase{"", ""}));
