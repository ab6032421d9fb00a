// The speech engine as the reading panel starts, uses and stops it, behind
// an interface so that tests can stand in for it. SonaraEngine is the real
// one: statuses go to a window as message 1433.
#pragma once

#include <string>

#include "core/camera_model.h"
#include "platform/abi/vx_hwnd.h"
#include "reading/reading_ports.h"
#include "reading/voice_slots.h"

namespace orvilo::reading {

class SpeechEngine : public Speech {
 public:
  virtual int Initialize() = 0;  // 0: started
  virtual int LoadEngine(int language, const std::string& folder) = 0;  // 0: loaded
  virtual void RegisterUserDictionary(const std::string& path) = 0;
  // Deletes the dictionary, unloads both languages and stops the engine.
  virtual void ShutDown() = 0;
};

class SonaraEngine : public SpeechEngine {
 public:
  SonaraEngine(vx_hwnd window, unsigned statusMessage) : window_(window), statusMessage_(statusMessage) {}
  bool Play(const std::string& piece, const std::string& markup, int language, int speaker) override;
  void Pause() override;
  void Restart() override;
  void Stop() override;
  int Initialize() override;
  int LoadEngine(int language, const std::string& folder) override;
  void RegisterUserDictionary(const std::string& path) override;
  void ShutDown() override;

 private:
  vx_hwnd window_;
  unsigned statusMessage_;
};

// Camera models whose program reads aloud.
constexpr bool ModelHasSpeech(core::CameraModel model) {
  return model == 2 || (model >= 4 && model <= 8);
}

// Engine start-up: the engine is started, the Korean and English voice
// voices are read from `databaseRoot` (ending in "/") into `voices`, and each
// language with a slot is loaded. True when the engine is ready to read.
bool StartSpeechEngine(SpeechEngine& engine, core::CameraModel model, const std::string& databaseRoot,
                       VoiceSlots& voices);

}  // namespace orvilo::reading
