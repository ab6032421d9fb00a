// Writing a file so that a reader never sees half of it: the bytes go to a
// temporary file beside it, which replaces the file only once complete.
#pragma once

#include <cstddef>
#include <string>

namespace palen {

bool ReplaceFileContents(const std::string& path, const void* bytes, std::size_t size);

}  // namespace palen
