#include "ui/tooltips.h"

#include "core/command_ids.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin/skin_table.h"

namespace orvilo::ui {

namespace {
// The AR bar's buttons 10..15 are grades 1..6.
constexpr int kFirstGradeButton = 10;
}  // namespace

std::string TitleButtonToolTip(int index, bool korean) {
  struct Tip {
    const char* korean;
    const char* english;
  };
  static constexpr Tip kTips[8] = {{"정보", "About"},        {"최소화", "Minimize"},     {"최대화", "Maximize"},
                                   {"이전 크기로", "Restore"}, {"닫기", "Close"},         {"확대", "Zoom In"},
                                   {"축소", "Zoom Out"},     {"배율 선택", "Zoom Ratio"}};
  if (index < 0 || index >= 8) return {};
  return korean ? kTips[index].korean : kTips[index].english;
}

std::string CommandBarToolTip(int bar, int index, bool korean) {
  // Picture numbers of neighbouring bars run on, so the index is checked here.
  if (bar < 0 || bar >= 5 || index < 0 || index >= command::kBarButtonCount[bar]) return {};
  if (bar == 4 && index >= kFirstGradeButton && index < kFirstGradeButton + 6) {
    const std::string grade = std::to_string(index - kFirstGradeButton + 1);
    return korean ? grade + "학년" : "Grade " + grade;
  }
  const skin::SkinEntry* entry = skin::FindSkinEntry(skin::SkinKind::Bitmap, skin::CommandBarButton(bar, index));
  if (entry == nullptr) return {};
  return korean ? entry->text : entry->englishText;
}

}  // namespace orvilo::ui
