// A fresh folder under /tmp for one test, removed with everything in it
// (read-only parts included) when the test ends. Readable and traversable by
// everyone, so a child process that gave up root can still reach it.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace orvilo::testing {

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = "/tmp/orvilo-test-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    chmod(path_.c_str(), 0755);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored)) chmod(entry.path().c_str(), 0755);
    }
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace orvilo::testing
