// The user-interface language of the desktop session, as the Windows language
// identifiers the program's language rules compare against.
#pragma once

namespace orvilo::sys {

constexpr int kLanguageKorean = 0x0412;     // 1042
constexpr int kLanguageEnglishUs = 0x0409;  // 1033

// Language of a locale name such as "ko_KR.UTF-8", "ko", "en_US": Korean for
// the language code "ko" (any territory, code set or modifier), else English.
// Null or empty names are English.
int UiLanguageOfLocaleName(const char* localeName);

// The session's message language: the first non-empty of LC_ALL, LC_MESSAGES
// and LANG (the POSIX order), through UiLanguageOfLocaleName.
int SystemUiLanguage();

}  // namespace orvilo::sys
