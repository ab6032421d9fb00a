// The engine's languages and what belongs to each: the name it is shown
// under and its legacy code page.
#pragma once

#include <optional>

#include "platform/text/code_page.h"

namespace orvilo::sonara {

enum class Language { kKorean = 0, kEnglish = 1, kChinese = 2, kJapanese = 3 };
inline constexpr int kLanguageCount = 4;

// Null for a number outside 0-3.
std::optional<Language> LanguageFromNumber(int number);

const char* LanguageName(Language language);  // "Korean", "English", "Chinese", "Japanese"
// The code page of the language's text written on Windows: CP949, US-ASCII, CP936, CP932.
text::CodePage LegacyCodePage(Language language);

}  // namespace orvilo::sonara
