#include "reading/sub_library_window.h"

#include <QApplication>
#include <QPainter>
#include <QProgressBar>
#include <QResizeEvent>
#include <filesystem>

#include "core/command_ids.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/ui_language.h"
#include "platform/win/common_dialogs.h"
#include "reading/background_music.h"
#include "reading/edit_control.h"
#include "reading/voice_book_window.h"
#include "ui/picker_popup.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_button.h"
#include "ui/skin_resources.h"

namespace orvilo::reading {
namespace {

constexpr int kHeaderRowTop[3] = {25, 50, 75};
constexpr int kRowHeight = 17;
constexpr int kSizingBorder = 5;

QFont HeaderFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

// The open dialog's filter for learning files, in both languages.
constexpr const char* kLearningFileFilter = "QEL Learning File (*.qel)|*.qel||";

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

CVyr3SubLibraryWnd::CVyr3SubLibraryWnd(core::CameraModel model, QWidget* parent)
    : CVyr3SubLibraryWnd(model, ReadingPanelOptions{}, parent) {}

CVyr3SubLibraryWnd::CVyr3SubLibraryWnd(core::CameraModel model, ReadingPanelOptions options, QWidget* parent)
    : ReadingPanel(parent), model_(model), options_(std::move(options)) {
  if (options_.programFolder.empty()) options_.programFolder = sys::ProgramFolder();
  if (options_.settingsFile.empty()) {
    options_.settingsFile = sys::JoinPath(options_.programFolder, std::string(core::kSettingsFileName));
  }
  koreanUi_ = options_.koreanUi ? *options_.koreanUi
                                : core::SettingsStore(options_.programFolder, sys::SystemUiLanguage())
                                      .IsKoreanComponentLanguage();
  edit_ = new CVyrEditCtrl(koreanUi_, this);
  edit_->setProperty("controlId", kTextControlId);
  engine_ = options_.makeEngine ? options_.makeEngine(Handle())
                                : std::make_unique<SonaraEngine>(Handle(), message::kSpeechStatus);
  // Music events come from GStreamer's threads: they only queue a message.
  auto onMusicEvent = [handle = Handle()] {
    if (win::Window* window = win::Window::FromHandle(handle)) window->PostMessage(message::kBackgroundMusic);
  };
  music_ = options_.makeMusic ? options_.makeMusic(onMusicEvent) : std::make_unique<GstMusicPlayer>(onMusicEvent);
  session_ = std::make_unique<ReadingSession>(*engine_, *edit_, *music_);
  session_->onListEnd = [this] { NextVoiceBook(); };
  recognizer_ = std::make_unique<Recognizer>(options_.makeOcr ? options_.makeOcr() : std::make_unique<LexiqModule>());
}

CVyr3SubLibraryWnd::~CVyr3SubLibraryWnd() {
  recognizer_.reset();  // waits for a recognition still running
  if (recognising_) QApplication::restoreOverrideCursor();
  const bool started = session_->State() != ReadingState::None;
  session_->Shutdown();
  if (started) engine_->ShutDown();
}

bool CVyr3SubLibraryWnd::OnCreate() {
  // Read from the settings file now, written back when the panel goes.
  list_ = new CVyrSkinList(options_.settingsFile);
  if (!list_->Create(this, QStringLiteral("VyrSkinList"), kTextControlId, QRect(6, 163, 224, 100), false)) {
    list_->setParent(this);
  }
  list_->hide();
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 0);  // busy: recognition gives no steps
  progress_->setTextVisible(false);
  progress_->hide();

