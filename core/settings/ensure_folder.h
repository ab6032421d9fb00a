// Creating a data folder and every missing folder above it.
#pragma once

#include <string>

namespace orvilo::core {

// Succeeds at once when `path` already names a folder. Otherwise, at every
// "/" from the start, creates the folder named by the text before it when
// that is not a folder yet (the root "/" always is), failing at the first
// folder that cannot be created; then creates `path` itself and fails when
// that fails. So a path that ends in "/" gets its last folder created on the
// way and then reports failure, with the folder in place; callers at start
// ignore the result.
bool EnsureFolder(const std::string& path);

}  // namespace orvilo::core
