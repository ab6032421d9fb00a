// Turning what was read into the text the caller gets, with the per-unit
// confidences and character boxes that go with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"
#include "engines/palen/recognised_text.h"

namespace palen {

struct ComposedText {
  std::string utf8;
  std::u16string units;                      // the same text in UTF-16
  std::vector<std::uint16_t> unitConfidence;  // one per unit of `units`
  std::vector<PalenCharRect> characters;      // textOffset/Length index `units`
  std::vector<std::string> itemTexts;         // the text of each item on its own
};

// Words are separated by a space. Paragraphs (and items) each start a new
// line. With `keepLines` every line of the page stays a line and paragraphs
// are separated by an empty line; without it the lines of a paragraph are
// joined by spaces, and a word broken by a hyphen at a line end ("exam-" +
// "ple") is joined again.
ComposedText ComposeText(const std::vector<RecognisedItem>& items, bool keepLines);

}  // namespace palen
