// Tooltip texts of the main window's buttons in the component language:
// the title buttons by their index, the command-bar buttons by bar and
// index (the label their picture carries, or "Grade n" for the AR grades).
#pragma once

#include <string>

namespace orvilo::ui {

// Empty for an index outside 0..7.
std::string TitleButtonToolTip(int index, bool korean);
// Empty for a button the skin table does not know.
std::string CommandBarToolTip(int bar, int index, bool korean);

}  // namespace orvilo::ui
