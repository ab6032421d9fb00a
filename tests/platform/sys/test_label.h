// Parameter values as they appear in test names: CTest lists them, so only
// characters that survive its lists and shells are kept; any other byte is
// spelled "xHH", so different values keep different names.
#pragma once

#include <string>
#include <string_view>

namespace orvilo::testing {

inline std::string TestLabel(std::string_view text) {
  std::string label;
  for (const char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view("-+.%/:=").find(c) != std::string_view::npos;
    if (plain) {
      label.push_back(c);
    } else {
      const auto byte = static_cast<unsigned char>(c);
      label += {'x', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
    }
  }
  return label.empty() ? "(empty)" : label;
}

}  // namespace orvilo::testing
