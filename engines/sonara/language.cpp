#include "engines/sonara/language.h"

namespace orvilo::sonara {
namespace {

struct LanguageFacts {
  const char* name;
  text::CodePage codePage;
};

constexpr LanguageFacts kFacts[kLanguageCount] = {
    {"Korean", text::CodePage::Cp949},
    {"English", text::CodePage::Ascii},
    {"Chinese", text::CodePage::Cp936},
    {"Japanese", text::CodePage::Cp932},
};

}  // namespace

std::optional<Language> LanguageFromNumber(int number) {
  if (number < 0 || number >= kLanguageCount) return std::nullopt;
  return static_cast<Language>(number);
}

const char* LanguageName(Language language) { return kFacts[static_cast<int>(language)].name; }
text::CodePage LegacyCodePage(Language language) { return kFacts[static_cast<int>(language)].codePage; }

}  // namespace orvilo::sonara
