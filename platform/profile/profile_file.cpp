#include "platform/profile/profile_file.h"

#include "platform/sys/file_io.h"
#include "platform/text/code_page.h"
#include "platform/text/legacy_text.h"
#include "platform/text/unicode.h"

namespace orvilo::profile {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnding = "\r\n";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name of a "[section]" line, or false when the line is not one.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  name = Trim(line.substr(0, line.find(']')));
  return true;
}

// The key and raw value of a "key=value" line, or false when it is none.
bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == '[' || trimmed.front() == ';') return false;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return false;
  key = Trim(trimmed.substr(0, equals));
  value = Trim(trimmed.substr(equals + 1));
  return !key.empty();
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

ProfileFile ProfileFile::Load(std::string path) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kProfileFileLimit);
  if (file.status == sys::FileBytes::Status::Ok) return Parse(std::move(path), file.bytes);
  ProfileFile profile;
  profile.path_ = std::move(path);
  profile.source_ =
      file.status == sys::FileBytes::Status::Missing ? Source::Missing : Source::Unreadable;
  return profile;
}

ProfileFile ProfileFile::Parse(std::string path, std::string_view bytes) {
  ProfileFile profile;
  profile.path_ = std::move(path);
  profile.source_ = Source::Utf8;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    profile.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  const std::optional<std::string> decoded = text::DecodeIfLegacy(bytes, text::CodePage::Cp949);
  if (decoded) {
    bytes = *decoded;
    profile.source_ = Source::Cp949;
  }
  while (!bytes.empty()) {
    const auto newline = bytes.find('\n');
    std::string_view line = bytes.substr(0, newline);
    Line parsed;
    if (newline == std::string_view::npos) {
      bytes = {};
      if (!line.empty() && line.back() == '\r') {  // a last line ended by CR alone
        line.remove_suffix(1);
        parsed.ending = "\r";
      }
    } else {
      bytes.remove_prefix(newline + 1);
      parsed.ending = "\n";
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
        parsed.ending = "\r\n";
      }
    }
    parsed.text = std::string(line);
    profile.lines_.push_back(std::move(parsed));
  }
  return profile;
}

bool ProfileFile::FindSection(std::string_view section, Range& range) const {
  section = Trim(section);
  std::string_view name;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!SectionName(lines_[i].text, name) || !EqualsIgnoringCase(name, section)) continue;
    range.header = i;
    range.end = i + 1;
    while (range.end < lines_.size() && !SectionName(lines_[range.end].text, name)) ++range.end;
    return true;
  }
  return false;
}

bool ProfileFile::FindKey(const Range& range, std::string_view key, std::size_t& index) const {
  key = Trim(key);
  std::string_view name, value;
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (KeyAndValue(lines_[i].text, name, value) && EqualsIgnoringCase(name, key)) {
      index = i;
      return true;
    }
  }
  return false;
}

std::string ProfileFile::Read(std::string_view section, std::string_view key, std::size_t limit) const {
  Range range;
  std::size_t index;
  if (!FindSection(section, range) || !FindKey(range, key, index)) return {};
  std::string_view name, value;
  KeyAndValue(lines_[index].text, name, value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  value = value.substr(0, value.find('\0'));
  return std::string(value.substr(0, text::Utf8PrefixLength(value, limit)));
}

void ProfileFile::InsertLine(std::size_t index, std::string text) {
  // The line before must end in a line feed, or the new line would join it.
  if (index > 0 && lines_[index - 1].ending.find('\n') == std::string::npos) lines_[index - 1].ending = kLineEnding;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), std::string(kLineEnding)});
}

bool ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos) return false;
  if (key.empty() || HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
      key.front() == ';') {
    return false;
  }
  if (HasLineBreakOrNul(value)) return false;
  std::string line = std::string(key) + "=" + std::string(value);
  Range range;
  if (!FindSection(section, range)) {
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), std::move(line));
    return true;
  }
  std::size_t index;
  if (FindKey(range, key, index)) {
    lines_[index] = Line{std::move(line), std::string(kLineEnding)};
    return true;
  }
  // After the section's last non-blank line, so blank lines that separate it
  // from the next section stay where they are.
  std::size_t at = range.end;
  while (at > range.header + 1 && Trim(lines_[at - 1].text).empty()) --at;
  InsertLine(at, std::move(line));
  return true;
}

bool ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  Range range;
  std::size_t index;
  if (!FindSection(section, range) || !FindKey(range, key, index)) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

bool ProfileFile::DeleteSection(std::string_view section) {
  Range range;
  if (!FindSection(section, range)) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range.header),
               lines_.begin() + static_cast<std::ptrdiff_t>(range.end));
  return true;
}

std::vector<std::string> ProfileFile::Sections() const {
  std::vector<std::string> names;
  std::string_view name;
  for (const Line& line : lines_) {
    if (!SectionName(line.text, name)) continue;
    bool known = false;
    for (const std::string& seen : names) known = known || EqualsIgnoringCase(seen, name);
    if (!known) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  Range range;
  if (!FindSection(section, range)) return keys;
  std::string_view name, value;
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (KeyAndValue(lines_[i].text, name, value)) keys.emplace_back(name);
  }
  return keys;
}

std::string ProfileFile::Serialise() const {
  std::string bytes;
  if (byteOrderMark_) bytes.append(kByteOrderMark);
  for (const Line& line : lines_) {
    bytes.append(line.text);
    bytes.append(line.ending);
  }
  return bytes;
}

bool ProfileFile::Save() const {
  if (source_ == Source::Unreadable) return false;
  return sys::SaveFileAtomically(path_, Serialise());
}

}  // namespace orvilo::profile
