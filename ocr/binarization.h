// Binarisation of 8-bit pages with a threshold chosen by the iterative
// intermeans rule: start at the mean grey level, then move the threshold to
// halfway between the means of the two classes it makes until it stays.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace lexiq {

// Share of the pixels at each grey level, in extended precision.
using GreyHistogram = std::array<long double, 256>;

// Histogram of `width` pixels of each of `height` rows, `stride` bytes apart.
GreyHistogram HistogramOf(const std::uint8_t* rows, std::size_t stride, int width, int height);

// The intermeans threshold of a histogram; 0 when one class is empty (a
// page of one grey level).
int IntermeansThreshold(const GreyHistogram& shares);

// Every byte of the rows (padding included): 255 above `threshold`, else 0.
void ApplyThreshold(std::uint8_t* rows, std::size_t stride, int height, int threshold);

}  // namespace lexiq
