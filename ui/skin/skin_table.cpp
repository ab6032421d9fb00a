// Every skin picture of the program. Sizes and numbers that windows rely on
// are fixed here once; the artwork tool draws each row with its recipe.
#include "ui/skin/skin_table.h"

#include <algorithm>
#include <vector>

namespace orvilo::skin {
namespace {

constexpr PictureSize Looks(int lookWidth, int lookHeight, int looks) { return PictureSize{lookWidth * looks, lookHeight}; }

class TableBuilder {
 public:
  // A picture without text and with one version.
  SkinEntry& Add(SkinKind kind, int id, PictureSize size, Art art, std::string shows, std::string usedBy) {
    SkinEntry entry;
    entry.id = id;
    entry.kind = kind;
    entry.size = size;
    entry.art = art;
    entry.shows = std::move(shows);
    entry.usedBy = std::move(usedBy);
    entries_.push_back(std::move(entry));
    return entries_.back();
  }
  SkinEntry& Bitmap(int id, PictureSize size, Art art, std::string shows, std::string usedBy) {
    return Add(SkinKind::Bitmap, id, size, art, std::move(shows), std::move(usedBy));
  }
  // A strip of four button looks (normal, hover, pressed, disabled).
  SkinEntry& Button(int id, int lookWidth, int lookHeight, Art art, std::string icon, std::string shows, std::string usedBy) {
    SkinEntry& entry = Bitmap(id, Looks(lookWidth, lookHeight, 4), art, std::move(shows), std::move(usedBy));
    entry.looks = 4;
    entry.icon = std::move(icon);
    return entry;
  }
  // A picture drawn once with the Korean text and once with the English one.
  static SkinEntry& Texts(SkinEntry& entry, std::string korean, std::string english) {
    entry.languageSets = true;
    entry.englishSize = entry.size;
    entry.text = std::move(korean);
    entry.englishText = std::move(english);
    return entry;
  }

  std::vector<SkinEntry> Take() {
    std::sort(entries_.begin(), entries_.end(), [](const SkinEntry& a, const SkinEntry& b) {
      return a.kind != b.kind ? a.kind < b.kind : a.id < b.id;
    });
    return std::move(entries_);
  }

