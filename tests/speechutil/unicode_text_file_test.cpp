#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/sys/file_io.h"
#include "speechutil/unicode_text_file.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::speechutil {
namespace {

using orvilo::testing::TemporaryFolder;
using Encoding = CUnicodeTextFile::Encoding;

struct ReadCase {
  const char* label;
  std::string bytes;
  Encoding encoding;
  std::u16string text;
  bool lost;
};

class TextFileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextFileReadTest, DetectsTheEncodingAndJoinsLinesWithCrLf) {
  const ReadCase& c = GetParam();
  TemporaryFolder folder;
  std::ofstream(folder / "in.txt", std::ios::binary) << c.bytes;
  const auto result = CUnicodeTextFile::Read(folder / "in.txt");
  ASSERT_EQ(result.status, CUnicodeTextFile::Status::Ok);
  EXPECT_EQ(result.encoding, c.encoding);
  EXPECT_EQ(result.text, c.text);
  EXPECT_EQ(result.dataLost, c.lost);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextFileReadTest,
    ::testing::Values(
        ReadCase{"Utf8WithMark", "\xEF\xBB\xBF\xED\x95\x9C\xEA\xB8\x80\nok", Encoding::Utf8Bom, u"한글\r\nok", false},
        ReadCase{"Utf16LittleEndian", std::string("\xFF\xFE\x5C\xD5\x00\xAE\x0D\x00\x0A\x00\x41\x00", 12),
                 Encoding::Utf16Le, u"한글\r\nA", false},
        ReadCase{"Utf16BigEndian", std::string("\xFE\xFF\xD5\x5C\xAE\x00\x00\x0A\x00\x42", 10), Encoding::Utf16Be,
                 u"한글\r\nB", false},
        ReadCase{"Utf8WithoutMark", "\xED\x95\x9C\xEA\xB8\x80 text\r\n", Encoding::Utf8, u"한글 text\r\n", false},
        // Written on a Korean Windows machine: CP949 without a mark.
        ReadCase{"Cp949WithoutMark", "\xC7\xD1\xB1\xDB \xC7\xD0\xB1\xB3\r\n\xB0\xA1", Encoding::Cp949,
                 u"한글 학교\r\n가", false},
        ReadCase{"Empty", "", Encoding::Utf8, u"", false},
        // Neither UTF-8 nor CP949: read with replacement characters, and said so.
        ReadCase{"UnknownEncoding", "ab\xFF\xFF\x80 cd", Encoding::Unknown, u"ab\uFFFD\uFFFD\uFFFD cd", true},
        ReadCase{"Utf16CutInHalf", std::string("\xFF\xFE\x41\x00\x42", 5), Encoding::Utf16Le, u"A", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TextFileTest, MissingFileCannotBeOpened) {
  TemporaryFolder folder;
  EXPECT_EQ(CUnicodeTextFile::Read(folder / "none.txt").status, CUnicodeTextFile::Status::CannotOpen);
  EXPECT_EQ(CUnicodeTextFile::Read(folder.path()).status, CUnicodeTextFile::Status::CannotOpen);
}

TEST(TextFileTest, TenMegabytesOfTextAreReadWhole) {
  TemporaryFolder folder;
  std::string line = "\xED\x95\x9C\xEA\xB8\x80 text line\n";
  std::string bytes;
  while (bytes.size() < 10 * 1024 * 1024) bytes += line;
  std::ofstream(folder / "big.txt", std::ios::binary) << bytes;
  const auto result = CUnicodeTextFile::Read(folder / "big.txt");
  ASSERT_EQ(result.status, CUnicodeTextFile::Status::Ok);
  EXPECT_EQ(result.text.size(), bytes.size() / line.size() * 14);
}

TEST(TextFileTest, SavesUtf16LittleEndianWithTheMark) {
  TemporaryFolder folder;
  ASSERT_TRUE(CUnicodeTextFile::Write(folder / "notes.txt", u"가A\r\n"));
  const auto bytes = sys::ReadFileBytes(folder / "notes.txt", 1024).bytes;
  EXPECT_EQ(bytes, std::string("\xFF\xFE\x00\xAC\x41\x00\x0D\x00\x0A\x00", 10));
  // What is saved reads back unchanged, also beyond the 1024-byte buffer.
  std::u16string longText(3000, u'한');
  ASSERT_TRUE(CUnicodeTextFile::Write(folder / "long.txt", longText));
  EXPECT_EQ(CUnicodeTextFile::Read(folder / "long.txt").text, longText);
}

TEST(TextFileTest, ASaveThatFailsKeepsTheOldFile) {
  TemporaryFolder folder;
  ASSERT_TRUE(CUnicodeTextFile::Write(folder / "notes.txt", u"old"));
  const int code = orvilo::testing::RunInChild(orvilo::testing::Restriction::DiskFull, [&] {
    return CUnicodeTextFile::Write(folder / "notes.txt", std::u16string(500, u'x')) ? 1 : 0;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(CUnicodeTextFile::Read(folder / "notes.txt").text, u"old");
  EXPECT_FALSE(CUnicodeTextFile::Write(folder / "missing/notes.txt", u"x"));
}

TEST(TextFileTest, NamesWithoutExtensionGetTheDefaultOne) {
  EXPECT_EQ(WithDefaultExtension("/tmp/notes", "txt"), "/tmp/notes.txt");
  EXPECT_EQ(WithDefaultExtension("/tmp/notes.", "txt"), "/tmp/notes.txt");
  EXPECT_EQ(WithDefaultExtension("/tmp/notes.md", "txt"), "/tmp/notes.md");
  EXPECT_EQ(WithDefaultExtension("/tmp/a.b/speech", "vox"), "/tmp/a.b/speech.vox");
  EXPECT_EQ(WithDefaultExtension("/tmp/.hidden", "wav"), "/tmp/.hidden.wav");
  EXPECT_EQ(WithDefaultExtension("speech.wav", "vox"), "speech.wav");
}

}  // namespace
}  // namespace orvilo::speechutil
