#include "engines/sonara/user_dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::sonara {
namespace {

const std::string kData = ORVILO_TEST_DATA_DIR;

TEST(UserDictionaryTest, ReadsEntriesAndCountsRejectedLines) {
  const auto loaded = UserDictionary::Load(kData + "/user_utf8.dic", Language::kKorean);
  ASSERT_EQ(loaded.status, UserDictionary::LoadStatus::kLoaded);
  EXPECT_EQ(loaded.entries, 2);
  EXPECT_EQ(loaded.rejectedLines, 1);  // "lonely" has no pronunciation
  const std::u32string text = U"SQL";
  const auto* entry = loaded.dictionary->Match(text, 0);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->pronunciation, U"에스큐엘");
}

TEST(UserDictionaryTest, ReadsLegacyKoreanFiles) {
  const auto loaded = UserDictionary::Load(kData + "/user_cp949.dic", Language::kKorean);
  ASSERT_EQ(loaded.status, UserDictionary::LoadStatus::kLoaded);
  EXPECT_EQ(loaded.entries, 2);
  const std::u32string text = U"한글";
  ASSERT_NE(loaded.dictionary->Match(text, 0), nullptr);
  EXPECT_EQ(loaded.dictionary->Match(text, 0)->pronunciation, U"한국 글자");
}

TEST(UserDictionaryTest, ReadsUtf16WithByteOrderMark) {
  const std::string bytes("\xFF\xFE" "A\0" " \0" "B\0" "e\0" "e\0", 12);
  const auto loaded = UserDictionary::Parse(bytes, Language::kEnglish);
  ASSERT_EQ(loaded.status, UserDictionary::LoadStatus::kLoaded);
  const std::u32string text = U"A";
  ASSERT_NE(loaded.dictionary->Match(text, 0), nullptr);
  EXPECT_EQ(loaded.dictionary->Match(text, 0)->pronunciation, U"Bee");
}

TEST(UserDictionaryTest, RefusesWhatIsNotText) {
  EXPECT_EQ(UserDictionary::Load(kData + "/not_text.dic", Language::kKorean).status,
            UserDictionary::LoadStatus::kNotText);
  EXPECT_EQ(UserDictionary::Load(kData + "/missing.dic", Language::kKorean).status,
            UserDictionary::LoadStatus::kUnreadable);
  EXPECT_EQ(UserDictionary::Load(kData, Language::kKorean).status, UserDictionary::LoadStatus::kUnreadable);

  orvilo::testing::TemporaryFolder folder;
  const std::string huge = folder / "huge.dic";
  std::ofstream(huge) << "SQL sequel\n";
  EXPECT_EQ(UserDictionary::Load(huge, Language::kEnglish).status, UserDictionary::LoadStatus::kLoaded);
  std::filesystem::resize_file(huge, UserDictionary::kMaxFileBytes + 1);
  EXPECT_EQ(UserDictionary::Load(huge, Language::kEnglish).status, UserDictionary::LoadStatus::kUnreadable);
}

struct MatchCase {
  const char* label;
  std::u32string text;
  std::size_t position;
  const char32_t* expectedWord;  // null: no match
};

class UserDictionaryMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(UserDictionaryMatchTest, MatchesWholeWordsLongestFirst) {
  const auto loaded = UserDictionary::Parse("SQL sequel\nSQLite sequel light\n서울 서울특별시\n", Language::kKorean);
  const MatchCase& c = GetParam();
  const auto* entry = loaded.dictionary->Match(c.text, c.position);
  if (c.expectedWord == nullptr) {
    EXPECT_EQ(entry, nullptr);
  } else {
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->word, c.expectedWord);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, UserDictionaryMatchTest,
    ::testing::Values(MatchCase{"AloneWord", U"use SQL.", 4, U"SQL"},
                      MatchCase{"LongestWins", U"SQLite db", 0, U"SQLite"},
                      MatchCase{"GluedAfter", U"SQLs", 0, nullptr},
                      MatchCase{"GluedBefore", U"MySQL", 2, nullptr},
                      MatchCase{"CaseSensitive", U"sql", 0, nullptr},
                      MatchCase{"KoreanParticle", U"서울에서", 0, U"서울"},
                      MatchCase{"KoreanAlone", U"서울 시", 0, U"서울"},
                      MatchCase{"KoreanInsideWord", U"남서울", 1, nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace orvilo::sonara
