#include "speechutil/speech_editor_dlg.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>
#include <QToolBar>
#include <QUrl>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "platform/win/common_dialogs.h"
#include "speechutil/about_dlg.h"
#include "speechutil/dropped_file.h"
#include "speechutil/error_log.h"
#include "speechutil/export_file_dialog.h"
#include "speechutil/export_formats.h"
#include "speechutil/message_boxes.h"
#include "speechutil/slider_scales.h"
#include "speechutil/speech_export.h"
#include "speechutil/speech_pictures.h"
#include "speechutil/speech_playback.h"
#include "speechutil/unicode_text_file.h"
#include "ui/skin_button.h"

namespace orvilo::speechutil {
namespace {

using namespace editor_id;

constexpr const char* kCaption = "Sonara_PC_App_M";
constexpr const char* kTextFilter = "Text File(*.txt)|*.txt|All Files(*.*)|*.*||";
constexpr const char* kDictionaryFilter = "DIC File(*.dic)|*.dic|All Files(*.*)|*.*||";
constexpr const char* kLanguageItems[4] = {" 0 : KO-KR  ", " 1 : EN-US", " 2 : ZH-CN", " 3 : JA-JP"};

// Layout: menu bar and tool bar across the top, the editor on the left and
// the controls on the right.
constexpr int kMenuHeight = 24;
constexpr int kToolBarHeight = 32;
constexpr int kTop = kMenuHeight + kToolBarHeight;
constexpr int kWidth = 790;
constexpr int kHeight = kTop + 480;
constexpr int kRight = 548;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }
std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

std::string Format(const char* format, int a, int b) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// Windows text files end their lines with CR-LF; the editor's lines end in LF.
QString WithLineFeeds(std::u16string text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out.push_back(text[i]);
  }
  return QString::fromUtf16(out.data(), static_cast<qsizetype>(out.size()));
}

std::u16string WithCrLf(const QString& text) {
  std::u16string out;
  out.reserve(static_cast<std::size_t>(text.size()) + 64);
  for (const QChar c : text) {
    if (c == u'\n') out.push_back(u'\r');
    out.push_back(c.unicode());
  }
  return out;
}

}  // namespace

CSpeechEditorDlg::CSpeechEditorDlg(SonaraSettings& settings, Environment environment, QWidget* parent)
    : win::Dialog(parent),
      settings_(settings),
      environment_(std::move(environment)),
      texts_(TextsFor(environment_.interfaceLanguage)) {
  setWindowTitle(FromUtf8(EditorTitle(environment_.version)));
  setFixedSize(kWidth, kHeight);
  setAcceptDrops(true);
  // The editor's face of the original; the desktop's coding font stands in.
  QFont::insertSubstitution("굴림체", "NanumGothicCoding");
  CreateMenus();
  CreateToolBar();
  CreateControls();

  playback_ = std::make_unique<SpeechPlayback>(Reports());
  const int started = STTS_Initialize();
  engineStarted_ = started == STTS_OK;
  if (!engineStarted_) {
    const std::string message = "STTS_Initialize Failed : (" + std::to_string(started) + ")";
    Log(message);
    ShowMessage(message, kCaption, true);
  }
  SelectRate(settings_.dbSampleRate);
  SetIdle(false);
  SetControlEnabled(kStop, false);
  SetControlEnabled(kRepeat, false);
}

CSpeechEditorDlg::~CSpeechEditorDlg() {
  playback_->Stop();
  if (language_ >= 0) STTS_UnLoadEngine(language_);
  if (engineStarted_) STTS_UnInitialize();
}

// ---- Creation -------------------------------------------------------------

