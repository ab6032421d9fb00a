#include "platform/sys/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo::sys;
using orvilo::testing::Restriction;
using orvilo::testing::RunInChild;
using orvilo::testing::TemporaryFolder;

namespace {

std::string Contents(const std::string& path) { return ReadFileBytes(path, 1 << 20).bytes; }

mode_t Mode(const std::string& path) {
  struct stat info{};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Everything in `folder` other than the files named.
int StrayFiles(const std::string& folder, std::initializer_list<std::string> expected) {
  int stray = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    bool known = false;
    for (const auto& name : expected) known = known || entry.path().filename() == name;
    stray += known ? 0 : 1;
  }
  return stray;
}

}  // namespace

TEST(SaveFileAtomically, CreatesANewFileFromPiecesWithTheUmaskMode) {
  TemporaryFolder folder;
  const mode_t mask = umask(022);
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", {"[S]\r\n", "k=v\r\n"}));
  umask(mask);
  EXPECT_EQ(Contents(folder / "a.ini"), "[S]\r\nk=v\r\n");
  EXPECT_EQ(Mode(folder / "a.ini"), 0644u);
  EXPECT_EQ(StrayFiles(folder.path(), {"a.ini"}), 0);
}

TEST(SaveFileAtomically, ReplacesAFileAndKeepsItsMode) {
  TemporaryFolder folder;
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "old"));
  chmod((folder / "a.ini").c_str(), 0600);
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "new"));
  EXPECT_EQ(Contents(folder / "a.ini"), "new");
  EXPECT_EQ(Mode(folder / "a.ini"), 0600u);
}

TEST(SaveFileAtomically, ReplacesTheTargetOfALinkAndKeepsTheLink) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "real");
  ASSERT_TRUE(SaveFileAtomically(folder / "real/a.ini", "old"));
  std::filesystem::create_symlink(folder / "real/a.ini", folder / "a.ini");
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "a.ini"));
  EXPECT_EQ(Contents(folder / "real/a.ini"), "new");
}

TEST(SaveFileAtomically, KeepsTheOwnerOfAnotherUsersFile) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can hand a file to another owner";
  TemporaryFolder folder;
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "old"));
  ASSERT_EQ(chown((folder / "a.ini").c_str(), 65534, 65534), 0);
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "new"));
  struct stat info{};
  stat((folder / "a.ini").c_str(), &info);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
}

TEST(SaveFileAtomically, RefusesAReadOnlyFileEvenForRoot) {
  TemporaryFolder folder;
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "old"));
  chmod((folder / "a.ini").c_str(), 0444);
  EXPECT_FALSE(SaveFileAtomically(folder / "a.ini", "new"));
  EXPECT_EQ(Contents(folder / "a.ini"), "old");
}

TEST(SaveFileAtomically, FailsInAMissingFolderOrOverAFolder) {
  TemporaryFolder folder;
  EXPECT_FALSE(SaveFileAtomically(folder / "missing/a.ini", "x"));
  std::filesystem::create_directory(folder / "sub");
  EXPECT_FALSE(SaveFileAtomically(folder / "sub", "x"));
  EXPECT_FALSE(SaveFileAtomically("", "x"));
  EXPECT_EQ(StrayFiles(folder.path(), {"sub"}), 0);
}

TEST(SaveFileAtomically, AReadOnlyFolderLeavesTheOldFile) {
  TemporaryFolder folder;
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "old"));
  chmod(folder.path().c_str(), 0555);
  const int saved = RunInChild(Restriction::Unprivileged,
                               [&] { return SaveFileAtomically(folder / "a.ini", "new") ? 1 : 0; });
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(Contents(folder / "a.ini"), "old");
  EXPECT_EQ(StrayFiles(folder.path(), {"a.ini"}), 0);
}

TEST(SaveFileAtomically, AFullDiskLeavesTheOldFileAndNoTemporary) {
  TemporaryFolder folder;
  ASSERT_TRUE(SaveFileAtomically(folder / "a.ini", "old"));
  const std::string big(4096, 'x');
  const int saved = RunInChild(Restriction::DiskFull, [&] { return SaveFileAtomically(folder / "a.ini", big) ? 1 : 0; });
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(Contents(folder / "a.ini"), "old");
  EXPECT_EQ(StrayFiles(folder.path(), {"a.ini"}), 0);
}

TEST(ReadFileBytes, TellsMissingFromUnreadable) {
  TemporaryFolder folder;
  EXPECT_EQ(ReadFileBytes(folder / "none", 100).status, FileBytes::Status::Missing);
  EXPECT_EQ(ReadFileBytes(folder / "none/deeper", 100).status, FileBytes::Status::Missing);
  EXPECT_EQ(ReadFileBytes(folder.path(), 100).status, FileBytes::Status::Failed);
  ASSERT_TRUE(SaveFileAtomically(folder / "a", std::string(100, 'a')));
  EXPECT_EQ(ReadFileBytes(folder / "a", 99).status, FileBytes::Status::Failed);
  const FileBytes whole = ReadFileBytes(folder / "a", 100);
  EXPECT_EQ(whole.status, FileBytes::Status::Ok);
  EXPECT_EQ(whole.bytes, std::string(100, 'a'));
}

TEST(ReadFileBytes, RefusesANamedPipeWithoutWaitingForAWriter) {
  TemporaryFolder folder;
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadFileBytes(folder / "pipe", 100).status, FileBytes::Status::Failed);
}

TEST(ReadFileBytes, ReadsFilesThatReportNoSizeUpToTheLimit) {
  // Kernel files report a size of 0 and are read until their end.
  const FileBytes status = ReadFileBytes("/proc/self/status", 1 << 20);
  EXPECT_EQ(status.status, FileBytes::Status::Ok);
  EXPECT_NE(status.bytes.find("Umask:"), std::string::npos);
  EXPECT_EQ(ReadFileBytes("/proc/self/status", 10).status, FileBytes::Status::Failed);
}
