// Converts the synthesiser's 22050 Hz to a speaker's 16000 or 8000 Hz as a
// stream: a polyphase windowed-sinc filter (Kaiser, about 70 dB stop band,
// pass band to 85 % of the lower Nyquist frequency) in 16-bit fixed point.
// It is the engine's hot path: about 40 multiply-adds per output sample,
// a few milliseconds per minute of speech, where a general-purpose
// converter costs more than the synthesis itself.
//
// Output sample n stands for input time n * in / out: the filter's delay is
// compensated, so a word that starts at input sample s starts at output
// sample OutputPositionOf(s).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvilo::sonara {

class PolyphaseResampler {
 public:
  // Rates whose ratio reduces to at most 1024 output phases (all the usual ones).
  PolyphaseResampler(int inputRate, int outputRate);

  std::int64_t OutputPositionOf(std::int64_t inputPosition) const;

  // Appends the output that `count` more input samples make available.
  void Process(const std::int16_t* input, std::size_t count, std::vector<std::int16_t>& output);
  // Appends the rest, as if silence followed: in total OutputPositionOf(all
  // input) samples, rounded up.
  void Finish(std::vector<std::int16_t>& output);

  struct FilterBank;

 private:
  void Produce(std::vector<std::int16_t>& output, std::int64_t limit);

  std::int64_t up_;    // L: output phases
  std::int64_t down_;  // M
  std::shared_ptr<const FilterBank> bank_;
  std::vector<std::int16_t> history_;  // input from position historyStart_ on
  std::int64_t historyStart_ = 0;
  std::int64_t inputCount_ = 0;
  std::int64_t produced_ = 0;
};

}  // namespace orvilo::sonara
