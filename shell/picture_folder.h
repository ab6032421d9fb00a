// Stepping through the pictures of a folder: the still before or after the
// one shown, for the next / previous keys of image mode.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvilo::shell {

// Among `names` (file names of one folder, any order), the picture file
// (IsPictureFileName) `step` places after `current` in name order (negative:
// before). None past either end, for a step of 0, or when `current` is not
// among the pictures.
std::optional<std::string> NeighbourPictureName(std::vector<std::string> names, const std::string& current, int step);

// The same over the folder of the file `path` as it is on disk now: the
// full path of the neighbour, or none (also when the folder cannot be read).
std::optional<std::string> NeighbourPictureFile(const std::string& path, int step);

}  // namespace orvilo::shell
