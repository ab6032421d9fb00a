#include "core/settings/language_rules.h"

#include "platform/profile/private_profile.h"
#include "platform/sys/ui_language.h"

namespace orvilo::core {

bool IsKoreanWindowLanguage(std::string_view language, int systemLanguage) {
  const bool systemKorean = systemLanguage == sys::kLanguageKorean;
  if (language.empty()) return systemKorean;
  switch (profile::ReadProfileNumber(language)) {
    case 0: return true;
    case 1: return false;
    default: return systemKorean;
  }
}

bool IsKoreanComponentLanguage(std::string_view language, int systemLanguage) {
  return systemLanguage == sys::kLanguageKorean && (language.empty() || profile::ReadProfileNumber(language) != 1);
}

}  // namespace orvilo::core