  expand_ = new ui::CSkinButton();
  if (!expand_->Create(kExpandButtonId, this, skin::kPanelExpand, 0, 0, koreanUi_)) expand_->setParent(this);
  expand_->hide();
  collapse_ = new ui::CSkinButton();
  if (!collapse_->Create(kCollapseButtonId, this, skin::kPanelCollapse, 0, 0, koreanUi_)) collapse_->setParent(this);
  for (int i = 0; i < 3; ++i) {
    bookButtons_[i] = new ui::CSkinButton();
    if (!bookButtons_[i]->Create(kFirstBookButtonId + i, this, skin::VoiceBookButton(i, koreanUi_), 0, 130, koreanUi_)) {
      bookButtons_[i]->setParent(this);
    }
    bookButtons_[i]->hide();
    pickers_[i] = new ui::CSkinButton();
    if (!pickers_[i]->Create(kLanguagePickerId + i, this, skin::PanelPickerButton(i), 0, kHeaderRowTop[i], koreanUi_)) {
      pickers_[i]->setParent(this);
    }
  }
  pickers_[1]->look = ui::ButtonLook::Disabled;
  LayOutControls();
  StartEngine();
  return true;
}

void CVyr3SubLibraryWnd::StartEngine() {
  if (session_->State() != ReadingState::None) return;
  const std::string root = sys::JoinPath(options_.programFolder, "Sonara_M_DB") + "/";
  if (StartSpeechEngine(*engine_, model_, root, session_->voiceSlots)) {
    session_->EngineReady();
    if (const auto slot = VoiceSlotOf(session_->voiceSlots, session_->language)) session_->voiceSlot = *slot;
  }
}

// ---- Text and commands of the main window -------------------------------

void CVyr3SubLibraryWnd::SetText(const std::string& text) {
  ++textGeneration_;
  edit_->SetText(text);
}

std::string CVyr3SubLibraryWnd::Text() const { return edit_->WholeText(); }

void CVyr3SubLibraryWnd::SetBackgroundMusic(const std::string& path) {
  // Whatever the music was, what plays now is released first.
  session_->SetBackgroundMusic(path, !path.empty() && FileExists(path));
  SetNotice({});
}

void CVyr3SubLibraryWnd::RegisterUserDictionary(const std::string& path) {
  if (session_->State() != ReadingState::None && !path.empty()) engine_->RegisterUserDictionary(path);
}

void CVyr3SubLibraryWnd::Reading(bool repeatRun) {
  if (session_->State() == ReadingState::None) {
    SetNotice(koreanUi_ ? QStringLiteral("음성 엔진을 사용할 수 없습니다") : QStringLiteral("Speech is not available"));
    return;
  }
  // A paused or running reading goes on with its own book.
  const bool fresh = session_->State() == ReadingState::Ready || session_->State() == ReadingState::Stopped;
  if (IsListView(view_) && !repeatRun && fresh) StartVoiceBooks();
  session_->Reading(repeatRun);
  if (session_->PlayRefused()) {
    SetNotice(koreanUi_ ? QStringLiteral("이 언어의 음성이 없습니다") : QStringLiteral("No voice for this language"));
  } else if (session_->MusicFailed()) {
    SetNotice(koreanUi_ ? QStringLiteral("배경음악을 재생할 수 없습니다") : QStringLiteral("Background music cannot be played"));
  }
}

void CVyr3SubLibraryWnd::ToggleView() {
  switch (view_) {
    case ReadingView::Text: view_ = ReadingView::List; break;
    case ReadingView::List: view_ = ReadingView::Text; break;
    case ReadingView::TextCollapsed: view_ = ReadingView::ListCollapsed; break;
    case ReadingView::ListCollapsed: view_ = ReadingView::TextCollapsed; break;
  }
  session_->listView = IsListView(view_);
  const bool list = IsListView(view_);
  for (auto* button : bookButtons_) button->setVisible(list);
  list_->setVisible(list);
  edit_->setVisible(!list);
  update();
}

void CVyr3SubLibraryWnd::Refresh() {
  update();
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->update();
}

void CVyr3SubLibraryWnd::SetLanguage(int language) {
  if (language == session_->language || (language != 0 && language != 1)) return;
  // A piece being spoken finishes in its language; the next is read in the new one.
  session_->language = language;
  if (const auto slot = VoiceSlotOf(session_->voiceSlots, language)) session_->voiceSlot = *slot;
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    owner->SendMessage(message::kReadingLanguage, static_cast<std::uintptr_t>(language));
  }
  update();
}

