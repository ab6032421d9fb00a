// Learning files (".qel"): one prepared page — the page picture, the marked
// selection, the blinds over it, the text to read and an optional
// background-music path — in the layout the Windows version writes
// (little-endian; RECT = four int32 left, top, right, bottom):
//
//   uint16 magic 0x5856 ("VX")
//   RECT   selection (all zero when none)
//   uint32 N, then N × RECT blinds
//   uint32 T + 4, then T text bytes and four zero bytes
//   uint32 M, then M music-path bytes (0 = no music)
//   uint32 D, then D bytes: the page as a packed DIB (header, table, rows)
//
// Text and path are UTF-8 when we write them; files from Windows machines
// hold them in CP949 and are read as such. Reading never trusts a length: a
// field that the rest of the file cannot hold ends the reading there, and
// nothing is allocated for it. Writing replaces the file only once the whole
// new file is on disk, so a full disk leaves the earlier file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/packed_dib.h"
#include "platform/gdi/rect.h"

namespace orvilo::reading {

inline constexpr std::uint16_t kLearningFileMagic = 0x5856;
inline constexpr const char* kLearningFileExtension = "qel";

// What Write stores.
struct LearningPage {
  gdi::Rect selection;
  std::vector<gdi::Rect> blinds;
  std::string text;   // UTF-8
  std::string music;  // UTF-8 path; empty for none
  const gdi::PackedDib* image = nullptr;  // may be null or empty: no picture
};

// What Read found, field by field in file order. Loading applies the fields
// that are present; a field is absent when the file ends before it (or, for
// text, music and image, when its length is 0).
struct LearningFileContent {
  enum class Status {
    Ok,               // every field read
    CannotOpen,       // missing, unreadable or absurdly large: nothing changes
    NotLearningFile,  // another magic: the caller clears selection and blinds only
    Truncated,        // the file ends inside a field; the fields before it are here
  };
  Status status = Status::CannotOpen;
  std::optional<gdi::Rect> selection;
  std::optional<std::vector<gdi::Rect>> blinds;
  std::optional<std::string> text;   // UTF-8, up to the first zero byte
  std::optional<std::string> music;  // UTF-8
  gdi::PackedDib image;              // empty when absent or not a valid picture
};

// Parses the bytes of a learning file.
LearningFileContent ParseLearningFile(std::string_view bytes);
LearningFileContent ReadLearningFile(const std::string& path);

// The bytes of a learning file holding `page`.
std::string SerialiseLearningFile(const LearningPage& page);
// Writes `page` to `path` safely; false when nothing was written.
bool WriteLearningFile(const std::string& path, const LearningPage& page);

}  // namespace orvilo::reading
