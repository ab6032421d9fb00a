#include "reading/speech_engine.h"

#include "engines/sonara/sonara_m.h"

namespace orvilo::reading {

bool SonaraEngine::Play(const std::string& piece, const std::string& markup, int language, int speaker) {
  return STTS_PlayTTS(window_, statusMessage_, piece.c_str(), markup.c_str(), language, speaker) == STTS_DONE;
}
void SonaraEngine::Pause() { STTS_PauseTTS(); }
void SonaraEngine::Restart() { STTS_RestartTTS(); }
void SonaraEngine::Stop() { STTS_StopTTS(); }
int SonaraEngine::Initialize() { return STTS_Initialize(); }
int SonaraEngine::LoadEngine(int language, const std::string& folder) { return STTS_LoadEngine(language, folder.c_str(), 0); }
void SonaraEngine::RegisterUserDictionary(const std::string& path) { STTS_RegisterUserDict(path.c_str()); }
void SonaraEngine::ShutDown() {
  STTS_DeleteUserDict();
  STTS_UnLoadEngine(STTS_LANGUAGE_KOREAN);
  STTS_UnLoadEngine(STTS_LANGUAGE_ENGLISH);
  STTS_UnInitialize();
}

bool StartSpeechEngine(SpeechEngine& engine, core::CameraModel model, const std::string& databaseRoot,
                       VoiceSlots& voices) {
  if (!ModelHasSpeech(model)) return false;
  if (engine.Initialize() != 0) return false;
  bool ok = true;
  for (int language : {0, 1}) {
    if (ReadVoiceSlots(databaseRoot, language, voices) > 0) {
      const std::string folder = databaseRoot + std::string(LanguageFolderName(language)) + "/";
      if (engine.LoadEngine(language, folder) != 0) ok = false;
    }
  }
  // A refused database leaves no reading at all; the started engine is
  // stopped again rather than left running for nothing.
  if (!ok) engine.ShutDown();
  return ok;
}

}  // namespace orvilo::reading
