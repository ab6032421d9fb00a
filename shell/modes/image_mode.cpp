#include "shell/modes/image_mode.h"

#include "core/command_ids.h"
#include "shell/child_windows.h"
#include "shell/command_bars.h"
#include "shell/modes/stage.h"
#include "shell/picture_folder.h"

namespace orvilo::shell {

using imageview::StrokeKind;

Handover ImageMode::Leave(ViewMode, Entry) {
  if (context_.children.image) context_.children.image->ResetDrawing();
  return {};
}

void ImageMode::Enter(Handover handover) {
  imageview::ImageView* image = context_.children.image.get();
  if (image && !handover.picture.IsEmpty()) {
    image->SetImage(std::move(handover.picture));
    picturePath_.clear();
  }
  context_.host.ShowCommandBar(ViewMode::Image);
  context_.stage.PlaceInContent(image);
  context_.stage.ShowOnly(image);
  context_.stage.ShowPalette(ToolSet::Image);
  if (image) image->SetMode(ViewMode::Image);
}

void ImageMode::LayOut() { context_.stage.PlaceInContent(context_.children.image.get()); }

std::optional<Handover> ImageMode::Open(const std::string& path) {
  if (!context_.children.image || !context_.children.image->LoadImageFile(path)) return std::nullopt;
  picturePath_ = path;
  return Handover{};
}

bool ImageMode::OnCommand(int id) {
  imageview::ImageView* image = context_.children.image.get();
  switch (id) {
    case command::kOpenPicture: {
      const auto path = context_.host.RunFileDialog(false, FileFilter::OpenPicture, "");
      if (path && image && image->LoadImageFile(*path)) {
        picturePath_ = *path;
        context_.stage.RaisePalette();
      }
      return true;
    }
    case command::kSavePicture: {
      const auto path = context_.host.RunFileDialog(true, FileFilter::SavePicture, "bmp");
      if (path && image) image->SaveAnnotatedImage(*path);
      return true;
    }
    case command::kUndo:
      if (image) image->Undo();
      return true;
    case command::kRedo:
      if (image) image->Redo();
      return true;
    default: return OnTool(id);
  }
}

bool ImageMode::OnCommandWhileCurrent(int id) {
  switch (id) {
    case command::kUndoPossible: context_.bars.SetDisabled(command::kUndo, false); return true;
    case command::kNothingToUndo: context_.bars.SetDisabled(command::kUndo, true); return true;
    case command::kRedoPossible: context_.bars.SetDisabled(command::kRedo, false); return true;
    case command::kNothingToRedo: context_.bars.SetDisabled(command::kRedo, true); return true;
    case command::kNextItem: StepThroughFolder(1); return true;
    case command::kPreviousItem: StepThroughFolder(-1); return true;
    default: return false;
  }
}

// The next picture replaces the shown one as Open Picture does: the drawing
// starts afresh. Past either end nothing changes.
void ImageMode::StepThroughFolder(int step) {
  imageview::ImageView* image = context_.children.image.get();
  if (!image || picturePath_.empty()) return;
  const std::optional<std::string> next = NeighbourPictureFile(picturePath_, step);
  if (!next) return;
  if (image->LoadImageFile(*next)) picturePath_ = *next;
}

// The tools act only while the picture shows. The picker tools (colour, pen
// type, shapes, board) come here only from a long press on the picture (the
// palette's own buttons answer them with message 1575): the palette opens
// the picker beside its button.
bool ImageMode::OnTool(int id) {
  if (id < command::kFirstImageTool || id > command::kImageRotate) return false;
  imageview::ImageView* image = context_.children.image.get();
  if (!image || !image->isVisible()) return true;
  const auto selectTool = [image](StrokeKind tool) {
    if (image->CurrentTool() != tool) image->SetCurrentTool(tool);
  };
  switch (id) {
    case command::kPen: selectTool(StrokeKind::Pen); break;
    case command::kHighlighter: selectTool(StrokeKind::Highlighter); break;
    case command::kEraser: selectTool(StrokeKind::Eraser); break;
    case command::kEraseAll:
      image->EraseAll();
      image->update();
      break;
    case command::kImageNegative: image->ToggleNegative(); break;
    case command::kImageBlackWhite: image->ToggleBlackWhite(); break;
    case command::kImageMirror: image->ToggleMirror(); break;
    case command::kImageFlip: image->ToggleFlip(); break;
    case command::kImageRotate: image->RotateQuarter(); break;
    case command::kColour:
    case command::kPenType:
    case command::kShapes:
    case command::kBoard:
      if (context_.children.tools) context_.children.tools->OpenPicker(id);
      break;
    default: break;
  }
  return true;
}

void ImageMode::OnPickerChoice(int tool, int entry) {
  imageview::ImageView* image = context_.children.image.get();
  if (!image) return;
  switch (command::kFirstImageTool + tool) {
    case command::kColour: image->SetPenColour(entry); break;
    case command::kPenType: image->SetPenWidth(2 * entry + 1); break;
    case command::kShapes:
      // The shapes follow the three freehand tools in the list of strokes.
      image->SetCurrentTool(static_cast<StrokeKind>(static_cast<int>(StrokeKind::Quadrangle) + entry));
      break;
    case command::kBoard: image->SetBoard(static_cast<imageview::BoardKind>(entry)); break;
    default: break;
  }
}

}  // namespace orvilo::shell
