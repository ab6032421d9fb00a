// Speech engine timings: how soon the first audio block of a short
// sentence arrives, how soon STTS_PlayTTS hands its first sound to the
// output, and how fast a paragraph is synthesised compared with the
// espeak-ng command on the same text, voice and speaking rate.
//
// Usage: speech_bench <program folder with Sonara_M_DB>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "engines/sonara/sonara_m.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Largest(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

struct Timing {
  Clock::time_point start;
  Clock::time_point firstBlock;
  bool haveFirst = false;
  long samples = 0;
};

int OnBlock(void* data, PcmChunk* chunk) {
  auto* timing = static_cast<Timing*>(data);
  if (!timing->haveFirst) {
    timing->firstBlock = Clock::now();
    timing->haveFirst = true;
  }
  timing->samples += chunk->byteCount / 2;
  return 0;
}

// One synthesis on a handle as the speech editor makes it (highlighting on,
// one-second blocks): milliseconds to the first block and in all.
// The shipped databases number their speakers by language (Korean 0, English 1).
constexpr int ShippedSpeaker(int language) { return language; }

std::pair<double, double> TimeSynthesis(int language, const std::string& text, long* samples = nullptr) {
  Timing timing;
  STTS_HANDLE handle = STTS_CreateThread(&timing, OnBlock, language, ShippedSpeaker(language));
  if (handle == nullptr) return {-1, -1};
  STTS_SetHighLight(handle, 1);
  timing.start = Clock::now();
  STTS_TextToPcmBuf(handle, text.c_str(), STTS_MODE_SYNCHRONOUS, 32000);
  const auto end = Clock::now();
  STTS_DeleteThread(handle);
  if (samples != nullptr) *samples = timing.samples;
  return {Milliseconds(timing.firstBlock - timing.start), Milliseconds(end - timing.start)};
}

// STTS_PlayTTS until the engine reports STARTED (its first sound went to the output).
struct StartWindow {
  std::mutex mutex;
  std::condition_variable started;
  Clock::time_point when;
  bool seen = false;
  vx_window_handle handle{1, &StartWindow::Post, this};

  static int Post(vx_hwnd window, std::uint32_t, std::uintptr_t status, std::intptr_t) {
    auto* self = static_cast<StartWindow*>(window->owner);
    if (status == STTS_STATUS_STARTED) {
      std::lock_guard lock(self->mutex);
      self->when = Clock::now();
      self->seen = true;
      self->started.notify_all();
    }
    return 1;
  }
};

double TimePlayStart(int language, const std::string& text) {
  StartWindow window;
  const auto start = Clock::now();
  if (STTS_PlayTTS(&window.handle, 1433, text.c_str(), nullptr, language, ShippedSpeaker(language)) != STTS_DONE) return -1;
  std::unique_lock lock(window.mutex);
  window.started.wait_for(lock, std::chrono::seconds(5), [&] { return window.seen; });
  lock.unlock();
  STTS_StopTTS();
  return Milliseconds(window.when - start);
}

// The espeak-ng command on the same text, writing its WAVE to /dev/null.
double TimeEspeakCommand(const std::string& voice, int wordsPerMinute, const std::string& text) {
  const std::string rate = std::to_string(wordsPerMinute);
  std::vector<const char*> argv = {"espeak-ng", "-v", voice.c_str(), "-s", rate.c_str(), "-w", "/dev/null",
                                   text.c_str(), nullptr};
  const auto start = Clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, "espeak-ng", nullptr, nullptr, const_cast<char* const*>(argv.data()), environ) != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Milliseconds(Clock::now() - start) : -1;
}

const std::string kKoreanSentence = "오늘은 날씨가 좋습니다.";
const std::string kEnglishSentence = "The teacher reads the page aloud.";
const std::string kKoreanParagraph =
    "카메라는 교실 화면에 페이지를 보여 줍니다. 교사가 영역을 표시하면 프로그램이 글을 한 문장씩 소리 내어 읽고, "
    "지금 읽는 문장을 강조하여 보여 줍니다. 학생들은 읽는 대로 낱말을 따라가고, 교사는 언제든지 읽기를 멈추거나 "
    "다시 들을 수 있습니다. 긴 글도 같은 방법으로 한 문장씩 끝까지 읽습니다.";
