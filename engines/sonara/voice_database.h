// A language's voice database: the folder Sonara_M_DB/<KO_KR|EN_US|ZH_CN|
// JA_JP>/ and its speakers, one text file config/config.<speaker> each, of
// "KEY value" lines:
//   NAME              the speaker's name (the reading panel finds it by the word NAME)
//   VOICE             the synthesiser's voice (e.g. "ko", "en-us", "cmn", "ja")
//   VARIANT           optional voice variant (e.g. "f3")
//   PITCH             optional base pitch 0-100 (50 is the voice's own)
//   WORDS_PER_MINUTE  optional speaking rate at 100 % speed (default 175)
//   SAMPLE_RATE       16000 or 8000: the rate of the PCM the speaker delivers
//   ID                optional number shown for the speaker (default: the speaker number)
// Other keys are ignored; a speaker is installed when NAME, VOICE and a valid
// SAMPLE_RATE are present (in a file of at most 64 KiB).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "engines/sonara/language.h"

namespace orvilo::sonara {

inline constexpr int kSpeakerCount = 10;
inline constexpr int kDefaultWordsPerMinute = 175;

struct Speaker {
  int number = 0;
  int id = 0;
  std::string name;
  std::string voice;
  std::string variant;
  int pitch = 50;
  int wordsPerMinute = kDefaultWordsPerMinute;
  int sampleRate = 16000;

  // The synthesiser's name for voice and variant ("ko+f3").
  std::string SynthesizerVoice() const;
};

struct LanguageDatabase {
  Language language = Language::kKorean;
  std::string folder;  // with a trailing "/"
  std::array<std::optional<Speaker>, kSpeakerCount> speakers;

  const Speaker* Find(int number) const;
  int InstalledCount() const;
};

// Reads the speakers of a folder ("/" or "\" separators, with or without
// one at the end). Null when the folder does not exist; a database with no
// installed speaker otherwise reports InstalledCount() == 0.
std::shared_ptr<LanguageDatabase> ReadLanguageDatabase(Language language, const std::string& folder);

// One speaker's file contents; null when it does not describe a speaker.
std::optional<Speaker> ParseSpeakerConfig(std::string_view contents, int number);

}  // namespace orvilo::sonara