void CVyr3SubLibraryWnd::SetSpeedIndex(int speedIndex) {
  if (speedIndex < 0 || speedIndex >= kSpeedCount) return;
  session_->speedIndex = speedIndex;
  update();
}

// ---- Voice books -----------------------------------------------------------

void CVyr3SubLibraryWnd::AddVoiceBook(const std::string& path) { list_->Add(path); }

void CVyr3SubLibraryWnd::AddVoiceBooks() {
  win::FileDialogRequest request;
  request.kind = win::FileDialogRequest::Kind::Open;
  request.filter = kLearningFileFilter;
  request.hideReadOnly = true;
  for (const std::string& path : win::CommonDialogs::Current().RunFilesDialog(this, request)) list_->Add(path);
}

void CVyr3SubLibraryWnd::RemoveVoiceBooks() {
  list_->List().RemoveCheckedOrSelected();
  list_->Refresh();
}

void CVyr3SubLibraryWnd::RenameVoiceBook() {
  VoiceBookList& books = list_->List();
  if (books.Selected() < 0 || !services_.askNewName) return;
  const std::optional<std::string> name = services_.askNewName(books.Items()[books.Selected()].name);
  if (!name) return;
  books.RenameSelected(*name);
  list_->Refresh();
}

// Before a reading in the list view: the checked book at or after the
// selected row (else from the top) is loaded. Without one the control's own
// text is read.
void CVyr3SubLibraryWnd::StartVoiceBooks() {
  if (!LoadVoiceBook(list_->List().ChooseBookToRead(), true)) session_->EndReading();
  list_->Refresh();
}

// A book was read to its end: the next checked one follows, with repeat
// from the top again; otherwise reading ends.
void CVyr3SubLibraryWnd::NextVoiceBook() {
  const bool next = LoadVoiceBook(list_->List().NextBookToRead(session_->repeat), session_->repeat);
  list_->Refresh();
  if (next) {
    session_->Reading(false);
  } else {
    session_->EndReading();
  }
}

// Loads the book at `row`. A book that cannot be read (moved, deleted, not a
// learning file) is passed over for the next checked one, each tried at most
// once, so that no book is replaced by the text of the one before it.
bool CVyr3SubLibraryWnd::LoadVoiceBook(std::optional<int> row, bool wrap) {
  VoiceBookList& books = list_->List();
  for (int tries = 0; row && tries < books.Count() && services_.loadBook; ++tries) {
    if (services_.loadBook(books.Items()[*row].path)) return true;
    row = books.NextBookToRead(wrap);
  }
  return false;
}

void CVyr3SubLibraryWnd::StepItem(int direction) {
  if (IsListView(view_)) {
    StepVoiceBook(direction);
  } else {
    session_->StepPiece(direction);
  }
}

// The remote's next / previous book in a list view: the next or previous
// checked book (every listed one while none is checked) is loaded as a
// reading would load it, selected and scrolled into view. A book that was
// being read stops and the new one is read from its start; a paused or
// stopped one leaves the new book waiting for Reading. A book that cannot
// be loaded is passed over for the one beyond it; at either end nothing
// changes.
void CVyr3SubLibraryWnd::StepVoiceBook(int direction) {
  VoiceBookList& books = list_->List();
  std::optional<int> row = books.StepFrom(books.Selected(), direction);
  if (!row || !services_.loadBook) return;
  const ReadingState state = session_->State();
  const bool wasReading = state == ReadingState::Playing;
  // No book is loaded under a running speech.
  if (state == ReadingState::Playing || state == ReadingState::Paused) session_->Stop();
  bool loaded = false;
  for (; row; row = books.StepFrom(*row, direction)) {
    if (services_.loadBook(books.Items()[*row].path)) {
      loaded = true;
      break;
    }
  }
  if (loaded) {
    books.Select(*row);
    list_->ShowRow(*row);
  }
  list_->Refresh();
  if (loaded && wasReading) {
    session_->Reading(false);
  } else if (state == ReadingState::Playing || state == ReadingState::Paused) {
    session_->EndReading();
  }
}

