// Which vector instructions the decoder uses, chosen once at run time.
#pragma once

namespace orvilo::mjpeg {

// Avx2 stands for AVX2 together with BMI2 (every processor with one has the other).
enum class SimdLevel { None = 0, Sse2 = 1, Avx2 = 2 };

// What the processor offers, lowered by the environment variable ORVILO_MJPEG_SIMD
// ("none", "sse2" or "avx2"), so that the portable form can be forced for comparison.
SimdLevel BestSimdLevel();

// `wanted`, capped at what the processor offers (not at the environment).
SimdLevel SupportedSimdLevel(SimdLevel wanted);

const char* SimdLevelName(SimdLevel level);

}  // namespace orvilo::mjpeg
