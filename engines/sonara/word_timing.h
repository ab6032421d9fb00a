// The synthesiser reports most words of a piece with the sample where
// their sound starts, but not all (it runs some Korean words together with
// the word before). A word it did not report gets a start interpolated
// between its reported neighbours by character position, so that every
// word of the text is highlighted in turn.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engines/sonara/espeak_synthesizer.h"

namespace orvilo::sonara {

// `words`: the reported words of `piece` in order; `pieceSamples`: the
// length of the piece's sound. Adds the unreported words, keeping the order.
void AddUnreportedWords(std::u32string_view piece, std::int64_t pieceSamples,
                        std::vector<EspeakSynthesizer::Word>& words);

}  // namespace orvilo::sonara
