// libFuzzer target: user dictionaries of any content, in any language. The
// first byte picks the language, the rest is the file. Parsing must never
// crash; every entry it keeps must be found again where its word stands.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engines/sonara/user_dictionary.h"

using orvilo::sonara::Language;
using orvilo::sonara::UserDictionary;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A dictionary of a few hundred lines shows every parsing path; larger
  // inputs only slow the search down.
  if (size < 1 || size > (32 << 10)) return 0;
  const Language language = static_cast<Language>(data[0] % 4);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const UserDictionary::LoadResult result = UserDictionary::Parse(bytes, language);
  if (result.status != UserDictionary::LoadStatus::kLoaded) {
    if (result.dictionary != nullptr) abort();
    return 0;
  }
  if (result.dictionary == nullptr || result.entries < 0 || result.rejectedLines < 0 ||
      result.dictionary->size() > static_cast<size_t>(result.entries)) {
    abort();
  }
  static const std::u32string kText = U"SQL, 한글 text (GUI) 日本語 x";
  for (size_t position = 0; position <= kText.size(); ++position) {
    if (const UserDictionary::Entry* entry = result.dictionary->Match(kText, position)) {
      if (entry->word.empty() || kText.compare(position, entry->word.size(), entry->word) != 0) abort();
    }
  }
  return 0;
}
