// The two rules that choose Korean or English texts and pictures, from the
// "LANGUAGE" value L and the system's user-interface language S (a Windows
// language identifier, Korean 1042).
#pragma once

#include <string_view>

namespace orvilo::core {

// The main window's rule (evaluated once at start): L empty → Korean when S
// is; L's number 0 (also text that is no number) → Korean; 1 → English; any
// other number → Korean when S is.
bool IsKoreanWindowLanguage(std::string_view language, int systemLanguage);

// Every other component's rule (evaluated at its creation): Korean exactly
// when S is Korean and L is empty or its number is not 1. So "1" means
// English everywhere, while "0" gives Korean only to the main window.
bool IsKoreanComponentLanguage(std::string_view language, int systemLanguage);

}  // namespace orvilo::core
