#include "reading/learning_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/sys/file_io.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo;
using namespace orvilo::reading;
using orvilo::testing::RunInChild;
using orvilo::testing::Restriction;
using orvilo::testing::TemporaryFolder;
using Status = LearningFileContent::Status;

namespace {

gdi::PackedDib SmallPicture() {
  gdi::PackedDib picture = gdi::PackedDib::Create(3, 2, 24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 9; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(10 * y + x);
  }
  return picture;
}

std::uint32_t Uint32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return value;
}

TEST(LearningFileTest, BytesAreLaidOutAsTheWindowsVersionWritesThem) {
  const gdi::PackedDib picture = SmallPicture();
  LearningPage page;
  page.selection = {10, 20, 300, 400};
  page.blinds = {{1, 2, 3, 4}, {-5, 6, 7, 8}};
  page.text = "Hi";
  page.music = "a.mp3";
  page.image = &picture;
  const std::string bytes = SerialiseLearningFile(page);

  EXPECT_EQ(bytes.substr(0, 2), "VX");
  EXPECT_EQ(Uint32At(bytes, 2), 10u);
  EXPECT_EQ(Uint32At(bytes, 14), 400u);
  EXPECT_EQ(Uint32At(bytes, 18), 2u);                        // N
  EXPECT_EQ(static_cast<std::int32_t>(Uint32At(bytes, 38)), -5);  // second blind's left
  EXPECT_EQ(Uint32At(bytes, 54), 2u + 4u);                   // T + 4
  EXPECT_EQ(bytes.substr(58, 6), std::string("Hi\0\0\0\0", 6));
  EXPECT_EQ(Uint32At(bytes, 64), 5u);                        // M
  EXPECT_EQ(bytes.substr(68, 5), "a.mp3");
  // D = biSize + biClrUsed * 4 + biSizeImage: 40 + 0 + 2 rows of 12 bytes.
  EXPECT_EQ(Uint32At(bytes, 73), 40u + 24u);
  EXPECT_EQ(bytes.size(), 77u + 64u);
  EXPECT_EQ(std::memcmp(bytes.data() + 77, picture.data(), picture.size()), 0);
}

TEST(LearningFileTest, WhatIsWrittenReadsBack) {
  TemporaryFolder folder;
  const gdi::PackedDib picture = SmallPicture();
  LearningPage page;
  page.selection = {5, 6, 70, 80};
  page.blinds = {{10, 10, 310, 160}, {20, 20, 320, 170}, {30, 30, 330, 180}};
  page.text = "첫 문장입니다. Second sentence.";
  page.music = "/home/teacher/음악/song.ogg";
  page.image = &picture;
  ASSERT_TRUE(WriteLearningFile(folder / "lesson.qel", page));

  const LearningFileContent content = ReadLearningFile(folder / "lesson.qel");
  ASSERT_EQ(content.status, Status::Ok);
  EXPECT_EQ(content.selection, page.selection);
  EXPECT_EQ(content.blinds, page.blinds);
  EXPECT_EQ(content.text, page.text);
  EXPECT_EQ(content.music, page.music);
  ASSERT_FALSE(content.image.IsEmpty());
  ASSERT_EQ(content.image.size(), picture.size());
  EXPECT_EQ(std::memcmp(content.image.data(), picture.data(), picture.size()), 0);
}

TEST(LearningFileTest, AnEmptyTextIsFourZeroBytesAndLoadsAsEmptyText) {
  LearningPage page;  // no blinds, no music, no picture
  const std::string bytes = SerialiseLearningFile(page);
  EXPECT_EQ(Uint32At(bytes, 22), 4u);
  EXPECT_EQ(bytes.substr(26, 4), std::string(4, '\0'));
  const LearningFileContent content = ParseLearningFile(bytes);
  EXPECT_EQ(content.status, Status::Ok);
  EXPECT_EQ(content.text, "");
  EXPECT_FALSE(content.music.has_value());  // 0: the current music is kept
  EXPECT_TRUE(content.image.IsEmpty());
}

TEST(LearningFileTest, TextFromAWindowsMachineIsReadAsCp949) {
  LearningPage page;
  page.text = std::string("\xC7\xD1\xB1\xDB\xC0\xBB \xC0\xD0\xBD\xC0\xB4\xCF\xB4\xD9.", 16);  // 한글을 읽습니다. in CP949
  const LearningFileContent content = ParseLearningFile(SerialiseLearningFile(page));
  EXPECT_EQ(content.text, "한글을 읽습니다.");
}

