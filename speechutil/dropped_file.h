// What a file dropped on the editor names: a symbolic link is followed to
// its target and a desktop link file ("Type=Link", "URL=...") to the file it
// points at, as a shell shortcut is resolved on the desktop the program
// comes from.
#pragma once

#include <string>

namespace orvilo::speechutil {

// The file `path` stands for; empty when it leads to no regular file.
std::string ResolveDroppedFile(const std::string& path);

}  // namespace orvilo::speechutil
