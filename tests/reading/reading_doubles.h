// Recording doubles of what reading aloud talks to: the engine, the text
// control and the music player, logging into one list in call order.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/bitmap_file.h"
#include "platform/text/unicode.h"
#include "reading/ocr_module.h"
#include "reading/reading_ports.h"
#include "reading/speech_engine.h"

namespace orvilo::reading::testing {

using Log = std::vector<std::string>;

class RecordingSpeech : public SpeechEngine {
 public:
  explicit RecordingSpeech(Log& log) : log_(log) {}
  bool accepts = true;
  int initializeResult = 0;
  int loadResult = 0;
  std::vector<std::string> pieces;
  std::vector<int> speakers;

  bool Play(const std::string& piece, const std::string& markup, int language, int speaker) override {
    log_.push_back("Play(" + piece + "|" + markup + "|" + std::to_string(language) + "|" + std::to_string(speaker) + ")");
    if (accepts) {
      pieces.push_back(piece);
      speakers.push_back(speaker);
    }
    return accepts;
  }
  void Pause() override { log_.push_back("Pause"); }
  void Restart() override { log_.push_back("Restart"); }
  void Stop() override { log_.push_back("Stop"); }
  int Initialize() override { log_.push_back("Initialize"); return initializeResult; }
  int LoadEngine(int language, const std::string& folder) override {
    log_.push_back("LoadEngine(" + std::to_string(language) + "," + folder.substr(folder.size() - 6) + ")");
    return loadResult;
  }
  void RegisterUserDictionary(const std::string& path) override { log_.push_back("RegisterUserDictionary(" + path + ")"); }
  void ShutDown() override { log_.push_back("ShutDown"); }

 private:
  Log& log_;
};

// A text control over a string: a line break is one character.
class RecordingText : public ReadingText {
 public:
  explicit RecordingText(Log& log) : log_(log) {}
  std::string text;  // UTF-8 with CR-LF
  std::optional<TextSelection> selection;
  bool readOnly = false;
  int selectedStart = -1, selectedEnd = -1;

  std::string WholeText() const override { return text; }
  std::optional<TextSelection> Selection() const override { return selection; }
  std::u16string ControlCharacters() const override {
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      joined.push_back(text[i]);
    }
    return text::Utf8ToUtf16(joined);
  }
  void Select(int start, int end) override {
    selectedStart = start;
    selectedEnd = end;
    log_.push_back("Select(" + std::to_string(start) + "," + std::to_string(end) + ")");
  }
  void ClearSelection() override { selectedStart = selectedEnd = -1; }
  void SetReadOnly(bool value) override {
    readOnly = value;
    log_.push_back(value ? "ReadOnly" : "Writable");
  }
  void Focus() override {}
  void ReleaseFocus() override {}
  // The selected characters, in UTF-8.
  std::string Selected() const {
    const std::u16string all = ControlCharacters();
    if (selectedStart < 0) return {};
    return text::Utf16ToUtf8(all.substr(selectedStart, selectedEnd - selectedStart));
  }

 private:
  Log& log_;
};

class RecordingMusic : public MusicPlayer {
 public:
  explicit RecordingMusic(Log& log) : log_(log) {}
  bool loads = true;
  bool Load(const std::string& path) override { log_.push_back("Music.Load(" + path + ")"); return loads; }
  void Run() override { log_.push_back("Music.Run"); }
  void Pause() override { log_.push_back("Music.Pause"); }
  void RewindAndStop() override { log_.push_back("Music.RewindAndStop"); }
  void Release() override { log_.push_back("Music.Release"); }

 private:
  Log& log_;
};

}  // namespace orvilo::reading::testing

namespace orvilo::reading::testing {

// Records the OCR module's calls into a log that may outlive it; hands out
// real blocks and strings so that the flow's frees are real.
class RecordingOcr : public OcrModule {
 public:
  RecordingOcr() : calls(own_) {}
  explicit RecordingOcr(std::vector<std::string>& log) : calls(log) {}
  std::vector<std::string>& calls;
  int initResult = 1;
  bool fileWasThere = false;
  std::string answer = "인식된 글";
  std::string lastPath;

  int Init() override { calls.push_back("Init"); return initResult; }
  int Free() override { calls.push_back("Free"); return 0; }
  VxGlobalHandle LoadImage(const char* path) override {
    calls.push_back("LoadImage");
    lastPath = path;
    fileWasThere = !gdi::ReadBitmapFile(path).IsEmpty();
    return fileWasThere ? VxGlobalAlloc(0, 16) : nullptr;
  }
  float AutoAngle(VxGlobalHandle image) override { calls.push_back(image ? "AutoAngle" : "AutoAngle(null)"); return 0; }
  void PreProc(VxGlobalHandle image) override { calls.push_back(image ? "PreProc" : "PreProc(null)"); }
  int BeginRecog(vx_hwnd) override { calls.push_back("BeginRecog"); return 0; }
  VxSysString RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) override {
    calls.push_back("RecogDIBRect(" + std::to_string(type) + "," + std::to_string(left) + "," + std::to_string(top) +
                    "," + std::to_string(right) + "," + std::to_string(bottom) + ")");
    if (!image) return VxSysAllocStringFromUtf8("", 0);
    return VxSysAllocStringFromUtf8(answer.data(), answer.size());
  }
  void EndRecog() override { calls.push_back("EndRecog"); }

 private:
  std::vector<std::string> own_;
};

}  // namespace orvilo::reading::testing
