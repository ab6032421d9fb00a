#include "ocr/binarization.h"

namespace lexiq {
namespace {
// The rule converges in a handful of steps; truncation can make it swing
// between two neighbouring values forever, so the walk is bounded.
constexpr int kMaximumSteps = 256;
}  // namespace

GreyHistogram HistogramOf(const std::uint8_t* rows, std::size_t stride, int width, int height) {
  GreyHistogram shares{};
  if (rows == nullptr || width <= 0 || height <= 0) return shares;
  std::array<std::uint64_t, 256> counts{};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < width; ++x) ++counts[row[x]];
  }
  const long double pixels = static_cast<long double>(width) * height;
  for (int level = 0; level < 256; ++level) shares[level] = counts[level] / pixels;
  return shares;
}

int IntermeansThreshold(const GreyHistogram& shares) {
  long double mean = 0;
  for (int level = 0; level < 256; ++level) mean += level * shares[level];
  int threshold = static_cast<int>(mean);
  for (int step = 0; step < kMaximumSteps; ++step) {
    long double lowWeight = 0, lowSum = 0, highWeight = 0, highSum = 0;
    for (int level = 0; level < 256; ++level) {
      if (level <= threshold) {
        lowWeight += shares[level];
        lowSum += level * shares[level];
      } else {
        highWeight += shares[level];
        highSum += level * shares[level];
      }
    }
    if (lowWeight <= 0 || highWeight <= 0) return 0;
    const int next = static_cast<int>((lowSum / lowWeight + highSum / highWeight) * 0.5L);
    if (next == threshold) break;
    threshold = next;
  }
  return threshold;
}

void ApplyThreshold(std::uint8_t* rows, std::size_t stride, int height, int threshold) {
  if (rows == nullptr || height <= 0) return;
  const std::size_t bytes = stride * static_cast<std::size_t>(height);
  for (std::size_t i = 0; i < bytes; ++i) rows[i] = rows[i] > threshold ? 255 : 0;
}

}  // namespace lexiq
