// STTS_* calls that start and stop the engine, load databases and describe
// speakers and defaults.
#include <espeak-ng/speak_lib.h>

#include <string>

#include "engines/sonara/api_support.h"
#include "engines/sonara/engine.h"
#include "engines/sonara/prosody.h"

using namespace orvilo::sonara;

namespace {

constexpr const char* kEngineName = "SONARA_M";
constexpr const char* kEngineVersion = "1.0.0";

int DefaultOf(int language, const Range& range, int* minimum, int* maximum) {
  if (!LanguageFromNumber(language)) return Report(STTS_ERR_LANGUAGE);
  if (minimum != nullptr) *minimum = range.minimum;
  if (maximum != nullptr) *maximum = range.maximum;
  return range.normal;
}

}  // namespace

extern "C" {

STTS_API int STTS_Initialize(void) {
  return Guarded([]() -> int { return Report(Engine::Instance().Initialize()); }, STTS_ERR_INTERNAL);
}

STTS_API void STTS_UnInitialize(void) {
  Guarded([] { Engine::Instance().Uninitialize(); });
}

STTS_API int STTS_LoadEngine(int language, const char* dbFolder, int reserved) {
  return Guarded(
      [&]() -> int {
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE);
        if (dbFolder == nullptr || reserved != 0) return Report(STTS_ERR_ARGUMENT);
        return Report(Engine::Instance().Load(*which, dbFolder));
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_UnLoadEngine(int language) {
  return Guarded(
      [&]() -> int {
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE);
        return Report(Engine::Instance().Unload(*which));
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_GetDBInfo(int language, int speaker, SpeakerDbInfo* info) {
  return Guarded(
      [&]() -> int {
        if (info == nullptr) return Report(STTS_ERR_ARGUMENT);
        *info = SpeakerDbInfo{};
        info->id = -1;
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE);
        if (speaker < 0 || speaker >= STTS_SPEAKER_COUNT) return Report(STTS_ERR_SPEAKER);
        int error = STTS_OK;
        const auto database = Engine::Instance().Database(*which, &error);
        if (!database) return Report(error);
        const Speaker* found = database->Find(speaker);
        if (found == nullptr) return Report(STTS_ERR_SPEAKER);
        info->id = found->id;
        CopyText(info->name, sizeof info->name, found->name);
        CopyText(info->languageName, sizeof info->languageName, LanguageName(*which));
        info->sampleRate = found->sampleRate;
        return STTS_OK;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_GetEngineInfo(int language, EngineInfo* info) {
  return Guarded(
      [&]() -> int {
        if (info == nullptr) return Report(STTS_ERR_ARGUMENT);
        *info = EngineInfo{};
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE);
        int error = STTS_OK;
        const bool loaded = Engine::Instance().Database(*which, &error) != nullptr;
        CopyText(info->engineName, sizeof info->engineName, kEngineName);
        CopyText(info->languageName, sizeof info->languageName, LanguageName(*which));
        CopyText(info->version, sizeof info->version, kEngineVersion);
        info->state = loaded ? 'L' : 'U';
        CopyText(info->synthesizer, sizeof info->synthesizer, std::string("espeak-ng ") + espeak_Info(nullptr));
        return STTS_OK;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_GetSpeedDefault(int language, int* min, int* max) {
  return Guarded([&] { return DefaultOf(language, kSpeedRange, min, max); }, STTS_ERR_INTERNAL);
}

STTS_API int STTS_GetVolumeDefault(int language, int* min, int* max) {
  return Guarded([&] { return DefaultOf(language, kVolumeRange, min, max); }, STTS_ERR_INTERNAL);
}

STTS_API int STTS_GetPitchDefault(int language, int speaker, int* min, int* max) {
  return Guarded(
      [&]() -> int {
        if (speaker < 0 || speaker >= STTS_SPEAKER_COUNT) return Report(STTS_ERR_SPEAKER);
        return DefaultOf(language, kPitchRange, min, max);
      },
      STTS_ERR_INTERNAL);
}

}  // extern "C"