const std::string kEnglishParagraph =
    "The camera shows the page on the classroom display. The teacher marks a region, and the program reads the "
    "text aloud, sentence by sentence, while the current sentence is highlighted. Students follow the words as they "
    "are spoken, and the teacher can pause, stop or repeat the reading at any time. Longer passages are read in the "
    "same way, one sentence after another, until the end of the page is reached.";

constexpr int kRepeats = 15;

struct GoalCheck {
  bool met = true;
  void Check(bool ok) { met = met && ok; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
    return 2;
  }
  const std::string root = std::string(argv[1]) + "/Sonara_M_DB/";
  if (STTS_Initialize() != STTS_OK || STTS_LoadEngine(0, (root + "KO_KR/").c_str(), 0) != STTS_OK ||
      STTS_LoadEngine(1, (root + "EN_US/").c_str(), 0) != STTS_OK) {
    std::fprintf(stderr, "speech_bench: the engine did not start with %s\n", root.c_str());
    return 2;
  }
  GoalCheck goals;

  std::printf("time to first audio block (STTS_TextToPcmBuf, highlighting, 1 s blocks), %d runs:\n", kRepeats);
  for (const auto& [name, language, text] :
       {std::tuple{"Korean", 0, kKoreanSentence}, std::tuple{"English", 1, kEnglishSentence}}) {
    std::vector<double> first;
    for (int i = 0; i < kRepeats; ++i) first.push_back(TimeSynthesis(language, text).first);
    std::printf("  %-8s same voice    median %6.2f ms  worst %6.2f ms\n", name, Median(first), Largest(first));
    goals.Check(Largest(first) < 150);
  }
  std::vector<double> switching;
  for (int i = 0; i < kRepeats; ++i) {
    switching.push_back(TimeSynthesis(i % 2, i % 2 ? kEnglishSentence : kKoreanSentence).first);
  }
  std::printf("  alternating languages  median %6.2f ms  worst %6.2f ms\n", Median(switching), Largest(switching));
  goals.Check(Largest(switching) < 150);

  std::printf("time to first sound on the output (STTS_PlayTTS to STARTED, null device), %d runs:\n", kRepeats);
  for (const auto& [name, language, text] :
       {std::tuple{"Korean", 0, kKoreanSentence}, std::tuple{"English", 1, kEnglishSentence}}) {
    std::vector<double> start;
    for (int i = 0; i < kRepeats; ++i) start.push_back(TimePlayStart(language, text));
    std::printf("  %-8s median %6.2f ms  worst %6.2f ms  (+ one 10 ms device period on ALSA)\n", name, Median(start),
                Largest(start));
    goals.Check(Largest(start) + 10 < 150);
  }

  std::printf("paragraph synthesis, median of %d (espeak-ng command: same voice and rate, WAVE to /dev/null):\n",
              kRepeats);
  // Voice, variant and rate as in the shipped speakers' config files.
  for (const auto& [name, language, voice, rate, text] :
       {std::tuple{"Korean", 0, "ko+f3", 165, kKoreanParagraph}, std::tuple{"English", 1, "en-us+f3", 165, kEnglishParagraph}}) {
    std::vector<double> engine;
    std::vector<double> command;
    long samples = 0;
    for (int i = 0; i < kRepeats; ++i) {
      engine.push_back(TimeSynthesis(language, text, &samples).second);
      command.push_back(TimeEspeakCommand(voice, rate, text));
    }
    std::vector<double> startup;
    for (int i = 0; i < kRepeats; ++i) startup.push_back(TimeEspeakCommand(voice, rate, "."));
    const double audioSeconds = samples / 16000.0;
    const double ours = Median(engine);
    const double reference = Median(command);
    std::printf("  %-8s %5.1f s of speech: engine %6.2f ms (%5.0fx real time)  espeak-ng %6.2f ms  ratio %.2f\n", name,
                audioSeconds, ours, audioSeconds * 1000 / ours, reference, ours / reference);
    std::printf("  %-8s (espeak-ng start-up alone, text \".\": %.2f ms; engine / (espeak-ng - start-up) = %.2f)\n", "",
                Median(startup), ours / (reference - Median(startup)));
    goals.Check(audioSeconds * 1000 / ours >= 10 && reference > 0 && ours / reference <= 1.1);
  }
  STTS_UnInitialize();
  std::printf("goals (first audio < 150 ms, >= 10x real time, <= 1.1x espeak-ng): %s\n", goals.met ? "met" : "MISSED");
  return goals.met ? 0 : 1;
}
