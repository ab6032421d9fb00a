#include "mjpeg/simd_level.h"

#include <cstdlib>
#include <cstring>

namespace orvilo::mjpeg {
namespace {

SimdLevel ProcessorLevel() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2")) return SimdLevel::Avx2;
  if (__builtin_cpu_supports("sse2")) return SimdLevel::Sse2;
#endif
  return SimdLevel::None;
}

SimdLevel EnvironmentLimit() {
  const char* value = std::getenv("ORVILO_MJPEG_SIMD");
  if (value == nullptr) return SimdLevel::Avx2;
  if (std::strcmp(value, "none") == 0) return SimdLevel::None;
  if (std::strcmp(value, "sse2") == 0) return SimdLevel::Sse2;
  return SimdLevel::Avx2;
}

}  // namespace

SimdLevel SupportedSimdLevel(SimdLevel wanted) {
  static const SimdLevel processor = ProcessorLevel();
  return static_cast<int>(wanted) < static_cast<int>(processor) ? wanted : processor;
}

SimdLevel BestSimdLevel() { return SupportedSimdLevel(EnvironmentLimit()); }

const char* SimdLevelName(SimdLevel level) {
  switch (level) {
    case SimdLevel::None: return "portable";
    case SimdLevel::Sse2: return "sse2";
    case SimdLevel::Avx2: return "avx2";
  }
  return "?";
}

}  // namespace orvilo::mjpeg
