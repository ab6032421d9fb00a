// The list of every skin picture of the program: number, kind, exact size,
// the number of looks side by side, whether it comes in a Korean and an
// English version, what it shows and which window uses it, and the recipe
// the artwork tool draws it with. The artwork tool writes exactly these
// pictures and the tests check the bundle against this list.
//
// Files in the bundle: ":/<kind>/<id>.png" for the Korean or
// language-neutral picture, ":/<kind>/<id>_en.png" for the English one,
// with <kind> one of skin, png, icon, cursor.
#pragma once

#include <span>
#include <string>

#include "ui/skin/skin_ids.h"

namespace orvilo::skin {

struct PictureSize {
  int width = 0;
  int height = 0;
  bool operator==(const PictureSize&) const = default;
};

// How the artwork tool draws a picture; `param` and the icon and texts of
// an entry say which one of a family.
enum class Art {
  FramePiece,            // param: piece 0..7 of the main window frame
  DialogFramePiece,      // param: piece 0..7; 8..10 the lower bottom pieces
  ZoomBadge,
  MarkerCells,
  SmallIcon,             // icon on the frame colour
  TitleButton,           // icon, four looks
  CommandButton,         // icon and label, four looks
  GradeButton,           // param: grade 1..6
  TabLabel,              // param: 0 normal, 1 hover, 2 highlight; text
  TabStrip,              // param: variant * 10 + selected tab
  PaletteGrip,           // param: 0 top grip, 1 vertical fill, 2 left grip, 3 horizontal fill
  ToolButton,            // icon, four looks
  FocusBackground,
  StepButton,            // icon, four looks, round
  DialogButton,          // text, four looks
  DialogClose,
  AboutPicture,
  SplitBar,
  PanelHeader,
  PanelPicture,
  PanelToggle,           // icon, four looks, 5 wide
  PanelTextButton,       // text, four looks (voice-book buttons)
  PanelRowCap,
  PanelRowField,
  DropButton,            // icon, four looks (small picker buttons)
  BarBackground,         // param: 0 movie bar, 1 reading bar
  BarButton,             // icon, four looks
  SliderTrack,
  SliderFill,
  SliderThumb,           // three looks
  ShapePicture,          // param: shape entry 0..4
  BoardEntryPicture,     // param: board entry 0..3
  Board,                 // param: board kind 1..3
  BlindTexture,
  BlindClose,
  CheckBox,
  DragCursor,
  NavigatorFrame,
  InsetFrame,
  RecordingIndicator,
  ProgramIcon,
  SpeakerPicture,        // param: speaker 0..4, 6
  SpeechAbout,
  SpeechButton,          // param: 0 normal, 1 pressed, 2 disabled; icon and text
  RepeatToggle,          // param: 0 off, 1 on
};

struct SkinEntry {
  int id = 0;
  SkinKind kind = SkinKind::Bitmap;
  PictureSize size;           // the Korean or language-neutral picture
  PictureSize englishSize;    // the English picture, when it has one
  bool languageSets = false;  // a Korean and an English picture
  int looks = 1;              // frames side by side (buttons 4, thumbs 3)
  Art art = Art::FramePiece;
  int param = 0;
  std::string icon;           // icon name (see tools/skingen/ICONS.md)
  // Text drawn on the Korean or language-neutral picture and on the English
  // one; for the shape and board pickers' "PNG" pictures, the entry's name
  // the picker shows beside the picture.
  std::string text;
  std::string englishText;
  std::string shows;          // what the picture shows
  std::string usedBy;         // which window uses it

  PictureSize SizeFor(bool englishPicture) const { return englishPicture && languageSets ? englishSize : size; }
};

// Every picture, ordered by kind and number.
std::span<const SkinEntry> SkinTable();
// The entry of a picture, or null.
const SkinEntry* FindSkinEntry(SkinKind kind, int id);

// Resource path of a picture in the bundle (see the top of this file).
std::string SkinResourcePath(SkinKind kind, int id, bool englishPicture);

}  // namespace orvilo::skin
