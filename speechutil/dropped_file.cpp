#include "speechutil/dropped_file.h"

#include <filesystem>
#include <sstream>
#include <string_view>

#include "platform/sys/file_io.h"

namespace orvilo::speechutil {
namespace {

// Desktop link files are small; anything larger is not one.
constexpr std::size_t kLinkFileLimit = 64 * 1024;

// The local path of a desktop link file's URL, or empty.
std::string LinkTarget(const std::string& path) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kLinkFileLimit);
  if (file.status != sys::FileBytes::Status::Ok) return {};
  std::istringstream lines(file.bytes);
  std::string line;
  bool entry = false;
  bool link = false;
  std::string url;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      entry = line == "[Desktop Entry]";
      continue;
    }
    if (!entry) continue;
    if (line == "Type=Link") link = true;
    if (line.starts_with("URL=")) url = line.substr(4);
  }
  if (!link) return {};
  if (url.starts_with("file://")) url = url.substr(7);
  return url.starts_with("/") ? url : std::string();
}

}  // namespace

std::string ResolveDroppedFile(const std::string& path) {
  std::string current = path;
  // A link file may point at another link; a few steps are plenty, and a
  // loop of links ends here instead of hanging.
  for (int step = 0; step < 8; ++step) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(current, error);
    if (error || !std::filesystem::is_regular_file(target, error)) return {};
    current = target.string();
    if (!current.ends_with(".desktop")) return current;
    const std::string next = LinkTarget(current);
    if (next.empty()) return current;
    current = next;
  }
  return {};
}

}  // namespace orvilo::speechutil
