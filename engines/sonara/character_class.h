// The few character classes the engine needs to find words and sentence
// ends in any of its languages, without a locale.
#pragma once

namespace orvilo::sonara {

// Letters and digits of any script (everything but blanks, controls and
// punctuation).
bool IsWordCharacter(char32_t c);

// Hangul syllables and jamo: Korean particles attach to the word before.
bool IsHangul(char32_t c);

bool IsBlank(char32_t c);

// ".", "?", "!" and their full-width and ideographic forms.
bool IsSentenceTerminator(char32_t c);

}  // namespace orvilo::sonara
