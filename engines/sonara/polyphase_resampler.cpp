#include "engines/sonara/polyphase_resampler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>

namespace orvilo::sonara {

struct PolyphaseResampler::FilterBank {
  int taps;                             // K, a multiple of 8
  std::vector<std::int16_t> coefficients;  // phase p: taps [p*K, p*K + K), Q14, each phase summing to 1
};

namespace {

constexpr double kStopBandDecibels = 70.0;
constexpr double kPassFraction = 0.85;  // pass band edge / lower Nyquist frequency
constexpr int kCoefficientBits = 14;

double BesselI0(double x) {
  double sum = 1.0;
  double term = 1.0;
  for (int k = 1; k < 50; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
    if (term < sum * 1e-12) break;
  }
  return sum;
}

std::shared_ptr<const PolyphaseResampler::FilterBank> BuildBank(int inputRate, int outputRate, std::int64_t up) {
  const double lowerNyquist = 0.5 * std::min(inputRate, outputRate);
  const double transition = 2.0 * (1.0 - kPassFraction) * lowerNyquist / inputRate;  // in cycles per input sample
  const double cutoff = lowerNyquist / inputRate;
  int taps = static_cast<int>(std::ceil((kStopBandDecibels - 8.0) / (2.285 * 2.0 * M_PI * transition)));
  taps = std::max(8, (taps + 7) / 8 * 8);
  const double beta = 0.1102 * (kStopBandDecibels - 8.7);
  const double half = taps / 2.0;

  auto bank = std::make_shared<PolyphaseResampler::FilterBank>();
  bank->taps = taps;
  bank->coefficients.resize(static_cast<std::size_t>(up * taps));
  std::vector<double> row(taps);
  for (std::int64_t phase = 0; phase < up; ++phase) {
    double sum = 0;
    for (int j = 0; j < taps; ++j) {
      const double t = static_cast<double>(phase) / up + (taps / 2 - 1) - j;  // input samples from the tap to the output time
      const double x = 2.0 * cutoff * t;
      const double sinc = std::abs(x) < 1e-12 ? 1.0 : std::sin(M_PI * x) / (M_PI * x);
      const double r = t / half;
      const double window = std::abs(r) >= 1.0 ? 0.0 : BesselI0(beta * std::sqrt(1.0 - r * r)) / BesselI0(beta);
      row[j] = 2.0 * cutoff * sinc * window;
      sum += row[j];
    }
    std::int16_t* out = &bank->coefficients[static_cast<std::size_t>(phase * taps)];
    int total = 0;
    int largest = 0;
    for (int j = 0; j < taps; ++j) {
      out[j] = static_cast<std::int16_t>(std::lround(row[j] / sum * (1 << kCoefficientBits)));
      total += out[j];
      if (out[j] > out[largest]) largest = j;
    }
    out[largest] = static_cast<std::int16_t>(out[largest] + ((1 << kCoefficientBits) - total));  // unit gain exactly
  }
  return bank;
}

std::shared_ptr<const PolyphaseResampler::FilterBank> SharedBank(int inputRate, int outputRate, std::int64_t up) {
  // Never destroyed: synthesis threads may run while static objects are destroyed at exit.
  static auto* lock = new std::mutex;
  static auto* banks = new std::map<std::pair<int, int>, std::shared_ptr<const PolyphaseResampler::FilterBank>>;
  std::lock_guard guard(*lock);
  auto& bank = (*banks)[{inputRate, outputRate}];
  if (!bank) bank = BuildBank(inputRate, outputRate, up);
  return bank;
}

// The filter's inner product; written so the compiler turns it into
// multiply-add vector instructions (integer sums may be reordered freely).
inline std::int32_t Dot(const std::int16_t* coefficients, const std::int16_t* samples, int taps) {
  std::int32_t sum = 0;
  for (int j = 0; j < taps; ++j) sum += static_cast<std::int32_t>(coefficients[j]) * samples[j];
  return sum;
}

}  // namespace

PolyphaseResampler::PolyphaseResampler(int inputRate, int outputRate) {
  const int divisor = std::gcd(inputRate, outputRate);
  up_ = outputRate / divisor;
  down_ = inputRate / divisor;
  bank_ = SharedBank(inputRate, outputRate, up_);
  // Silence before the first sample, so that output 0 is centred on input 0.
  const int before = bank_->taps / 2 - 1;
  history_.assign(static_cast<std::size_t>(before), 0);
  historyStart_ = -before;
}

std::int64_t PolyphaseResampler::OutputPositionOf(std::int64_t inputPosition) const {
  return (inputPosition * up_ + down_ / 2) / down_;
}

void PolyphaseResampler::Process(const std::int16_t* input, std::size_t count, std::vector<std::int16_t>& output) {
  history_.insert(history_.end(), input, input + count);
  inputCount_ += static_cast<std::int64_t>(count);
  Produce(output, std::numeric_limits<std::int64_t>::max());
}

void PolyphaseResampler::Finish(std::vector<std::int16_t>& output) {
  history_.insert(history_.end(), static_cast<std::size_t>(bank_->taps / 2), 0);
  Produce(output, (inputCount_ * up_ + down_ - 1) / down_);
}

void PolyphaseResampler::Produce(std::vector<std::int16_t>& output, std::int64_t limit) {
  const int taps = bank_->taps;
  const std::int64_t available = historyStart_ + static_cast<std::int64_t>(history_.size());
  const std::int16_t* coefficients = bank_->coefficients.data();
  while (produced_ < limit) {
    const std::int64_t time = produced_ * down_;
    const std::int64_t centre = time / up_;
    if (centre + taps / 2 >= available) break;
    const std::int64_t phase = time % up_;
    const std::int16_t* window = history_.data() + (centre - taps / 2 + 1 - historyStart_);
    const std::int32_t sum = Dot(coefficients + phase * taps, window, taps);
    const std::int32_t value = (sum + (1 << (kCoefficientBits - 1))) >> kCoefficientBits;
    output.push_back(static_cast<std::int16_t>(std::clamp<std::int32_t>(value, -32768, 32767)));
    ++produced_;
  }
  // Keep only what later outputs still reach.
  const std::int64_t nextCentre = produced_ * down_ / up_;
  const std::int64_t keepFrom = std::min(available, nextCentre - taps / 2 + 1);
  if (keepFrom > historyStart_) {
    history_.erase(history_.begin(), history_.begin() + (keepFrom - historyStart_));
    historyStart_ = keepFrom;
  }
}

}  // namespace orvilo::sonara