void CVyr3SubLibraryWnd::TellFileProblem(FileProblem problem) {
  switch (problem) {
    case FileProblem::LearningFileNotSaved:
      SetNotice(koreanUi_ ? QStringLiteral("학습 파일을 저장하지 못했습니다") : QStringLiteral("The learning file was not saved"));
      break;
    case FileProblem::LearningFileCannotOpen:
      SetNotice(koreanUi_ ? QStringLiteral("학습 파일을 열 수 없습니다") : QStringLiteral("The learning file cannot be opened"));
      break;
    case FileProblem::NotLearningFile:
      SetNotice(koreanUi_ ? QStringLiteral("학습 파일이 아닙니다") : QStringLiteral("This is not a learning file"));
      break;
    case FileProblem::DictionaryNotSaved:
      SetNotice(koreanUi_ ? QStringLiteral("사전을 저장하지 못했습니다") : QStringLiteral("The dictionary was not saved"));
      break;
  }
}

// ---- Recognition ---------------------------------------------------------

bool CVyr3SubLibraryWnd::InitRecognition() { return recognizer_->Init(); }

gdi::Rect CVyr3SubLibraryWnd::Recognise(const gdi::PackedDib& picture, const PageGeometry& geometry) {
  if (recognising_) return geometry.selection;  // the running one's text lands; this press is dropped
  if (!recognizer_->Available() || picture.IsEmpty()) {
    SetText({});
    if (!recognizer_->Available()) {
      SetNotice(koreanUi_ ? QStringLiteral("글자 인식을 사용할 수 없습니다") : QStringLiteral("Text recognition is not available"));
    } else {
      SetNotice(koreanUi_ ? QStringLiteral("인식할 그림이 없습니다") : QStringLiteral("No picture to recognise"));
    }
    return geometry.selection;
  }
  PageGeometry page = geometry;
  page.imageWidth = picture.width();
  page.imageHeight = picture.height();
  const MappedSelection region = MapSelection(page);
  const std::string scratch = core::SettingsStore(options_.programFolder, sys::SystemUiLanguage()).ScratchFolder();
  recognitionGeneration_ = textGeneration_;
  const bool started = recognizer_->Start(picture.Clone(), region, scratch, [this, handle = Handle()](std::string text) {
    {
      std::lock_guard guard(resultLock_);
      recognisedText_ = std::move(text);
    }
    if (win::Window* window = win::Window::FromHandle(handle)) window->PostMessage(kRecognitionFinished);
  });
  if (!started) return region.selection;
  recognising_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  progress_->show();
  progress_->raise();
  SetNotice(koreanUi_ ? QStringLiteral("글자를 인식하는 중…") : QStringLiteral("Recognising text…"));
  return region.selection;
}

void CVyr3SubLibraryWnd::FinishRecognition() {
  if (!recognising_) return;
  recognising_ = false;
  QApplication::restoreOverrideCursor();
  progress_->hide();
  std::string text;
  {
    std::lock_guard guard(resultLock_);
    text = std::move(recognisedText_);
  }
  SetNotice({});
  // A text set since the command (another mode, a learning file) stays.
  if (recognitionGeneration_ != textGeneration_) return;
  SetText(text);
  if (text.empty()) SetNotice(koreanUi_ ? QStringLiteral("인식된 글자가 없습니다") : QStringLiteral("No text was recognised"));
}

// ---- Messages and commands -----------------------------------------------

std::intptr_t CVyr3SubLibraryWnd::OnMessage(const win::Msg& msg) {
  switch (msg.id) {
    case message::kSpeechStatus:
      session_->OnStatus(static_cast<int>(msg.wParam));
      return 0;
    case message::kBackgroundMusic:
      if (auto* player = dynamic_cast<GstMusicPlayer*>(music_.get()); !player || player->TakeEnded()) {
        session_->OnMusicEnded();
      }
      return 0;
    case kRecognitionFinished: FinishRecognition(); return 0;
    default: return ReadingPanel::OnMessage(msg);
  }
}

