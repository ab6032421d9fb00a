// CVyr3SubLibraryWnd, the reading panel: a header with the language, voice
// and speed, the text control (or the voice-book list), reading aloud
// through the speech engine with the spoken piece selected, background
// music, recognition of the image view's page, collapse and expand, and
// resizing from its left edge.
//
// The reading itself is ReadingSession; recognition is Recognizer. The
// window turns commands, engine statuses (message 1433), music events
// (1432) and finished recognitions into calls on them and paints their state.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "core/camera_model.h"
#include "reading/reading_panel.h"
#include "reading/reading_session.h"
#include "reading/recognition.h"
#include "reading/speech_engine.h"

class QProgressBar;

namespace orvilo::ui {
class CSkinButton;
}

namespace orvilo::reading {

class CVyrEditCtrl;
class CVyrSkinList;

// Control ids of the panel.
inline constexpr int kTextControlId = 1424;
inline constexpr int kExpandButtonId = 1425;
inline constexpr int kCollapseButtonId = 1426;
inline constexpr int kFirstBookButtonId = 1427;  // add, remove, rename
inline constexpr int kLanguagePickerId = 1434;
inline constexpr int kVoicePickerId = 1435;
inline constexpr int kSpeedPickerId = 1436;
inline constexpr int kMaxPanelWidth = 460;
// A recognition finished (posted by the worker to the panel itself).
inline constexpr std::uint32_t kRecognitionFinished = 0x8000 + 1;

// What the panel is built with; the defaults are the program's own.
struct ReadingPanelOptions {
  std::string programFolder;         // empty: the program's folder
  std::string settingsFile;          // empty: the settings file of the program folder (voice books)
  std::optional<bool> koreanUi;      // empty: from the settings file and the session language
  std::function<std::unique_ptr<SpeechEngine>(vx_hwnd window)> makeEngine;  // null: the speech engine
  std::function<std::unique_ptr<MusicPlayer>(std::function<void()> onEvent)> makeMusic;  // null: GStreamer
  std::function<std::unique_ptr<OcrModule>()> makeOcr;  // null: the OCR module
};

class CVyr3SubLibraryWnd : public ReadingPanel {
  Q_OBJECT
 public:
  explicit CVyr3SubLibraryWnd(core::CameraModel model, QWidget* parent = nullptr);
  CVyr3SubLibraryWnd(core::CameraModel model, ReadingPanelOptions options, QWidget* parent = nullptr);
  ~CVyr3SubLibraryWnd() override;

  void SetText(const std::string& text) override;
  std::string Text() const override;
  std::string BackgroundMusic() const override { return session_->BackgroundMusic(); }
  void SetBackgroundMusic(const std::string& path) override;
  void RegisterUserDictionary(const std::string& path) override;
  ReadingView View() const override { return view_; }
  void ToggleView() override;
  void Refresh() override;
  int Language() const override { return session_->language; }
  void Reading(bool repeatRun) override;
  void PauseOrResume() override { session_->PauseOrResume(); }
  void Stop() override { session_->Stop(); }
  void ToggleRepeat() override { session_->ToggleRepeat(); }
  // The keys step through the sentences, in a list view through the voice books.
  void StepItem(int direction) override;
  void AddVoiceBook(const std::string& path) override;
  void SetVoiceBookServices(VoiceBookServices services) override { services_ = std::move(services); }
  void TellFileProblem(FileProblem problem) override;
  bool InitRecognition() override;
  gdi::Rect Recognise(const gdi::PackedDib& picture, const PageGeometry& geometry) override;

  // State, for the main window's tests and the panel's own.
  const ReadingSession& Session() const { return *session_; }
  ReadingState State() const { return session_->State(); }
  bool Recognising() const { return recognising_; }
  bool KoreanUi() const { return koreanUi_; }
  int PanelWidth() const { return panelWidth_; }
  // A line under the header telling what just could not be done (empty: nothing).
  const QString& Notice() const { return notice_; }
  CVyrEditCtrl* TextControl() const { return edit_; }
  CVyrSkinList* VoiceBooks() const { return list_; }
  void SetLanguage(int language);
  void SetSpeedIndex(int speedIndex);

  win::HitTest HitTestAt(const QPoint& windowPoint) const override;

 protected:
  bool OnCreate() override;
  std::intptr_t OnMessage(const win::Msg& message) override;
  bool OnCommand(int commandId) override;
  void OnExitSizeMove() override;
  void OnSizing(win::HitTest edge, QRect& proposedGeometry) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void StartEngine();
  void LayOutControls();
  void Collapse();
  void Expand();
  void PickLanguage();
  void PickSpeed();
  void FinishRecognition();
  void AddVoiceBooks();
  void RemoveVoiceBooks();
  void RenameVoiceBook();
  void StartVoiceBooks();
  void NextVoiceBook();
  bool LoadVoiceBook(std::optional<int> row, bool wrap);
  void StepVoiceBook(int direction);
  void SetNotice(const QString& notice);
  QString VoiceName() const;

  core::CameraModel model_;
  ReadingPanelOptions options_;
  bool koreanUi_ = false;
  ReadingView view_ = ReadingView::Text;
  int panelWidth_ = kReadingPanelWidth;
  QString notice_;

  CVyrEditCtrl* edit_ = nullptr;
  CVyrSkinList* list_ = nullptr;
  VoiceBookServices services_;
  QProgressBar* progress_ = nullptr;
  ui::CSkinButton* expand_ = nullptr;
  ui::CSkinButton* collapse_ = nullptr;
  ui::CSkinButton* bookButtons_[3] = {};
  ui::CSkinButton* pickers_[3] = {};

  std::unique_ptr<SpeechEngine> engine_;
  std::unique_ptr<MusicPlayer> music_;
  std::unique_ptr<ReadingSession> session_;

  // Recognition: one at a time; a text set after it started wins over its result.
  bool recognising_ = false;
  unsigned textGeneration_ = 0;
  unsigned recognitionGeneration_ = 0;
  std::mutex resultLock_;
  std::string recognisedText_;
  std::unique_ptr<Recognizer> recognizer_;  // last: its worker is waited for first
};

}  // namespace orvilo::reading
