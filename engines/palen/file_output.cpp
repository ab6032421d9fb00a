#include "engines/palen/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace palen {
namespace {

// The process's file-creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  return 022;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const void* bytes, std::size_t size) {
  if (path.empty()) return false;
  std::vector<char> temporary(path.begin(), path.end());
  const char suffix[] = ".XXXXXX";
  temporary.insert(temporary.end(), suffix, suffix + sizeof suffix);  // with the terminating 0
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return false;
  const auto* cursor = static_cast<const char*>(bytes);
  std::size_t left = size;
  bool written = true;
  while (left > 0) {
    const ssize_t count = write(descriptor, cursor, left);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      written = false;
      break;
    }
    cursor += count;
    left -= static_cast<std::size_t>(count);
  }
  // Files written here are for people to open: the usual permissions, not mkstemp's 0600.
  written = written && fchmod(descriptor, 0666 & ~CurrentUmask()) == 0 && fsync(descriptor) == 0;
  written = close(descriptor) == 0 && written;
  if (!written || std::rename(temporary.data(), path.c_str()) != 0) {
    unlink(temporary.data());
    return false;
  }
  return true;
}

}  // namespace palen
