// STTS_* calls that speak on the audio output, and its user dictionary.
#include "engines/sonara/api_support.h"
#include "engines/sonara/engine.h"

using namespace orvilo::sonara;

namespace {

// The player, or null with the error reported.
std::shared_ptr<SpeechPlayer> PlayerOrReport() {
  auto player = Engine::Instance().Player();
  if (!player) Report(STTS_ERR_NOT_INITIALIZED);
  return player;
}

}  // namespace

extern "C" {

STTS_API int STTS_PlayTTS(vx_hwnd window, uint32_t message, const char* text, const char* markup, int language,
                          int speaker) {
  return Guarded(
      [&]() -> int {
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE);
        if (speaker < 0 || speaker >= STTS_SPEAKER_COUNT) return Report(STTS_ERR_SPEAKER);
        std::string_view bytes;
        if (const int status = CheckText(text, &bytes); status != STTS_OK) return Report(status);
        Engine& engine = Engine::Instance();
        int error = STTS_OK;
        SynthesisSettings settings;
        settings.database = engine.Database(*which, &error);
        if (!settings.database) return Report(error);
        settings.speaker = settings.database->Find(speaker);
        if (settings.speaker == nullptr) return Report(STTS_ERR_SPEAKER);
        if (markup != nullptr && markup[0] != '\0' && !ApplyMarkup(markup, settings.prosody)) {
          return Report(STTS_ERR_MARKUP);
        }
        settings.dictionary = engine.PlaybackDictionary();
        auto player = PlayerOrReport();
        if (!player) return LastError();
        return Report(player->Play(window, message, std::string(bytes), std::move(settings)));
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_PauseTTS(void) {
  return Guarded(
      []() -> int {
        auto player = PlayerOrReport();
        return player ? Report(player->Pause()) : STTS_ERR_NOT_INITIALIZED;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_RestartTTS(void) {
  return Guarded(
      []() -> int {
        auto player = PlayerOrReport();
        return player ? Report(player->Restart()) : STTS_ERR_NOT_INITIALIZED;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_StopTTS(void) {
  return Guarded(
      []() -> int {
        auto player = PlayerOrReport();
        return player ? Report(player->Stop()) : STTS_ERR_NOT_INITIALIZED;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_RegisterUserDict(const char* path) {
  return Guarded(
      [&]() -> int {
        if (path == nullptr || path[0] == '\0') return Report(STTS_ERR_ARGUMENT);
        if (!Engine::Instance().Synthesizer()) return Report(STTS_ERR_NOT_INITIALIZED);
        // Dictionaries written on Windows for the reading panel are Korean (CP949) when not UTF-8.
        auto loaded = UserDictionary::Load(path, Language::kKorean);
        if (loaded.status != UserDictionary::LoadStatus::kLoaded) return Report(STTS_ERR_DICTIONARY);
        Engine::Instance().SetPlaybackDictionary(std::move(loaded.dictionary));
        return STTS_OK;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_DeleteUserDict(void) {
  return Guarded(
      []() -> int {
        Engine::Instance().SetPlaybackDictionary(nullptr);
        return STTS_OK;
      },
      STTS_ERR_INTERNAL);
}

}  // extern "C"
