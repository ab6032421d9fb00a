// A user dictionary: words the synthesiser should say differently, each
// with the text to say instead ("SQL" -> "sequel").
//
// File: one entry a line, the word, blanks, then the pronunciation (the
// rest of the line). Empty lines and lines starting with '#' are skipped;
// a line with a word but no pronunciation is rejected and counted. UTF-8,
// UTF-16 with a byte-order mark, or the language's legacy code page.
// A file with NUL or other control bytes (outside UTF-16) is not text.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engines/sonara/language.h"

namespace orvilo::sonara {

class UserDictionary {
 public:
  struct Entry {
    std::u32string word;
    std::u32string pronunciation;
  };

  // kUnreadable: missing, not a file, unreadable or larger than kMaxFileBytes.
  enum class LoadStatus { kLoaded, kUnreadable, kNotText };
  struct LoadResult {
    LoadStatus status = LoadStatus::kUnreadable;
    std::shared_ptr<const UserDictionary> dictionary;  // set when loaded
    int entries = 0;
    int rejectedLines = 0;
  };

  static constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;

  static LoadResult Load(const std::string& path, Language language);
  // The entries of a file's contents (already read).
  static LoadResult Parse(std::string_view fileBytes, Language language);

  std::size_t size() const { return size_; }

  // The longest entry found at `position` of `text` as a word of its own
  // (not glued to letters before it; after it only a blank, punctuation or,
  // for a word ending in Hangul, more Hangul); null when none.
  const Entry* Match(std::u32string_view text, std::size_t position) const;

 private:
  void Add(Entry entry);

  // Entries by their first character, longest first.
  std::unordered_map<char32_t, std::vector<Entry>> entriesByFirst_;
  std::size_t size_ = 0;
};

}  // namespace orvilo::sonara
