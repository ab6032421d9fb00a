// Settling the blocks the block finder proposed into the items to read.
#pragma once

#include <vector>

#include "engines/palen/PalenPublicAPI.h"

namespace palen {

// Kinds whose items are read as text.
bool HoldsText(int kind);

// The items to read from the blocks of `area`, in reading order. Blocks
// whose lines were counted along the text (taken for vertical text, which
// Korean and English pages do not have) get their lines counted across it.
// Unless two blocks of text stand side by side as columns, the whole area
// becomes one column item: read as one column of lines, it loses nothing to
// the block finder's mistakes (a paragraph left out, a line cut in two
// blocks, a figure and the paragraphs around it taken for one block). When
// the block finder found nothing in an area that has ink (it misses single
// lines of Korean on clean paper), the area is read as one column as well.
std::vector<PalenLayoutItem> SettleLayout(std::vector<PalenLayoutItem> blocks, const PalenRect& area,
                                          int characterSet, bool areaHasInk);

}  // namespace palen
