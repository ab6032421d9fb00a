// The font of the main window's frame texts: "Arial" (Liberation Sans here)
// at a character height in pixels.
#pragma once

#include <QFont>

namespace orvilo::shell {

inline QFont FrameFont(int pixelHeight, int weight) {
  QFont font("Arial");
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

}  // namespace orvilo::shell
