#include "core/settings/ar_settings.h"

#include <cstdio>

namespace orvilo::core {

std::optional<int> GradeSlot(std::string_view gradeValue, int grade) {
  if (grade < 1 || grade > 6) return std::nullopt;
  if (gradeValue.empty()) return grade - 1;
  const auto shown = [&](int g) { return gradeValue.find(static_cast<char>('0' + g)) != std::string_view::npos; };
  if (!shown(grade)) return std::nullopt;
  int slot = 0;
  for (int g = 1; g < grade; ++g) slot += shown(g) ? 1 : 0;
  return slot;
}

std::string FormatArCaption(std::string_view format, int grade, int semester, int unit) {
  const int values[3] = {grade, semester, unit};
  int next = 0;
  std::string caption;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      caption.push_back(format[i++]);
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      caption.push_back('%');
      i += 2;
      continue;
    }
    // "%" [flags] [width of up to two digits] ("d" | "i")
    std::size_t end = i + 1;
    while (end < format.size() && std::string_view("-+ 0").find(format[end]) != std::string_view::npos) ++end;
    std::size_t digits = 0;
    while (end < format.size() && format[end] >= '0' && format[end] <= '9') ++end, ++digits;
    const bool conversion = end < format.size() && (format[end] == 'd' || format[end] == 'i') && digits <= 2;
    if (!conversion || next == 3) {
      caption.push_back(format[i++]);  // the "%" as text; what follows is copied as text too
      continue;
    }
    std::string directive(format.substr(i, end - i));
    directive += 'd';
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, directive.c_str(), values[next++]);
    if (length > 0) caption.append(buffer, static_cast<std::size_t>(length));
    i = end + 1;
  }
  return caption;
}

}  // namespace orvilo::core
