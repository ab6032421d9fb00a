#include "engines/sonara/user_dictionary.h"

#include <algorithm>

#include "engines/sonara/character_class.h"
#include "engines/sonara/text_decoder.h"
#include "platform/sys/file_io.h"
#include "platform/text/unicode.h"

namespace orvilo::sonara {
namespace {

std::u32string_view Trim(std::u32string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasControlBytes(std::string_view bytes) {
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    // Tabs, line ends, form feeds and the old end-of-file mark occur in text files.
    if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v' && b != 0x1A) || b == 0x7F) {
      return true;
    }
  }
  return false;
}

std::u32string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto a = static_cast<unsigned char>(bytes[2 * i]);
    const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return text::Utf8ToUtf32(text::Utf16ToUtf8(units));
}

}  // namespace

UserDictionary::LoadResult UserDictionary::Load(const std::string& path, Language language) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kMaxFileBytes);
  if (file.status != sys::FileBytes::Status::Ok) return {};
  return Parse(file.bytes, language);
}

UserDictionary::LoadResult UserDictionary::Parse(std::string_view bytes, Language language) {
  std::u32string characters;
  if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
    characters = FromUtf16(bytes.substr(2), bytes[0] == '\xFE');
  } else {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (HasControlBytes(bytes)) return {LoadStatus::kNotText, nullptr, 0, 0};
    characters = DecodeText(bytes, language, CharacterSet::kAutomatic).characters;
  }

  auto dictionary = std::make_shared<UserDictionary>();
  LoadResult result;
  std::u32string_view rest = characters;
  while (!rest.empty()) {
    const std::size_t lineEnd = std::min(rest.find(U'\n'), rest.size());
    const std::u32string_view line = Trim(rest.substr(0, lineEnd));
    rest.remove_prefix(std::min(lineEnd + 1, rest.size()));
    if (line.empty() || line.front() == U'#') continue;
    const auto wordEnd = std::find_if(line.begin(), line.end(), IsBlank);
    const std::u32string_view word(line.data(), static_cast<std::size_t>(wordEnd - line.begin()));
    const std::u32string_view pronunciation = Trim(line.substr(word.size()));
    if (pronunciation.empty()) {
      ++result.rejectedLines;
      continue;
    }
    dictionary->Add({std::u32string(word), std::u32string(pronunciation)});
    ++result.entries;
  }
  result.status = LoadStatus::kLoaded;
  result.dictionary = std::move(dictionary);
  return result;
}

void UserDictionary::Add(Entry entry) {
  auto& list = entriesByFirst_[entry.word.front()];
  // A later line with the same word replaces the earlier one.
  const auto same = std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.word == entry.word; });
  if (same != list.end()) {
    same->pronunciation = std::move(entry.pronunciation);
    return;
  }
  const auto place = std::find_if(list.begin(), list.end(),
                                  [&](const Entry& e) { return e.word.size() < entry.word.size(); });
  list.insert(place, std::move(entry));
  ++size_;
}

const UserDictionary::Entry* UserDictionary::Match(std::u32string_view text, std::size_t position) const {
  if (position >= text.size()) return nullptr;
  if (position > 0 && IsWordCharacter(text[position - 1])) return nullptr;
  const auto found = entriesByFirst_.find(text[position]);
  if (found == entriesByFirst_.end()) return nullptr;
  for (const Entry& entry : found->second) {
    if (text.compare(position, entry.word.size(), entry.word) != 0) continue;
    const std::size_t end = position + entry.word.size();
    if (end == text.size() || !IsWordCharacter(text[end]) || (IsHangul(entry.word.back()) && IsHangul(text[end]))) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace orvilo::sonara
