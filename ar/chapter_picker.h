// The chapter picker's layout and result, free of the toolkit: the settings
// dialog's AR page places its labels and unit buttons by this and maps its
// checked button back to a unit.
//
// From y = 66 down, each semester with units gets its label at the left and
// one radio button per unit (numbered from 0 across both semesters), 26
// pixels apart, and one empty row after its units.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "ar/ar_content.h"
#include "platform/gdi/rect.h"

namespace orvilo::ar {

struct SemesterLabel {
  bool shown = false;
  gdi::Rect place;
};

struct UnitButton {
  bool shown = false;
  std::string caption;
  gdi::Rect place;
  bool enabled = false;  // the unit's viewer is installed
  bool checked = false;  // the preset unit, when enabled
  Chapter chapter;
};

struct PickerLayout {
  gdi::Size size;
  std::array<SemesterLabel, 2> labels;
  std::array<UnitButton, kUnitButtonCount> buttons;
  int semester1Units = 0;  // buttons before the first of semester 2
};

PickerLayout LayOutChapterPicker(const GradePicker& picker, Chapter preset,
                                 const std::function<bool(const Chapter&)>& unitHasContent);

// The unit of the first checked button `index` (0..11), or of button 0 when
// none is checked (index −1) — whether or not that unit is installed.
Chapter ChapterOfButton(int index, int semester1Units);

}  // namespace orvilo::ar
