#include "ocr/module_state.h"

#include "ocr/imaging.h"
#include "platform/sys/program_folder.h"

namespace lexiq {
namespace {
const char kAnchor = 0;  // an address inside this library
const std::string kModuleFolder = orvilo::sys::ModuleFolder(&kAnchor);
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

}  // namespace lexiq
