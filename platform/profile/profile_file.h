// A private-profile (INI) file in memory, with the semantics of the Windows
// profile functions that the program's settings files were written for:
//
// - "[section]" lines open sections, "key=value" lines hold values; section
//   and key names compare case-insensitively (ASCII); the first matching
//   section is the section, and the first matching key in it is the key;
// - names and values are trimmed of spaces and tabs; one pair of matching
//   quotes ("..." or '...') around a value is removed when it is read;
// - a value read is cut to `limit` bytes (259: the 260-byte buffer of the
//   Windows version less its terminator), never inside a UTF-8 sequence, and at an
//   embedded NUL;
// - a missing file, section or key reads as empty text;
// - lines whose first non-blank character is ';' are comments;
// - writing replaces the key's line, or adds the key at the end of its
//   section, or adds the section at the end of the file; every other line is
//   kept byte for byte with its own line ending; lines written end in CR-LF.
//
// Bytes are the system code page (UTF-8). A file that is not valid UTF-8 but
// is valid CP949 throughout was written on a Korean Windows machine: it is
// decoded as a whole when loaded, and saved back as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvilo::profile {

// Longest value a read returns, in bytes.
constexpr std::size_t kProfileValueLimit = 259;
// Larger files are not settings files: they read as empty and are never
// rewritten.
constexpr std::size_t kProfileFileLimit = 16 * 1024 * 1024;

class ProfileFile {
 public:
  enum class Source {
    Missing,     // no file yet: reads are empty, Save creates it
    Utf8,        // UTF-8 (or bytes kept exactly as they are)
    Cp949,       // decoded from CP949; Save writes UTF-8
    Unreadable,  // exists but could not be read: reads are empty, Save refuses
  };

  // Loads the file at `path` (never fails: see Source).
  static ProfileFile Load(std::string path);
  // The same from bytes already in memory (the file need not exist).
  static ProfileFile Parse(std::string path, std::string_view bytes);

  const std::string& path() const { return path_; }
  Source source() const { return source_; }

  std::string Read(std::string_view section, std::string_view key, std::size_t limit = kProfileValueLimit) const;

  // Sets a key in memory. False (and nothing changed) for names or values
  // that cannot stand in the file: an empty name, a line break or NUL, a
  // section name holding ']', a key holding '=' or starting with '[' or ';'.
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  // Removes the key's line; false when there was none.
  bool DeleteKey(std::string_view section, std::string_view key);
  // Removes the section's header and lines; false when there was none.
  bool DeleteSection(std::string_view section);

  // Section names in file order (first spelling of each), and the keys of a
  // section in file order.
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  // The bytes Save writes.
  std::string Serialise() const;
  // Replaces the file on disk safely (temporary file and rename). False, with
  // the old file untouched, when it cannot be written or was unreadable.
  bool Save() const;

 private:
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\n"; for the last line also "\r" or "" 
  };
  struct Range {
    std::size_t header;  // index of the "[section]" line
    std::size_t end;     // one past the section's last line
  };

  bool FindSection(std::string_view section, Range& range) const;
  bool FindKey(const Range& range, std::string_view key, std::size_t& index) const;
  void InsertLine(std::size_t index, std::string text);

  std::string path_;
  Source source_ = Source::Missing;
  bool byteOrderMark_ = false;
  std::vector<Line> lines_;
};

}  // namespace orvilo::profile
