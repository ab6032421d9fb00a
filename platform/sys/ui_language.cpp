#include "platform/sys/ui_language.h"

#include <cstdlib>
#include <initializer_list>

namespace orvilo::sys {

int UiLanguageOfLocaleName(const char* localeName) {
  if (localeName == nullptr) return kLanguageEnglishUs;
  // "ko" must be the whole language code: "kok" (Konkani) is not Korean.
  const bool korean = localeName[0] == 'k' && localeName[1] == 'o' &&
                      (localeName[2] == '\0' || localeName[2] == '_' || localeName[2] == '.' ||
                       localeName[2] == '@');
  return korean ? kLanguageKorean : kLanguageEnglishUs;
}

int SystemUiLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return UiLanguageOfLocaleName(value);
  }
  return kLanguageEnglishUs;
}

}  // namespace orvilo::sys
