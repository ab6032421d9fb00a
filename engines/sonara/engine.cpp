#include "engines/sonara/engine.h"

#include "engines/sonara/sonara_m.h"

namespace orvilo::sonara {

Engine& Engine::Instance() {
  static Engine engine;
  return engine;
}

int Engine::Initialize() {
  std::lock_guard lock(mutex_);
  if (synthesizer_ != nullptr) return STTS_OK;
  EspeakSynthesizer* synthesizer = EspeakSynthesizer::Instance();
  if (synthesizer == nullptr) return STTS_ERR_SYNTHESIZER;
  synthesizer_ = synthesizer;
  player_ = std::make_shared<SpeechPlayer>(*synthesizer_);
  return STTS_OK;
}

void Engine::Uninitialize() {
  std::shared_ptr<SpeechPlayer> player;
  {
    std::lock_guard lock(mutex_);
    player.swap(player_);
    databases_ = {};
    playbackDictionary_.reset();
    synthesizer_ = nullptr;
  }
  if (player) player->Stop();
  // The player ends (its thread joined) when the last call still using it returns.
}

int Engine::Load(Language language, const std::string& folder) {
  EspeakSynthesizer* synthesizer = Synthesizer();
  if (synthesizer == nullptr) return STTS_ERR_NOT_INITIALIZED;
  std::shared_ptr<LanguageDatabase> database = ReadLanguageDatabase(language, folder);
  if (!database) return STTS_ERR_DATABASE;
  for (auto& speaker : database->speakers) {
    if (speaker && !synthesizer->HasVoice(speaker->SynthesizerVoice())) speaker.reset();
  }
  if (database->InstalledCount() == 0) return STTS_ERR_DATABASE;
  std::lock_guard lock(mutex_);
  if (synthesizer_ == nullptr) return STTS_ERR_NOT_INITIALIZED;
  databases_[static_cast<int>(language)] = std::move(database);
  return STTS_OK;
}

int Engine::Unload(Language language) {
  std::lock_guard lock(mutex_);
  if (synthesizer_ == nullptr) return STTS_ERR_NOT_INITIALIZED;
  auto& database = databases_[static_cast<int>(language)];
  if (!database) return STTS_ERR_NOT_LOADED;
  database.reset();
  return STTS_OK;
}

std::shared_ptr<const LanguageDatabase> Engine::Database(Language language, int* error) const {
  std::lock_guard lock(mutex_);
  if (synthesizer_ == nullptr) {
    *error = STTS_ERR_NOT_INITIALIZED;
    return nullptr;
  }
  auto database = databases_[static_cast<int>(language)];
  if (!database) *error = STTS_ERR_NOT_LOADED;
  return database;
}

EspeakSynthesizer* Engine::Synthesizer() const {
  std::lock_guard lock(mutex_);
  return synthesizer_;
}

std::shared_ptr<SpeechPlayer> Engine::Player() const {
  std::lock_guard lock(mutex_);
  return player_;
}

void Engine::SetPlaybackDictionary(std::shared_ptr<const UserDictionary> dictionary) {
  std::lock_guard lock(mutex_);
  playbackDictionary_ = std::move(dictionary);
}

std::shared_ptr<const UserDictionary> Engine::PlaybackDictionary() const {
  std::lock_guard lock(mutex_);
  return playbackDictionary_;
}

}  // namespace orvilo::sonara
