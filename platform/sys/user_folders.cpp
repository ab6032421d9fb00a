#include "platform/sys/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace orvilo::sys {
namespace {

constexpr const char* kProgramName = "orvilo";

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return "/tmp";  // no home at all (a system account): still somewhere writable
}

std::string XdgFolder(const char* variable, const char* defaultUnderHome) {
  const char* value = std::getenv(variable);
  std::string base = value != nullptr && value[0] == '/' ? std::string(value) : HomeFolder() + "/" + defaultUnderHome;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/" + kProgramName;
}

}  // namespace

bool IsWritableFolder(const std::string& folder) { return access(folder.c_str(), W_OK | X_OK) == 0; }

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

WriteFolders ChooseWriteFolders(const std::string& programFolder, bool programFolderWritable) {
  if (programFolderWritable) return {programFolder, programFolder};
  return {UserConfigFolder(), UserDataFolder()};
}

WriteFolders WriteFoldersOf(const std::string& programFolder) {
  // A folder that does not exist yet is left to the caller to create, as
  // before (tests name folders of their own).
  const bool missing = access(programFolder.c_str(), F_OK) != 0 && errno == ENOENT;
  return ChooseWriteFolders(programFolder, missing || IsWritableFolder(programFolder));
}

}  // namespace orvilo::sys
