// The engine's languages and what belongs to each: its database folder,
// the name it is shown under and its legacy code page.
#pragma once

#include <optional>

namespace orvilo::sonara {

enum class Language { kKorean = 0, kEnglish = 1, kChinese = 2, kJapanese = 3 };
inline constexpr int kLanguageCount = 4;

// Null for a number outside 0-3.
std::optional<Language> LanguageFromNumber(int number);

const char* LanguageName(Language language);    // "Korean", "English", "Chinese", "Japanese"
const char* DatabaseFolderName(Language language);  // "KO_KR", "EN_US", "ZH_CN", "JA_JP"
const char* CodePageName(Language language);    // the iconv name: "CP949", "US-ASCII", "CP936", "CP932"

}  // namespace orvilo::sonara
