// CSpeechEditorDlg: the speech editor's only window. A text editor on the
// left; on the right Play, Stop, FILE (export), the repeat toggle, the
// speaker's picture and the speed, volume and pitch sliders. Menus (in the
// interface language), a tool bar and accelerators reach the same commands
// by their numbers. The window drives the engine, the playback
// (SpeechPlayback) and the export (ExportSpeech) and follows a playback
// through the messages it posts: 1124 status, 1126 the word being heard.
//
// States: no language (Play, FILE, Stop disabled) -> idle once a language
// is loaded (Play, FILE enabled) -> playing on status 1 (Stop enabled) ->
// idle on status 4 or -1.
#pragma once

#include <QFont>
#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "engines/sonara/sonara_m.h"
#include "platform/win/dialog.h"
#include "speechutil/editor_texts.h"
#include "speechutil/engine_text.h"
#include "speechutil/sonara_settings.h"
#include "speechutil/speech_job.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QSlider;
class QToolBar;

namespace orvilo::ui {
class CSkinButton;
}

namespace orvilo::speechutil {

class SpeechPlayback;

// Command and control numbers of the window.
namespace editor_id {
inline constexpr int kEditor = 1000;
inline constexpr int kPlay = 1001;
inline constexpr int kLoad = 1002;
inline constexpr int kSave = 1003;
inline constexpr int kFont = 1004;
inline constexpr int kRepeat = 1005;
inline constexpr int kStop = 1007;
inline constexpr int kFile = 1010;
inline constexpr int kSpeakerPicture = 1011;
inline constexpr int kSpeedSlider = 1012;
inline constexpr int kVolumeSlider = 1013;
inline constexpr int kPitchSlider = 1014;
inline constexpr int kInitialize = 1015;
inline constexpr int kAboutSystemItem = 16;
inline constexpr int kLanguageFirst = 32776;  // + language 0..3
inline constexpr int kSpeakerFirst = 32780;   // + speaker 0..9
inline constexpr int kFontMenu = 32811;
inline constexpr int kRate8K = 32795;
inline constexpr int kRate16K = 32796;
inline constexpr int kDictionaryLoad = 32797;
inline constexpr int kDictionaryUnload = 32798;
inline constexpr int kEffectLoad = 32799;
inline constexpr int kEffectUnload = 32800;
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSaveMenu = 57603;
inline constexpr int kPrint = 57607;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
}  // namespace editor_id

class CSpeechEditorDlg : public win::Dialog {
  Q_OBJECT
 public:
  struct Environment {
    std::string startFolder;    // where the program was started (settings, relative database folders)
    std::string programFolder;  // where the program file is (the staged databases)
    std::string version;        // "1.0.0.0"
    std::string logPath;        // the error log
    InterfaceLanguage interfaceLanguage = InterfaceLanguage::English;
  };

  // `settings` is read and updated (rate, export format) for the caller to save.
  CSpeechEditorDlg(SonaraSettings& settings, Environment environment, QWidget* parent = nullptr);
  ~CSpeechEditorDlg() override;

  // What tests and the window's own parts look at.
  QPlainTextEdit* Editor() const { return editor_; }
  QMenuBar* MenuBar() const { return menuBar_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QAction* MenuItem(int id) const;
  QSlider* Slider(int id) const;
  bool IsControlEnabled(int id) const;  // Play, Stop, FILE, repeat
  int SpeakerPicture() const { return speakerPicture_; }
  int Language() const { return language_; }
  int Speaker() const { return speaker_; }
  bool Repeat() const { return repeat_; }
  const std::string& DictionaryPath() const { return dictionaryPath_; }
  std::string CurrentMarkup() const;
  bool IsPlaying() const;

 protected:
  bool OnCommand(int commandId) override;
  std::intptr_t OnMessage(const win::Msg& message) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBar();
  void CreateControls();
  void SetControlEnabled(int id, bool enabled);
  void SetIdle(bool idle);
  void SyncCheckMarks();

  void LoadLanguage(int language);
  void RewriteSpeakerItems();
  void SelectSpeaker(int speaker);
  void SelectRate(int rate);
  void RefreshTitle();
  void InitializeSliders();
  void Play();
  void Stop();
  void Export();
  void OpenTextFile();
  bool LoadTextFile(const std::string& path);
  void SaveTextFile();
  void ChooseFont();
  void LoadDictionary();
  void ShowAbout();
  void OnStatus(std::intptr_t status);
  void OnHighlight(int start, int end);

  void ShowMessage(const std::string& text, const std::string& caption, bool error);
  void Log(const std::string& message);
  SpeechReports Reports();
  // The text Play and FILE speak: the selection, else all; false when empty.
  bool TakeText(std::u16string& text, int& start, int& end);

  SonaraSettings& settings_;
  Environment environment_;
  const EditorTexts& texts_;

  QMenuBar* menuBar_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
  QLabel* speakerLabel_ = nullptr;
  std::map<int, QAction*> items_;
  std::map<int, QSlider*> sliders_;
  std::map<int, ui::CSkinButton*> buttons_;
  QActionGroup* languageGroup_ = nullptr;
  QActionGroup* speakerGroup_ = nullptr;
  QActionGroup* rateGroup_ = nullptr;

  bool engineStarted_ = false;
  int language_ = -1;
  int speaker_ = 0;
  SpeakerDbInfo speakerInfo_{};
  bool repeat_ = false;
  bool stoppedByUser_ = false;
  std::string dictionaryPath_;
  int playStart_ = 0;
  int playEnd_ = 0;
  int highlightEnd_ = 0;
  int speakerPicture_ = 0;
  int generation_ = 0;  // of the playback whose messages count
  EngineText playedText_;
  std::atomic<bool>* exportCancel_ = nullptr;  // while an export runs
  QFont editFont_;
  std::unique_ptr<SpeechPlayback> playback_;
};

}  // namespace orvilo::speechutil
