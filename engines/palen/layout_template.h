// Layout templates: the items of one page kept in a small text file, so a
// layout found once can be recognised again later.
//
//   PalenLayoutTemplate 1
//   page <width> <height>
//   items <count>
//   <kind> <characterSet> <recognise> <left> <top> <right> <bottom> <order> <lineCount>
//   ... one line per item
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"

namespace palen {

struct LayoutTemplate {
  int pageWidth = 0;
  int pageHeight = 0;
  std::vector<PalenLayoutItem> items;
};

bool WriteLayoutTemplate(const std::string& path, const LayoutTemplate& layout);

// Empty when the file is missing, malformed or holds items off its page.
std::optional<LayoutTemplate> ReadLayoutTemplate(const std::string& path);

}  // namespace palen