void CSpeechEditorDlg::CreateMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setGeometry(0, 0, kWidth, kMenuHeight);
  menuBar_->setNativeMenuBar(false);
  const auto add = [this](QMenu* menu, const char* text, int id) {
    QAction* action = menu->addAction(FromUtf8(text));
    action->setProperty("commandId", id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    items_[id] = action;
    return action;
  };

  QMenu* file = menuBar_->addMenu(FromUtf8(texts_.fileMenu));
  add(file, texts_.newItem, kNew);
  add(file, texts_.openItem, kOpen);
  add(file, texts_.saveItem, kSaveMenu);
  file->addSeparator();
  add(file, texts_.exitItem, kExit);

  QMenu* edit = menuBar_->addMenu(FromUtf8(texts_.editMenu));
  add(edit, texts_.cutItem, kCut);
  add(edit, texts_.copyItem, kCopy);
  add(edit, texts_.pasteItem, kPaste);
  add(edit, texts_.selectAllItem, kSelectAll);
  edit->addSeparator();
  add(edit, texts_.fontItem, kFontMenu);

  QMenu* language = menuBar_->addMenu(FromUtf8(texts_.languageMenu));
  languageGroup_ = new QActionGroup(this);
  for (int l = 0; l < 4; ++l) {
    QAction* item = add(language, kLanguageItems[l], kLanguageFirst + l);
    item->setCheckable(true);
    languageGroup_->addAction(item);
  }

  QMenu* speaker = menuBar_->addMenu(FromUtf8(texts_.speakerMenu));
  speakerGroup_ = new QActionGroup(this);
  for (int k = 0; k < 10; ++k) {
    SpeakerDbInfo none{};
    none.id = -1;
    QAction* item = add(speaker, SpeakerItemText(k, none).c_str(), kSpeakerFirst + k);
    item->setCheckable(true);
    item->setEnabled(false);  // until a language tells which are installed
    speakerGroup_->addAction(item);
  }

  QMenu* tools = menuBar_->addMenu(FromUtf8(texts_.toolsMenu));
  QMenu* frequency = tools->addMenu(FromUtf8(texts_.frequencyMenu));
  rateGroup_ = new QActionGroup(this);
  for (const auto& [text, id] : {std::pair{"8K    ", kRate8K}, std::pair{"16K", kRate16K}}) {
    QAction* item = add(frequency, text, id);
    item->setCheckable(true);
    rateGroup_->addAction(item);
  }
  QMenu* dictionary = tools->addMenu(FromUtf8(texts_.dictionaryMenu));
  add(dictionary, texts_.loadItem, kDictionaryLoad);
  add(dictionary, texts_.unloadItem, kDictionaryUnload);
  QMenu* effect = tools->addMenu(FromUtf8(texts_.effectMenu));
  add(effect, texts_.loadItem, kEffectLoad);
  add(effect, texts_.unloadItem, kEffectUnload);
  QMenu* help = tools->addMenu(FromUtf8(texts_.helpMenu));
  add(help, texts_.aboutItem, kAbout);

  // Accelerators of the window (the editor keeps its own keys while focused).
  const std::pair<QKeySequence, int> accelerators[] = {
      {QKeySequence("Ctrl+A"), kSelectAll}, {QKeySequence("Ctrl+C"), kCopy}, {QKeySequence("Ctrl+N"), kNew},
      {QKeySequence("Ctrl+O"), kOpen},      {QKeySequence("Ctrl+P"), kPaste}, {QKeySequence("Ctrl+S"), kSaveMenu},
      {QKeySequence("Ctrl+X"), kCut}};
  for (const auto& [keys, id] : accelerators) {
    auto* accelerator = new QAction(this);
    accelerator->setShortcut(keys);
    accelerator->setShortcutContext(Qt::WindowShortcut);
    connect(accelerator, &QAction::triggered, this, [this, id] { OnCommand(id); });
    addAction(accelerator);
  }
}

