// Helpers of the speech editor's playback and export tests: a window that
// records what a playback posts, and the jobs the editor would make.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "speechutil/engine_text.h"
#include "speechutil/speech_job.h"
#include "tests/engines/sonara/sonara_test_support.h"

namespace orvilo::speechutil::testing {

using sonara::testing::EngineTest;

struct PostedMessage {
  std::uint32_t id;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class RecordingWindow {
 public:
  std::function<void(std::uint32_t, std::uintptr_t, std::intptr_t)> Poster() {
    return [this](std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
      {
        std::lock_guard lock(mutex_);
        messages_.push_back({id, wParam, lParam});
      }
      changed_.notify_all();
    };
  }
  std::vector<PostedMessage> Messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  // Waits for a status message with `status` (1124).
  bool WaitForStatus(std::intptr_t status, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] {
      for (const PostedMessage& m : messages_) {
        if (m.id == kSpeechStatusMessage && static_cast<std::intptr_t>(m.wParam) == status) return true;
      }
      return false;
    });
  }
  bool WaitForHighlight(std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] {
      for (const PostedMessage& m : messages_) {
        if (m.id == kSpeechHighlightMessage) return true;
      }
      return false;
    });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<PostedMessage> messages_;
};

struct LogRecorder {
  std::mutex mutex;
  std::vector<std::string> lines;
  std::vector<std::pair<std::string, std::string>> boxes;
  SpeechReports Reports() {
    return {[this](const std::string& line) {
              std::lock_guard lock(mutex);
              lines.push_back(line);
            },
            [this](const std::string& text, const std::string& caption) {
              std::lock_guard lock(mutex);
              boxes.emplace_back(text, caption);
            }};
  }
};

inline SpeechJob MakeJob(int language, const std::u16string& text, int outputRate = 16000) {
  SpeechJob job;
  job.language = language;
  job.speaker = language;  // each shipped language has its own slot: Korean 0, English 1, …
  job.text = ConvertToEngineText(text, language).bytes;
  job.markup = "<speed=\"100\"><volume=\"100\"><pitch=\"100\">";
  job.outputRate = outputRate;
  return job;
}

}  // namespace orvilo::speechutil::testing
