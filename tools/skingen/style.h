// The look shared by every skin picture: colours, fonts and the helpers that
// keep edges clean against the magenta key colour.
//
// Two ways to make a transparent edge without pink fringes:
//  - a picture that always sits on one flat colour (the frame, a bar face)
//    is drawn smooth on that colour, then exactly that colour is keyed out;
//  - a picture that sits on anything gets a hard-edged body on magenta and
//    smooth drawing only inside the body.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>

#include "platform/gdi/key_colour.h"

namespace orvilo::skingen {

// Colours of the program's skin.
namespace colour {
inline const QColor kKey = QColor::fromRgb(gdi::kKeyColour);
inline const QColor kFrame(57, 57, 57);       // window face, command-bar zone
inline const QColor kCaption(36, 36, 36);     // top strip of the main window
inline const QColor kBorder(22, 22, 22);      // outer edge of dark windows
inline const QColor kRaised(78, 78, 78);      // hover body
inline const QColor kAccent(30, 136, 229);    // pressed body, fills, selection
inline const QColor kAccentDark(21, 101, 192);
inline const QColor kIcon(240, 240, 240);
inline const QColor kIconDim(176, 176, 176);
inline const QColor kDisabled(104, 104, 104);
inline const QColor kBarFace(44, 44, 44);     // control bars and focus popup
inline const QColor kPaletteFace(48, 48, 48);
inline const QColor kTabFace(50, 50, 50);
inline const QColor kDanger(214, 48, 49);
inline const QColor kLight(245, 245, 245);    // dialog and panel faces
inline const QColor kPanelFace(227, 227, 227);
inline const QColor kLightBorder(160, 160, 160);
inline const QColor kText(20, 20, 20);
}  // namespace colour

// The four looks of a button, in strip order.
enum class Look { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// Korean text in NanumGothic, English in Liberation Sans; `pixels` high.
QFont LabelFont(bool korean, int pixels, bool bold = false);
// The largest font from `pixels` down to 7 in which `text` fits `width`.
QFont FittedFont(const QString& text, bool korean, int pixels, int width, bool bold = false);

// A picture of `width` x `height` filled with `fill`, format RGB32.
QImage NewPicture(int width, int height, const QColor& fill);
// A transparent ARGB picture (icons, cursors, "PNG" pictures).
QImage NewTransparentPicture(int width, int height);

// Every pixel of exactly `colour` becomes the key colour.
void KeyOut(QImage& picture, const QColor& colour);

// Where a pixel lies against a rounded rectangle with hard edges (pixel
// centres tested): outside, on its `border`-wide rim, or inside.
enum class Zone { Outside, Rim, Inside };
Zone RoundedZone(int x, int y, const QRect& body, int radius, int border);
// Paints a hard-edged rounded rectangle: rim in `rim`, inside in `fill`.
void HardRoundedRect(QImage& picture, const QRect& body, int radius, int border, const QColor& rim, const QColor& fill);
// Every pixel outside the hard-edged rounded rectangle becomes the key colour.
void KeyOutside(QImage& picture, const QRect& body, int radius);

// A painter with smooth edges and text.
void Smooth(QPainter& painter);

// Draws `text` centred in `box` in `font` and `colour`.
void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& colour);

// A strip of four looks of `lookWidth` x `lookHeight`: each look is drawn by
// `drawLook` into its own cell (painter translated, cell at 0,0).
QImage LookStrip(int lookWidth, int lookHeight, int looks, const QColor& background,
                 const std::function<void(QPainter&, int look, const QRectF& cell)>& drawLook);

}  // namespace orvilo::skingen