void CSpeechEditorDlg::CreateToolBar() {
  toolBar_ = new QToolBar(this);
  toolBar_->setGeometry(0, kMenuHeight, kWidth, kToolBarHeight);
  toolBar_->setIconSize(QSize(18, 18));
  const std::pair<QStyle::StandardPixmap, int> buttons[] = {
      {QStyle::SP_FileIcon, kNew},           {QStyle::SP_DialogOpenButton, kOpen},
      {QStyle::SP_DialogSaveButton, kSaveMenu}, {QStyle::SP_DialogDiscardButton, kCut},
      {QStyle::SP_FileDialogContentsView, kCopy}, {QStyle::SP_FileDialogDetailedView, kPaste},
      {QStyle::SP_ComputerIcon, kPrint},     {QStyle::SP_MessageBoxInformation, kAbout}};
  const char* tips[] = {"New", "Open", "Save", "Cut", "Copy", "Paste", "Print", "About"};
  int index = 0;
  for (const auto& [icon, id] : buttons) {
    QAction* action = toolBar_->addAction(style()->standardIcon(icon), tips[index++]);
    action->setProperty("commandId", id);
    const int command = id;
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    if (index == 3 || index == 6) toolBar_->addSeparator();
  }
}

void CSpeechEditorDlg::CreateControls() {
  editor_ = new QPlainTextEdit(this);
  editor_->setProperty("controlId", kEditor);
  editor_->setGeometry(8, kTop + 8, kRight - 16, kHeight - kTop - 16);
  editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor_->setAcceptDrops(false);  // dropped files reach the window
  // The selection stays visible while the controls have the focus.
  QPalette palette = editor_->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  editor_->setPalette(palette);
  editFont_ = QFont("굴림체");
  editFont_.setPixelSize(16);
  editFont_.setWeight(QFont::Normal);
  editFont_.setFixedPitch(true);
  editFont_.setStyleHint(QFont::TypeWriter);
  editor_->setFont(editFont_);

  const std::pair<ButtonPicture, int> buttons[] = {
      {ButtonPicture::Play, kPlay}, {ButtonPicture::Stop, kStop}, {ButtonPicture::File, kFile}};
  int x = kRight;
  for (const auto& [picture, id] : buttons) {
    auto* button = new ui::CSkinButton(this);
    button->CreateFromStrip(ButtonStrip(picture), id, 4, this, x, kTop + 8);
    buttons_[id] = button;
    x += kButtonWidth + 8;
  }
  buttons_[kPlay]->SetToolTip("Play");
  buttons_[kStop]->SetToolTip("Stop");
  buttons_[kFile]->SetToolTip("Save the speech as an audio file");
  auto* repeat = new ui::CSkinButton(this);
  repeat->CreateFromStrip(ButtonStrip(ButtonPicture::Repeat), kRepeat, 4, this, kRight, kTop + 60);
  repeat->toggle = 1;
  repeat->SetToolTip(texts_.repeat);
  buttons_[kRepeat] = repeat;

  speakerLabel_ = new QLabel(this);
  speakerLabel_->setProperty("controlId", kSpeakerPicture);
  speakerLabel_->setGeometry(kRight + 120, kTop + 60, 96, 96);

  struct SliderSpec {
    int id, maximum, tick;
    const char* caption;
    const char* low;
    const char* middle;
    const char* high;
  };
  const SliderSpec specs[] = {{kSpeedSlider, kSpeedSliderMax, 10, texts_.speed, "0.5x", "1x", "2x"},
                              {kVolumeSlider, kVolumeSliderMax, 10, texts_.volume, "0%", "100%", "200%"},
                              {kPitchSlider, kPitchSliderMax, 4, texts_.pitch, "80%", "100%", "120%"}};
  int y = kTop + 172;
  for (const SliderSpec& spec : specs) {
    auto* caption = new QLabel(FromUtf8(spec.caption), this);
    caption->setGeometry(kRight, y, 220, 18);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setProperty("controlId", spec.id);
    slider->setRange(0, spec.maximum);
    slider->setTickInterval(spec.tick);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setGeometry(kRight, y + 18, 224, 28);
    sliders_[spec.id] = slider;
    const char* marks[3] = {spec.low, spec.middle, spec.high};
    for (int i = 0; i < 3; ++i) {
      auto* mark = new QLabel(marks[i], this);
      mark->setAlignment(i == 0 ? Qt::AlignLeft : i == 1 ? Qt::AlignHCenter : Qt::AlignRight);
      mark->setGeometry(kRight + i * 82, y + 46, 60, 16);
    }
    y += 76;
  }
  auto* initialize = new QPushButton(FromUtf8(texts_.initialize), this);
  initialize->setProperty("controlId", kInitialize);
  initialize->setGeometry(kRight, y + 8, 110, 28);
  connect(initialize, &QPushButton::clicked, this, [this] { OnCommand(kInitialize); });
}

