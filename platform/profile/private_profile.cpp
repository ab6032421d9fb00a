#include "platform/profile/private_profile.h"

#include <climits>

namespace orvilo::profile {

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::size_t limit) {
  return ProfileFile::Load(path).Read(section, key, limit);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  ProfileFile file = ProfileFile::Load(path);
  return file.Write(section, key, value) && file.Save();
}

bool DeleteProfileKey(const std::string& path, std::string_view section, std::string_view key) {
  ProfileFile file = ProfileFile::Load(path);
  if (file.source() == ProfileFile::Source::Missing) return true;
  if (!file.DeleteKey(section, key)) return file.source() != ProfileFile::Source::Unreadable;
  return file.Save();
}

int ReadProfileNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude >= limit) {
      magnitude = limit;  // clamp; the remaining digits cannot bring it back
      break;
    }
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace orvilo::profile