bool CVyr3SubLibraryWnd::OnCommand(int commandId) {
  switch (commandId) {
    case kCollapseButtonId: Collapse(); return true;
    case kExpandButtonId: Expand(); return true;
    case kLanguagePickerId: PickLanguage(); return true;
    case kSpeedPickerId: PickSpeed(); return true;
    case kVoicePickerId: return true;
    case kFirstBookButtonId: AddVoiceBooks(); return true;
    case kFirstBookButtonId + 1: RemoveVoiceBooks(); return true;
    case kFirstBookButtonId + 2: RenameVoiceBook(); return true;
    default: return edit_->OnEditCommand(commandId) || ReadingPanel::OnCommand(commandId);
  }
}

void CVyr3SubLibraryWnd::PickLanguage() {
  const QPoint at = pickers_[0]->mapToGlobal(QPoint(0, 0));
  int selected = session_->language;
  std::vector<ui::PickerItem> items = {{QImage(), 0, "Korean"}, {QImage(), 1, "English"}};
  const gdi::Rect row{at.x() - 60, at.y() + kRowHeight, at.x() + 18, at.y() + 2 * kRowHeight};
  if (ui::PickerRunner::Current().Run(this, ui::PickerKind::Custom, row, selected, std::move(items)) == win::kResultOk) {
    SetLanguage(selected);
  }
}

void CVyr3SubLibraryWnd::PickSpeed() {
  const QPoint at = pickers_[2]->mapToGlobal(QPoint(0, 0));
  int selected = session_->speedIndex;
  std::vector<ui::PickerItem> items;
  for (int i = 0; i < kSpeedCount; ++i) items.push_back({QImage(), kSpeedPercent[i], SpeedLabel(i)});
  const gdi::Rect row{at.x() - 60, at.y() + kRowHeight, at.x() + 18, at.y() + 2 * kRowHeight};
  if (ui::PickerRunner::Current().Run(this, ui::PickerKind::Custom, row, selected, std::move(items)) == win::kResultOk) {
    SetSpeedIndex(selected);
  }
}

// ---- Layout, collapse and resize -----------------------------------------

void CVyr3SubLibraryWnd::LayOutControls() {
  const int W = width(), H = height();
  if (W < kReadingPanelWidth) return;
  edit_->setGeometry(QRect(QPoint(6, 125), QPoint(W - 1, H - 5)));
  list_->setGeometry(QRect(QPoint(6, 163), QPoint(W - 1, H - 5)));
  progress_->setGeometry(6, 104, W - 12, 14);
  const int buttonY = (H - 55) / 2;
  expand_->move(0, buttonY);
  collapse_->move(0, buttonY);
  const int d = (W - 179) / 4;
  int x = d + 5;
  for (auto* button : bookButtons_) {
    button->move(x, 130);
    x += d + 58;
  }
  for (int i = 0; i < 3; ++i) pickers_[i]->move(W - 25, kHeaderRowTop[i]);
  const bool list = IsListView(view_);
  edit_->setVisible(!list);
  list_->setVisible(list);
}

void CVyr3SubLibraryWnd::resizeEvent(QResizeEvent* event) {
  ReadingPanel::resizeEvent(event);
  if (width() >= kReadingPanelWidth) LayOutControls();
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->SendCommand(command::kPanelResized);
  Refresh();
}

win::HitTest CVyr3SubLibraryWnd::HitTestAt(const QPoint& windowPoint) const {
  if (!IsCollapsed(view_) && windowPoint.x() >= 0 && windowPoint.x() < kSizingBorder) return win::HitTest::Left;
  return win::HitTest::Client;
}

void CVyr3SubLibraryWnd::OnSizing(win::HitTest, QRect& proposed) {
  const int right = proposed.x() + proposed.width();
  const int width = std::clamp(proposed.width(), kReadingPanelWidth, kMaxPanelWidth);
  proposed.setLeft(right - width);
}

void CVyr3SubLibraryWnd::OnExitSizeMove() {
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) owner->PostCommand(command::kPanelSizingEnded);
}

