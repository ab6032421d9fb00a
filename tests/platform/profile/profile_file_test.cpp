#include "platform/profile/profile_file.h"

#include <gtest/gtest.h>

#include "tests/platform/sys/test_label.h"

using orvilo::profile::ProfileFile;
using namespace std::string_literals;

namespace {

// A file as people and programs leave them: comments, blanks around names,
// quotes, a repeated key and section, LF-only lines, no final line break.
const std::string kFixture =
    "; written by hand\r\n"
    "orphan=before any section\r\n"
    "[QEL-3]\r\n"
    "TempFolder = /a/b \r\n"
    "\tImageFolder\t=\t/img\t\r\n"
    "tempfolder=/second\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "HalfQuote=\"abc\r\n"
    "Empty=\r\n"
    "NoEquals line\r\n"
    ";Hidden=1\r\n"
    "Nul=ab\0cd\r\n"
    "\r\n"
    "[ qel-3 ]\r\n"
    "Other=2\r\n"
    "[VOICEBOOK]\n"
    "VoiceBook001=/x/1.qel\n"
    "VoiceBook002=END"s;

ProfileFile Fixture() { return ProfileFile::Parse("/nowhere/QEL-3.ini", kFixture); }

}  // namespace

struct ReadCase {
  const char* section;
  const char* key;
  const char* expected;
  friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << orvilo::testing::TestLabel(std::string(c.section) + "/" + c.key); }
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FollowsTheWindowsRules) {
  EXPECT_EQ(Fixture().Read(GetParam().section, GetParam().key), GetParam().expected)
      << "[" << GetParam().section << "] " << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    ::testing::Values(ReadCase{"QEL-3", "TempFolder", "/a/b"},      // trimmed
                      ReadCase{"qel-3", "TEMPFOLDER", "/a/b"},      // names ignore case; first match wins
                      ReadCase{"QEL-3", "ImageFolder", "/img"},     // tabs trimmed
                      ReadCase{"QEL-3", "Quoted", "  spaced  "},    // one pair of quotes removed
                      ReadCase{"QEL-3", "Single", "x"},
                      ReadCase{"QEL-3", "HalfQuote", "\"abc"},      // unmatched quote kept
                      ReadCase{"QEL-3", "Empty", ""},
                      ReadCase{"QEL-3", "Missing", ""},
                      ReadCase{"QEL-3", "NoEquals line", ""},
                      ReadCase{"QEL-3", ";Hidden", ""},             // comment
                      ReadCase{"QEL-3", "Nul", "ab"},               // cut at NUL
                      ReadCase{"QEL-3", "Other", ""},               // the second [qel-3] is not searched
                      ReadCase{"VOICEBOOK", "VoiceBook001", "/x/1.qel"},  // LF-only lines
                      ReadCase{"voicebook", "VoiceBook002", "END"},       // no final line break
                      ReadCase{"", "orphan", ""},
                      ReadCase{"Nowhere", "TempFolder", ""}));

TEST(ProfileFile, CutsLongValuesAt259BytesButNeverInsideACharacter) {
  const std::string ascii(300, 'a');
  std::string korean;
  for (int i = 0; i < 100; ++i) korean += "가";  // 300 bytes
  const ProfileFile file = ProfileFile::Parse("x.ini", "[S]\r\nA=" + ascii + "\r\nK=" + korean + "\r\n");
  EXPECT_EQ(file.Read("S", "A"), ascii.substr(0, 259));
  EXPECT_EQ(file.Read("S", "K"), korean.substr(0, 258));
  EXPECT_EQ(file.Read("S", "A", 255).size(), 255u);  // the speech editor's buffers
}

