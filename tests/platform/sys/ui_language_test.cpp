#include "platform/sys/ui_language.h"

#include <gtest/gtest.h>

#include "tests/platform/sys/test_label.h"

#include <cstdlib>
#include <optional>
#include <string>

using namespace orvilo::sys;

struct LocaleCase {
  const char* name;
  int language;
  friend void PrintTo(const LocaleCase& c, std::ostream* out) { *out << (c.name ? orvilo::testing::TestLabel(c.name) : "(null)"); }
};

class LocaleName : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleName, GivesTheWindowsLanguage) {
  EXPECT_EQ(UiLanguageOfLocaleName(GetParam().name), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocaleName,
                         ::testing::Values(LocaleCase{"ko_KR.UTF-8", kLanguageKorean}, LocaleCase{"ko", kLanguageKorean},
                                           LocaleCase{"ko_KR", kLanguageKorean},
                                           LocaleCase{"ko.UTF-8", kLanguageKorean},
                                           LocaleCase{"ko@euro", kLanguageKorean},
                                           LocaleCase{"kok_IN", kLanguageEnglishUs},  // Konkani
                                           LocaleCase{"k", kLanguageEnglishUs},
                                           LocaleCase{"en_US.UTF-8", kLanguageEnglishUs},
                                           LocaleCase{"C", kLanguageEnglishUs}, LocaleCase{"", kLanguageEnglishUs},
                                           LocaleCase{nullptr, kLanguageEnglishUs}));

// Sets the three variables for the test's lifetime and restores them after.
class LocaleEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kNames[i]);
      saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (saved_[i]) setenv(kNames[i], saved_[i]->c_str(), 1); else unsetenv(kNames[i]);
    }
  }
  void Set(const char* all, const char* messages, const char* lang) {
    const char* values[3] = {all, messages, lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i]) setenv(kNames[i], values[i], 1); else unsetenv(kNames[i]);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironment, TheFirstNonEmptyVariableDecides) {
  Set("ko_KR.UTF-8", "en_US.UTF-8", "en_US.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), kLanguageKorean);
  Set("", "ko_KR.UTF-8", "en_US.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), kLanguageKorean);
  Set(nullptr, nullptr, "ko_KR.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), kLanguageKorean);
  Set("en_GB.UTF-8", nullptr, "ko_KR.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), kLanguageEnglishUs);
  Set(nullptr, nullptr, nullptr);
  EXPECT_EQ(SystemUiLanguage(), kLanguageEnglishUs);
}
