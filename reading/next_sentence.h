// Cutting text into the pieces the reading panel speaks one at a time.
#pragma once

#include <string_view>

namespace orvilo::reading {

// The first piece of `text` (UTF-8), ending with and including its
// terminator: the first full stop that is not followed by a digit (so "3.5"
// does not end a piece), or an earlier "?", "!" or ":" that is not the first
// byte; a line break (CR-LF) ends the piece at its CR when it comes first
// and is not at the very start. Without any terminator the whole text. The
// searches step over whole characters, so no byte inside a multi-byte
// character is ever taken for a terminator. Empty text gives an empty piece.
std::string_view NextSentence(std::string_view text);

}  // namespace orvilo::reading
