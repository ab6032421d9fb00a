#include "core/settings/ensure_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/sys/file_io.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using orvilo::core::EnsureFolder;
using orvilo::testing::TemporaryFolder;
namespace fs = std::filesystem;

TEST(EnsureFolder, CreatesEveryMissingAncestor) {
  TemporaryFolder root;
  EXPECT_TRUE(EnsureFolder(root / "A/B/C"));
  EXPECT_TRUE(fs::is_directory(root / "A"));
  EXPECT_TRUE(fs::is_directory(root / "A/B"));
  EXPECT_TRUE(fs::is_directory(root / "A/B/C"));
  EXPECT_TRUE(EnsureFolder(root / "A/B/C"));  // existing
  EXPECT_TRUE(EnsureFolder(root / "A//B/D"));  // doubled separator
  EXPECT_TRUE(fs::is_directory(root / "A/B/D"));
  EXPECT_TRUE(EnsureFolder("/"));
}

TEST(EnsureFolder, ATrailingSeparatorCreatesTheFolderButReportsFailure) {
  TemporaryFolder root;
  EXPECT_FALSE(EnsureFolder(root / "X/Y/"));
  EXPECT_TRUE(fs::is_directory(root / "X/Y"));
  EXPECT_TRUE(EnsureFolder(root / "X/Y/"));  // now it names a folder
}

TEST(EnsureFolder, FailsWhereAFolderCannotBeMade) {
  TemporaryFolder root;
  ASSERT_TRUE(orvilo::sys::SaveFileAtomically(root / "file", "x"));
  EXPECT_FALSE(EnsureFolder(root / "file"));
  EXPECT_FALSE(EnsureFolder(root / "file/Image"));
  EXPECT_FALSE(EnsureFolder(""));

  fs::create_directory(root / "locked");
  chmod((root / "locked").c_str(), 0555);
  const int made = orvilo::testing::RunInChild(orvilo::testing::Restriction::Unprivileged,
                                               [&] { return EnsureFolder(root / "locked/A/B") ? 1 : 0; });
  EXPECT_EQ(made, 0);
  EXPECT_FALSE(fs::exists(root / "locked/A"));
}
