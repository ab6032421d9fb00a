// Which Tesseract languages the engine's language codes name, and where
// their data files are.
#pragma once

#include <optional>
#include <string>

namespace palen {

// "kor+eng" for (0, 12), "eng" for (12, -1), ...; empty for unknown codes.
std::optional<std::string> TesseractLanguages(int language, int languageEx);

// First folder that holds a data file for every language of `languages`:
// `moduleFolder`/tessdata (when given), then $TESSDATA_PREFIX when set, else
// Debian's folder. Empty when none does.
std::optional<std::string> FindLanguageData(const char* moduleFolder, const std::string& languages);

}  // namespace palen
