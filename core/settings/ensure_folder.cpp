#include "core/settings/ensure_folder.h"

#include <sys/stat.h>

#include "platform/sys/file_io.h"

namespace orvilo::core {
namespace {

// Creates one folder; a folder that appeared meanwhile is as good.
bool CreateFolder(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0 || sys::IsDirectory(path);
}

}  // namespace

bool EnsureFolder(const std::string& path) {
  if (sys::IsDirectory(path)) return true;
  for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (prefix.empty() || sys::IsDirectory(prefix)) continue;  // the root, or already there
    if (!CreateFolder(prefix)) return false;
  }
  // The whole path, once more: for "a/b/" it was made above and this fails.
  return mkdir(path.c_str(), 0777) == 0;
}

}  // namespace orvilo::core
