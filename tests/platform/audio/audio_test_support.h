// Helpers of the audio tests: waiting for a condition, reading an audio file
// back through libsndfile and setting an environment variable for a while.
#pragma once

#include <sndfile.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orvilo::audio::testing {

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

struct SoundFile {
  bool opened = false;
  SF_INFO info{};
  std::vector<short> samples;
};

// Reads a file as libsndfile sees it; `rawInfo` describes headerless files.
inline SoundFile ReadSoundFile(const std::string& path, const SF_INFO* rawInfo = nullptr) {
  SoundFile file;
  if (rawInfo != nullptr) file.info = *rawInfo;
  SNDFILE* handle = sf_open(path.c_str(), SFM_READ, &file.info);
  if (handle == nullptr) return file;
  file.opened = true;
  file.samples.resize(static_cast<std::size_t>(file.info.frames * file.info.channels));
  file.samples.resize(static_cast<std::size_t>(sf_read_short(handle, file.samples.data(),
                                                              static_cast<sf_count_t>(file.samples.size()))));
  sf_close(handle);
  return file;
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace orvilo::audio::testing
