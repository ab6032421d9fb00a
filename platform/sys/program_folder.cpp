#include "platform/sys/program_folder.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace orvilo::sys {

std::string ParentFolder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ProgramFolder() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return ".";
    if (static_cast<std::size_t>(length) < buffer.size()) return ParentFolder(std::string(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ModuleFolder(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0') return {};
  char* resolved = realpath(info.dli_fname, nullptr);
  if (resolved == nullptr) return ParentFolder(info.dli_fname);
  std::string path(resolved);
  std::free(resolved);
  return ParentFolder(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace orvilo::sys