// ---- State ----------------------------------------------------------------

QAction* CSpeechEditorDlg::MenuItem(int id) const {
  const auto item = items_.find(id);
  return item != items_.end() ? item->second : nullptr;
}

QSlider* CSpeechEditorDlg::Slider(int id) const {
  const auto slider = sliders_.find(id);
  return slider != sliders_.end() ? slider->second : nullptr;
}

bool CSpeechEditorDlg::IsControlEnabled(int id) const {
  const auto button = buttons_.find(id);
  return button != buttons_.end() && button->second->isEnabled();
}

void CSpeechEditorDlg::SetControlEnabled(int id, bool enabled) {
  ui::CSkinButton* button = buttons_.at(id);
  button->setEnabled(enabled);
  if (enabled) {
    button->SyncLook();
  } else {
    button->look = ui::ButtonLook::Disabled;
  }
  button->update();
}

void CSpeechEditorDlg::SetIdle(bool idle) {
  SetControlEnabled(kPlay, idle);
  SetControlEnabled(kFile, idle);
  SetControlEnabled(kStop, false);
}

bool CSpeechEditorDlg::IsPlaying() const { return playback_->Running(); }

std::string CSpeechEditorDlg::CurrentMarkup() const {
  return SpeechMarkup(Slider(kSpeedSlider)->value(), Slider(kVolumeSlider)->value(), Slider(kPitchSlider)->value());
}

void CSpeechEditorDlg::ShowMessage(const std::string& text, const std::string& caption, bool error) {
  MessageBoxes::Current().Show(this, text, caption, error ? MessageBoxes::Icon::Error : MessageBoxes::Icon::Information);
}

void CSpeechEditorDlg::Log(const std::string& message) {
  if (!environment_.logPath.empty()) AppendErrorLog(environment_.logPath, message);
}

SpeechReports CSpeechEditorDlg::Reports() {
  const std::string logPath = environment_.logPath;
  SpeechReports reports;
  reports.log = [logPath](const std::string& message) {
    if (!logPath.empty()) AppendErrorLog(logPath, message);
  };
  // Boxes may be asked for from the playback thread: they are shown on the
  // window's thread.
  reports.messageBox = [this](const std::string& text, const std::string& caption) {
    QMetaObject::invokeMethod(this, [this, text, caption] { ShowMessage(text, caption, true); }, Qt::QueuedConnection);
  };
  return reports;
}

// ---- Commands ---------------------------------------------------------------

void CSpeechEditorDlg::SyncCheckMarks() {
  // A checkable item checks itself when chosen; a choice the window refused
  // must not stay checked.
  for (int l = 0; l < 4; ++l) MenuItem(kLanguageFirst + l)->setChecked(l == language_);
  for (int k = 0; k < 10; ++k) MenuItem(kSpeakerFirst + k)->setChecked(language_ >= 0 && k == speaker_);
  MenuItem(kRate8K)->setChecked(settings_.dbSampleRate == 8000);
  MenuItem(kRate16K)->setChecked(settings_.dbSampleRate != 8000);
}

