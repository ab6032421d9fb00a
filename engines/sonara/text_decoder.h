// Turns the caller's bytes into characters that remember which bytes they
// came from, so that whatever the engine reports about a word can point back
// into the caller's own text.
//
// Automatic reading: valid UTF-8 (the system code page) is UTF-8; otherwise
// the language's legacy code page when the bytes decode cleanly in it
// (Korean text written on Windows is CP949); otherwise UTF-8 once more. In
// every mode each byte that cannot be decoded becomes one U+FFFD.
#pragma once

#include <string_view>

#include "engines/sonara/language.h"
#include "platform/text/code_page.h"

namespace orvilo::sonara {

enum class CharacterSet { kAutomatic, kUtf8, kCodePage };

using text::DecodedText;

DecodedText DecodeText(std::string_view bytes, Language language, CharacterSet characterSet);

}  // namespace orvilo::sonara
