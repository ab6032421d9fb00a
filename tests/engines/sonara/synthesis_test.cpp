// Synthesis to PCM through handles: lengths, blocks, highlight positions,
// dictionaries, stopping and bad input, through the C header.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/text/code_page.h"
#include "sonara_test_support.h"

namespace orvilo::sonara::testing {
namespace {

using namespace std::chrono_literals;

const std::string kData = ORVILO_TEST_DATA_DIR;

// The blank-separated words of a text without the punctuation around them.
std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    while (!word.empty() && std::string(".,!?").find(word.back()) != std::string::npos) word.pop_back();
    words.push_back(word);
  }
  return words;
}

struct LengthCase {
  int language;
  const char* sentence;
  int words;
};

class SpeechLengthTest : public EngineTest, public ::testing::WithParamInterface<LengthCase> {};

// The sound is as long as the text needs: a plausible time per word, and
// twice the text takes about twice as long.
TEST_P(SpeechLengthTest, FitsTheText) {
  const LengthCase& c = GetParam();
  const Capture once = SynthesizeText(c.language, c.sentence);
  const Capture twice = SynthesizeText(c.language, std::string(c.sentence) + " " + c.sentence);
  const double seconds = Seconds(once.samples);
  EXPECT_GT(seconds, 0.15 * c.words);
  EXPECT_LT(seconds, 1.2 * c.words + 0.8);
  EXPECT_NEAR(Seconds(twice.samples) / seconds, 2.0, 0.3);
  for (const std::int32_t bytes : once.blockBytes) {
    EXPECT_GT(bytes, 0);
    EXPECT_LE(bytes, 32000);
    EXPECT_EQ(bytes % 2, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, SpeechLengthTest,
                         ::testing::Values(LengthCase{0, "오늘은 날씨가 정말 좋습니다.", 4},
                                           LengthCase{1, "The teacher reads the page aloud.", 6},
                                           LengthCase{2, "我们今天学习中文。", 5},
                                           LengthCase{3, "きょうは いい てんきです。", 3}));

struct HighlightCase {
  const char* label;
  int language;
  std::string text;  // in the caller's encoding
  std::vector<std::string> words;  // in the same encoding
};

class HighlightTest : public EngineTest, public ::testing::WithParamInterface<HighlightCase> {};

// Every word is marked once, in order, with the bytes it has in the
// caller's own text, and its block starts where its sound starts.
TEST_P(HighlightTest, MarksIndexTheCallersText) {
  const HighlightCase& c = GetParam();
  const Capture capture = SynthesizeText(c.language, c.text);
  std::vector<std::string> marked;
  std::size_t lastSample = 0;
  for (const Capture::Mark& mark : capture.marks) {
    ASSERT_GE(mark.firstByte, 0);
    ASSERT_LE(mark.firstByte, mark.lastByte);
    ASSERT_LT(mark.lastByte, static_cast<std::int32_t>(c.text.size()));
    marked.push_back(c.text.substr(mark.firstByte, mark.lastByte - mark.firstByte + 1));
    EXPECT_GE(mark.atSample, lastSample);
    lastSample = mark.atSample;
  }
  EXPECT_EQ(marked, c.words);
  ASSERT_FALSE(capture.marks.empty());
  EXPECT_EQ(capture.marks.front().atSample, 0u);
  EXPECT_EQ(capture.marks.back().wordIndex, static_cast<int>(c.words.size()) - 1);
}

const std::string kKorean = "학생들은 읽는 대로 낱말을 따라갑니다.";
const std::string kKoreanCp949 = text::ConvertCodePage(kKorean, text::CodePage::Utf8, text::CodePage::Cp949).bytes;

INSTANTIATE_TEST_SUITE_P(
    Texts, HighlightTest,
    ::testing::Values(
        HighlightCase{"English", 1, "Students follow the words, one by one.", WordsOf("Students follow the words one by one")},
        HighlightCase{"KoreanUtf8", 0, kKorean, WordsOf(kKorean)},
        HighlightCase{"KoreanCp949", 0, kKoreanCp949, WordsOf(kKoreanCp949)},
        HighlightCase{"MixedKoreanEnglish", 0, "이것은 OCR 결과입니다", WordsOf("이것은 OCR 결과입니다")}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(EngineTest, BrokenBytesAreSkippedAndPositionsStayInTheText) {
  const std::string text = "hello \xFF\xFE world \xC0 again";
  const Capture capture = SynthesizeText(1, text);
  std::vector<std::string> marked;
  for (const auto& mark : capture.marks) marked.push_back(text.substr(mark.firstByte, mark.lastByte - mark.firstByte + 1));
  EXPECT_EQ(marked, (std::vector<std::string>{"hello", "world", "again"}));

  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(1 + (i * 37) % 255);
  const Capture noise = SynthesizeText(0, binary);
  for (const auto& mark : noise.marks) EXPECT_LT(mark.lastByte, static_cast<std::int32_t>(binary.size()));
}

TEST_F(EngineTest, DictionaryWordsAreSpokenAsWrittenThereAndStillMarked) {
  const std::string text = "Open the SQL window.";
  const Capture plain = SynthesizeText(1, text);
  Capture capture;
  capture.handle = STTS_CreateThread(&capture, &Capture::Receive, 1, ShippedSpeaker(1));
  ASSERT_NE(capture.handle, nullptr);
  TemporaryFolder scratch;
  const std::string path = scratch / "english.dic";
  std::ofstream(path) << "SQL structured query language\n";
  int entries = -1;
  int rejected = -1;
  ASSERT_EQ(STTS_LoadUserDict(capture.handle, path.c_str(), &entries, &rejected), STTS_OK);
  EXPECT_EQ(entries, 1);
  EXPECT_EQ(rejected, 0);
  STTS_SetHighLight(capture.handle, 1);
  ASSERT_EQ(STTS_TextToPcmBuf(capture.handle, text.c_str(), STTS_MODE_SYNCHRONOUS, 32000), STTS_DONE);
  EXPECT_GT(Seconds(capture.samples), Seconds(plain.samples) + 0.4);  // three words instead of three letters
  int sqlMarks = 0;
  for (const auto& mark : capture.marks) sqlMarks += (mark.firstByte == 9 && mark.lastByte == 11) ? 1 : 0;
  EXPECT_EQ(sqlMarks, 1);  // the three words said for it mark "SQL" once

  const std::size_t before = capture.samples.size();
  ASSERT_EQ(STTS_UnLoadUserDict(capture.handle), STTS_OK);
  ASSERT_EQ(STTS_TextToPcmBuf(capture.handle, text.c_str(), STTS_MODE_SYNCHRONOUS, 32000), STTS_DONE);
  EXPECT_NEAR(Seconds(std::vector<std::int16_t>(capture.samples.begin() + before, capture.samples.end())),
              Seconds(plain.samples), 0.05);

  EXPECT_EQ(STTS_LoadUserDict(capture.handle, (kData + "/not_text.dic").c_str(), &entries, nullptr),
            STTS_ERR_DICTIONARY);
  EXPECT_EQ(STTS_LoadUserDict(capture.handle, (kData + "/none.dic").c_str(), nullptr, nullptr), STTS_ERR_DICTIONARY);
  EXPECT_EQ(STTS_LoadUserDict(capture.handle, nullptr, nullptr, nullptr), STTS_ERR_ARGUMENT);
  STTS_DeleteThread(capture.handle);
}

TEST_F(EngineTest, SpeedMarkupChangesTheLength) {
  const std::string text = "Reading a page aloud, sentence by sentence.";
  const double slow = Seconds(SynthesizeText(1, text, false, "<speed=\"50\">").samples);
  const double normal = Seconds(SynthesizeText(1, text, false, "<speed=\"100\"> </speed>").samples);
  const double fast = Seconds(SynthesizeText(1, text, false, "<speed=\"200\"><volume=\"100\"><pitch=\"100\">").samples);
  EXPECT_GT(slow, normal * 1.5);
  EXPECT_LT(fast, normal * 0.7);
}

TEST_F(EngineTest, EightKilohertzSpeakersDeliverHalfTheSamples) {
  TemporaryFolder scratch;
  const std::string folder = scratch / "narrow";
  std::filesystem::create_directories(folder + "/config");
  std::ofstream(folder + "/config/config.1") << "NAME Wenda\nVOICE en-us\nVARIANT f3\nWORDS_PER_MINUTE 165\nSAMPLE_RATE 8000\n";
  const std::string text = "Half the samples, the same time.";
  const Capture wide = SynthesizeText(1, text, false);
  ASSERT_EQ(STTS_LoadEngine(1, (folder + "/").c_str(), 0), STTS_OK);
  const Capture narrow = SynthesizeText(1, text, false);
  EXPECT_NEAR(static_cast<double>(narrow.samples.size()) / wide.samples.size(), 0.5, 0.02);
}

TEST_F(EngineTest, StopEndsASynthesisAtOnce) {
  std::string megabyte;
  while (megabyte.size() < (1 << 20)) megabyte += "The camera shows the page on the classroom display. ";
  struct Case {
    const char* label;
    int stopAfter;
    int refuseAfter;
  } cases[] = {{"stop from the callback", 3, -1}, {"callback refuses", -1, 3}};
  for (const Case& c : cases) {
    Capture capture;
    capture.stopAfterBlocks = c.stopAfter;
    capture.refuseAfterBlocks = c.refuseAfter;
    capture.handle = STTS_CreateThread(&capture, &Capture::Receive, 1, ShippedSpeaker(1));
    ASSERT_NE(capture.handle, nullptr);
    EXPECT_EQ(STTS_TextToPcmBuf(capture.handle, megabyte.c_str(), STTS_MODE_SYNCHRONOUS, 3200), STTS_DONE) << c.label;
    EXPECT_EQ(capture.blockBytes.size(), 3u) << c.label;
    // The handle is ready for the next text.
    EXPECT_EQ(STTS_TextToPcmBuf(capture.handle, "Again.", STTS_MODE_SYNCHRONOUS, 3200), STTS_DONE);
    EXPECT_GT(capture.blockBytes.size(), 3u);
    STTS_DeleteThread(capture.handle);
  }
}

TEST_F(EngineTest, StopFromAnotherThreadAndStopBeforeStart) {
  Capture capture;
  capture.handle = STTS_CreateThread(&capture, &Capture::Receive, 0, 0);
  ASSERT_NE(capture.handle, nullptr);
  // A stop that comes before the synthesis starts ends it before any block.
  ASSERT_EQ(STTS_StopTextToSpeech(capture.handle), STTS_OK);
  EXPECT_EQ(STTS_TextToPcmBuf(capture.handle, "안녕하세요.", STTS_MODE_SYNCHRONOUS, 3200), STTS_DONE);
  EXPECT_TRUE(capture.blockBytes.empty());

  std::string longText;
  for (int i = 0; i < 2000; ++i) longText += "카메라는 교실 화면에 페이지를 보여 줍니다. ";
  std::atomic<bool> running{false};
  std::thread worker([&] {
    running = true;
    EXPECT_EQ(STTS_TextToPcmBuf(capture.handle, longText.c_str(), STTS_MODE_SYNCHRONOUS, 3200), STTS_DONE);
  });
  ASSERT_TRUE(WaitUntil([&] { return running.load(); }));
  std::this_thread::sleep_for(5ms);
  const auto stopped = std::chrono::steady_clock::now();
  // Deleting from another thread stops the synthesis and waits for it.
  EXPECT_EQ(STTS_DeleteThread(capture.handle), STTS_OK);
  EXPECT_LT(std::chrono::steady_clock::now() - stopped, 2s);
  worker.join();
  EXPECT_LT(Seconds(capture.samples), 2000 * 2.0);
}

TEST_F(EngineTest, HandlesRefuseBadCalls) {
  Capture capture;
  EXPECT_EQ(STTS_CreateThread(&capture, &Capture::Receive, 4, 0), nullptr);
  EXPECT_EQ(STTS_GetError(), STTS_ERR_LANGUAGE);
  EXPECT_EQ(STTS_CreateThread(&capture, &Capture::Receive, 0, 3), nullptr);
  EXPECT_EQ(STTS_GetError(), STTS_ERR_SPEAKER);
  EXPECT_EQ(STTS_CreateThread(&capture, nullptr, 0, 0), nullptr);
  EXPECT_EQ(STTS_GetError(), STTS_ERR_ARGUMENT);
  STTS_UnLoadEngine(2);
  EXPECT_EQ(STTS_CreateThread(&capture, &Capture::Receive, 2, 0), nullptr);
  EXPECT_EQ(STTS_GetError(), STTS_ERR_NOT_LOADED);

  STTS_HANDLE handle = STTS_CreateThread(&capture, &Capture::Receive, 1, ShippedSpeaker(1));
  ASSERT_NE(handle, nullptr);
  const std::string tooLong(static_cast<std::size_t>(STTS_MAX_TEXT_BYTES) + 1, 'a');
  struct Case {
    const char* label;
    const char* text;
    int mode;
    int blockBytes;
    int expected;
  } cases[] = {{"empty", "", 1, 3200, STTS_ERR_EMPTY_TEXT},
               {"null", nullptr, 1, 3200, STTS_ERR_EMPTY_TEXT},
               {"too long", tooLong.c_str(), 1, 3200, STTS_ERR_TEXT_TOO_LONG},
               {"asynchronous", "a", 0, 3200, STTS_ERR_ARGUMENT},
               {"no room", "a", 1, 1, STTS_ERR_ARGUMENT},
               {"negative", "a", 1, -100, STTS_ERR_ARGUMENT}};
  for (const Case& c : cases) EXPECT_EQ(STTS_TextToPcmBuf(handle, c.text, c.mode, c.blockBytes), c.expected) << c.label;
  EXPECT_TRUE(capture.blockBytes.empty());
  EXPECT_EQ(STTS_ChangeAttr(handle, "fast please"), STTS_ERR_MARKUP);
  EXPECT_EQ(STTS_SetCharSet(handle, 949), STTS_ERR_UNSUPPORTED);
  EXPECT_EQ(STTS_SetTextFormat(handle, 1), STTS_ERR_UNSUPPORTED);
  EXPECT_EQ(STTS_SetLipSync(handle, 1), STTS_ERR_UNSUPPORTED);
  EXPECT_EQ(STTS_SetLipSync(handle, 0), STTS_OK);

  // A handle keeps its speaker when the language is unloaded afterwards.
  STTS_UnLoadEngine(1);
  EXPECT_EQ(STTS_TextToSpeech(handle, "Still here.", STTS_MODE_SYNCHRONOUS), STTS_DONE);
  EXPECT_FALSE(capture.blockBytes.empty());
  EXPECT_EQ(STTS_DeleteThread(handle), STTS_OK);
  EXPECT_EQ(STTS_DeleteThread(handle), STTS_ERR_HANDLE);
  EXPECT_EQ(STTS_TextToSpeech(handle, "Gone.", STTS_MODE_SYNCHRONOUS), STTS_ERR_HANDLE);
  EXPECT_EQ(STTS_StopTextToSpeech(nullptr), STTS_ERR_HANDLE);
}

TEST_F(EngineTest, AHandleCannotDeleteItselfFromItsCallback) {
  struct SelfDeleting {
    STTS_HANDLE handle = nullptr;
    int result = 0;
    static int Receive(void* data, PcmChunk*) {
      auto* self = static_cast<SelfDeleting*>(data);
      self->result = STTS_DeleteThread(self->handle);
      return 1;
    }
  } self;
  self.handle = STTS_CreateThread(&self, &SelfDeleting::Receive, 1, ShippedSpeaker(1));
  ASSERT_NE(self.handle, nullptr);
  EXPECT_EQ(STTS_TextToSpeech(self.handle, "Hello.", STTS_MODE_SYNCHRONOUS), STTS_DONE);
  EXPECT_EQ(self.result, STTS_ERR_BUSY);
  EXPECT_EQ(STTS_DeleteThread(self.handle), STTS_OK);
}

}  // namespace
}  // namespace orvilo::sonara::testing
