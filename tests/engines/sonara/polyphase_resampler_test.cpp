#include "engines/sonara/polyphase_resampler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvilo::sonara {
namespace {

std::vector<std::int16_t> Sine(double frequency, int rate, int count, double amplitude) {
  std::vector<std::int16_t> out(count);
  for (int i = 0; i < count; ++i) {
    out[i] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * frequency * i / rate)));
  }
  return out;
}

double Rms(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

std::vector<std::int16_t> Convert(const std::vector<std::int16_t>& input, int from, int to, std::size_t chunk) {
  PolyphaseResampler resampler(from, to);
  std::vector<std::int16_t> out;
  for (std::size_t i = 0; i < input.size(); i += chunk) {
    resampler.Process(input.data() + i, std::min(chunk, input.size() - i), out);
  }
  resampler.Finish(out);
  return out;
}

struct ToneCase {
  int outputRate;
  double frequency;
  double minimumGain;
  double maximumGain;
};

class ResamplerToneTest : public ::testing::TestWithParam<ToneCase> {};

// Speech frequencies pass unchanged; what the lower rate cannot hold is
// removed instead of folding back as a false tone.
TEST_P(ResamplerToneTest, PassesSpeechAndRemovesWhatWouldAlias) {
  const ToneCase& c = GetParam();
  const auto input = Sine(c.frequency, 22050, 22050, 10000);
  const auto output = Convert(input, 22050, c.outputRate, 1024);
  ASSERT_EQ(output.size(), static_cast<std::size_t>(c.outputRate));
  const double gain = Rms(output, 1000, output.size() - 1000) / Rms(input, 1000, input.size() - 1000);
  EXPECT_GE(gain, c.minimumGain);
  EXPECT_LE(gain, c.maximumGain);
}

INSTANTIATE_TEST_SUITE_P(Tones, ResamplerToneTest,
                         ::testing::Values(ToneCase{16000, 1000, 0.98, 1.02}, ToneCase{16000, 6000, 0.95, 1.02},
                                           ToneCase{16000, 10000, 0, 0.003},  // 50 dB down
                                           ToneCase{8000, 1000, 0.98, 1.02}, ToneCase{8000, 3000, 0.95, 1.02},
                                           ToneCase{8000, 5000, 0, 0.003}));

TEST(PolyphaseResamplerTest, ChunkingDoesNotChangeTheStream) {
  const auto input = Sine(440, 22050, 5000, 8000);
  const auto whole = Convert(input, 22050, 16000, input.size());
  EXPECT_EQ(Convert(input, 22050, 16000, 1), whole);
  EXPECT_EQ(Convert(input, 22050, 16000, 333), whole);
  EXPECT_EQ(whole.size(), static_cast<std::size_t>((5000 * 320 + 440) / 441));
}

TEST(PolyphaseResamplerTest, KeepsTimeAligned) {
  // A click at input sample 2205 (100 ms) comes out at output sample 1600.
  std::vector<std::int16_t> input(4410, 0);
  input[2205] = 20000;
  const auto output = Convert(input, 22050, 16000, 4410);
  const auto peak = std::max_element(output.begin(), output.end()) - output.begin();
  EXPECT_NEAR(static_cast<double>(peak), 1600.0, 1.0);
  EXPECT_EQ(PolyphaseResampler(22050, 16000).OutputPositionOf(2205), 1600);
  EXPECT_EQ(PolyphaseResampler(22050, 8000).OutputPositionOf(2205), 800);
}

// A full-scale square wave overshoots at its edges; the overshoot is
// clamped instead of wrapping round to the opposite sign.
TEST(PolyphaseResamplerTest, FullScaleIsClampedNotWrapped) {
  constexpr int kHalfPeriod = 100;
  std::vector<std::int16_t> input(8820);
  for (std::size_t i = 0; i < input.size(); ++i) input[i] = (i / kHalfPeriod) % 2 ? 32767 : -32768;
  const auto output = Convert(input, 22050, 16000, 1000);
  int checked = 0;
  for (std::size_t k = 0; k < output.size(); ++k) {
    const double at = k * 22050.0 / 16000.0;
    const double intoHalf = std::fmod(at, kHalfPeriod);
    if (intoHalf < 3 || intoHalf > kHalfPeriod - 3 || at + 3 >= input.size()) continue;  // near an edge
    const bool high = (static_cast<int>(at) / kHalfPeriod) % 2 != 0;
    EXPECT_EQ(output[k] > 0, high) << "output " << k;
    ++checked;
  }
  EXPECT_GT(checked, 5000);
}

}  // namespace
}  // namespace orvilo::sonara
