// The module's state: one per process, touched only from the caller's
// thread (the module is not thread-safe, like the calls it serves).
#pragma once

#include <string>

#include "engines/palen/PalenPublicAPI.h"

namespace lexiq {

// Resolution every page is raised to: the engine reads best at about 300 dpi.
constexpr std::int32_t kPagePelsPerMeter = 11511;

struct ModuleState {
  ModuleState() = default;
  ~ModuleState();  // releases a work image the caller left behind
  ModuleState(const ModuleState&) = delete;
  ModuleState& operator=(const ModuleState&) = delete;

  bool ready = false;
  std::string currentResult;  // UTF-8
  VicWorkImage workImage{};   // zero when none
};

ModuleState& State();

// Folder of this library's file, fixed when it is loaded: where the engine
// looks first for its language data and where the layout template goes.
const std::string& ModuleFolder();

// Releases the work image and zeroes it.
void ReleaseWorkImage();

// Sets the engine to Korean with English, the module's languages, with the
// language data looked for beside this library first.
void UseKoreanWithEnglish(vx_hwnd window);

}  // namespace lexiq