bool CSpeechEditorDlg::OnCommand(int id) {
  if (id >= kLanguageFirst && id < kLanguageFirst + 4) {
    LoadLanguage(id - kLanguageFirst);
    SyncCheckMarks();
    return true;
  }
  if (id >= kSpeakerFirst && id < kSpeakerFirst + 10) {
    SelectSpeaker(id - kSpeakerFirst);
    SyncCheckMarks();
    return true;
  }
  switch (id) {
    case kRate8K:
    case kRate16K:
      SelectRate(id == kRate8K ? 8000 : 16000);
      SyncCheckMarks();
      return true;
    case kInitialize: InitializeSliders(); return true;
    case kPlay: Play(); return true;
    case kStop: Stop(); return true;
    case kFile: Export(); return true;
    case kRepeat: {
      if (!IsControlEnabled(kRepeat)) return true;
      repeat_ = !repeat_;
      auto* button = buttons_.at(kRepeat);
      button->toggleState = repeat_ ? ui::ToggleState::On : ui::ToggleState::Off;
      button->SyncLook();
      button->update();
      return true;
    }
    case kNew: editor_->clear(); return true;
    case kOpen:
    case kLoad: OpenTextFile(); return true;
    case kSaveMenu:
    case kSave: SaveTextFile(); return true;
    case kCut: editor_->cut(); return true;
    case kCopy: editor_->copy(); return true;
    case kPaste: editor_->paste(); return true;
    case kSelectAll: editor_->selectAll(); return true;
    case kFontMenu:
    case kFont: ChooseFont(); return true;
    case kDictionaryLoad: LoadDictionary(); return true;
    case kDictionaryUnload: dictionaryPath_.clear(); return true;
    case kEffectLoad:
    case kEffectUnload:
    case kPrint: return true;  // offered without an action
    case kAbout:
    case kAboutSystemItem: ShowAbout(); return true;
    case kExit:
      EndDialog(win::kResultOk);
      if (!IsModalRunning()) close();
      return true;
    default: return win::Dialog::OnCommand(id);
  }
}

void CSpeechEditorDlg::LoadLanguage(int language) {
  if (language == language_) {
    MenuItem(kLanguageFirst + language)->setChecked(true);
    return;
  }
  const std::string folder =
      ResolveDatabaseFolder(settings_.dbPaths[static_cast<std::size_t>(language)], environment_.startFolder,
                            environment_.programFolder);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = STTS_LoadEngine(language, folder.c_str(), 0);
  QApplication::restoreOverrideCursor();
  if (result != 0) {
    const std::string message = Format("%d:STTS Engine Load Failed : (%d)", language, result);
    Log(message + " " + folder);
    ShowMessage(message, kCaption, true);
    // The previous language (or none) stays.
    if (language_ >= 0) {
      MenuItem(kLanguageFirst + language_)->setChecked(true);
    } else if (QAction* checked = languageGroup_->checkedAction()) {
      checked->setChecked(false);
    }
    return;
  }
  // A speech of the previous language ends with it.
  Stop();
  if (language_ >= 0) STTS_UnLoadEngine(language_);
  language_ = language;
  MenuItem(kLanguageFirst + language)->setChecked(true);
  RewriteSpeakerItems();
  repeat_ = false;
  auto* repeat = buttons_.at(kRepeat);
  repeat->toggleState = ui::ToggleState::Off;
  SetControlEnabled(kRepeat, true);
  SetIdle(true);
  InitializeSliders();
  editor_->setFocus();
}

void CSpeechEditorDlg::RewriteSpeakerItems() {
  int first = -1;
  for (int k = 0; k < 10; ++k) {
    SpeakerDbInfo info{};
    STTS_GetDBInfo(language_, k, &info);
    QAction* item = MenuItem(kSpeakerFirst + k);
    item->setText(FromUtf8(SpeakerItemText(k, info)));
    item->setEnabled(info.id >= 0);
    item->setChecked(false);
    if (info.id >= 0 && first < 0) first = k;
  }
  if (first >= 0) SelectSpeaker(first);
}

void CSpeechEditorDlg::SelectSpeaker(int speaker) {
  if (language_ < 0) return;
  SpeakerDbInfo info{};
  if (STTS_GetDBInfo(language_, speaker, &info) != STTS_OK || info.id < 0) return;
  speakerInfo_ = info;
  speaker_ = speaker;
  speakerPicture_ = SpeakerPictureId(speaker);
  speakerLabel_->setPixmap(speakerPicture_ != 0 ? QPixmap::fromImage(speechutil::SpeakerPicture(speakerPicture_)) : QPixmap());
  MenuItem(kSpeakerFirst + speaker)->setChecked(true);
  RefreshTitle();
}

