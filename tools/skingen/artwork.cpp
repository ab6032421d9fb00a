#include "tools/skingen/artwork.h"

namespace orvilo::skingen {

using skin::Art;

QImage DrawPicture(const skin::SkinEntry& entry, bool english) {
  switch (entry.art) {
    case Art::FramePiece:
    case Art::DialogFramePiece:
    case Art::ZoomBadge:
    case Art::MarkerCells:
    case Art::TabLabel:
    case Art::TabStrip:
    case Art::PaletteGrip:
    case Art::FocusBackground:
    case Art::BarBackground:
    case Art::SplitBar:
    case Art::PanelHeader:
    case Art::PanelRowCap:
    case Art::PanelRowField:
    case Art::NavigatorFrame:
    case Art::InsetFrame:
      return DrawFramePicture(entry, english);
    case Art::TitleButton:
    case Art::CommandButton:
    case Art::GradeButton:
    case Art::ToolButton:
    case Art::StepButton:
    case Art::DialogButton:
    case Art::DialogClose:
    case Art::PanelToggle:
    case Art::PanelTextButton:
    case Art::DropButton:
    case Art::BarButton:
    case Art::SliderTrack:
    case Art::SliderFill:
    case Art::SliderThumb:
    case Art::BlindClose:
    case Art::CheckBox:
    case Art::SpeechButton:
    case Art::RepeatToggle:
      return DrawButtonPicture(entry, english);
    case Art::SmallIcon:
    case Art::AboutPicture:
    case Art::PanelPicture:
    case Art::ShapePicture:
    case Art::BoardEntryPicture:
    case Art::Board:
    case Art::BlindTexture:
    case Art::DragCursor:
    case Art::RecordingIndicator:
    case Art::ProgramIcon:
    case Art::SpeakerPicture:
    case Art::SpeechAbout:
      return DrawScenePicture(entry, english);
  }
  return {};
}

}  // namespace orvilo::skingen
