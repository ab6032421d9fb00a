// What the window hands to a playback or an export: copies of the text in
// the engine's code page, the markup and the dictionary, the voice, and
// where progress is reported. One job at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace orvilo::speechutil {

// Messages of a playback to its window.
inline constexpr std::uint32_t kSpeechStatusMessage = 1124;     // wParam: status below
inline constexpr std::uint32_t kSpeechHighlightMessage = 1126;  // wParam, lParam: first and last byte of a word
inline constexpr std::intptr_t kStatusStarted = 1;
inline constexpr std::intptr_t kStatusFinished = 4;
inline constexpr std::intptr_t kStatusFailed = -1;

struct SpeechJob {
  // Posts a message to the window (from any thread; must queue).
  std::function<void(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)> post;
  std::uint32_t message = kSpeechStatusMessage;
  int language = 0;
  int speaker = 0;
  std::string text;        // in the engine code page of `language`
  std::string markup;      // "<speed=..><volume=..><pitch=..>", or empty
  std::string dictionary;  // user dictionary path, or empty
  int outputRate = 16000;  // the rate the listener hears or the file holds
};

// Where failures of the machinery go: the error log and message boxes.
struct SpeechReports {
  std::function<void(const std::string& message)> log;
  std::function<void(const std::string& text, const std::string& caption)> messageBox;
};

}  // namespace orvilo::speechutil
