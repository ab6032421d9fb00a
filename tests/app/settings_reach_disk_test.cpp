// The settings writers of both programs put the whole new file on disk
// before it replaces the old one: a power cut right after the program ends
// must find either the old settings or the new, never an empty or half file.
//
// fsync and rename are replaced in this test program by doubles that note
// each call (what the descriptor names and how long it is at that moment)
// and then do the real thing, so the order of the calls can be checked
// without tracing the process.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "core/settings/settings_store.h"
#include "platform/profile/private_profile.h"
#include "speechutil/sonara_settings.h"

namespace {

struct Call {
  enum class Kind { Sync, Rename } kind;
  std::string path;     // Sync: the file synced; Rename: the new name
  std::string from;     // Rename: the old name
  long long size = -1;  // Sync: the file's length when it was synced
};

std::vector<Call>& Calls() {
  static std::vector<Call> calls;
  return calls;
}

std::string DescriptorPath(int descriptor) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
  std::error_code error;
  return std::filesystem::read_symlink(link, error).string();
}

template <typename Function>
Function* Real(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int descriptor) {
  struct stat info{};
  const long long size = fstat(descriptor, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
  Calls().push_back({Call::Kind::Sync, DescriptorPath(descriptor), {}, size});
  static auto* real = Real<int(int)>("fsync");
  return real(descriptor);
}

extern "C" int rename(const char* from, const char* to) {
  Calls().push_back({Call::Kind::Rename, to, from, -1});
  static auto* real = Real<int(const char*, const char*)>("rename");
  return real(from, to);
}

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct Writer {
  const char* name;
  const char* fileName;  // in the folder given to `write`
  const char* expected;  // a line the new file holds
  std::function<bool(const std::string& folder)> write;
};

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

class SettingsReachDisk : public ::testing::TestWithParam<Writer> {};

TEST_P(SettingsReachDisk, TheWholeTemporaryIsSyncedBeforeTheRenameThatReplacesTheFile) {
  const Writer& writer = GetParam();
  const fs::path folder = fs::temp_directory_path() / ("settings_reach_disk_" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / writer.fileName;
  { std::ofstream(target, std::ios::binary) << "[old]\r\nKEY=old value that must survive until the new file is whole\r\n"; }

  Calls().clear();
  ASSERT_TRUE(writer.write(folder.string())) << writer.name;
  const std::vector<Call> calls = Calls();
  const std::string written = Contents(target);
  EXPECT_NE(written.find(writer.expected), std::string::npos) << writer.name << " wrote:\n" << written;

  // The last rename onto the settings file comes from a temporary that was
  // synced after its last byte was written (its length then is the final one).
  std::size_t renameIndex = calls.size();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].kind == Call::Kind::Rename && fs::path(calls[i].path) == target) renameIndex = i;
  }
  ASSERT_LT(renameIndex, calls.size()) << writer.name << ": the file was not replaced by a rename";
  const Call& replace = calls[renameIndex];
  EXPECT_EQ(fs::path(replace.from).parent_path(), folder) << writer.name << ": the temporary is in another folder";
  bool synced = false;
  for (std::size_t i = 0; i < renameIndex; ++i) {
    if (calls[i].kind != Call::Kind::Sync || fs::path(calls[i].path) != fs::path(replace.from)) continue;
    synced = true;
    EXPECT_EQ(calls[i].size, static_cast<long long>(written.size())) << writer.name << ": synced before it was whole";
  }
  EXPECT_TRUE(synced) << writer.name << ": " << replace.from << " was renamed without being synced";
  // The rename itself reaches the disk with the folder.
  bool folderSynced = false;
  for (std::size_t i = renameIndex + 1; i < calls.size(); ++i) {
    folderSynced = folderSynced || (calls[i].kind == Call::Kind::Sync && fs::path(calls[i].path) == folder);
  }
  EXPECT_TRUE(folderSynced) << writer.name << ": the folder was not synced after the rename";
  EXPECT_FALSE(fs::exists(replace.from)) << writer.name;
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, SettingsReachDisk,
    ::testing::Values(
        // The main program's settings as its window writes them when it closes.
        Writer{"main program at shutdown", "QEL-3.ini", "ROTATE=3\r\n",
               [](const std::string& folder) {
                 const orvilo::core::SettingsStore store(folder, orvilo::sys::WriteFolders{folder, folder}, 0);
                 return store.WriteAtShutdown(orvilo::core::CameraViewState{2, 3}, true);
               }},
        // One key while the program runs (language rules, AR keys, folders).
        Writer{"main program, one key", "QEL-3.ini", "GRADE=4\r\n",
               [](const std::string& folder) {
                 const orvilo::core::SettingsStore store(folder, orvilo::sys::WriteFolders{folder, folder}, 0);
                 return store.Write("GRADE", "4");
               }},
        // The voice-book list and other one-call writers share the profile file.
        Writer{"profile string", "QEL-3.ini", "VoiceBook000=a.qel\r\n",
               [](const std::string& folder) {
                 return orvilo::profile::WriteProfileString(folder + "/QEL-3.ini", "VOICEBOOK", "VoiceBook000",
                                                            "a.qel");
               }},
        // The speech editor's settings when its window closes.
        Writer{"speech editor", "Sonara_PC_App_M.INI", "DBSRAT=8000\r\n",
               [](const std::string& folder) {
                 orvilo::speechutil::SonaraSettings settings;
                 settings.dbSampleRate = 8000;
                 return orvilo::speechutil::SaveSettings(orvilo::speechutil::SettingsPath(folder), settings);
               }}),
    [](const ::testing::TestParamInfo<Writer>& info) {
      std::string name;
      for (const char* c = info.param.name; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
          name += *c;
        } else if (!name.empty() && name.back() != '_') {
          name += '_';
        }
      }
      return name;
    });

}  // namespace
