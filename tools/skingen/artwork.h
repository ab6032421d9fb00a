// Draws one picture of the skin table at its exact size.
#pragma once

#include <QImage>

#include "ui/skin/skin_table.h"

namespace orvilo::skingen {

// The Korean or language-neutral picture of `entry`, or with `english` its
// English picture. Bitmaps are RGB with magenta as the key colour; "PNG"
// pictures, icons and cursors carry transparency.
QImage DrawPicture(const skin::SkinEntry& entry, bool english);

// The families of pictures, one source file each.
QImage DrawFramePicture(const skin::SkinEntry& entry, bool english);
QImage DrawButtonPicture(const skin::SkinEntry& entry, bool english);
QImage DrawScenePicture(const skin::SkinEntry& entry, bool english);

}  // namespace orvilo::skingen
