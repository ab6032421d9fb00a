#include "engines/sonara/language.h"

namespace orvilo::sonara {
namespace {

struct LanguageFacts {
  const char* name;
  const char* folder;
  const char* codePage;
};

constexpr LanguageFacts kFacts[kLanguageCount] = {
    {"Korean", "KO_KR", "CP949"},
    {"English", "EN_US", "US-ASCII"},
    {"Chinese", "ZH_CN", "CP936"},
    {"Japanese", "JA_JP", "CP932"},
};

}  // namespace

std::optional<Language> LanguageFromNumber(int number) {
  if (number < 0 || number >= kLanguageCount) return std::nullopt;
  return static_cast<Language>(number);
}

const char* LanguageName(Language language) { return kFacts[static_cast<int>(language)].name; }
const char* DatabaseFolderName(Language language) { return kFacts[static_cast<int>(language)].folder; }
const char* CodePageName(Language language) { return kFacts[static_cast<int>(language)].codePage; }

}  // namespace orvilo::sonara