void CVyr3SubLibraryWnd::Collapse() {
  if (IsCollapsed(view_)) return;
  panelWidth_ = width();
  view_ = view_ == ReadingView::Text ? ReadingView::TextCollapsed : ReadingView::ListCollapsed;
  const int right = x() + width();
  setGeometry(right - kCollapsedReadingPanelWidth, y(), kCollapsedReadingPanelWidth, height());
  collapse_->hide();
  expand_->show();
}

void CVyr3SubLibraryWnd::Expand() {
  if (!IsCollapsed(view_)) return;
  view_ = view_ == ReadingView::TextCollapsed ? ReadingView::Text : ReadingView::List;
  const int right = x() + width();
  setGeometry(right - panelWidth_, y(), panelWidth_, height());
  expand_->hide();
  collapse_->show();
}

// ---- Painting --------------------------------------------------------------

void CVyr3SubLibraryWnd::SetNotice(const QString& notice) {
  if (notice == notice_) return;
  notice_ = notice;
  update();
}

QString CVyr3SubLibraryWnd::VoiceName() const {
  const int slot = session_->voiceSlot;
  if (slot >= 0 && slot < kVoiceSlotCount && session_->voiceSlots[slot].language == session_->language &&
      !session_->voiceSlots[slot].name.empty()) {
    return QString::fromStdString(session_->voiceSlots[slot].name);
  }
  return session_->language == 0 ? QStringLiteral("Dasol") : QStringLiteral("Wenda");
}

void CVyr3SubLibraryWnd::paintEvent(QPaintEvent*) {
  QImage canvas(size(), QImage::Format_RGB32);  // double-buffered
  canvas.fill(QColor(227, 227, 227));
  QPainter painter(&canvas);
  const int W = width(), H = height(), c = W / 2;
  painter.drawImage(QRect(0, 0, kSizingBorder, H), ui::LoadSkinBitmap(skin::kSplitBar));
  if (!IsCollapsed(view_)) {
    const QImage header = ui::LoadSkinBitmap(skin::kPanelHeader);
    if (!header.isNull()) painter.drawImage(QRect(kSizingBorder, 0, W - kSizingBorder, header.height()), header);
    painter.drawImage(QPoint(koreanUi_ ? 16 : 5, 17), ui::LoadSkinBitmap(skin::kPanelPicture));
    const QImage cap = ui::LoadSkinBitmap(skin::kPanelRowCap);
    const QImage field = ui::LoadSkinBitmap(skin::kPanelRowField);
    painter.setFont(HeaderFont());
    const QString labels[3] = {koreanUi_ ? QStringLiteral("언어") : QStringLiteral("Language"),
                               koreanUi_ ? QStringLiteral("음성") : QStringLiteral("Voice"),
                               koreanUi_ ? QStringLiteral("속도") : QStringLiteral("Speed")};
    const QString values[3] = {session_->language == 0 ? QStringLiteral("Korean") : QStringLiteral("English"),
                               VoiceName(), QString::fromStdString(SpeedLabel(session_->speedIndex))};
    const int labelX = koreanUi_ ? c - 10 : c - 35;
    for (int row = 0; row < 3; ++row) {
      const int top = kHeaderRowTop[row];
      painter.drawImage(QPoint(c + 30, top), cap);
      painter.drawImage(QRect(c + 34, top, std::max(0, W - 25 - (c + 34)), kRowHeight), field);
      painter.setPen(Qt::black);
      painter.drawText(QRect(labelX, top, c + 30 - labelX, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, labels[row]);
      painter.drawText(QRect(c + 34, top, std::max(0, W - 25 - (c + 34)), kRowHeight), Qt::AlignCenter, values[row]);
    }
    if (!notice_.isEmpty()) {
      painter.setPen(QColor(160, 0, 0));
      painter.drawText(QRect(8, 100, W - 16, 24), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, notice_);
    }
  }
  painter.end();
  QPainter(this).drawImage(0, 0, canvas);
}

}  // namespace orvilo::reading
