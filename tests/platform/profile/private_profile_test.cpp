#include "platform/profile/private_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/sys/file_io.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo::profile;
using orvilo::sys::ReadFileBytes;
using orvilo::sys::SaveFileAtomically;
using orvilo::testing::Restriction;
using orvilo::testing::RunInChild;
using orvilo::testing::TemporaryFolder;

namespace {
std::string Contents(const std::string& path) { return ReadFileBytes(path, 1 << 26).bytes; }
}  // namespace

TEST(PrivateProfile, WriteCreatesTheFileAndReadFindsIt) {
  TemporaryFolder folder;
  const std::string path = folder / "QEL-3.ini";
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ROTATE"), "");
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ROTATE", "1"));
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ARINFO", "%d 학년 %d 학기 %d 단원"));
  EXPECT_EQ(ReadProfileString(path, "qel-3", "rotate"), "1");
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ARINFO"), "%d 학년 %d 학기 %d 단원");
  EXPECT_EQ(Contents(path), "[QEL-3]\r\nROTATE=1\r\nARINFO=%d 학년 %d 학기 %d 단원\r\n");
  EXPECT_TRUE(DeleteProfileKey(path, "QEL-3", "ROTATE"));
  EXPECT_TRUE(DeleteProfileKey(path, "QEL-3", "ROTATE"));  // already gone
  EXPECT_EQ(Contents(path), "[QEL-3]\r\nARINFO=%d 학년 %d 학기 %d 단원\r\n");
}

TEST(PrivateProfile, AFileFromAKoreanWindowsMachineIsReadAndRewrittenAsUtf8) {
  TemporaryFolder folder;
  const std::string path = folder / "QEL-3.ini";
  // "ARINFO=%d 학년 %d 학기 %d 단원" and a comment in CP949.
  const std::string cp949 =
      "; \xBC\xB3\xC1\xA4\r\n[QEL-3]\r\nARINFO=%d \xC7\xD0\xB3\xE2 %d \xC7\xD0\xB1\xE2 %d \xB4\xDC\xBF\xF8\r\n"
      "[VOICEBOOK]\r\nVoiceBook001=/home/\xB1\xB3\xBB\xE7/1.qel\r\nVoiceBook002=END\r\n";
  ASSERT_TRUE(SaveFileAtomically(path, cp949));
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ARINFO"), "%d 학년 %d 학기 %d 단원");
  EXPECT_EQ(ReadProfileString(path, "VOICEBOOK", "VoiceBook001"), "/home/교사/1.qel");
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ROTATE", "2"));
  EXPECT_EQ(Contents(path),
            "; 설정\r\n[QEL-3]\r\nARINFO=%d 학년 %d 학기 %d 단원\r\nROTATE=2\r\n"
            "[VOICEBOOK]\r\nVoiceBook001=/home/교사/1.qel\r\nVoiceBook002=END\r\n");
}

TEST(PrivateProfile, GarbageReadsAsEmptyAndIsKeptWhenWritten) {
  TemporaryFolder folder;
  const std::string path = folder / "QEL-3.ini";
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
  ASSERT_TRUE(SaveFileAtomically(path, garbage));
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ROTATE"), "");
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ROTATE", "3"));
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ROTATE"), "3");
  const std::string after = Contents(path);
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);  // every byte the teacher had is still there
}

TEST(PrivateProfile, AReadOnlyFileOrFolderIsLeftAsItWasAndTheWriteFails) {
  TemporaryFolder folder;
  const std::string path = folder / "QEL-3.ini";
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ROTATE", "1"));
  chmod(path.c_str(), 0444);
  EXPECT_FALSE(WriteProfileString(path, "QEL-3", "ROTATE", "2"));
  EXPECT_EQ(ReadProfileString(path, "QEL-3", "ROTATE"), "1");

  chmod(path.c_str(), 0644);
  chmod(folder.path().c_str(), 0555);
  const int written =
      RunInChild(Restriction::Unprivileged, [&] { return WriteProfileString(path, "QEL-3", "ROTATE", "2") ? 1 : 0; });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(Contents(path), "[QEL-3]\r\nROTATE=1\r\n");
}

TEST(PrivateProfile, AFullDiskLeavesTheOldFile) {
  TemporaryFolder folder;
  const std::string path = folder / "QEL-3.ini";
  ASSERT_TRUE(WriteProfileString(path, "QEL-3", "ROTATE", "1"));
  const int written = RunInChild(Restriction::DiskFull, [&] {
    return WriteProfileString(path, "QEL-3", "ImageFolder", std::string(200, 'x')) ? 1 : 0;
  });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(Contents(path), "[QEL-3]\r\nROTATE=1\r\n");
}

TEST(PrivateProfile, AnUnreadableOrHugeFileReadsEmptyAndIsNeverReplaced) {
  TemporaryFolder folder;
  const std::string huge = folder / "huge.ini";
  ASSERT_TRUE(SaveFileAtomically(huge, "[QEL-3]\r\nROTATE=1\r\n"));
  ASSERT_EQ(truncate(huge.c_str(), kProfileFileLimit + 1), 0);  // sparse: cheap to make
  EXPECT_EQ(ReadProfileString(huge, "QEL-3", "ROTATE"), "");
  EXPECT_FALSE(WriteProfileString(huge, "QEL-3", "ROTATE", "2"));
  EXPECT_EQ(std::filesystem::file_size(huge), kProfileFileLimit + 1);

  const std::string directory = folder / "dir.ini";
  std::filesystem::create_directory(directory);
  EXPECT_EQ(ReadProfileString(directory, "QEL-3", "ROTATE"), "");
  EXPECT_FALSE(WriteProfileString(directory, "QEL-3", "ROTATE", "2"));
  EXPECT_FALSE(DeleteProfileKey(directory, "QEL-3", "ROTATE"));
  EXPECT_TRUE(std::filesystem::is_directory(directory));
}

TEST(PrivateProfile, AMissingFolderIsNotCreated) {
  TemporaryFolder folder;
  EXPECT_FALSE(WriteProfileString(folder / "none/QEL-3.ini", "QEL-3", "ROTATE", "1"));
  EXPECT_FALSE(std::filesystem::exists(folder / "none"));
}