void CSpeechEditorDlg::SelectRate(int rate) {
  // The rate is offered once a language is loaded; at start it only shows the setting.
  if (language_ < 0 && rate != settings_.dbSampleRate) return;
  settings_.dbSampleRate = rate == 8000 ? 8000 : 16000;
  MenuItem(settings_.dbSampleRate == 8000 ? kRate8K : kRate16K)->setChecked(true);
  RefreshTitle();
}

void CSpeechEditorDlg::RefreshTitle() {
  if (language_ < 0) {
    setWindowTitle(FromUtf8(EditorTitle(environment_.version)));
    return;
  }
  setWindowTitle(FromUtf8(EditorTitle(environment_.version, speakerInfo_, settings_.dbSampleRate)));
}

void CSpeechEditorDlg::InitializeSliders() {
  if (language_ < 0) return;
  int minimum = 0;
  int maximum = 0;
  Slider(kSpeedSlider)->setValue(SpeedPosition(STTS_GetSpeedDefault(language_, &minimum, &maximum)));
  Slider(kVolumeSlider)->setValue(VolumePosition(STTS_GetVolumeDefault(language_, &minimum, &maximum)));
  Slider(kPitchSlider)->setValue(PitchPosition(STTS_GetPitchDefault(language_, speaker_, &minimum, &maximum)));
}

bool CSpeechEditorDlg::TakeText(std::u16string& text, int& start, int& end) {
  const QString all = editor_->toPlainText();
  if (all.isEmpty()) return false;
  const QTextCursor cursor = editor_->textCursor();
  if (cursor.hasSelection()) {
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
    // The document counts a paragraph break as one position, as the plain text has one "\n".
    text = ToU16(all.mid(start, end - start));
  } else {
    start = end = 0;
    text = ToU16(all);
  }
  return !text.empty();
}

void CSpeechEditorDlg::Play() {
  if (language_ < 0 || !IsControlEnabled(kPlay)) return;
  std::u16string text;
  int start = 0;
  int end = 0;
  if (!TakeText(text, start, end)) {
    ShowMessage("There is no text to speak.", kCaption, false);
    return;
  }
  playStart_ = start;
  playEnd_ = end;
  highlightEnd_ = 0;
  playedText_ = ConvertToEngineText(text, language_);
  SpeechJob job;
  const int generation = ++generation_;
  // Messages of an earlier playback that arrive late are dropped.
  job.post = [this, generation](std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, id, wParam, lParam] {
          if (generation == generation_) OnMessage({id, wParam, lParam});
        },
        Qt::QueuedConnection);
  };
  job.message = kSpeechStatusMessage;
  job.language = language_;
  job.speaker = speaker_;
  job.text = playedText_.bytes;
  job.markup = CurrentMarkup();
  job.dictionary = dictionaryPath_;
  job.outputRate = settings_.dbSampleRate;
  stoppedByUser_ = false;
  playback_->Start(std::move(job));
}

void CSpeechEditorDlg::Stop() {
  if (!playback_->Running()) return;
  stoppedByUser_ = true;
  playback_->Stop();
}

