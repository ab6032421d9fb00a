#include "ar/chapter_picker.h"

#include <algorithm>

namespace orvilo::ar {

namespace {

constexpr int kFirstRow = 66;
constexpr int kRowHeight = 26;
constexpr int kButtonHeight = 24;

}  // namespace

PickerLayout LayOutChapterPicker(const GradePicker& picker, Chapter preset,
                                 const std::function<bool(const Chapter&)>& unitHasContent) {
  PickerLayout layout;
  layout.size = {picker.width, picker.height};
  layout.semester1Units = picker.units[0];
  int y = kFirstRow;
  int next = 0;
  for (const int semester : {1, 2}) {
    const int units = picker.units[semester - 1];
    SemesterLabel& label = layout.labels[semester - 1];
    if (units <= 0) continue;
    label.shown = true;
    label.place = gdi::Rect::FromPositionAndSize(40, y, 50, kButtonHeight);
    for (int unit = 1; unit <= units && next < kUnitButtonCount; ++unit, ++next) {
      UnitButton& button = layout.buttons[next];
      button.shown = true;
      button.chapter = Chapter{semester, unit};
      button.caption = picker.captions[semester - 1][unit - 1];
      button.place = gdi::Rect::FromPositionAndSize(100, y, std::max(0, picker.width - 112), kButtonHeight);
      button.enabled = unitHasContent && unitHasContent(button.chapter);
      button.checked = button.enabled && button.chapter == preset;
      y += kRowHeight;
    }
    y += kRowHeight;
  }
  return layout;
}

Chapter ChapterOfButton(int index, int semester1Units) {
  if (index < 0) index = 0;
  if (index < semester1Units) return Chapter{1, index + 1};
  return Chapter{2, index - semester1Units + 1};
}

}  // namespace orvilo::ar
