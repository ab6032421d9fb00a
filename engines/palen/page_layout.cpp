#include "engines/palen/page_layout.h"

#include <algorithm>

namespace palen {
namespace {

// Usual height of a text line, from text blocks wider than high whose lines
// were counted.
int TypicalLineHeight(const std::vector<PalenLayoutItem>& items) {
  std::vector<int> heights;
  for (const PalenLayoutItem& item : items) {
    if (item.kind == PALEN_ITEM_TEXT && item.lineCount > 0 && item.right - item.left > item.bottom - item.top) {
      heights.push_back((item.bottom - item.top) / item.lineCount);
    }
  }
  if (heights.empty()) return 0;
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  return heights[heights.size() / 2];
}

// Two blocks of several lines each on the same rows, with a gutter of at
// least half a line between them.
bool StandsInColumns(const std::vector<PalenLayoutItem>& items, int lineHeight) {
  constexpr int kLeastLines = 2;
  for (std::size_t a = 0; a < items.size(); ++a) {
    for (std::size_t b = a + 1; b < items.size(); ++b) {
      const PalenLayoutItem& one = items[a];
      const PalenLayoutItem& other = items[b];
      if (!HoldsText(one.kind) || !HoldsText(other.kind)) continue;
      if (one.lineCount < kLeastLines || other.lineCount < kLeastLines) continue;
      const int sharedRows = std::min(one.bottom, other.bottom) - std::max(one.top, other.top);
      const int lowest = std::min(one.bottom - one.top, other.bottom - other.top);
      const int gutter = std::max(one.left, other.left) - std::min(one.right, other.right);
      if (2 * gutter >= lineHeight && 2 * sharedRows >= lowest) return true;
    }
  }
  return false;
}

}  // namespace

bool HoldsText(int kind) {
  return kind == PALEN_ITEM_TEXT || kind == PALEN_ITEM_TABLE || kind == PALEN_ITEM_COLUMN;
}

std::vector<PalenLayoutItem> SettleLayout(std::vector<PalenLayoutItem> blocks, const PalenRect& area,
                                          int characterSet, bool areaHasInk) {
  if (blocks.empty() && !areaHasInk) return blocks;
  const int lineHeight = TypicalLineHeight(blocks);
  for (PalenLayoutItem& block : blocks) {
    if (block.kind == PALEN_ITEM_TEXT && block.lineCount == 0) {
      block.lineCount = lineHeight > 0 ? std::max(1, (block.bottom - block.top + lineHeight / 2) / lineHeight) : 1;
    }
  }
  if (!blocks.empty() && StandsInColumns(blocks, lineHeight)) return blocks;
  PalenLayoutItem column{};
  column.kind = PALEN_ITEM_COLUMN;
  column.characterSet = characterSet;
  column.recognise = 1;
  column.left = area.left;
  column.top = area.top;
  column.right = area.right;
  column.bottom = area.bottom;
  for (const PalenLayoutItem& block : blocks) column.lineCount += block.lineCount;
  return {column};
}

}  // namespace palen
