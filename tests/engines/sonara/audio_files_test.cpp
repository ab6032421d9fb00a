// Saving speech: sample-rate conversion, the encoders and the WAVE/AU
// headers, read back by independent decoders (libsndfile and sox).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include "sonara_test_support.h"

namespace orvilo::sonara::testing {
namespace {

std::vector<std::int16_t> Tone(double frequency, int rate, int count) {
  std::vector<std::int16_t> out(count);
  for (int i = 0; i < count; ++i) out[i] = static_cast<std::int16_t>(std::lround(9000 * std::sin(2 * M_PI * frequency * i / rate)));
  return out;
}

double Rms(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

// Signal-to-noise ratio of `decoded` against `original`, in decibels.
double SignalToNoise(const std::vector<std::int16_t>& original, const std::vector<std::int16_t>& decoded) {
  double signal = 0;
  double noise = 0;
  for (std::size_t i = 0; i < std::min(original.size(), decoded.size()); ++i) {
    signal += static_cast<double>(original[i]) * original[i];
    noise += (static_cast<double>(original[i]) - decoded[i]) * (static_cast<double>(original[i]) - decoded[i]);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

std::string RunCommand(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);
  }
  return output;
}

TEST(SampleRateTest, SixteenToEightKilohertzHalvesTheSamples) {
  const auto tone = Tone(1000, 16000, 16000);
  std::vector<std::int16_t> out(32010);
  ASSERT_EQ(STTS_ConvSamplingRate(16000, tone.data(), out.data(), 16000, 8000), 8000);
  out.resize(8000);
  EXPECT_NEAR(Rms(out, 500, 7500) / Rms(tone, 1000, 15000), 1.0, 0.02);  // the tone passes unchanged
  std::vector<std::int16_t> up(16010);
  EXPECT_EQ(STTS_ConvSamplingRate(8000, out.data(), up.data(), 8000, 16000), 16000);
  EXPECT_EQ(STTS_ConvSamplingRate(100, tone.data(), up.data(), 16000, 16000), 100);
  EXPECT_EQ(STTS_ConvSamplingRate(0, tone.data(), up.data(), 16000, 8000), 0);
  EXPECT_EQ(STTS_ConvSamplingRate(100, nullptr, up.data(), 16000, 8000), 0);
  EXPECT_EQ(STTS_ConvSamplingRate(100, tone.data(), up.data(), 16000, 0), 0);
}

TEST(SampleRateTest, BlockByBlockConversionIsOneStream) {
  const auto tone = Tone(440, 16000, 32000);
  STTS_ConvState state{};
  std::vector<std::int16_t> joined;
  std::vector<std::int16_t> block(3210);
  for (int start = 0, index = 0; start < 32000; start += 1600, ++index) {
    const int produced = STTS_ConvSamplingRateBuf(1600, tone.data() + start, block.data(), 16000, 8000, index, &state);
    ASSERT_GE(produced, 0);
    ASSERT_LE(produced, 800 + 4);
    joined.insert(joined.end(), block.begin(), block.begin() + produced);
  }
  EXPECT_NEAR(static_cast<double>(joined.size()), 16000.0, 64.0);
  // No clicks at the block joins: the tone's level is even throughout.
  for (std::size_t at = 1000; at + 400 < joined.size(); at += 800) EXPECT_NEAR(Rms(joined, at - 100, at + 100), 6364, 400) << at;
  STTS_FreeConvState(&state);
  EXPECT_EQ(state.converter, nullptr);

  // Starting afresh at every block (as after each highlight) loses nothing either.
  std::size_t restarted = 0;
  for (int start = 0; start < 32000; start += 1600) {
    const int produced = STTS_ConvSamplingRateBuf(1600, tone.data() + start, block.data(), 16000, 8000, 0, &state);
    ASSERT_LE(produced, 800 + 4);
    restarted += static_cast<std::size_t>(produced);
  }
  EXPECT_NEAR(static_cast<double>(restarted), 16000.0, 64.0);
  STTS_FreeConvState(&state);
  EXPECT_EQ(state.converter, nullptr);
  EXPECT_EQ(STTS_ConvSamplingRateBuf(1600, tone.data(), block.data(), 16000, 8000, 0, nullptr), 0);
}

// Speech to encode: a real sentence from the engine.
class EncodingTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    speech = SynthesizeText(1, "Every encoder is read back by another program.", false).samples;
    ASSERT_GT(speech.size(), 16000u);
    if (speech.size() % 2) speech.pop_back();
  }
  std::vector<std::int16_t> speech;
  TemporaryFolder scratch;
};

struct EncoderCase {
  const char* label;
  int (*encode)(int, const int16_t*, uint8_t*);
  int bytesPer100Samples;
  const char* soxType;  // how sox reads the headerless file
  double minimumSnr;
};

class EncoderTest : public EncodingTest, public ::testing::WithParamInterface<EncoderCase> {};

// Raw encoded speech, decoded by sox, comes back as the same speech.
TEST_P(EncoderTest, SoxDecodesTheSpeech) {
  const EncoderCase& c = GetParam();
  STTS_ResetEnCoding();
  std::vector<std::uint8_t> encoded(speech.size());
  // In blocks, as an export callback receives them: the ADPCM state runs on.
  std::size_t bytes = 0;
  for (std::size_t at = 0; at < speech.size(); at += 3333) {
    const int count = static_cast<int>(std::min<std::size_t>(3333, speech.size() - at));
    bytes += static_cast<std::size_t>(c.encode(count, speech.data() + at, encoded.data() + bytes));
  }
  EXPECT_EQ(bytes, speech.size() * c.bytesPer100Samples / 100);
  const std::string raw = scratch / "speech.raw";
  const std::string decoded = scratch / "decoded.raw";
  std::ofstream(raw, std::ios::binary).write(reinterpret_cast<const char*>(encoded.data()), static_cast<std::streamsize>(bytes));
  const std::string log =
      RunCommand("sox " + std::string(c.soxType) + " -r 16000 -c 1 " + raw + " -t raw -e signed -b 16 -L " + decoded);
  std::ifstream in(decoded, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(data.size(), speech.size() * 2) << log;
  std::vector<std::int16_t> samples(speech.size());
  std::memcpy(samples.data(), data.data(), data.size());
  EXPECT_GE(SignalToNoise(speech, samples), c.minimumSnr);
}

INSTANTIATE_TEST_SUITE_P(
    Encoders, EncoderTest,
    ::testing::Values(EncoderCase{"Linear8Signed", STTS_Linear8EnCoding, 100, "-t raw -e signed -b 8", 25},
                      EncoderCase{"Linear8Unsigned", STTS_Linear8UnsignedEnCoding, 100, "-t raw -e unsigned -b 8", 25},
                      EncoderCase{"MuLaw", STTS_uLawEnCoding, 100, "-t raw -e mu-law -b 8", 30},
                      EncoderCase{"ALaw", STTS_aLawEnCoding, 100, "-t raw -e a-law -b 8", 30},
                      EncoderCase{"VoxAdpcm", STTS_VOXADPCMEnCoding, 50, "-t vox", 15},
                      EncoderCase{"ImaAdpcm", STTS_ADPCMEnCoding, 50, "-t ima", 20}),
    [](const auto& info) { return std::string(info.param.label); });

// The way the speech editor saves a file: a header with length 0, the
// encoded blocks of a synthesis as they come, then the header again with
// the true length.
struct ExportCase {
  const char* label;
  bool wave;
  int encoding;
  int rate;
  const char* soxEncoding;  // "Sample Encoding" of sox --info
  int bytesPerSample;
  int precision;            // bits of precision sox reports
};

class ExportTest : public EngineTest, public ::testing::WithParamInterface<ExportCase> {};

struct Export {
  std::FILE* file;
  ExportCase format;
  std::int64_t dataBytes = 0;

  static int Receive(void* data, PcmChunk* chunk) {
    auto* self = static_cast<Export*>(data);
    const int n = chunk->byteCount / 2;
    std::vector<std::int16_t> samples(2 * static_cast<std::size_t>(n) + 10);
    int count = n;
    if (self->format.rate != 16000) {
      count = STTS_ConvSamplingRate(n, chunk->samples, samples.data(), 16000, self->format.rate);
    } else {
      std::copy_n(chunk->samples, n, samples.data());
    }
    std::vector<std::uint8_t> bytes(2 * static_cast<std::size_t>(count));
    int written = 0;
    switch (self->format.encoding) {
      case STTS_ENCODING_LINEAR8:
        written = self->format.wave ? STTS_Linear8UnsignedEnCoding(count, samples.data(), bytes.data())
                                    : STTS_Linear8EnCoding(count, samples.data(), bytes.data());
        break;
      case STTS_ENCODING_MULAW: written = STTS_uLawEnCoding(count, samples.data(), bytes.data()); break;
      case STTS_ENCODING_ALAW: written = STTS_aLawEnCoding(count, samples.data(), bytes.data()); break;
      default:
        for (int i = 0; i < count; ++i) {
          const auto v = static_cast<std::uint16_t>(samples[i]);
          bytes[2 * i] = static_cast<std::uint8_t>(self->format.wave ? v : v >> 8);
          bytes[2 * i + 1] = static_cast<std::uint8_t>(self->format.wave ? v >> 8 : v);
        }
        written = 2 * count;
    }
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(written), self->file);
    self->dataBytes += written;
    return 0;
  }
};

TEST_P(ExportTest, SoxReadsRateEncodingAndLength) {
  const ExportCase& c = GetParam();
  TemporaryFolder scratch;
  const std::string path = scratch / (c.wave ? "speech.wav" : "speech.au");
  Export job{std::fopen(path.c_str(), "wb"), c};
  ASSERT_NE(job.file, nullptr);
  std::uint8_t header[128] = {};
  const auto writeHeader = [&](int dataBytes) {
    const int length = c.wave ? STTS_MakeWaveHeader(c.encoding, c.rate, dataBytes, header)
                              : STTS_MakeAuHeader(c.encoding, c.rate, dataBytes, header);
    ASSERT_GT(length, 0);
    std::fwrite(header, 1, static_cast<std::size_t>(length), job.file);
  };
  writeHeader(0);
  STTS_HANDLE handle = STTS_CreateThread(&job, &Export::Receive, 0, 0);
  ASSERT_NE(handle, nullptr);
  ASSERT_EQ(STTS_TextToSpeech(handle, "교사는 언제든지 읽기를 멈출 수 있습니다.", STTS_MODE_SYNCHRONOUS), STTS_DONE);
  STTS_DeleteThread(handle);
  std::fseek(job.file, 0, SEEK_SET);
  writeHeader(static_cast<int>(job.dataBytes));
  std::fclose(job.file);

  const std::string info = RunCommand("sox --info " + path);
  EXPECT_NE(info.find("Channels       : 1"), std::string::npos) << info;
  EXPECT_NE(info.find("Sample Rate    : " + std::to_string(c.rate)), std::string::npos) << info;
  EXPECT_NE(info.find("Precision      : " + std::to_string(c.precision) + "-bit"), std::string::npos) << info;
  EXPECT_NE(info.find("Sample Encoding: " + std::string(c.soxEncoding)), std::string::npos) << info;
  EXPECT_NE(info.find(std::to_string(job.dataBytes / c.bytesPerSample) + " samples"), std::string::npos) << info;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ExportTest,
    ::testing::Values(ExportCase{"Wave16k16Bit", true, STTS_ENCODING_LINEAR16, 16000, "16-bit Signed Integer PCM", 2, 16},
                      ExportCase{"Wave8k8Bit", true, STTS_ENCODING_LINEAR8, 8000, "8-bit Unsigned Integer PCM", 1, 8},
                      ExportCase{"Wave8kMuLaw", true, STTS_ENCODING_MULAW, 8000, "8-bit u-law", 1, 14},
                      ExportCase{"Wave16kALaw", true, STTS_ENCODING_ALAW, 16000, "8-bit A-law", 1, 13},
                      ExportCase{"Au16k16Bit", false, STTS_ENCODING_LINEAR16, 16000, "16-bit Signed Integer PCM", 2, 16},
                      ExportCase{"Au8k8Bit", false, STTS_ENCODING_LINEAR8, 8000, "8-bit Signed Integer PCM", 1, 8},
                      ExportCase{"Au8kMuLaw", false, STTS_ENCODING_MULAW, 8000, "8-bit u-law", 1, 14},
                      ExportCase{"Au16kALaw", false, STTS_ENCODING_ALAW, 16000, "8-bit A-law", 1, 13}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AudioHeaderTest, RefusesWhatNoStandardFileHolds) {
  std::uint8_t header[128] = {};
  EXPECT_EQ(STTS_MakeWaveHeader(4, 8000, 0, header), 0);  // ADPCM streams are saved raw
  EXPECT_EQ(STTS_MakeAuHeader(5, 8000, 0, header), 0);
  EXPECT_EQ(STTS_MakeWaveHeader(STTS_ENCODING_LINEAR16, 0, 0, header), 0);
  EXPECT_EQ(STTS_MakeWaveHeader(STTS_ENCODING_LINEAR16, 8000, -1, header), 0);
  EXPECT_EQ(STTS_MakeAuHeader(STTS_ENCODING_LINEAR16, 8000, 0, nullptr), 0);
  EXPECT_EQ(STTS_MakeWaveHeader(STTS_ENCODING_LINEAR16, 16000, 0, header), 44);
  EXPECT_EQ(STTS_MakeWaveHeader(STTS_ENCODING_MULAW, 8000, 0, header), 58);
  EXPECT_EQ(STTS_MakeAuHeader(STTS_ENCODING_MULAW, 8000, 0, header), 24);
}

}  // namespace
}  // namespace orvilo::sonara::testing
