#include "speechutil/speech_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/sys/file_io.h"
#include "speech_test_support.h"
#include "speechutil/unicode_text_file.h"
#include "tests/platform/sys/child_process.h"

namespace orvilo::speechutil::testing {
namespace {

using orvilo::testing::RunInChild;
using orvilo::testing::Restriction;
using orvilo::testing::TemporaryFolder;

std::string RunCommand(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);
  }
  return output;
}

// The samples sox counts in a file (the "= N samples" of --info).
long SoxSamples(const std::string& info) {
  const std::size_t equals = info.find(" = ", info.find("Duration"));
  return equals == std::string::npos ? -1 : std::atol(info.c_str() + equals + 3);
}

std::vector<std::int16_t> DecodeWithSox(const std::string& flags, const std::string& path, TemporaryFolder& scratch) {
  const std::string decoded = scratch / "decoded.raw";
  RunCommand("sox " + flags + " " + path + " -t raw -e signed -b 16 -L " + decoded);
  const std::string bytes = sys::ReadFileBytes(decoded, 64 << 20).bytes;
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// The synthesiser varies its voice slightly from run to run (flutter), so
// two exports of one text are compared by their loudness over time: the
// correlation of their 20 ms RMS envelopes, near 1 for the same speech and
// near 0 for noise (a wrong byte or nibble order).
double EnvelopeCorrelation(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b, int rate) {
  const std::size_t window = static_cast<std::size_t>(rate / 50);
  const std::size_t count = std::min(a.size(), b.size()) / window;
  if (count < 2) return 0;
  const auto envelope = [&](const std::vector<std::int16_t>& s) {
    std::vector<double> out(count);
    for (std::size_t w = 0; w < count; ++w) {
      double sum = 0;
      for (std::size_t i = w * window; i < (w + 1) * window; ++i) sum += static_cast<double>(s[i]) * s[i];
      out[w] = std::sqrt(sum / static_cast<double>(window));
    }
    return out;
  };
  const auto x = envelope(a);
  const auto y = envelope(b);
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < count; ++i) mx += x[i], my += y[i];
  mx /= static_cast<double>(count);
  my /= static_cast<double>(count);
  double sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < count; ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(std::max(sxx * syy, 1e-9));
}

const std::u16string kKorean = u"교사는 언제든지 읽기를 멈출 수 있습니다.";
const std::u16string kEnglish = u"The teacher can stop the reading at any time.";

class ExportTestBase : public EngineTest {
 protected:
  ExportRequest Request(int language, const std::u16string& text, int formatIndex) {
    const ExportFormat& format = ExportFormatAt(formatIndex);
    ExportRequest request;
    request.job = MakeJob(language, text, format.rate);
    request.container = format.container;
    request.encoding = format.encoding;
    return request;
  }
  TemporaryFolder folder;
  LogRecorder log;
};

// How sox reads each format: the flags a headerless file needs, and the
// encoding and precision --info names.
struct SoxView {
  const char* flags;
  const char* encoding;
};

SoxView SoxViewOf(const ExportFormat& format) {
  const bool raw = format.container == Container::Raw;
  switch (format.encoding) {
    case ExportEncoding::Linear16:
      return {raw ? "-t raw -e signed -b 16 -L -c 1" : "", "16-bit Signed Integer PCM"};
    case ExportEncoding::Linear8:
      return format.container == Container::Au ? SoxView{"", "8-bit Signed Integer PCM"}
                                               : SoxView{raw ? "-t raw -e unsigned -b 8 -c 1" : "",
                                                         "8-bit Unsigned Integer PCM"};
    case ExportEncoding::MuLaw: return {raw ? "-t raw -e mu-law -b 8 -c 1" : "", "8-bit u-law"};
    case ExportEncoding::ALaw: return {raw ? "-t raw -e a-law -b 8 -c 1" : "", "8-bit A-law"};
    case ExportEncoding::Vox: return {"-t vox -c 1", "4-bit OKI ADPCM"};
    case ExportEncoding::Adpcm: return {"-t ima -c 1", "4-bit IMA ADPCM"};
  }
  return {"", ""};
}

// What sox tells of a file it reads (its "Input File" block), headerless
// files read with the format's flags.
std::string SoxInput(const SoxView& view, const ExportFormat& format, const std::string& path) {
  const std::string flags = format.container == Container::Raw
                                ? std::string(view.flags) + " -r " + std::to_string(format.rate) + " "
                                : std::string();
  const std::string output = RunCommand("sox -V3 " + flags + path + " -n");
  return output.substr(0, output.find("Output File"));
}

