#include "platform/sys/user_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo::sys;
using orvilo::testing::Restriction;
using orvilo::testing::RunInChild;
using orvilo::testing::TemporaryFolder;

namespace {

// Sets a variable for one test; an empty value counts as unset for the rules.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct XdgCase {
  const char* home;
  const char* configHome;
  const char* dataHome;
  const char* config;
  const char* data;
};

class UserFolders : public ::testing::TestWithParam<XdgCase> {};

}  // namespace

TEST_P(UserFolders, FollowTheXdgRules) {
  const XdgCase& c = GetParam();
  const ScopedEnvironment home("HOME", c.home);
  const ScopedEnvironment config("XDG_CONFIG_HOME", c.configHome);
  const ScopedEnvironment data("XDG_DATA_HOME", c.dataHome);
  EXPECT_EQ(UserConfigFolder(), c.config);
  EXPECT_EQ(UserDataFolder(), c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFolders,
    ::testing::Values(
        XdgCase{"/home/teacher", "", "", "/home/teacher/.config/orvilo", "/home/teacher/.local/share/orvilo"},
        XdgCase{"/home/teacher", "/srv/cfg/", "/srv/data", "/srv/cfg/orvilo", "/srv/data/orvilo"},
        // Relative values are to be ignored.
        XdgCase{"/home/teacher", "cfg", "./data", "/home/teacher/.config/orvilo", "/home/teacher/.local/share/orvilo"},
        XdgCase{"/home/교사", "", "/교사/자료", "/home/교사/.config/orvilo", "/교사/자료/orvilo"}));

TEST(UserFolders, WithoutAHomeVariableTheAccountsHomeIsUsed) {
  const ScopedEnvironment home("HOME", "");
  const ScopedEnvironment config("XDG_CONFIG_HOME", "");
  const std::string folder = UserConfigFolder();
  EXPECT_EQ(folder.front(), '/');
  EXPECT_TRUE(folder.ends_with("/.config/orvilo")) << folder;
}

TEST(WriteFolders, AreTheProgramFolderOnlyWhenItIsWritable) {
  const ScopedEnvironment home("HOME", "/home/teacher");
  const ScopedEnvironment config("XDG_CONFIG_HOME", "");
  const ScopedEnvironment data("XDG_DATA_HOME", "");
  const WriteFolders writable = ChooseWriteFolders("/opt/orvilo", true);
  EXPECT_EQ(writable.settings, "/opt/orvilo");
  EXPECT_EQ(writable.data, "/opt/orvilo");
  const WriteFolders installed = ChooseWriteFolders("/opt/orvilo", false);
  EXPECT_EQ(installed.settings, "/home/teacher/.config/orvilo");
  EXPECT_EQ(installed.data, "/home/teacher/.local/share/orvilo");
}

TEST(WriteFolders, AReadOnlyProgramFolderSendsAUserToTheirOwnFolders) {
  TemporaryFolder program;
  chmod(program.path().c_str(), 0555);
  EXPECT_EQ(RunInChild(Restriction::Unprivileged,
                       [&] {
                         if (IsWritableFolder(program.path())) return 1;
                         if (!IsWritableFolder("/tmp")) return 2;
                         if (IsWritableFolder(program / "missing")) return 3;
                         setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
                         return WriteFoldersOf(program.path()).settings == "/tmp/config/orvilo" ? 0 : 4;
                       }),
            0);
  chmod(program.path().c_str(), 0755);
  EXPECT_EQ(WriteFoldersOf(program.path()).settings, program.path());
  EXPECT_EQ(WriteFoldersOf(program / "missing").data, program / "missing");  // made by the caller
}
