// A file of the fuzzer's bytes for parsers that read only from a path: one
// per process, rewritten for every input, removed at exit.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class FuzzFile {
 public:
  explicit FuzzFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name)).string()) {}
  ~FuzzFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  FuzzFile(const FuzzFile&) = delete;
  FuzzFile& operator=(const FuzzFile&) = delete;

  const std::string& Write(const uint8_t* data, size_t size) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path_;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
