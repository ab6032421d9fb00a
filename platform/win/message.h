// Window messages: the numbers windows exchange, as on the platform the
// program comes from. Commands travel as kCommand with the command
// identifier in the low 16 bits of wParam; private messages keep their own
// numbers (all fixed, because windows of different subsystems exchange them).
#pragma once

#include <cstdint>

namespace orvilo::win {

struct Msg {
  std::uint32_t id;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// Platform message numbers the program uses.
inline constexpr std::uint32_t kClose = 0x0010;
inline constexpr std::uint32_t kCommand = 0x0111;
inline constexpr std::uint32_t kTimer = 0x0113;
inline constexpr std::uint32_t kUser = 0x0400;

// Modal results of dialogs.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultClose = 8;

constexpr int LowWord(std::uintptr_t value) { return static_cast<int>(value & 0xFFFF); }
constexpr int HighWord(std::uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFF); }
constexpr std::uintptr_t MakeWParam(int low, int high) {
  return (static_cast<std::uintptr_t>(high & 0xFFFF) << 16) | static_cast<std::uintptr_t>(low & 0xFFFF);
}

}  // namespace orvilo::win
