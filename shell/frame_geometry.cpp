#include "shell/frame_geometry.h"

namespace orvilo::shell {

Rect TitleButtonRect(TitleButtonId button, int clientWidth, Size logoLook) {
  const int w = clientWidth;
  switch (button) {
    case TitleButtonId::Logo: return Rect::FromPositionAndSize(10, 6, logoLook.width, logoLook.height);
    case TitleButtonId::Minimise: return Rect::FromPositionAndSize(w - 75, 3, 22, 22);
    case TitleButtonId::Maximise:
    case TitleButtonId::Restore: return Rect::FromPositionAndSize(w - 53, 3, 22, 22);
    case TitleButtonId::Close: return Rect::FromPositionAndSize(w - 31, 3, 22, 22);
    case TitleButtonId::ZoomIn: return Rect::FromPositionAndSize(w - 135, 57, 25, 22);
    case TitleButtonId::ZoomOut: return Rect::FromPositionAndSize(w - 105, 57, 25, 22);
    case TitleButtonId::ZoomList: break;
  }
  // The zoom list: 74 right of zoom out and 3 lower.
  return Rect::FromPositionAndSize(w - 105 + 74, 57 + 3, 15, 16);
}

Point BarButtonPosition(int bar, int index, int clientWidth, std::optional<int> gradeSlot) {
  // Buttons that replace another one stand in its place.
  if (bar == 0 && index == 10) return {119, 30};
  if (bar == 0 && index == 11) return {225, 30};
  // The camera bar's later buttons (picture controls, interval) follow
  // Pause; the two before them stand in other buttons' places.
  if (bar == 0 && index >= 12) return {13 + 53 * (index - 2), 30};
  if ((bar == 1 && index == 5) || (bar == 3 && index == 3)) return {119, 30};
  if (bar == 4 && index >= 10) return {clientWidth - 330 + 24 * gradeSlot.value_or(0), 33};
  return {13 + 53 * index, 30};
}

Size BarButtonLook(int bar, int index) {
  if (bar == 4 && index >= 10) return {24, 32};
  return {47, 52};
}

Rect SplitCameraRectAfterResize(Size client, int cameraWidth, int imageWidth) {
  const Rect content = ContentRect(client);
  const int total = cameraWidth + imageWidth;
  const int share = total > 0 ? cameraWidth * content.Width() / total : content.Width() / 2;
  return Rect::FromPositionAndSize(7 + content.Width() - share, 85, share, content.Height());
}

Rect KeepPaletteInside(const Rect& palette, Size client) {
  Rect moved = palette;
  if (moved.right > client.width - 7) moved = moved.Offset(client.width - 17 - moved.right, 0);
  if (moved.bottom > client.height - 8) moved = moved.Offset(0, client.height - 18 - moved.bottom);
  return moved;
}

Rect KeepInsetInside(const Rect& inset, Size client) {
  Rect moved = inset;
  if (moved.right > client.width - 7) {
    moved.left = client.width - 417;
    moved.right = client.width - 17;
  }
  if (moved.bottom > client.height - 8) {
    moved.top = client.height - 323;
    moved.bottom = client.height - 18;
  }
  return moved;
}

}  // namespace orvilo::shell
