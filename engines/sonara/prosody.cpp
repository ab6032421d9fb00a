#include "engines/sonara/prosody.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvilo::sonara {
namespace {

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
}

// Reads `name = "value"` from the inside of a tag.
bool ReadAttribute(std::string_view tag, std::string_view& name, int& value) {
  SkipBlanks(tag);
  std::size_t length = 0;
  while (length < tag.size() && std::isalpha(static_cast<unsigned char>(tag[length]))) ++length;
  name = tag.substr(0, length);
  tag.remove_prefix(length);
  SkipBlanks(tag);
  if (tag.empty() || tag.front() != '=') return false;
  tag.remove_prefix(1);
  SkipBlanks(tag);
  if (!tag.empty() && (tag.front() == '"' || tag.front() == '\'')) tag.remove_prefix(1);
  long long number = 0;
  const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), number);
  if (error != std::errc() || end == tag.data()) return false;
  value = static_cast<int>(std::clamp<long long>(number, -1000000, 1000000));
  return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool ApplyMarkup(std::string_view markup, Prosody& prosody) {
  Prosody result = prosody;
  bool found = false;
  while (true) {
    const std::size_t open = markup.find('<');
    if (open == std::string_view::npos) break;
    const std::size_t close = markup.find('>', open);
    if (close == std::string_view::npos) break;
    const std::string_view tag = markup.substr(open + 1, close - open - 1);
    markup.remove_prefix(close + 1);
    std::string_view name;
    int value = 0;
    if (!ReadAttribute(tag, name, value)) continue;  // closing tags and anything else
    if (EqualsIgnoringCase(name, "speed")) {
      result.speed = std::clamp(value, kSpeedRange.minimum, kSpeedRange.maximum);
    } else if (EqualsIgnoringCase(name, "volume")) {
      result.volume = std::clamp(value, kVolumeRange.minimum, kVolumeRange.maximum);
    } else if (EqualsIgnoringCase(name, "pitch")) {
      result.pitch = std::clamp(value, kPitchRange.minimum, kPitchRange.maximum);
    } else {
      continue;
    }
    found = true;
  }
  if (found) prosody = result;
  return found;
}

}  // namespace orvilo::sonara
