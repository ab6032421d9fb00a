// Helpers of the tests that drive the engine through its C header: the
// started engine with the shipped databases, a recording window handle and
// a recording synthesis callback.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engines/sonara/sonara_m.h"
#include "tests/platform/audio/audio_test_support.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::sonara::testing {

using audio::testing::ReadSoundFile;
using audio::testing::ScopedEnvironment;
using orvilo::testing::TemporaryFolder;
using audio::testing::WaitUntil;

inline std::string DatabaseFolder(const char* language) {
  return std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB/" + language + "/";
}

// Every test starts with a started engine and the four shipped databases.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(STTS_Initialize(), STTS_OK);
    const char* folders[] = {"KO_KR", "EN_US", "ZH_CN", "JA_JP"};
    for (int language = 0; language < 4; ++language) {
      ASSERT_EQ(STTS_LoadEngine(language, DatabaseFolder(folders[language]).c_str(), 0), STTS_OK);
    }
  }
  void TearDown() override { STTS_UnInitialize(); }
};

// A window whose post records what the engine tells it.
class RecordingWindow {
 public:
  struct Posted {
    std::uint32_t message;
    std::uintptr_t status;
    std::chrono::steady_clock::time_point when;
  };

  RecordingWindow() : handle_{7, &RecordingWindow::Post, this} {}
  vx_hwnd Handle() { return &handle_; }

  std::vector<std::uintptr_t> Statuses() {
    std::lock_guard lock(mutex_);
    std::vector<std::uintptr_t> out;
    for (const Posted& p : posted_) out.push_back(p.status);
    return out;
  }
  std::vector<Posted> All() {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  // Waits until `status` has been posted `count` times.
  bool WaitFor(std::uintptr_t status, int count = 1, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] {
      int seen = 0;
      for (const Posted& p : posted_) seen += p.status == status ? 1 : 0;
      return seen >= count;
    });
  }

 private:
  static int Post(vx_hwnd window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t) {
    auto* self = static_cast<RecordingWindow*>(window->owner);
    {
      std::lock_guard lock(self->mutex_);
      self->posted_.push_back({message, wparam, std::chrono::steady_clock::now()});
    }
    self->changed_.notify_all();
    return 1;
  }

  vx_window_handle handle_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Posted> posted_;
};

// What a synthesis handed to its callback.
struct Capture {
  struct Mark {
    std::int32_t firstByte;
    std::int32_t lastByte;
    std::int32_t wordIndex;
    std::size_t atSample;  // where in `samples` the marked block starts
  };
  std::vector<std::int16_t> samples;
  std::vector<std::int32_t> blockBytes;
  std::vector<Mark> marks;
  int stopAfterBlocks = -1;  // call STTS_StopTextToSpeech after this many blocks
  int refuseAfterBlocks = -1;  // return non-zero after this many blocks
  STTS_HANDLE handle = nullptr;

  static int Receive(void* userData, PcmChunk* chunk) {
    auto* self = static_cast<Capture*>(userData);
    self->blockBytes.push_back(chunk->byteCount);
    if (chunk->marker == 1 && chunk->highlight != nullptr) {
      self->marks.push_back({chunk->highlight->textRange[0], chunk->highlight->textRange[1],
                             chunk->highlight->wordIndex, self->samples.size()});
    }
    self->samples.insert(self->samples.end(), chunk->samples, chunk->samples + chunk->byteCount / 2);
    const int blocks = static_cast<int>(self->blockBytes.size());
    if (blocks == self->stopAfterBlocks) STTS_StopTextToSpeech(self->handle);
    return blocks == self->refuseAfterBlocks ? 1 : 0;
  }
};

// The shipped databases give each language its own speaker number: Korean
// 0, English 1, Chinese 2, Japanese 3.
constexpr int ShippedSpeaker(int language) { return language; }

// Synthesises `text` with a fresh handle of the language's shipped speaker.
inline Capture SynthesizeText(int language, const std::string& text, bool highlight = true,
                              const char* markup = nullptr, int blockBytes = 32000) {
  Capture capture;
  capture.handle = STTS_CreateThread(&capture, &Capture::Receive, language, ShippedSpeaker(language));
  EXPECT_NE(capture.handle, nullptr) << STTS_GetError();
  if (capture.handle == nullptr) return capture;
  STTS_SetHighLight(capture.handle, highlight ? 1 : 0);
  if (markup != nullptr) {
    EXPECT_EQ(STTS_ChangeAttr(capture.handle, markup), STTS_OK);
  }
  EXPECT_EQ(STTS_TextToPcmBuf(capture.handle, text.c_str(), STTS_MODE_SYNCHRONOUS, blockBytes), STTS_DONE);
  STTS_DeleteThread(capture.handle);
  capture.handle = nullptr;
  return capture;
}

inline double Seconds(const std::vector<std::int16_t>& samples, int rate = 16000) {
  return static_cast<double>(samples.size()) / rate;
}

}  // namespace orvilo::sonara::testing