class ExportFormatTest : public ExportTestBase, public ::testing::WithParamInterface<int> {};

// Every format from a Korean and an English text: sox reads the rate, the
// encoding, one channel and the length of the synthesis; a name typed
// without extension gets the format's.
TEST_P(ExportFormatTest, SoxReadsWhatWasExported) {
  const int index = GetParam();
  const ExportFormat& format = ExportFormatAt(index);
  const SoxView view = SoxViewOf(format);
  for (const auto& [language, text] : {std::pair{0, kKorean}, std::pair{1, kEnglish}}) {
    SCOPED_TRACE(language);
    const ExportRequest request = Request(language, text, index);
    const std::string path = WithDefaultExtension(folder / ("speech" + std::to_string(language)),
                                                  std::string(format.extension));
    ASSERT_EQ(ExportSpeech(request, path, log.Reports()), ExportResult::Done);
    EXPECT_TRUE(path.ends_with("." + std::string(format.extension)));

    const std::string info = SoxInput(view, format, path);
    EXPECT_NE(info.find("Channels       : 1"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Rate    : " + std::to_string(format.rate)), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Encoding: " + std::string(view.encoding)), std::string::npos) << info;
    const auto spoken = sonara::testing::SynthesizeText(language, request.job.text, false,
                                                        request.job.markup.c_str());
    const double expected = static_cast<double>(spoken.samples.size()) / 16000.0;
    const double seconds = static_cast<double>(SoxSamples(info)) / format.rate;
    EXPECT_NEAR(seconds, expected, 0.1 * expected) << info;
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ExportFormatTest, ::testing::Range(1, 29), [](const auto& info) {
  std::string label(ExportFormatAt(info.param).label);
  std::string name = "Format" + std::to_string(info.param) + "_";
  for (const char c : label) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return name;
});

class ExportContentTest : public ExportTestBase {
 protected:
  std::vector<std::int16_t> Linear16(int rate) {
    const std::string path = folder / ("linear" + std::to_string(rate) + ".pcm");
    EXPECT_EQ(ExportSpeech(Request(0, kKorean, rate == 8000 ? 1 : 15), path, log.Reports()), ExportResult::Done);
    const std::string bytes = sys::ReadFileBytes(path, 64 << 20).bytes;
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }
};

// AU holds 16-bit samples big-endian, WAVE little-endian: both read back as
// the samples of the raw export; the header carries the data length.
TEST_F(ExportContentTest, AuIsBigEndianAndWaveLittleEndian) {
  const auto linear = Linear16(8000);
  ASSERT_GT(linear.size(), 8000u);
  for (const int index : {5, 9}) {
    const std::string path = folder / ("speech." + std::string(ExportFormatAt(index).extension));
    ASSERT_EQ(ExportSpeech(Request(0, kKorean, index), path, log.Reports()), ExportResult::Done);
    const auto file = audio::testing::ReadSoundFile(path);
    ASSERT_TRUE(file.opened) << index;
    EXPECT_EQ(file.samples.size(), linear.size()) << index;
    EXPECT_GT(EnvelopeCorrelation(linear, std::vector<std::int16_t>(file.samples.begin(), file.samples.end()), 8000),
              0.9)
        << index;
    const std::string info = SoxInput({"", ""}, ExportFormatAt(index), path);
    EXPECT_NE(info.find(index == 9 ? "Endian Type    : big" : "Endian Type    : little"), std::string::npos) << info;
  }
  const std::string au = sys::ReadFileBytes(folder / "speech.au", 64 << 20).bytes;
  ASSERT_GE(au.size(), 24u);
  EXPECT_EQ(au.substr(0, 4), ".snd");
  const auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(au[at]) << 24 |
                                      static_cast<unsigned char>(au[at + 1]) << 16 |
                                      static_cast<unsigned char>(au[at + 2]) << 8 | static_cast<unsigned char>(au[at + 3]));
  };
  EXPECT_EQ(u32(8), linear.size() * 2);  // data length rewritten after the synthesis
  EXPECT_EQ(u32(12), 3u);                // 16-bit linear
  EXPECT_EQ(au.size(), u32(4) + u32(8));
}

