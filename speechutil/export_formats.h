// The 28 audio formats the editor exports to, in the order of the save
// dialog's filter (index 1..28): 8000 Hz entries 1..14, the same fourteen at
// 16000 Hz as 15..28.
#pragma once

#include <string>
#include <string_view>

namespace orvilo::speechutil {

enum class Container { Wave = 0, Au = 1, Raw = 2 };

// Encodings of the export: 0..3 are also the header calls' encodings.
enum class ExportEncoding { Linear16 = 0, Linear8 = 1, MuLaw = 2, ALaw = 3, Vox = 4, Adpcm = 5 };

struct ExportFormat {
  std::string_view label;      // "  8K 16Bit Linear PCM"; 8000 Hz labels start with two blanks, 16000 Hz with one
  std::string_view pattern;    // "*.pcm"
  std::string_view extension;  // "pcm", the pattern's
  Container container;
  ExportEncoding encoding;
  int rate;
};

inline constexpr int kExportFormatCount = 28;

// The entry of filter index 1..28; index 1 for any other.
const ExportFormat& ExportFormatAt(int index);

// The save dialog's filter: "label|pattern|" for every entry, then "|".
std::string ExportFilter();

}  // namespace orvilo::speechutil
