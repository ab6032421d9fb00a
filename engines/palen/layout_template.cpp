#include "engines/palen/layout_template.h"

#include <sstream>

#include "engines/palen/dib_image.h"
#include "platform/sys/file_io.h"

namespace palen {
namespace {

constexpr const char* kSignature = "PalenLayoutTemplate";
constexpr int kVersion = 1;
// More items than a page can hold means a damaged or foreign file.
constexpr int kMaximumItems = 10000;
// Room for that many items of the longest numbers.
constexpr std::size_t kMaximumFileBytes = 64 + std::size_t{kMaximumItems} * 9 * 12;

bool IsOnPage(const PalenLayoutItem& item, int width, int height) {
  return item.left >= 0 && item.top >= 0 && item.left < item.right && item.top < item.bottom &&
         item.right <= width && item.bottom <= height;
}

}  // namespace

bool WriteLayoutTemplate(const std::string& path, const LayoutTemplate& layout) {
  std::ostringstream text;
  text << kSignature << ' ' << kVersion << '\n'
       << "page " << layout.pageWidth << ' ' << layout.pageHeight << '\n'
       << "items " << layout.items.size() << '\n';
  for (const PalenLayoutItem& item : layout.items) {
    text << item.kind << ' ' << item.characterSet << ' ' << item.recognise << ' ' << item.left << ' ' << item.top << ' '
         << item.right << ' ' << item.bottom << ' ' << item.order << ' ' << item.lineCount << '\n';
  }
  const std::string bytes = text.str();
  return orvilo::sys::SaveFileAtomically(path, bytes);
}

std::optional<LayoutTemplate> ReadLayoutTemplate(const std::string& path) {
  // Read whole and only from a regular file: a path naming a pipe or a
  // device must not leave the engine waiting.
  const orvilo::sys::FileBytes bytes = orvilo::sys::ReadFileBytes(path, kMaximumFileBytes);
  if (bytes.status != orvilo::sys::FileBytes::Status::Ok) return std::nullopt;
  std::istringstream file(bytes.bytes);
  std::string signature, pageWord, itemsWord;
  int version = 0;
  long count = -1;
  LayoutTemplate layout;
  if (!(file >> signature >> version >> pageWord >> layout.pageWidth >> layout.pageHeight >> itemsWord >> count)) {
    return std::nullopt;
  }
  if (signature != kSignature || version != kVersion || pageWord != "page" || itemsWord != "items") return std::nullopt;
  if (layout.pageWidth <= 0 || layout.pageHeight <= 0 || layout.pageWidth > kMaximumSide ||
      layout.pageHeight > kMaximumSide || count < 0 || count > kMaximumItems) {
    return std::nullopt;
  }
  layout.items.reserve(static_cast<std::size_t>(count));
  for (long i = 0; i < count; ++i) {
    PalenLayoutItem item{};
    if (!(file >> item.kind >> item.characterSet >> item.recognise >> item.left >> item.top >> item.right >>
          item.bottom >> item.order >> item.lineCount)) {
      return std::nullopt;
    }
    if (!IsOnPage(item, layout.pageWidth, layout.pageHeight)) return std::nullopt;
    layout.items.push_back(item);
  }
  return layout;
}

}  // namespace palen