 private:
  std::vector<SkinEntry> entries_;
};

struct BarButton {
  const char* icon;
  const char* korean;
  const char* english;
  const char* shows;
};

// Command bars 0..4 of the main window (button i has command first(b) + i).
const std::vector<std::vector<BarButton>>& CommandBars() {
  static const std::vector<std::vector<BarButton>> bars = {
      {
          {"open", "열기", "Open", "open a picture or movie file"},
          {"save", "저장", "Save", "save the camera frame"},
          {"record", "녹화", "Record", "start recording"},
          {"resolution", "해상도", "Resolution", "camera resolution"},
          {"fullscreen", "전체화면", "Full", "full-screen picture on"},
          {"palette", "도구", "Tools", "show or hide the tools palette"},
          {"settings", "설정", "Settings", "settings"},
          {"autofocus", "자동초점", "Auto", "automatic focus"},
          {"manualfocus", "수동초점", "Manual", "manual focus (toggle)"},
          {"freeze", "일시정지", "Pause", "freeze or resume the live picture"},
          {"stop", "녹화중지", "Stop", "stop recording"},
          {"windowed", "기본화면", "Normal", "full-screen picture off"},
          {"picture", "화질조정", "Picture", "picture controls popup (brightness, contrast, exposure, white balance)"},
          {"interval", "인터벌", "Interval", "interval capture: stills every N seconds (toggle)"},
          {"timelapse", "타임랩스", "Timelapse", "time-lapse recording: a frame every N seconds into a 30 fps AVI (toggle)"},
          {"filmstrip", "필름", "Stills", "filmstrip of this session's stills (toggle)"},
          {"pen", "판서", "Draw", "drawing over the live picture, with the pen tools (toggle)"},
          {"eraseall", "판서지움", "Clear", "clear the drawing over the live picture"},
      },
      {
          {"open", "열기", "Open", "open a picture"},
          {"save", "저장", "Save", "save the picture with its drawing"},
          {"fullscreen", "전체화면", "Full", "full-screen picture on"},
          {"undo", "실행취소", "Undo", "undo"},
          {"redo", "다시실행", "Redo", "redo"},
          {"windowed", "기본화면", "Normal", "full-screen picture off"},
      },
      {
          {"open", "학습열기", "Open", "open a learning file"},
          {"save", "학습저장", "Save", "save a learning file"},
          {"recognise", "문자인식", "OCR", "recognise the marked text"},
          {"dictionary", "사전", "Dictionary", "user dictionary"},
          {"music", "배경음악", "Music", "background music"},
          {"blind", "가림막", "Blind", "add a blind"},
          {"list", "목록", "List", "text or voice-book list (toggle)"},
          {"export", "내보내기", "Export", "page and recognised text to PDF, clipboard or text file"},
      },
      {
          {"open", "열기", "Open", "open a movie"},
          {"capture", "장면캡쳐", "Capture", "movie frame to the image view"},
          {"fullscreen", "전체화면", "Full", "full-screen picture on"},
          {"windowed", "기본화면", "Normal", "full-screen picture off"},
      },
      {
          {"zoomin", "확대", "Zoom In", "AR zoom in"},
          {"zoomreset", "원래크기", "Reset", "AR zoom back to the default scale"},
          {"zoomout", "축소", "Zoom Out", "AR zoom out"},
          {"turnleft", "좌회전", "Turn L", "AR rotate axis 1 by -15"},
          {"turnreset", "회전복귀", "Reset", "AR axis 1 back to 0"},
          {"turnright", "우회전", "Turn R", "AR rotate axis 1 by +15"},
          {"tiltup", "위로", "Tilt Up", "AR rotate axis 2 by -15"},
          {"tiltreset", "수평", "Level", "AR axis 2 back to 0"},
          {"tiltdown", "아래로", "Tilt Dn", "AR rotate axis 2 by +15"},
          {"extra", "기능", "Extra", "the viewer's tenth command"},
      },
  };
  return bars;
}

void AddMainWindow(TableBuilder& table) {
  const char* const pieces[8] = {"top-left corner", "top edge (stretched)", "top-right corner", "left edge (stretched)",
                                 "right edge (stretched)", "bottom-left corner", "bottom edge (stretched)",
                                 "bottom-right corner"};
  const PictureSize sizes[8] = {{30, 85}, {1, 85}, {30, 85}, {30, 1}, {30, 1}, {30, 18}, {1, 18}, {30, 18}};
  for (int piece = 0; piece < 8; ++piece) {
    table.Bitmap(FramePiece(piece), sizes[piece], Art::FramePiece, std::string("main window frame: ") + pieces[piece],
                 "main window").param = piece;
  }
  table.Bitmap(kZoomBadge, {60, 19}, Art::ZoomBadge, "background of the zoom percentage", "main window");
  table.Bitmap(kMarkerCells, {264, 22}, Art::MarkerCells, "AR marker strip: six filled cells, then six empty cells",
               "main window (AR mode)");
  table.Bitmap(kArSpeakerIcon, {13, 12}, Art::SmallIcon, "speaker beside the AR volume slider", "main window (AR mode)")
      .icon = "speaker";

  struct Title {
    int lookWidth, lookHeight;
    const char* icon;
    const char* shows;
  };
  const Title titles[8] = {{17, 17, "logo", "built-in logo (title button 0)"},
                           {22, 22, "minimise", "minimise"},
                           {22, 22, "maximise", "maximise"},
                           {22, 22, "restore", "restore"},
                           {22, 22, "close", "close"},
                           {25, 22, "zoomin", "zoom in"},
                           {25, 22, "zoomout", "zoom out"},
                           {15, 16, "dropdown", "open the zoom list"}};
  for (int i = 0; i < 8; ++i) {
    table.Button(TitleButton(i), titles[i].lookWidth, titles[i].lookHeight, Art::TitleButton, titles[i].icon,
                 std::string("title button: ") + titles[i].shows, "main window");
  }

  const auto& bars = CommandBars();
  for (int bar = 0; bar < static_cast<int>(bars.size()); ++bar) {
    for (int i = 0; i < static_cast<int>(bars[bar].size()); ++i) {
      const BarButton& button = bars[bar][i];
      TableBuilder::Texts(table.Button(CommandBarButton(bar, i), 47, 52, Art::CommandButton, button.icon,
                                       std::string("command bar ") + std::to_string(bar) + ": " + button.shows,
                                       "main window"),
                          button.korean, button.english);
    }
  }
  for (int grade = 1; grade <= 6; ++grade) {
    SkinEntry& entry = TableBuilder::Texts(
        table.Button(CommandBarButton(4, 9 + grade), 24, 32, Art::GradeButton, "",
                     "command bar 4: grade " + std::to_string(grade), "main window (AR mode)"),
        "학년", "Gr.");
    entry.param = grade;
  }
}

void AddTabStrip(TableBuilder& table) {
  const char* const korean[5] = {"카메라", "이미지", "읽기", "동영상", "증강현실"};
  const char* const english[5] = {"Camera", "Image", "Reading", "Movie", "AR"};
  const PictureSize label{kTabLabelWidth, kTabLabelHeight};
  for (int mode = 0; mode < 5; ++mode) {
    const std::string name = english[mode];
    TableBuilder::Texts(table.Bitmap(TabLabel(mode), label, Art::TabLabel, name + " tab label on an unselected tab",
                                     "tab strip"),
                        korean[mode], english[mode]);
    TableBuilder::Texts(table.Bitmap(TabLabelHover(mode), label, Art::TabLabel, name + " tab label, hovered", "tab strip"),
                        korean[mode], english[mode])
        .param = 1;
    TableBuilder::Texts(table.Bitmap(TabLabelHighlight(mode), label, Art::TabLabel,
                                     name + " tab label highlight over the selected tab (magenta around)", "tab strip"),
                        korean[mode], english[mode])
        .param = 2;
  }
  // The modes of each variant's tabs, in order (the movie tab is last).
  const std::vector<std::vector<int>> variants = {{0, 1, 3}, {0, 1, 2, 3}, {0, 1, 4, 3}, {0, 1, 2, 4, 3}};
  for (int variant = 0; variant < 4; ++variant) {
    std::string ko, en;
    for (const int mode : variants[variant]) {
      ko += std::string(korean[mode]) + "|";
      en += std::string(english[mode]) + "|";
    }
    for (int selected = 0; selected < TabCount(variant); ++selected) {
      SkinEntry& entry = TableBuilder::Texts(
          table.Bitmap(TabStrip(variant, selected), {TabStripWidth(variant), kTabHeight}, Art::TabStrip,
                       "tab strip of feature variant " + std::to_string(variant) + " with tab " +
                           std::to_string(selected) + " selected",
                       "tab strip"),
          ko, en);
      entry.param = variant * 10 + selected;
    }
  }
}

void AddPaletteAndFocus(TableBuilder& table) {
  table.Bitmap(kPaletteTopGrip, {28, 9}, Art::PaletteGrip, "palette top grip", "tools palette").param = 0;
  table.Bitmap(kPaletteVerticalFill, {28, 1}, Art::PaletteGrip, "palette fill below the top grip (stretched)",
               "tools palette")
      .param = 1;
  table.Bitmap(kPaletteLeftGrip, {9, 28}, Art::PaletteGrip, "palette left grip", "tools palette").param = 2;
  table.Bitmap(kPaletteHorizontalFill, {1, 28}, Art::PaletteGrip, "palette fill right of the left grip (stretched)",
               "tools palette")
      .param = 3;
  struct Tool {
    int commandId;
    const char* icon;
    const char* shows;
  };
  const Tool tools[] = {{1525, "negative", "negative / positive"},
                        {1526, "blackwhite", "black and white / colour"},
                        {1527, "mirror", "mirror"},
                        {1528, "flip", "flip"},
                        {1529, "rotate", "rotate"},
                        {1530, "split", "split screen"},
                        {1531, "pip", "picture in picture"},
                        {1534, "pen", "pen"},
                        {1535, "highlighter", "highlighter"},
                        {1536, "colour", "pen colour picker"},
                        {1537, "pentype", "pen width picker"},
                        {1538, "eraser", "eraser"},
                        {1539, "eraseall", "erase all"},
                        {1540, "shapes", "shape picker"},
                        {1541, "board", "board picker"},
                        {1542, "negative", "negative / positive"},
                        {1543, "blackwhite", "black and white / colour"},
                        {1544, "mirror", "mirror"},
                        {1545, "flip", "flip"},
                        {1546, "rotate", "rotate"}};
  for (const Tool& tool : tools) {
    table.Button(PaletteToolButton(tool.commandId), 28, 28, Art::ToolButton, tool.icon,
                 "tool " + std::to_string(tool.commandId) + ": " + tool.shows, "tools palette");
  }
  table.Bitmap(kFocusBackground, {360, 36}, Art::FocusBackground, "manual focus strip (shaped by magenta)",
               "manual focus popup");
  table.Button(kFocusStepDown, 23, 23, Art::StepButton, "minus", "focus - 1", "manual focus popup");
  table.Button(kFocusStepUp, 23, 23, Art::StepButton, "plus", "focus + 1", "manual focus popup");
}

void AddSettingsDialog(TableBuilder& table) {
  const PictureSize sizes[11] = {{17, 35}, {1, 35}, {17, 35}, {17, 1}, {17, 1}, {17, 46},
                                 {1, 46},  {17, 46}, {17, 15}, {1, 15}, {17, 15}};
  const char* const pieces[11] = {"top-left corner",   "top edge",        "top-right corner",
                                  "left edge",         "right edge",      "bottom-left corner",
                                  "bottom edge",       "bottom-right corner",
                                  "lower bottom-left corner", "lower bottom edge", "lower bottom-right corner"};
  for (int piece = 0; piece < 11; ++piece) {
    const int id = piece < 8 ? DialogFramePiece(piece) : DialogShortBottomPiece(piece - 8);
    table.Bitmap(id, sizes[piece], Art::DialogFramePiece, std::string("dialog frame: ") + pieces[piece], "settings dialog")
        .param = piece;
  }
  table.Bitmap(kDialogAboutPicture, {74, 87}, Art::AboutPicture, "about page picture", "settings dialog (about page)");
  table.Button(kDialogClose, 15, 15, Art::DialogClose, "close", "close", "settings dialog");
  TableBuilder::Texts(table.Button(kDialogOk, 54, 26, Art::DialogButton, "", "OK", "settings dialog"), "확인", "OK");
  SkinEntry& cancel =
      TableBuilder::Texts(table.Button(kDialogCancel, 54, 26, Art::DialogButton, "", "Cancel", "settings dialog"), "취소",
                          "Cancel");
  cancel.englishSize = Looks(67, 26, 4);
  TableBuilder::Texts(table.Button(kDialogBrowse, 38, 22, Art::DialogButton, "", "browse for a folder",
                                   "settings dialog (settings page)"),
                      "찾기", "Browse");
  TableBuilder::Texts(table.Button(kDialogCameraSettings, 85, 22, Art::DialogButton, "",
                                   "open the camera's property pages", "settings dialog (settings page)"),
                      "카메라 속성", "Properties");
}

void AddViews(TableBuilder& table) {
  table.Bitmap(kRecordingIndicator, {84, 30}, Art::RecordingIndicator, "blinking REC sign (shaped by magenta)",
               "recording indicator");
  table.Bitmap(kSplitBar, {5, 1}, Art::SplitBar, "5-pixel split bar (stretched to the height)",
               "camera view (split), reading panel (left edge)");
  table.Bitmap(kInsetFrame, {400, 305}, Art::InsetFrame, "inset frame, 5-pixel border, magenta inside",
               "camera view and image view (inset)");
  table.Bitmap(kNavigatorFrame, {290, 221}, Art::NavigatorFrame, "zoom navigator frame, 5-pixel caps, magenta inside",
               "zoom navigator");
  const char* const boards[3] = {"blackboard", "whiteboard", "note paper"};
  for (int kind = 1; kind <= 3; ++kind) {
    table.Bitmap(BoardPicture(kind), {892, 521}, Art::Board, std::string("board: ") + boards[kind - 1], "image view")
        .param = kind;
  }
  table.Bitmap(kBlindTexture, {1473, 1162}, Art::BlindTexture, "blind texture", "blind");
  table.Button(kBlindClose, 13, 13, Art::BlindClose, "close", "blind close button", "blind");

  // The picker entries' names live here, beside their pictures.
  const char* const shapesKo[kShapePngCount] = {"사각형", "타원", "다각형", "직선", "물결"};
  const char* const shapesEn[kShapePngCount] = {"Quadrangle", "Ellipse", "Polygon", "Line", "Wave"};
  for (int entry = 0; entry < kShapePngCount; ++entry) {
    SkinEntry& png = table.Add(SkinKind::Png, ShapePng(entry), {20, 20}, Art::ShapePicture,
                               std::string("shape picker: ") + shapesEn[entry], "picker popup (shapes)");
    png.param = entry;
    png.text = shapesKo[entry];
    png.englishText = shapesEn[entry];
  }
  const char* const boardsKo[kBoardPngCount] = {"캡쳐이미지", "칠판", "화이트보드", "노트"};
  const char* const boardsEn[kBoardPngCount] = {"Capture", "Blackboard", "Whiteboard", "Note"};
  for (int entry = 0; entry < kBoardPngCount; ++entry) {
    SkinEntry& png = table.Add(SkinKind::Png, BoardPng(entry), {20, 20}, Art::BoardEntryPicture,
                               std::string("board picker: ") + boardsEn[entry], "picker popup (boards)");
    png.param = entry;
    png.text = boardsKo[entry];
    png.englishText = boardsEn[entry];
  }
}

void AddReading(TableBuilder& table) {
  table.Bitmap(kPanelHeader, {455, 120}, Art::PanelHeader, "reading panel header background", "reading panel");
  table.Bitmap(kPanelPicture, {70, 78}, Art::PanelPicture, "reading picture (book and sound)", "reading panel");
  table.Button(kPanelExpand, 5, 55, Art::PanelToggle, "left", "expand the panel", "reading panel");
  table.Button(kPanelCollapse, 5, 55, Art::PanelToggle, "right", "collapse the panel", "reading panel");
  const char* const korean[3] = {"추가", "삭제", "이름변경"};
  const char* const english[3] = {"Add", "Delete", "Rename"};
  const char* const shows[3] = {"add voice books", "remove voice books", "rename a voice book"};
  for (int i = 0; i < 3; ++i) {
    const int lookWidth = i == 1 ? 57 : 58;
    SkinEntry& ko = table.Button(VoiceBookButton(i, true), lookWidth, 29, Art::PanelTextButton, "",
                                 std::string(shows[i]) + " (Korean)", "reading panel (list view)");
    ko.text = korean[i];
    SkinEntry& en = table.Button(VoiceBookButton(i, false), lookWidth, 29, Art::PanelTextButton, "",
                                 std::string(shows[i]) + " (English)", "reading panel (list view)");
    en.text = english[i];
  }
  table.Bitmap(kPanelRowCap, {4, 17}, Art::PanelRowCap, "left cap of a header value field", "reading panel");
  table.Bitmap(kPanelRowField, {1, 17}, Art::PanelRowField, "header value field (stretched)", "reading panel");
  const char* const pickers[3] = {"language", "voice", "speed"};
  for (int i = 0; i < 3; ++i) {
    table.Button(PanelPickerButton(i), 18, 17, Art::DropButton, "dropdown", std::string(pickers[i]) + " picker button",
                 "reading panel");
  }
  table.Bitmap(kCheckBox, {36, 18}, Art::CheckBox, "check box: checked cell, then unchecked cell", "voice-book list")
      .looks = 2;
  table.Add(SkinKind::Cursor, kDragCursor, {32, 32}, Art::DragCursor, "drag cursor (hot spot 2, 2)", "voice-book list");
}

void AddControlBars(TableBuilder& table) {
  table.Bitmap(kMovieBarBackground, {570, 36}, Art::BarBackground, "movie control bar face (shaped by magenta)",
               "movie control bar")
      .param = 0;
  table.Bitmap(kReadingBarBackground, {290, 36}, Art::BarBackground, "reading control bar face (shaped by magenta)",
               "reading control bar")
      .param = 1;
  struct Button {
    int commandId;
    const char* icon;
    const char* shows;
  };
  const Button buttons[9] = {{1625, "play", "play"},          {1626, "pause", "pause"},
                             {1627, "stop", "stop and rewind"}, {1628, "back", "10 seconds back"},
                             {1629, "forward", "10 seconds on"}, {1630, "speak", "start reading"},
                             {1631, "pause", "pause or resume reading"}, {1632, "stop", "stop reading"},
                             {1633, "repeat", "repeat (toggle)"}};
  for (const Button& button : buttons) {
    const int height = button.commandId == 1633 ? 23 : 27;
    table.Button(ControlBarButton(button.commandId), 27, height, Art::BarButton, button.icon,
                 "control bar " + std::to_string(button.commandId) + ": " + button.shows, "control bars");
  }
  table.Button(kSpeedButton, 15, 16, Art::DropButton, "dropdown", "open the speed list", "movie control bar");

  struct Slider {
    int base;
    PictureSize background, fill, thumb;
    int fillOffset;
    const char* name;
    const char* usedBy;
  };
  const Slider sliders[4] = {
      {kPositionSliderBase, {175, 20}, {175, 7}, {54, 20}, 5, "movie position", "movie control bar"},
      {kBarVolumeSliderBase, {53, 15}, {53, 6}, {21, 15}, 4, "volume", "control bars"},
      {kFocusSliderBase, {261, 15}, {261, 5}, {21, 15}, 5, "focus", "manual focus popup"},
      {kArVolumeSliderBase, {119, 15}, {119, 6}, {21, 15}, 5, "AR volume", "main window (AR mode)"},
  };
  for (const Slider& slider : sliders) {
    const std::string name = slider.name;
    SkinEntry& track = table.Bitmap(slider.base, slider.background, Art::SliderTrack, name + " slider track", slider.usedBy);
    track.param = slider.fillOffset;
    table.Bitmap(slider.base + 1, slider.fill, Art::SliderFill, name + " slider fill", slider.usedBy);
    SkinEntry& thumb = table.Bitmap(slider.base + 2, slider.thumb, Art::SliderThumb,
                                    name + " slider thumb: idle, hover, dragging", slider.usedBy);
    thumb.looks = 3;
  }
}

void AddProgramAndSpeechEditor(TableBuilder& table) {
  table.Add(SkinKind::Icon, kProgramIcon, {256, 256}, Art::ProgramIcon, "program icon", "main window");
  for (const int speaker : {0, 1, 2, 3, 4, 6}) {
    table.Bitmap(SpeakerPicture(speaker), {64, 64}, Art::SpeakerPicture,
                 "picture of speaker " + std::to_string(speaker), "speech editor")
        .param = speaker;
  }
  table.Bitmap(kSpeechAboutPicture, {96, 96}, Art::SpeechAbout, "about picture", "speech editor (about)");
  struct SpeechButton {
    const int* ids;
    const char* icon;
    const char* text;
  };
  const SpeechButton buttons[3] = {
      {kSpeechPlayButton, "play", "PLAY"}, {kSpeechStopButton, "stop", "STOP"}, {kSpeechExportButton, "export", "FILE"}};
  const char* const states[3] = {"normal", "pressed", "disabled"};
  for (const SpeechButton& button : buttons) {
    for (int state = 0; state < 3; ++state) {
      SkinEntry& entry = table.Bitmap(button.ids[state], {80, 28}, Art::SpeechButton,
                                      std::string(button.text) + " button, " + states[state], "speech editor");
      entry.param = state;
      entry.icon = button.icon;
      entry.text = button.text;
    }
  }
  table.Bitmap(kSpeechRepeatOff, {80, 28}, Art::RepeatToggle, "repeat off", "speech editor").param = 0;
  table.Bitmap(kSpeechRepeatOn, {80, 28}, Art::RepeatToggle, "repeat on", "speech editor").param = 1;
}

std::vector<SkinEntry> BuildTable() {
  TableBuilder table;
  AddMainWindow(table);
  AddTabStrip(table);
  AddPaletteAndFocus(table);
  AddSettingsDialog(table);
  AddViews(table);
  AddReading(table);
  AddControlBars(table);
  AddProgramAndSpeechEditor(table);
  return table.Take();
}

}  // namespace

std::span<const SkinEntry> SkinTable() {
  static const std::vector<SkinEntry> table = BuildTable();
  return table;
}

const SkinEntry* FindSkinEntry(SkinKind kind, int id) {
  const auto table = SkinTable();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [&](const SkinEntry& entry) { return entry.kind == kind && entry.id == id; });
  return found == table.end() ? nullptr : &*found;
}

std::string SkinResourcePath(SkinKind kind, int id, bool englishPicture) {
  const char* folder = "skin";
  switch (kind) {
    case SkinKind::Bitmap: folder = "skin"; break;
    case SkinKind::Png: folder = "png"; break;
    case SkinKind::Icon: folder = "icon"; break;
    case SkinKind::Cursor: folder = "cursor"; break;
  }
  return std::string(":/") + folder + "/" + std::to_string(id) + (englishPicture ? "_en" : "") + ".png";
}

}  // namespace orvilo::skin
