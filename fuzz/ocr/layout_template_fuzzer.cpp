// libFuzzer target: layout template files of any content. Reading must never
// crash; a template it accepts has its items on its page and writes back to
// a file that reads the same.
#include <cstdint>
#include <cstdlib>

#include "engines/palen/layout_template.h"
#include "fuzz_file.h"

using palen::LayoutTemplate;

namespace {

bool SameItems(const LayoutTemplate& a, const LayoutTemplate& b) {
  if (a.pageWidth != b.pageWidth || a.pageHeight != b.pageHeight || a.items.size() != b.items.size()) return false;
  for (size_t i = 0; i < a.items.size(); ++i) {
    const PalenLayoutItem& x = a.items[i];
    const PalenLayoutItem& y = b.items[i];
    if (x.kind != y.kind || x.characterSet != y.characterSet || x.recognise != y.recognise || x.left != y.left ||
        x.top != y.top || x.right != y.right || x.bottom != y.bottom || x.order != y.order ||
        x.lineCount != y.lineCount) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A few dozen items show every path of the reader; larger inputs only slow
  // the search down.
  if (size > (16 << 10)) return 0;
  static FuzzFile input("layout.ltf");
  static FuzzFile written("layout-again.ltf");
  const std::optional<LayoutTemplate> layout = palen::ReadLayoutTemplate(input.Write(data, size));
  if (!layout) return 0;
  for (const PalenLayoutItem& item : layout->items) {
    if (item.left < 0 || item.top < 0 || item.left >= item.right || item.top >= item.bottom ||
        item.right > layout->pageWidth || item.bottom > layout->pageHeight) {
      abort();
    }
  }
  if (!palen::WriteLayoutTemplate(written.path(), *layout)) abort();
  const std::optional<LayoutTemplate> again = palen::ReadLayoutTemplate(written.path());
  if (!again || !SameItems(*layout, *again)) abort();
  return 0;
}