void CSpeechEditorDlg::Export() {
  if (language_ < 0 || !IsControlEnabled(kFile)) return;
  std::u16string text;
  int start = 0;
  int end = 0;
  if (!TakeText(text, start, end)) {
    ShowMessage("There is no text to save as speech.", kCaption, false);
    return;
  }
  const auto choice = ExportFileDialog::Current().Run(this, ExportFilter(), settings_.fileFormat);
  if (!choice || choice->path.empty()) return;
  const int index = choice->filterIndex >= 1 && choice->filterIndex <= kExportFormatCount ? choice->filterIndex : 1;
  settings_.fileFormat = index;
  const ExportFormat& format = ExportFormatAt(index);
  const std::string path = WithDefaultExtension(choice->path, std::string(format.extension));
  // The dialog asked about the name as typed; the extension may name another file.
  std::error_code error;
  if (path != choice->path && std::filesystem::exists(path, error) &&
      !MessageBoxes::Current().Ask(this, path + " already exists.\nDo you want to replace it?", kCaption)) {
    return;
  }

  ExportRequest request;
  request.job.language = language_;
  request.job.speaker = speaker_;
  request.job.text = ConvertToEngineText(text, language_).bytes;
  request.job.markup = CurrentMarkup();
  request.job.dictionary = dictionaryPath_;
  request.job.outputRate = format.rate;
  request.container = format.container;
  request.encoding = format.encoding;
  std::atomic<bool> cancel{false};
  std::atomic<int> progress{0};
  std::atomic<bool> finished{false};
  request.cancel = &cancel;
  exportCancel_ = &cancel;
  request.progress = [&progress](double share) { progress = static_cast<int>(share * 1000); };

  // The export runs beside the window thread so that the progress can be
  // shown and the export cancelled; the window takes no input meanwhile.
  ExportResult result = ExportResult::Done;
  const SpeechReports reports = Reports();
  std::thread worker([&] {
    result = ExportSpeech(request, path, reports);
    finished = true;
  });
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QProgressDialog dialog(QString("Saving %1").arg(FromUtf8(path)), "Cancel", 0, 1000, this);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(400);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  while (!finished) {
    dialog.setValue(progress);
    if (dialog.wasCanceled()) cancel = true;
    QApplication::processEvents(dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 20);
    QThread::msleep(10);
  }
  worker.join();
  exportCancel_ = nullptr;
  dialog.hide();
  QApplication::restoreOverrideCursor();

  switch (result) {
    case ExportResult::Done: ShowMessage("TextToFile Success : (" + path + ")", kCaption, false); break;
    case ExportResult::Cancelled: break;
    case ExportResult::TooLong:
      ShowMessage("TextToFile Failed : (" + path + ")\nThe speech is too long for one " +
                      std::string(format.extension) + " file; choose a raw PCM format or a shorter text.",
                  kCaption, true);
      break;
    case ExportResult::EngineFailed:
    case ExportResult::CannotCreate:
    case ExportResult::WriteFailed:
      Log("TextToFile Failed : (" + path + ")");
      ShowMessage("TextToFile Failed : (" + path + ")", kCaption, true);
      break;
  }
}

void CSpeechEditorDlg::OpenTextFile() {
  win::FileDialogRequest request;
  request.kind = win::FileDialogRequest::Kind::Open;
  request.filter = kTextFilter;
  const auto path = win::CommonDialogs::Current().RunFileDialog(this, request);
  if (path && !path->empty()) LoadTextFile(*path);
}

bool CSpeechEditorDlg::LoadTextFile(const std::string& path) {
  const CUnicodeTextFile::ReadResult file = CUnicodeTextFile::Read(path);
  if (file.status == CUnicodeTextFile::Status::TooLarge) {
    ShowMessage("The file is too large to open (more than 64 MB).", kCaption, true);
    return false;
  }
  if (file.status != CUnicodeTextFile::Status::Ok) {
    ShowMessage("Couldn't open file!", kCaption, true);
    return false;
  }
  editor_->setPlainText(WithLineFeeds(file.text));
  if (file.dataLost) {
    ShowMessage(
        "Data was lost when reading file. This means that some Unicode-characters couldn't be converted to "
        "multi-byte characters.",
        kCaption, true);
  }
  return true;
}

void CSpeechEditorDlg::SaveTextFile() {
  win::FileDialogRequest request;
  request.kind = win::FileDialogRequest::Kind::Save;
  request.filter = kTextFilter;
  request.defaultExtension = "txt";
  request.overwritePrompt = true;
  const auto chosen = win::CommonDialogs::Current().RunFileDialog(this, request);
  if (!chosen || chosen->empty()) return;
  const std::string path = WithDefaultExtension(*chosen, "txt");
  if (!CUnicodeTextFile::Write(path, WithCrLf(editor_->toPlainText()))) {
    ShowMessage("Couldn't open file!", kCaption, true);
  }
}

