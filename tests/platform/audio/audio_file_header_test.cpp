#include "platform/audio/audio_file_header.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "audio_test_support.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::audio {
namespace {

struct HeaderCase {
  const char* label;
  bool wave;
  SampleEncoding encoding;
  int expectedFormat;  // libsndfile's reading of the file
};

class AudioFileHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

// The header, followed by 1000 samples, is a file an independent reader
// takes for exactly what was meant: container, encoding, rate and length.
TEST_P(AudioFileHeaderTest, IndependentReaderAgrees) {
  const HeaderCase& c = GetParam();
  orvilo::testing::TemporaryFolder folder;
  const std::string path = folder / "tone";
  constexpr int kFrames = 1000;
  const std::uint64_t dataBytes = static_cast<std::uint64_t>(kFrames) * BytesPerSample(c.encoding);
  const auto header = c.wave ? MakeWaveHeader(c.encoding, 8000, 1, dataBytes) : MakeAuHeader(c.encoding, 8000, 1, dataBytes);
  ASSERT_FALSE(header.empty());
  ASSERT_LE(header.size(), kMaxAudioHeaderBytes);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(header.data(), 1, header.size(), file);
  const std::vector<std::uint8_t> data(dataBytes, 0x55);
  std::fwrite(data.data(), 1, data.size(), file);
  std::fclose(file);

  const testing::SoundFile read = testing::ReadSoundFile(path);
  ASSERT_TRUE(read.opened) << sf_strerror(nullptr);
  EXPECT_EQ(read.info.format, c.expectedFormat);
  EXPECT_EQ(read.info.samplerate, 8000);
  EXPECT_EQ(read.info.channels, 1);
  EXPECT_EQ(read.info.frames, kFrames);
}

INSTANTIATE_TEST_SUITE_P(
    Containers, AudioFileHeaderTest,
    ::testing::Values(HeaderCase{"WaveLinear16", true, SampleEncoding::kLinear16, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                      HeaderCase{"WaveLinear8", true, SampleEncoding::kLinear8, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
                      HeaderCase{"WaveMuLaw", true, SampleEncoding::kMuLaw, SF_FORMAT_WAV | SF_FORMAT_ULAW},
                      HeaderCase{"WaveALaw", true, SampleEncoding::kALaw, SF_FORMAT_WAV | SF_FORMAT_ALAW},
                      HeaderCase{"AuLinear16", false, SampleEncoding::kLinear16, SF_FORMAT_AU | SF_FORMAT_PCM_16},
                      HeaderCase{"AuLinear8", false, SampleEncoding::kLinear8, SF_FORMAT_AU | SF_FORMAT_PCM_S8},
                      HeaderCase{"AuMuLaw", false, SampleEncoding::kMuLaw, SF_FORMAT_AU | SF_FORMAT_ULAW},
                      HeaderCase{"AuALaw", false, SampleEncoding::kALaw, SF_FORMAT_AU | SF_FORMAT_ALAW}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AudioFileHeaderTest, RefusesImpossibleFormatsAndClampsHugeLengths) {
  EXPECT_TRUE(MakeWaveHeader(SampleEncoding::kLinear16, 0, 1, 0).empty());
  EXPECT_TRUE(MakeAuHeader(SampleEncoding::kLinear16, 8000, 0, 0).empty());
  const auto header = MakeWaveHeader(SampleEncoding::kLinear16, 8000, 1, 1ull << 40);
  ASSERT_EQ(header.size(), 44u);
  EXPECT_EQ(header[40], 0xFF);  // data length: the largest the field holds
  EXPECT_EQ(header[43], 0xFF);
}

}  // namespace
}  // namespace orvilo::audio
