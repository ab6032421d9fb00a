#include "engines/palen/language_data.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/sys/program_folder.h"

namespace palen {
namespace {

constexpr const char* kDebianLanguageData = "/usr/share/tesseract-ocr/5/tessdata";

struct LanguageCode {
  int code;
  const char* tesseractName;
};
constexpr LanguageCode kLanguageCodes[] = {{0, "kor"}, {12, "eng"}};

const char* NameOf(int code) {
  for (const LanguageCode& entry : kLanguageCodes) {
    if (entry.code == code) return entry.tesseractName;
  }
  return nullptr;
}

std::vector<std::string> Split(const std::string& languages) {
  std::vector<std::string> names;
  std::istringstream stream(languages);
  for (std::string name; std::getline(stream, name, '+');) names.push_back(name);
  return names;
}

bool HoldsEveryLanguage(const std::string& folder, const std::string& languages) {
  for (const std::string& name : Split(languages)) {
    const std::string file = orvilo::sys::JoinPath(folder, name + ".traineddata");
    struct stat status{};
    if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) return false;
    if (access(file.c_str(), R_OK) != 0) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> TesseractLanguages(int language, int languageEx) {
  const char* first = NameOf(language);
  if (first == nullptr) return std::nullopt;
  std::string names = first;
  if (languageEx >= 0 && languageEx != language) {
    const char* second = NameOf(languageEx);
    if (second == nullptr) return std::nullopt;
    names += std::string("+") + second;
  }
  return names;
}

std::optional<std::string> FindLanguageData(const char* moduleFolder, const std::string& languages) {
  std::vector<std::string> candidates;
  if (moduleFolder != nullptr && moduleFolder[0] != '\0') {
    candidates.push_back(orvilo::sys::JoinPath(moduleFolder, "tessdata"));
  }
  const char* prefix = std::getenv("TESSDATA_PREFIX");
  candidates.push_back(prefix != nullptr && prefix[0] != '\0' ? prefix : kDebianLanguageData);
  for (const std::string& folder : candidates) {
    if (HoldsEveryLanguage(folder, languages)) return folder;
  }
  return std::nullopt;
}

}  // namespace palen