void CSpeechEditorDlg::ChooseFont() {
  win::FontDescription current;
  current.face = ToUtf8(editFont_.family());
  current.height = -(editFont_.pixelSize() > 0 ? editFont_.pixelSize() : 16);
  current.weight = editFont_.weight();
  current.italic = editFont_.italic();
  current.underline = editFont_.underline();
  current.strikeOut = editFont_.strikeOut();
  current.charSet = 129;  // Hangul
  const auto chosen = win::CommonDialogs::Current().RunFontDialog(this, current);
  if (!chosen) return;
  QFont font(FromUtf8(chosen->face));
  font.setPixelSize(chosen->height == 0 ? 16 : std::abs(chosen->height));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(chosen->weight, 100, 900)));
  font.setItalic(chosen->italic);
  font.setUnderline(chosen->underline);
  font.setStrikeOut(chosen->strikeOut);
  editFont_ = font;
  editor_->setFont(editFont_);
}

void CSpeechEditorDlg::LoadDictionary() {
  win::FileDialogRequest request;
  request.kind = win::FileDialogRequest::Kind::Open;
  request.filter = kDictionaryFilter;
  const auto path = win::CommonDialogs::Current().RunFileDialog(this, request);
  if (path && !path->empty()) dictionaryPath_ = *path;
}

void CSpeechEditorDlg::ShowAbout() {
  CAboutDlg about(this);
  about.DoModal(this);
}

// ---- Messages ------------------------------------------------------------------

std::intptr_t CSpeechEditorDlg::OnMessage(const win::Msg& message) {
  if (message.id == kSpeechStatusMessage) {
    OnStatus(static_cast<std::intptr_t>(message.wParam));
    return 0;
  }
  if (message.id == kSpeechHighlightMessage) {
    OnHighlight(static_cast<int>(message.wParam), static_cast<int>(message.lParam));
    return 0;
  }
  return win::Dialog::OnMessage(message);
}

void CSpeechEditorDlg::OnStatus(std::intptr_t status) {
  if (status == kStatusStarted) {
    SetControlEnabled(kPlay, false);
    SetControlEnabled(kFile, false);
    SetControlEnabled(kStop, true);
    return;
  }
  SetIdle(true);
  if (status != kStatusFinished) return;
  QTextCursor cursor(editor_->document());
  const int last = editor_->document()->characterCount() - 1;
  cursor.setPosition(std::clamp(playStart_, 0, last));
  cursor.setPosition(std::clamp(playEnd_, 0, last), QTextCursor::KeepAnchor);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
  editor_->setFocus();
  if (repeat_ && !stoppedByUser_) Play();
}

void CSpeechEditorDlg::OnHighlight(int start, int end) {
  const auto [a, c] = playedText_.Utf16Span(start, end);
  const int last = editor_->document()->characterCount() - 1;
  QTextCursor cursor(editor_->document());
  cursor.setPosition(std::clamp(playStart_ + highlightEnd_, 0, last));
  cursor.setPosition(std::clamp(playStart_ + a + c, 0, last), QTextCursor::KeepAnchor);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
  highlightEnd_ = a + c;
}

// ---- Keys and dropped files -------------------------------------------------------

void CSpeechEditorDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape belong to the focused control; they never close the window.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  win::Dialog::keyPressEvent(event);
}

void CSpeechEditorDlg::closeEvent(QCloseEvent* event) {
  // Closed from outside (a logout, a signal) while an export runs: the export
  // is cancelled, leaving no half file, and the window ends once it returns.
  if (exportCancel_ != nullptr) *exportCancel_ = true;
  win::Dialog::closeEvent(event);
}

void CSpeechEditorDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CSpeechEditorDlg::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  const std::string file = ResolveDroppedFile(ToUtf8(urls.front().toLocalFile()));
  if (!file.empty()) LoadTextFile(file);
  event->acceptProposedAction();
}

}  // namespace orvilo::speechutil
