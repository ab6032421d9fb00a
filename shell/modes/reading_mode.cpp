#include "shell/modes/reading_mode.h"

#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "core/command_ids.h"
#include "core/settings/settings_store.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/sys/file_io.h"
#include "platform/sys/program_folder.h"
#include "platform/win/geometry.h"
#include "platform/win/message.h"
#include "reading/learning_file.h"
#include "reading/page_export.h"
#include "shell/child_windows.h"
#include "shell/command_bars.h"
#include "shell/frame_geometry.h"
#include "shell/modes/stage.h"
#include "shell/settings_dialog.h"
#include "ui/picker_popup.h"

namespace orvilo::shell {

// Blinds a learning file may place (ids 1831 onwards name two digits' worth).
constexpr std::size_t kMostBlindsLoaded = 99;

namespace {
constexpr int kHideAtOnceMs = 10;
}  // namespace

Handover ReadingMode::Leave(ViewMode, Entry) {
  ChildWindows& children = context_.children;
  if (children.image) children.image->RemoveAllBlinds();
  if (children.reading) {
    children.reading->Stop();
    children.reading->hide();
    children.reading->SetText("");
  }
  return {};
}

void ReadingMode::Enter(Handover handover) {
  ChildWindows& children = context_.children;
  if (children.image && !handover.picture.IsEmpty()) children.image->SetImage(std::move(handover.picture));
  context_.host.ShowCommandBar(ViewMode::Reading);
  context_.bars.MakeReleasedToggle(command::kPanelView);
  PlacePanelAndImage(true);
  context_.stage.ShowOnly(children.image.get());
  if (children.image) children.image->SetMode(ViewMode::Reading);
  if (children.readingBar) {
    children.readingBar->ShowBar();
    Stage::Raise(children.readingBar.get());
  }
}

void ReadingMode::LayOut() { PlacePanelAndImage(false); }

void ReadingMode::AfterResize() {
  if (context_.children.reading) context_.children.reading->Refresh();
}

// The reading panel at the right of the content area and the image view
// beside it; on entering the mode the panel opens on its text.
void ReadingMode::PlacePanelAndImage(bool entering) {
  ChildWindows& children = context_.children;
  const gdi::Size client = context_.stage.ClientSize();
  int panelWidth = 0;
  if (reading::ReadingPanel* panel = children.reading.get()) {
    if (entering) {
      const reading::ReadingView view = panel->View();
      panelWidth = reading::IsCollapsed(view) ? reading::kCollapsedReadingPanelWidth : reading::kReadingPanelWidth;
      panel->setGeometry(win::ToQRect(ReadingPanelRectOnEnter(client, panelWidth)));
      if (reading::IsListView(view)) panel->ToggleView();
      panel->show();
    } else {
      panelWidth = panel->width();
      panel->setGeometry(win::ToQRect(ReadingPanelRectOnLayout(client, panelWidth)));
    }
  }
  if (children.image) children.image->setGeometry(win::ToQRect(ReadingImageRect(client, panelWidth)));
}

// The panel recognises the marked part of the picture the view shows, off
// the window thread, and hands back the selection clamped to the page.
void ReadingMode::Recognise(imageview::ImageView& image, reading::ReadingPanel& panel) {
  const imageview::ReadingSource source = image.GetReadingSource();
  const gdi::PackedDib& picture = source.picture ? *source.picture : image.SourcePicture();
  const gdi::Size client = source.client.width > 0 && source.client.height > 0 ? source.client
                                                                              : gdi::Size{image.width(), image.height()};
  const reading::PageGeometry page{picture.width(), picture.height(), client.width, client.height, source.selection,
                                   source.zoom,     source.sourceRect, source.fullScreenPicture};
  image.SetSelection(panel.Recognise(picture, page));
}

bool ReadingMode::OnCommand(int id) {
  ChildWindows& children = context_.children;
  reading::ReadingPanel* panel = children.reading.get();
  switch (id) {
    case command::kOpenLearningFile: {
      const auto path = context_.host.RunFileDialog(false, FileFilter::LearningFile, "");
      if (path) LoadLearningFile(*path);
      if (panel) panel->Refresh();
      return true;
    }
    case command::kSaveLearningFile: SaveLearningFile(); return true;
    case command::kRecognise:
      if (children.image && panel) Recognise(*children.image, *panel);
      return true;
    case command::kUserDictionary: EditUserDictionary(); return true;
    case command::kBackgroundMusic: {
      // Cancel clears the music.
      const auto path = context_.host.RunFileDialog(false, FileFilter::BackgroundMusic, "");
      if (panel) {
        panel->SetBackgroundMusic(path.value_or(""));
        panel->Refresh();
      }
      return true;
    }
    case command::kBlind:
      if (children.image) children.image->AddBlind(0, 0, 0, 0);
      return true;
    case command::kPanelView:
      if (panel) panel->ToggleView();
      return true;
    case command::kExport: Export(); return true;
    default: return false;
  }
}

void ReadingMode::Export() {
  if (!IsCurrent()) return;
  const bool korean = context_.store.IsKoreanComponentLanguage();
  std::vector<ui::PickerItem> items = {
      {QImage(), 0, korean ? "PDF (페이지와 글)" : "PDF (page and text)"},
      {QImage(), 1, korean ? "글 복사" : "Copy text"},
      {QImage(), 2, korean ? "텍스트 파일 (UTF-8)" : "Text file (UTF-8)"},
  };
  const gdi::Point button = BarButtonPosition(static_cast<int>(ViewMode::Reading),
                                              command::kExport - command::kBarFirstButton[2], context_.stage.ClientSize().width);
  const QPoint corner = context_.host.Owner()->mapToGlobal(QPoint(button.x, button.y + 52));
  int selected = 0;
  if (ui::PickerRunner::Current().Run(context_.host.Owner(), ui::PickerKind::Custom,
                                      gdi::Rect::FromPositionAndSize(corner.x(), corner.y(), 150, 17), selected,
                                      items) != win::kResultOk) {
    return;
  }
  const std::string text = context_.children.reading ? context_.children.reading->Text() : std::string();
  switch (selected) {
    case 0:
      if (const auto path = context_.host.RunFileDialog(true, FileFilter::ExportPdf, "pdf")) ExportPdf(*path);
      break;
    case 1: reading::CopyTextToClipboard(text); break;
    case 2:
      if (const auto path = context_.host.RunFileDialog(true, FileFilter::TextFile, "txt")) {
        if (!reading::WriteUtf8TextFile(*path, text)) std::fprintf(stderr, "export: cannot write %s\n", path->c_str());
      }
      break;
    default: break;
  }
}

// The page as the image view shows it (strokes and board, never the
// blinds, which are windows over it) through a scratch bitmap, with the
// panel's text.
bool ReadingMode::ExportPdf(const std::string& path) {
  QImage page;
  if (context_.children.image) {
    const std::string scratch = sys::JoinPath(context_.store.ScratchFolder(), "export_page.bmp");
    context_.children.image->SaveAnnotatedImage(scratch);
    page = gdi::ToQImage(gdi::ReadBitmapFile(scratch)).copy();
    std::remove(scratch.c_str());
  }
  const std::string text = context_.children.reading ? context_.children.reading->Text() : std::string();
  const bool written = reading::ExportPagePdf(path, page, text);
  if (!written) std::fprintf(stderr, "export: cannot write %s\n", path.c_str());
  return written;
}

bool ReadingMode::OnCommandWhileCurrent(int id) {
  ChildWindows& children = context_.children;
  reading::ReadingPanel* panel = children.reading.get();
  switch (id) {
    case command::kPanelResized:
      if (panel && children.image) {
        children.image->setGeometry(win::ToQRect(ImageRectLeftOf(win::FromQRect(panel->geometry()))));
      }
      return true;
    case command::kPanelSizingEnded:
      if (children.image) children.image->update();
      return true;
    case command::kReading:
      // In the list view the panel first loads the voice book to read.
      if (panel) panel->Reading(false);
      return true;
    case command::kPauseReading:
      if (panel) panel->PauseOrResume();
      return true;
    case command::kStopReading:
      if (panel) panel->Stop();
      return true;
    case command::kRepeat:
      if (panel) panel->ToggleRepeat();
      return true;
    case command::kNextItem:
    case command::kPreviousItem:
      // Next / previous sentence while reading, voice book in the list.
      if (panel) panel->StepItem(id == command::kNextItem ? 1 : -1);
      return true;
    default: return false;
  }
}

void ReadingMode::EditUserDictionary() {
  reading::ReadingPanel* panel = context_.children.reading.get();
  if (!panel) return;
  const core::MainWindowSettings& settings = context_.settings;
  SettingsDialogState state;
  state.page = SettingsPage::Dictionary;
  state.text1 = settings.userDicPath;
  state.text2 = settings.userEDicPath;
  state.dictionaryLanguage = panel->Language();
  if (context_.host.RunSettingsDialog(state) != win::kResultOk) return;
  const std::string& path = state.dictionaryLanguage == 1 ? settings.userEDicPath : settings.userDicPath;
  // The earlier dictionary stays whole when the new one cannot be written;
  // the teacher is told instead of the edit vanishing unnoticed.
  if (!sys::SaveFileAtomically(path, state.dictionaryText)) {
    panel->TellFileProblem(reading::ReadingPanel::FileProblem::DictionaryNotSaved);
  }
  panel->RegisterUserDictionary(path);
  panel->Refresh();
}

void ReadingMode::OnPointerActivity(std::uintptr_t hide) {
  ui::ControlBar* bar = context_.children.readingBar.get();
  if (!bar) return;
  if (hide == 1) {
    bar->SetTimer(timer::kControlBarHide, kHideAtOnceMs);
  } else {
    bar->ShowBar();
    Stage::Raise(bar);
  }
}

void ReadingMode::OnLanguageChanged(std::uintptr_t language) {
  if (!context_.children.reading) return;
  const core::MainWindowSettings& settings = context_.settings;
  context_.children.reading->RegisterUserDictionary(language == 0 ? settings.userDicPath : settings.userEDicPath);
}

void ReadingMode::AttachPanel() {
  reading::ReadingPanel* panel = context_.children.reading.get();
  if (!panel) return;
  panel->RegisterUserDictionary(context_.settings.userDicPath);
  panel->SetVoiceBookServices({[this](const std::string& path) { return LoadLearningFile(path); },
                               [this](const std::string& name) { return AskVoiceBookName(name); }});
}

bool ReadingMode::LoadLearningFile(const std::string& path) {
  using Problem = reading::ReadingPanel::FileProblem;
  using Status = reading::LearningFileContent::Status;
  imageview::ImageView* image = context_.children.image.get();
  reading::ReadingPanel* panel = context_.children.reading.get();
  if (!image) return false;
  reading::LearningFileContent content = reading::ReadLearningFile(path);
  if (content.status == Status::CannotOpen) {
    if (panel) panel->TellFileProblem(Problem::LearningFileCannotOpen);
    return false;
  }
  image->RemoveAllBlinds();
  if (content.status == Status::NotLearningFile) {
    if (panel) panel->TellFileProblem(Problem::NotLearningFile);
    return false;
  }
  if (content.selection) image->SetSelection(*content.selection);
  if (content.blinds) {
    // Each blind is a window: a damaged or hostile file asking for
    // thousands must not bury the program under them. A teacher's page
    // holds a handful.
    const std::size_t count = std::min(content.blinds->size(), kMostBlindsLoaded);
    for (std::size_t i = 0; i < count; ++i) {
      const gdi::Rect& blind = (*content.blinds)[i];
      image->AddBlind(blind.left, blind.top, blind.right, blind.bottom);
    }
  }
  if (panel && content.text) panel->SetText(*content.text);
  if (panel && content.music) panel->SetBackgroundMusic(*content.music);
  if (!content.image.IsEmpty()) image->SetImage(std::move(content.image));
  return true;
}

void ReadingMode::SaveLearningFile() {
  imageview::ImageView* image = context_.children.image.get();
  reading::ReadingPanel* panel = context_.children.reading.get();
  if (!image || !panel) return;
  const std::string text = panel->Text();
  const std::string music = panel->BackgroundMusic();
  const auto path = context_.host.RunFileDialog(true, FileFilter::LearningFile, reading::kLearningFileExtension);
  if (!path) return;
  const reading::LearningPage page{image->Selection(), image->BlindRectangles(), text, music, &image->SourcePicture()};
  if (!reading::WriteLearningFile(*path, page)) {
    panel->TellFileProblem(reading::ReadingPanel::FileProblem::LearningFileNotSaved);
    return;
  }
  panel->AddVoiceBook(*path);
}

std::optional<std::string> ReadingMode::AskVoiceBookName(const std::string& name) {
  SettingsDialogState state;
  state.page = SettingsPage::Rename;
  state.text1 = name;
  if (context_.host.RunSettingsDialog(state) != win::kResultOk) return std::nullopt;
  return state.text1;
}

}  // namespace orvilo::shell