TEST(LearningFileTest, AnotherMagicReadsNothing) {
  std::string bytes = SerialiseLearningFile(LearningPage{{1, 2, 3, 4}, {}, "text", "", nullptr});
  bytes[0] = 'X';
  const LearningFileContent content = ParseLearningFile(bytes);
  EXPECT_EQ(content.status, Status::NotLearningFile);
  EXPECT_FALSE(content.selection.has_value());
  EXPECT_FALSE(content.text.has_value());
}

// A file cut anywhere keeps the fields before the cut and nothing after it.
TEST(LearningFileTest, AFileThatEndsEarlyKeepsTheFieldsBeforeTheEnd) {
  const gdi::PackedDib picture = SmallPicture();
  const std::string whole =
      SerialiseLearningFile(LearningPage{{1, 2, 3, 4}, {{5, 6, 7, 8}}, "text", "m.wav", &picture});
  struct Case {
    std::size_t length;
    bool selection, blinds, text, music;
  };
  // 2 magic | 16 selection | 4+16 blinds | 4+8 text | 4+5 music | 4+64 image
  const Case cases[] = {
      {1, false, false, false, false},   {10, false, false, false, false}, {18, true, false, false, false},
      {30, true, false, false, false},   {38, true, true, false, false},   {45, true, true, false, false},
      {50, true, true, true, false},     {59, true, true, true, true},     {whole.size() - 1, true, true, true, true},
  };
  for (const Case& c : cases) {
    const LearningFileContent content = ParseLearningFile(std::string_view(whole).substr(0, c.length));
    EXPECT_NE(content.status, Status::Ok) << c.length;
    EXPECT_EQ(content.selection.has_value(), c.selection) << c.length;
    EXPECT_EQ(content.blinds.has_value(), c.blinds) << c.length;
    EXPECT_EQ(content.text.has_value(), c.text) << c.length;
    EXPECT_EQ(content.music.has_value(), c.music) << c.length;
    EXPECT_TRUE(content.image.IsEmpty()) << c.length;
  }
}

TEST(LearningFileTest, HostileLengthsAreRefusedBeforeAnythingIsAllocated) {
  std::string bytes = SerialiseLearningFile(LearningPage{});
  // N = 0xFFFFFFFF blinds in a file of a few dozen bytes.
  std::string blinds = bytes;
  blinds.replace(18, 4, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(ParseLearningFile(blinds).status, Status::Truncated);
  EXPECT_FALSE(ParseLearningFile(blinds).blinds.has_value());
  // A text length of 4 GiB.
  std::string text = bytes;
  text.replace(22, 4, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(ParseLearningFile(text).status, Status::Truncated);
  // A picture whose header lies about its size is left out; the rest stands.
  const gdi::PackedDib picture = SmallPicture();
  std::string image = SerialiseLearningFile(LearningPage{{}, {}, "t", "", &picture});
  image[image.size() - picture.size() + 4] = '\x7F';  // biWidth far beyond the rows
  const LearningFileContent content = ParseLearningFile(image);
  EXPECT_EQ(content.text, "t");
  EXPECT_TRUE(content.image.IsEmpty());
}

TEST(LearningFileTest, AMissingFileChangesNothing) {
  TemporaryFolder folder;
  EXPECT_EQ(ReadLearningFile(folder / "none.qel").status, Status::CannotOpen);
  EXPECT_EQ(ReadLearningFile(folder.path()).status, Status::CannotOpen);
}

TEST(LearningFileTest, AFullDiskLeavesTheEarlierFileByteForByte) {
  TemporaryFolder folder;
  const std::string path = folder / "lesson.qel";
  ASSERT_TRUE(WriteLearningFile(path, LearningPage{{}, {}, "earlier", "", nullptr}));
  const std::string before = sys::ReadFileBytes(path, 1 << 20).bytes;
  const gdi::PackedDib picture = gdi::PackedDib::Create(100, 100, 24);
  const int written = RunInChild(Restriction::DiskFull, [&] {
    return WriteLearningFile(path, LearningPage{{}, {}, "later", "", &picture}) ? 1 : 0;
  });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(sys::ReadFileBytes(path, 1 << 20).bytes, before);
}

}  // namespace