struct WriteCase {
  const char* name;
  const char* section;
  const char* key;
  const char* value;
  std::string expected;  // the whole file after the write
  friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

// Each write changes exactly one place; every other byte stays.
TEST_P(ProfileWrite, ChangesOnlyItsLine) {
  ProfileFile file = Fixture();
  ASSERT_TRUE(file.Write(GetParam().section, GetParam().key, GetParam().value));
  EXPECT_EQ(file.Serialise(), GetParam().expected);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    ::testing::Values(
        WriteCase{"ReplacesTheFirstMatch", "qel-3", "TEMPFOLDER", "/new",
                  Replace(kFixture, "TempFolder = /a/b \r\n", "TEMPFOLDER=/new\r\n")},
        WriteCase{"AddsAtTheEndOfTheSectionBeforeBlankLines", "QEL-3", "ROTATE", "1",
                  Replace(kFixture, std::string("Nul=ab\0cd\r\n", 11), std::string("Nul=ab\0cd\r\nROTATE=1\r\n", 21))},
        WriteCase{"EndsTheLastLineBeforeAddingOne", "VOICEBOOK", "VoiceBook003", "END",
                  kFixture + "\r\nVoiceBook003=END\r\n"},
        WriteCase{"ReplacesAnLfLineWithACrLfLine", "VOICEBOOK", "VoiceBook001", "/y.qel",
                  Replace(kFixture, "VoiceBook001=/x/1.qel\n", "VoiceBook001=/y.qel\r\n")},
        WriteCase{"AddsAMissingSectionAtTheEnd", "Sonara", "DBSRAT", "16000",
                  kFixture + "\r\n[Sonara]\r\nDBSRAT=16000\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(ProfileFile, WritingANewFileGivesCrLfLines) {
  ProfileFile file = ProfileFile::Parse("x.ini", "");
  ASSERT_TRUE(file.Write("QEL-3", "RESOLUTION", "2"));
  ASSERT_TRUE(file.Write("QEL-3", "ROTATE", "0"));
  ASSERT_TRUE(file.Write("VOICEBOOK", "VoiceBook001", "END"));
  EXPECT_EQ(file.Serialise(), "[QEL-3]\r\nRESOLUTION=2\r\nROTATE=0\r\n[VOICEBOOK]\r\nVoiceBook001=END\r\n");
}

TEST(ProfileFile, RefusesWhatCannotStandInTheFile) {
  ProfileFile file = Fixture();
  EXPECT_FALSE(file.Write("QEL-3", "a=b", "x"));
  EXPECT_FALSE(file.Write("QEL-3", "[a", "x"));
  EXPECT_FALSE(file.Write("QEL-3", ";a", "x"));
  EXPECT_FALSE(file.Write("QEL-3", "  ", "x"));
  EXPECT_FALSE(file.Write("QEL-3", "k", "two\r\nlines"));
  EXPECT_FALSE(file.Write("QEL-3", "k", std::string("n\0l", 3)));
  EXPECT_FALSE(file.Write("a]b", "k", "x"));
  EXPECT_FALSE(file.Write("", "k", "x"));
  EXPECT_EQ(file.Serialise(), kFixture);
}

TEST(ProfileFile, DeletesKeysAndSectionsAndListsThem) {
  ProfileFile file = Fixture();
  EXPECT_EQ(file.Sections(), (std::vector<std::string>{"QEL-3", "VOICEBOOK"}));
  EXPECT_EQ(file.Keys("voicebook"), (std::vector<std::string>{"VoiceBook001", "VoiceBook002"}));
  EXPECT_EQ(file.Keys("QEL-3").size(), 8u);  // not the comment, nor the line without "="
  EXPECT_TRUE(file.DeleteKey("VOICEBOOK", "voicebook001"));
  EXPECT_FALSE(file.DeleteKey("VOICEBOOK", "voicebook001"));
  EXPECT_EQ(file.Read("VOICEBOOK", "VoiceBook002"), "END");
  EXPECT_TRUE(file.DeleteSection("qel-3"));
  EXPECT_EQ(file.Read("QEL-3", "Other"), "2");  // the second section is the first now
  EXPECT_TRUE(file.DeleteSection("qel-3"));
  EXPECT_FALSE(file.DeleteSection("qel-3"));
  EXPECT_EQ(file.Serialise(), "; written by hand\r\norphan=before any section\r\n[VOICEBOOK]\nVoiceBook002=END");
}

TEST(ProfileFile, ALastLineEndedByCarriageReturnAloneIsEndedProperlyBeforeAdding) {
  ProfileFile file = ProfileFile::Parse("x.ini", "[S]\r\nk=v\r");
  EXPECT_EQ(file.Read("S", "k"), "v");
  EXPECT_EQ(file.Serialise(), "[S]\r\nk=v\r");
  ASSERT_TRUE(file.Write("S", "n", "1"));
  EXPECT_EQ(file.Serialise(), "[S]\r\nk=v\r\nn=1\r\n");
}

TEST(ProfileFile, ByteOrderMarkIsSkippedAndKept) {
  ProfileFile file = ProfileFile::Parse("x.ini", "\xEF\xBB\xBF[S]\r\nk=v\r\n");
  EXPECT_EQ(file.Read("S", "k"), "v");
  file.Write("S", "k", "w");
  EXPECT_EQ(file.Serialise(), "\xEF\xBB\xBF[S]\r\nk=w\r\n");
}
