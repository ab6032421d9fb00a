// The engine's process-wide state behind the STTS_* calls: started or not,
// the loaded database of each language, the speech player of STTS_PlayTTS
// and its user dictionary.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>

#include "engines/sonara/espeak_synthesizer.h"
#include "engines/sonara/language.h"
#include "engines/sonara/speech_player.h"
#include "engines/sonara/user_dictionary.h"
#include "engines/sonara/voice_database.h"

namespace orvilo::sonara {

class Engine {
 public:
  static Engine& Instance();

  int Initialize();
  void Uninitialize();

  int Load(Language language, const std::string& folder);
  int Unload(Language language);
  // Null with `error` set when the engine is not started or the language not loaded.
  std::shared_ptr<const LanguageDatabase> Database(Language language, int* error) const;
  // Null while not started.
  EspeakSynthesizer* Synthesizer() const;

  // The player of STTS_PlayTTS; null while not started.
  std::shared_ptr<SpeechPlayer> Player() const;
  void SetPlaybackDictionary(std::shared_ptr<const UserDictionary> dictionary);
  std::shared_ptr<const UserDictionary> PlaybackDictionary() const;

 private:
  Engine() = default;

  mutable std::mutex mutex_;
  EspeakSynthesizer* synthesizer_ = nullptr;
  std::array<std::shared_ptr<const LanguageDatabase>, kLanguageCount> databases_;
  std::shared_ptr<SpeechPlayer> player_;
  std::shared_ptr<const UserDictionary> playbackDictionary_;
};

}  // namespace orvilo::sonara