// VOX and IMA ADPCM, decoded by sox with their flags, are the same speech.
TEST_F(ExportContentTest, SoxDecodesVoxAndAdpcmBackToTheSpeech) {
  for (const int rate : {8000, 16000}) {
    const auto linear = Linear16(rate);
    for (const auto& [index, flags] : {std::pair{13, "-t vox"}, std::pair{14, "-t ima"}}) {
      const int formatIndex = rate == 8000 ? index : index + 14;
      const std::string path = folder / ("speech" + std::to_string(formatIndex));
      ASSERT_EQ(ExportSpeech(Request(0, kKorean, formatIndex), path, log.Reports()), ExportResult::Done);
      const auto decoded =
          DecodeWithSox(std::string(flags) + " -r " + std::to_string(rate) + " -c 1", path, folder);
      EXPECT_NEAR(static_cast<double>(decoded.size()), static_cast<double>(linear.size()), 2.0) << formatIndex;
      EXPECT_GT(EnvelopeCorrelation(linear, decoded, rate), 0.9) << formatIndex;
    }
  }
}

bool FolderHoldsOnly(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) found.push_back(entry.path().filename());
  std::sort(found.begin(), found.end());
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end());
  return found == expected;
}

TEST_F(ExportContentTest, ProgressGrowsAndCancelLeavesNothingBehind) {
  std::u16string text;
  for (int i = 0; i < 30; ++i) text += u"The class reads one more sentence together. ";
  std::atomic<bool> cancel{false};
  std::vector<double> progress;
  ExportRequest request = Request(1, text, 19);
  request.cancel = &cancel;
  request.progress = [&](double share) {
    progress.push_back(share);
    if (share > 0.3) cancel = true;
  };
  std::ofstream(folder / "speech.wav") << "an older file";
  EXPECT_EQ(ExportSpeech(request, folder / "speech.wav", log.Reports()), ExportResult::Cancelled);
  ASSERT_GE(progress.size(), 2u);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_LT(progress.back(), 0.5);
  EXPECT_TRUE(FolderHoldsOnly(folder.path(), {"speech.wav"}));
  EXPECT_EQ(sys::ReadFileBytes(folder / "speech.wav", 100).bytes, "an older file");

  // Not cancelled, the same export reaches the end.
  cancel = false;
  progress.clear();
  request.progress = [&](double share) { progress.push_back(share); };
  EXPECT_EQ(ExportSpeech(request, folder / "speech.wav", log.Reports()), ExportResult::Done);
  ASSERT_FALSE(progress.empty());
  EXPECT_GT(progress.back(), 0.9);
  EXPECT_TRUE(FolderHoldsOnly(folder.path(), {"speech.wav"}));
}

TEST_F(ExportContentTest, AReadOnlyFolderOrAFullDiskLeaveNoFile) {
  const std::string locked = folder / "locked";
  std::filesystem::create_directory(locked);
  chmod(locked.c_str(), 0555);
  const ExportRequest request = Request(1, kEnglish, 5);
  EXPECT_EQ(RunInChild(Restriction::Unprivileged,
                       [&] { return static_cast<int>(ExportSpeech(request, locked + "/speech.wav", {})); }),
            static_cast<int>(ExportResult::CannotCreate));
  EXPECT_TRUE(FolderHoldsOnly(locked, {}));

  std::ofstream(folder / "speech.wav") << "an older file";
  EXPECT_EQ(RunInChild(Restriction::DiskFull,
                       [&] { return static_cast<int>(ExportSpeech(request, folder / "speech.wav", {})); }),
            static_cast<int>(ExportResult::WriteFailed));
  EXPECT_TRUE(FolderHoldsOnly(folder.path(), {"locked", "speech.wav"}));
  EXPECT_EQ(sys::ReadFileBytes(folder / "speech.wav", 100).bytes, "an older file");
}

TEST_F(ExportContentTest, SpeechTooLongForTheHeaderLeavesNoFile) {
  ExportRequest request = Request(1, kEnglish, 19);
  request.headerDataLimit = 20000;  // well under the speech (0.6 s of 16-bit audio)
  EXPECT_EQ(ExportSpeech(request, folder / "speech.wav", log.Reports()), ExportResult::TooLong);
  EXPECT_TRUE(FolderHoldsOnly(folder.path(), {}));
  // Raw files count nothing and take any length.
  request = Request(1, kEnglish, 15);
  request.headerDataLimit = 20000;
  EXPECT_EQ(ExportSpeech(request, folder / "speech.pcm", log.Reports()), ExportResult::Done);
}

TEST_F(ExportContentTest, AnEngineThatCannotStartWritesNothingAndLogs) {
  ExportRequest request = Request(1, kEnglish, 5);
  request.job.speaker = 7;
  EXPECT_EQ(ExportSpeech(request, folder / "speech.wav", log.Reports()), ExportResult::EngineFailed);
  EXPECT_TRUE(FolderHoldsOnly(folder.path(), {}));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "STTS_CreateThread Err(" + std::to_string(STTS_ERR_SPEAKER) + ")");
}

}  // namespace
}  // namespace orvilo::speechutil::testing
