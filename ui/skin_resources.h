// The program's built-in skin pictures, by number (ui/skin/skin_ids.h
// names them; ui/skin/skin_table.cpp lists them with their sizes).
// Pictures are drawn at build time and compiled into the program, so loading
// needs no files; an unknown number gives a null picture.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

#include "platform/gdi/key_colour.h"

namespace orvilo::ui {

// A numbered bitmap: RGB, magenta RGB(255, 0, 255) marks what is not
// painted. `korean` picks the Korean or the English picture where the
// picture has both; pictures with one version serve either language.
QImage LoadSkinBitmap(int id, bool korean = false);

// A numbered "PNG" picture (the shape and board pickers), with transparency.
QImage LoadPngResource(int id);

// The program icon (number 128) in every size the window system asks for.
QIcon LoadIconResource(int id);

// A numbered cursor with its hot spot; the arrow when the number is unknown.
QCursor LoadCursorResource(int id);

}  // namespace orvilo::ui
