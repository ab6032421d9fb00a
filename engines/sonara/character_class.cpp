#include "engines/sonara/character_class.h"

namespace orvilo::sonara {

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f' || c == U'\v' || c == 0x00A0 ||
         c == 0x3000 || (c >= 0x2000 && c <= 0x200B);
}

bool IsHangul(char32_t c) {
  return (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}

bool IsWordCharacter(char32_t c) {
  if (c < 0x80) {
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
  }
  if (c < 0xC0) return false;                       // C1 controls, Latin-1 signs
  if (c == 0xD7 || c == 0xF7) return false;         // multiplication and division signs
  if (c >= 0x2000 && c <= 0x2BFF) return false;     // punctuation, symbols, arrows, shapes
  if (c >= 0x3000 && c <= 0x303F) return false;     // CJK punctuation
  if (c >= 0xFE30 && c <= 0xFE4F) return false;     // CJK compatibility forms
  if ((c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
      (c >= 0xFF5B && c <= 0xFF65)) {
    return false;                                   // full-width punctuation
  }
  return c != 0xFEFF && c != 0xFFFD;
}

bool IsSentenceTerminator(char32_t c) {
  return c == U'.' || c == U'?' || c == U'!' || c == 0x3002 || c == 0xFF0E || c == 0xFF1F || c == 0xFF01;
}

}  // namespace orvilo::sonara
