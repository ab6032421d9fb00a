// Whole-file reading and safe whole-file replacement. A teacher's files
// (settings, captured pictures) are never written in place: the new content
// goes to a temporary file in the same folder, reaches the disk, and only then
// replaces the old file by rename, so a full disk, a read-only folder or a
// crash at any moment leaves either the old file or the new one, never a mix.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvilo::sys {

struct FileBytes {
  enum class Status {
    Ok,       // `bytes` holds the whole file
    Missing,  // no such file (or a path component is missing)
    Failed    // exists but could not be read: no permission, a folder, larger than the limit
  };
  Status status = Status::Missing;
  std::string bytes;
};

// Reads the whole regular file at `path` when it is at most `limit` bytes long.
FileBytes ReadFileBytes(const std::string& path, std::size_t limit);

// Replaces (or creates) the file at `path` with the concatenation of `pieces`.
// A symbolic link is followed and its target replaced; an existing file keeps
// its permission bits, a new one gets 0666 less the process umask. An existing
// file without any write permission bit counts as read-only and is refused,
// whoever the caller is. Returns false when nothing was changed: the folder is
// missing or not writable, the disk is full, the file is read-only. Never
// leaves the temporary file behind.
bool SaveFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces);
bool SaveFileAtomically(const std::string& path, std::string_view bytes);

// True when `path` names a directory (following links).
bool IsDirectory(const std::string& path);

}  // namespace orvilo::sys
