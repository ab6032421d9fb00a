// One-call access to private-profile files, as the Windows profile functions
// give it: every call reads the file afresh, every write replaces the file
// safely. For several writes in a row load a ProfileFile once instead.
#pragma once

#include <string>
#include <string_view>

#include "platform/profile/profile_file.h"

namespace orvilo::profile {

// The value of `key` in `section` (see ProfileFile::Read); empty when the
// file, section or key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::size_t limit = kProfileValueLimit);

// Sets the key, creating the file and the section as needed. False when the
// file could not be written (it is then untouched) or the names are invalid.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// Removes the key; true when the file no longer holds it.
bool DeleteProfileKey(const std::string& path, std::string_view section, std::string_view key);

// The number in a profile value: blanks, an optional sign and the leading
// decimal digits; text without leading digits is 0; values beyond the range
// of int are clamped to it.
int ReadProfileNumber(std::string_view text);

}  // namespace orvilo::profile
