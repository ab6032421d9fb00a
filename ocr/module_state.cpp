#include "ocr/module_state.h"

#include "ocr/imaging.h"
#include "platform/sys/program_folder.h"

namespace lexiq {
namespace {
const char kAnchor = 0;  // an address inside this library
const std::string kModuleFolder = orvilo::sys::ModuleFolder(&kAnchor);
// The engine's codes of the two languages.
constexpr int kKorean = 0, kEnglish = 12;
}  // namespace

ModuleState::~ModuleState() {
  if (!imaging::IsEmpty(workImage)) imaging::ReleaseWorkImage(&workImage);
}

ModuleState& State() {
  static ModuleState state;
  return state;
}

const std::string& ModuleFolder() { return kModuleFolder; }

void ReleaseWorkImage() {
  ModuleState& state = State();
  if (!imaging::IsEmpty(state.workImage)) imaging::ReleaseWorkImage(&state.workImage);
  state.workImage = VicWorkImage{};
}

void UseKoreanWithEnglish(vx_hwnd window) { SetLanguage(window, kModuleFolder.c_str(), kKorean, kEnglish, 0); }

}  // namespace lexiq
