// A disk that fills up while the program saves a still or its settings:
// the save reports failure, the file saved before keeps its bytes, and no
// partial file is left behind. Each save runs in a child whose file-size
// limit makes every write past a few bytes fail as on a full disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings/settings_store.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/sys/file_io.h"
#include "tests/platform/gdi/labelled_picture.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo {
namespace {

using testing::LabelledPicture;
using testing::Restriction;
using testing::RunInChild;
using testing::TemporaryFolder;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Bytes(const std::string& path) { return sys::ReadFileBytes(path, 1 << 24).bytes; }

TEST(DiskFull, AStillThatDoesNotFitFailsAndKeepsTheEarlierStill) {
  TemporaryFolder images;
  const std::string earlier = images / "20261210101010.bmp";
  ASSERT_TRUE(gdi::WriteBitmapFile(earlier, LabelledPicture(4, 3, 24)));
  const std::string before = Bytes(earlier);
  const int written = RunInChild(Restriction::DiskFull, [&] {
    const bool replaced = gdi::WriteBitmapFile(earlier, LabelledPicture(64, 48, 24));
    const bool added = gdi::WriteBitmapFile(images / "20261210101011.bmp", LabelledPicture(64, 48, 24));
    return (replaced ? 1 : 0) | (added ? 2 : 0);
  });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(Bytes(earlier), before);
  EXPECT_EQ(Names(images.path()), std::vector<std::string>{"20261210101010.bmp"});  // no partial still
}

TEST(DiskFull, SettingsThatDoNotFitAreReportedAndTheFileKeepsItsValues) {
  TemporaryFolder program;
  const core::SettingsStore store(program.path(), sys::WriteFolders{program.path(), program.path()}, 0);
  ASSERT_TRUE(store.Write("ROTATE", "1"));
  ASSERT_TRUE(store.Write("TITLE", "Room 3"));
  const std::string before = Bytes(store.settingsPath());
  const int result = RunInChild(Restriction::DiskFull, [&] {
    // The start still has its values; only the shutdown's write fails.
    const core::MainWindowSettings settings = store.ReadAtStart();
    if (settings.rotation != 1 || settings.title != "Room 3") return 1;
    if (store.WriteAtShutdown(core::CameraViewState{4, 3}, true)) return 2;  // reported, not pretended
    if (store.Write("ROTATE", "2")) return 3;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Bytes(store.settingsPath()), before);
  for (const std::string& name : Names(program.path())) {
    EXPECT_TRUE(name == "QEL-3.ini" || std::filesystem::is_directory(program / name)) << name;
  }
}

}  // namespace
}  // namespace orvilo
