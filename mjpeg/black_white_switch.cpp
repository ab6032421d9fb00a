#include "mjpeg/black_white_switch.h"

#include <atomic>

#include "mjpeg/VxmMjpeg.h"

namespace {

// One per loaded module, so every element of the module and every SetBW caller share it.
std::atomic<int> blackWhite{0};

}  // namespace

int orvilo::mjpeg::BlackWhiteSwitch() { return blackWhite.load(std::memory_order_relaxed); }

extern "C" int SetBW(int value) {
  blackWhite.store(value, std::memory_order_relaxed);
  return value;
}
