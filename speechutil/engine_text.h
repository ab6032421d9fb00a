// The editor's text in the code page of the engine language it is spoken
// in, and the way back from the engine's byte positions to the editor's
// UTF-16 positions for the highlight.
//
// Code pages by language: 0 Korean CP949, 1 English US-ASCII, 2 Chinese
// CP936, 3 Japanese CP932. A character the code page lacks is replaced by
// one stand-in: the CP949 symbol A2 AF for Korean, "?" for the others, so
// the engine always gets text that decodes cleanly in its code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvilo::speechutil {

// The Windows code-page number of a language; 0 for a language outside 0..3.
int EngineCodePage(int language);

struct EngineText {
  std::string bytes;  // the text in the code page (std::string adds the final zero byte)
  // For each UTF-16 unit of the source text, the first byte in `bytes` of
  // the character it belongs to (both units of a surrogate pair share it).
  std::vector<std::int32_t> unitBytes;
  std::size_t replaced = 0;  // characters the code page lacks

  // UTF-16 length of bytes [0, start) and of the bytes start..end
  // (inclusive), as the highlight needs them.
  std::pair<int, int> Utf16Span(int start, int end) const;
};

// Converts `text` for `language`; empty for a language outside 0..3.
EngineText ConvertToEngineText(std::u16string_view text, int language);

}  // namespace orvilo::speechutil
