#include "shell/picture_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "shell/file_filters.h"

namespace orvilo::shell {

std::optional<std::string> NeighbourPictureName(std::vector<std::string> names, const std::string& current, int step) {
  if (step == 0) return std::nullopt;
  names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& name) { return !IsPictureFileName(name); }),
              names.end());
  std::sort(names.begin(), names.end());
  const auto at = std::find(names.begin(), names.end(), current);
  if (at == names.end()) return std::nullopt;
  const long long index = static_cast<long long>(at - names.begin()) + step;
  if (index < 0 || index >= static_cast<long long>(names.size())) return std::nullopt;
  return names[static_cast<std::size_t>(index)];
}

std::optional<std::string> NeighbourPictureFile(const std::string& path, int step) {
  namespace fs = std::filesystem;
  const fs::path file(path);
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return std::nullopt;
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : entries) {
    std::error_code kindError;
    if (entry.is_regular_file(kindError)) names.push_back(entry.path().filename().string());
  }
  const std::optional<std::string> name = NeighbourPictureName(std::move(names), file.filename().string(), step);
  if (!name) return std::nullopt;
  return (folder / *name).string();
}

}  // namespace orvilo::shell
