// CUnicodeTextFile: the editor's text files. Reading recognises a byte-order
// mark (EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF big-endian);
// without one the bytes are UTF-8, or CP949 when they are that throughout
// (text written on a Korean Windows machine). Saving writes UTF-16
// little-endian with FF FE, through a temporary file that replaces the old
// one only once complete.
#pragma once

#include <cstddef>
#include <string>

namespace orvilo::speechutil {

// Larger files are not texts the editor or the engine can take.
inline constexpr std::size_t kTextFileLimit = 64 * 1024 * 1024;

class CUnicodeTextFile {
 public:
  enum class Status { Ok, CannotOpen, TooLarge };
  enum class Encoding { Utf8Bom, Utf16Le, Utf16Be, Utf8, Cp949, Unknown };

  struct ReadResult {
    Status status = Status::CannotOpen;
    Encoding encoding = Encoding::Unknown;
    std::u16string text;      // lines joined with CR-LF
    bool dataLost = false;    // bytes that are no character became U+FFFD, NULs were dropped
  };

  static ReadResult Read(const std::string& path);
  // Decoding alone (what Read does to the file's bytes).
  static ReadResult Decode(const std::string& bytes);

  // FF FE and the text as UTF-16 little-endian. False, with any old file
  // untouched, when the file cannot be written.
  static bool Write(const std::string& path, const std::u16string& text);
  static std::string Encode(const std::u16string& text);
};

// `path` with ".extension" added when its file name has no extension of its
// own (a dot after the last "/", not leading the name).
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace orvilo::speechutil
