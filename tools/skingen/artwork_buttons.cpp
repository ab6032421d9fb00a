// Buttons (four looks side by side: normal, hover, pressed, disabled),
// slider parts, check boxes and the speech editor's bitmap buttons.
#include <QRegularExpression>

#include "tools/skingen/artwork.h"
#include "tools/skingen/icons.h"
#include "tools/skingen/style.h"

namespace orvilo::skingen {
namespace {

using skin::Art;
using skin::SkinEntry;

QString TextOf(const SkinEntry& entry, bool english) {
  return QString::fromStdString(english && entry.languageSets ? entry.englishText : entry.text);
}

// A button that always sits on one flat colour: smooth bodies on that
// colour, which is then keyed out. `content` draws the icon or text.
QImage FlatLooks(const SkinEntry& entry, bool english, const QColor& background, double radius, const QColor& hoverBody,
                 const std::function<void(QPainter&, const QRectF& cell, const QColor& ink)>& content,
                 const QColor& normalInk = colour::kIcon) {
  const int lookWidth = entry.SizeFor(english).width / entry.looks;
  const int lookHeight = entry.SizeFor(english).height;
  QImage strip = LookStrip(lookWidth, lookHeight, entry.looks, background, [&](QPainter& painter, int look, const QRectF& cell) {
    Smooth(painter);
    const QRectF body = cell.adjusted(1, 1, -1, -1);
    QColor ink = normalInk;
    switch (static_cast<Look>(look)) {
      case Look::Normal: break;
      case Look::Hover:
        painter.setPen(Qt::NoPen);
        painter.setBrush(hoverBody);
        painter.drawRoundedRect(body, radius, radius);
        ink = colour::kIcon;
        break;
      case Look::Pressed:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::kAccent);
        painter.drawRoundedRect(body, radius, radius);
        ink = Qt::white;
        break;
      case Look::Disabled: ink = colour::kDisabled; break;
    }
    content(painter, cell, ink);
  });
  KeyOut(strip, background);
  return strip;
}

QImage TitleButton(const SkinEntry& entry) {
  if (entry.icon == "logo") {
    // The logo: a lens in a rounded accent square, brighter on hover.
    return FlatLooks(entry, false, colour::kCaption, 3, colour::kRaised, [](QPainter& painter, const QRectF& cell, const QColor& ink) {
      const bool disabled = ink == colour::kDisabled;
      painter.setPen(Qt::NoPen);
      painter.setBrush(disabled ? QColor(80, 80, 80) : colour::kAccent);
      painter.drawRoundedRect(cell.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(disabled ? colour::kDisabled : Qt::white, 1.6));
      painter.drawEllipse(cell.center(), 4.2, 4.2);
      painter.setPen(Qt::NoPen);
      painter.setBrush(disabled ? colour::kDisabled : Qt::white);
      painter.drawEllipse(cell.center(), 1.6, 1.6);
    });
  }
  const QColor hover = entry.icon == "close" ? colour::kDanger : colour::kRaised;
  const int iconSize = entry.icon == "dropdown" ? 10 : 14;
  return FlatLooks(
      entry, false, colour::kCaption, 3, hover,
      [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
        DrawIcon(painter, entry.icon, QRectF(cell.center() - QPointF(iconSize / 2.0, iconSize / 2.0), QSizeF(iconSize, iconSize)), ink);
      },
      colour::kIconDim);
}

QImage CommandButton(const SkinEntry& entry, bool english) {
  const QString label = TextOf(entry, english);
  return FlatLooks(entry, english, colour::kFrame, 5, colour::kRaised, [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
    QColor iconInk = ink;
    if (entry.icon == "record" && ink != colour::kDisabled) iconInk = QColor(240, 84, 84);
    DrawIcon(painter, entry.icon, QRectF(cell.width() / 2 - 12, 5, 24, 24), iconInk);
    const QFont font = FittedFont(label, !english, english ? 11 : 11, static_cast<int>(cell.width()) - 3);
    DrawCentredText(painter, QRectF(0, 33, cell.width(), 15), label, font, ink);
  });
}

QImage GradeButton(const SkinEntry& entry, bool english) {
  const QString grade = QString::number(entry.param);
  const QString label = TextOf(entry, english);
  return FlatLooks(entry, english, colour::kFrame, 4, colour::kRaised, [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
    DrawCentredText(painter, QRectF(0, 1, cell.width(), 20), grade, LabelFont(false, 17, true), ink);
    const QFont font = FittedFont(label, !english, 10, static_cast<int>(cell.width()) - 2);
    DrawCentredText(painter, QRectF(0, 19, cell.width(), 12), label, font, ink);
  });
}

QImage IconLooks(const SkinEntry& entry, const QColor& background, int iconSize, double radius) {
  return FlatLooks(entry, false, background, radius, colour::kRaised, [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
    DrawIcon(painter, entry.icon, QRectF(cell.center() - QPointF(iconSize / 2.0, iconSize / 2.0), QSizeF(iconSize, iconSize)), ink);
  });
}

QImage StepButton(const SkinEntry& entry) {
  const int lookWidth = entry.size.width / entry.looks;
  QImage strip = LookStrip(lookWidth, entry.size.height, entry.looks, colour::kBarFace, [&](QPainter& painter, int look, const QRectF& cell) {
    Smooth(painter);
    const QColor bodies[4] = {QColor(66, 66, 66), colour::kRaised.lighter(115), colour::kAccent, QColor(54, 54, 54)};
    const QColor inks[4] = {colour::kIcon, Qt::white, Qt::white, colour::kDisabled};
    painter.setPen(QPen(QColor(100, 100, 100), 1));
    painter.setBrush(bodies[look]);
    painter.drawEllipse(cell.adjusted(1, 1, -1, -1));
    DrawIcon(painter, entry.icon, QRectF(cell.center() - QPointF(6.5, 6.5), QSizeF(13, 13)), inks[look]);
  });
  KeyOut(strip, colour::kBarFace);
  return strip;
}

// Light buttons that may sit on anything: hard-edged bodies on magenta.
struct LightLook {
  QColor rim, fill, ink;
};

LightLook LightLookOf(Look look) {
  switch (look) {
    case Look::Normal: return {QColor(150, 150, 150), QColor(250, 250, 250), colour::kText};
    case Look::Hover: return {colour::kAccent, QColor(227, 240, 252), colour::kText};
    case Look::Pressed: return {colour::kAccentDark, colour::kAccent, Qt::white};
    case Look::Disabled: return {QColor(200, 200, 200), QColor(238, 238, 238), QColor(165, 165, 165)};
  }
  return {};
}

QImage LightLooks(const SkinEntry& entry, bool english, int radius,
                  const std::function<void(QPainter&, const QRectF& cell, const QColor& ink)>& content) {
  const int lookWidth = entry.SizeFor(english).width / entry.looks;
  const int lookHeight = entry.SizeFor(english).height;
  QImage strip = NewPicture(lookWidth * entry.looks, lookHeight, colour::kKey);
  for (int look = 0; look < entry.looks; ++look) {
    const LightLook style = LightLookOf(static_cast<Look>(look));
    HardRoundedRect(strip, QRect(lookWidth * look, 0, lookWidth, lookHeight), radius, 1, style.rim, style.fill);
  }
  QPainter painter(&strip);
  Smooth(painter);
  for (int look = 0; look < entry.looks; ++look) {
    painter.save();
    painter.translate(lookWidth * look, 0);
    painter.setClipRect(1, 1, lookWidth - 2, lookHeight - 2);
    content(painter, QRectF(0, 0, lookWidth, lookHeight), LightLookOf(static_cast<Look>(look)).ink);
    painter.restore();
  }
  return strip;
}

QImage TextButton(const SkinEntry& entry, bool english, int pixels) {
  const QString text = TextOf(entry, english);
  const bool hangul = !english && text.contains(QRegularExpression(QStringLiteral("[\\x{AC00}-\\x{D7A3}]")));
  return LightLooks(entry, english, 4, [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
    const QFont font = FittedFont(text, hangul, pixels, static_cast<int>(cell.width()) - 6);
    DrawCentredText(painter, cell, text, font, ink);
  });
}

QImage DialogClose(const SkinEntry& entry) {
  const int lookWidth = entry.size.width / entry.looks;
  QImage strip = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  const QColor fills[4] = {QColor(222, 222, 222), colour::kDanger, colour::kDanger.darker(130), QColor(236, 236, 236)};
  const QColor inks[4] = {QColor(70, 70, 70), Qt::white, Qt::white, QColor(180, 180, 180)};
  for (int look = 0; look < 4; ++look) {
    HardRoundedRect(strip, QRect(lookWidth * look, 0, lookWidth, entry.size.height), 3, 0, fills[look], fills[look]);
  }
  QPainter painter(&strip);
  Smooth(painter);
  for (int look = 0; look < 4; ++look) {
    DrawIcon(painter, "close", QRectF(lookWidth * look + 1.5, 1.5, 12, 12), inks[look]);
  }
  return strip;
}

QImage PanelToggle(const SkinEntry& entry) {
  const int lookWidth = entry.size.width / entry.looks;
  const int height = entry.size.height;
  QImage strip = NewPicture(entry.size.width, height, colour::kKey);
  const QColor fills[4] = {QColor(150, 150, 150), colour::kAccent, colour::kAccentDark, QColor(205, 205, 205)};
  const bool pointsLeft = entry.icon == "left";
  for (int look = 0; look < 4; ++look) {
    HardRoundedRect(strip, QRect(lookWidth * look, 0, lookWidth, height), 1, 0, fills[look], fills[look]);
    // A three-column arrow in the middle, drawn pixel by pixel at this size.
    const int middle = height / 2;
    for (int column = 0; column < 3; ++column) {
      const int reach = pointsLeft ? column : 2 - column;
      for (int dy = -reach; dy <= reach; ++dy) {
        strip.setPixelColor(lookWidth * look + 1 + column, middle + dy, look == 3 ? QColor(235, 235, 235) : Qt::white);
      }
    }
  }
  return strip;
}

QImage DropButton(const SkinEntry& entry) {
  if (entry.id != skin::kSpeedButton) {
    return LightLooks(entry, false, 2, [&](QPainter& painter, const QRectF& cell, const QColor& ink) {
      DrawIcon(painter, "dropdown", QRectF(cell.center() - QPointF(5, 5), QSizeF(10, 10)), ink);
    });
  }
  return IconLooks(entry, colour::kBarFace, 10, 3);
}

// Slider parts sit on their owner's face.
QColor SliderOwnerFace(int base) { return base == skin::kArVolumeSliderBase ? colour::kFrame : colour::kBarFace; }

int SliderBase(const SkinEntry& entry) {
  switch (entry.art) {
    case Art::SliderTrack: return entry.id;
    case Art::SliderFill: return entry.id - 1;
    default: return entry.id - 2;
  }
}

QImage SliderTrack(const SkinEntry& entry) {
  const SkinEntry* fill = skin::FindSkinEntry(skin::SkinKind::Bitmap, entry.id + 1);
  const double grooveHeight = fill != nullptr ? fill->size.height : 6;
  QImage track = NewPicture(entry.size.width, entry.size.height, SliderOwnerFace(entry.id));
  QPainter painter(&track);
  Smooth(painter);
  painter.setPen(QPen(QColor(90, 90, 90), 1));
  painter.setBrush(QColor(24, 24, 24));
  const double radius = grooveHeight / 2;
  painter.drawRoundedRect(QRectF(0.5, entry.param + 0.5, entry.size.width - 1, grooveHeight - 1), radius, radius);
  return track;
}

QImage SliderFill(const SkinEntry& entry) {
  QImage fill = NewPicture(entry.size.width, entry.size.height, SliderOwnerFace(SliderBase(entry)));
  QPainter painter(&fill);
  Smooth(painter);
  QLinearGradient shade(0, 0, 0, entry.size.height);
  shade.setColorAt(0, colour::kAccent.lighter(125));
  shade.setColorAt(1, colour::kAccentDark);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  const double radius = entry.size.height / 2.0;
  // Square at the right end: the fill is cut where the thumb stands.
  painter.drawRoundedRect(QRectF(0, 0, entry.size.width + radius, entry.size.height), radius, radius);
  return fill;
}

QImage SliderThumb(const SkinEntry& entry) {
  const int lookWidth = entry.size.width / entry.looks;
  const int height = entry.size.height;
  QImage strip = NewPicture(entry.size.width, height, colour::kKey);
  const QColor rims[3] = {QColor(30, 30, 30), colour::kAccent, colour::kAccentDark};
  const QColor fills[3] = {QColor(205, 205, 205), Qt::white, colour::kAccent};
  const int radius = lookWidth >= 12 ? 4 : 2;
  for (int look = 0; look < 3; ++look) {
    HardRoundedRect(strip, QRect(lookWidth * look, 0, lookWidth, height), radius, 1, rims[look], fills[look]);
    // Grip lines across the middle.
    const QColor grip = look == 2 ? colour::kAccentDark : QColor(140, 140, 140);
    const int lines = lookWidth >= 12 ? 3 : 1;
    for (int line = 0; line < lines; ++line) {
      const int x = lookWidth * look + lookWidth / 2 + (line - lines / 2) * 3;
      for (int y = height / 2 - 3; y <= height / 2 + 3; ++y) strip.setPixelColor(x, y, grip);
    }
  }
  return strip;
}

QImage BlindClose(const SkinEntry& entry) {
  const int lookWidth = entry.size.width / entry.looks;
  QImage strip = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  const QColor fills[4] = {QColor(88, 88, 88), colour::kDanger, colour::kDanger.darker(130), QColor(160, 160, 160)};
  for (int look = 0; look < 4; ++look) {
    HardRoundedRect(strip, QRect(lookWidth * look, 0, lookWidth, entry.size.height), lookWidth / 2, 1,
                    QColor(30, 30, 30), fills[look]);
  }
  QPainter painter(&strip);
  Smooth(painter);
  for (int look = 0; look < 4; ++look) {
    DrawIcon(painter, "close", QRectF(lookWidth * look + 2, 2, 9, 9), look == 3 ? QColor(210, 210, 210) : Qt::white);
  }
  return strip;
}

QImage CheckBox(const SkinEntry& entry) {
  QImage cells = NewPicture(entry.size.width, entry.size.height, colour::kKey);
  HardRoundedRect(cells, QRect(2, 2, 14, 14), 2, 1, colour::kAccentDark, colour::kAccent);
  HardRoundedRect(cells, QRect(20, 2, 14, 14), 2, 1, QColor(140, 140, 140), Qt::white);
  QPainter painter(&cells);
  Smooth(painter);
  QPen tick(Qt::white, 2);
  tick.setCapStyle(Qt::RoundCap);
  tick.setJoinStyle(Qt::RoundJoin);
  painter.setPen(tick);
  painter.drawPolyline(QPolygonF({{5.5, 9}, {8, 11.5}, {12.5, 6}}));
  return cells;
}

// Raised light buttons of the classic kind, for the speech editor.
void ClassicBody(QImage& picture, bool sunken) {
  const QColor light(255, 255, 255), dark(128, 128, 128), darkest(64, 64, 64);
  const int w = picture.width(), h = picture.height();
  for (int x = 0; x < w; ++x) {
    picture.setPixelColor(x, 0, sunken ? darkest : light);
    picture.setPixelColor(x, h - 1, sunken ? light : darkest);
    picture.setPixelColor(x, h - 2, sunken ? picture.pixelColor(x, h - 2) : dark);
  }
  for (int y = 0; y < h; ++y) {
    picture.setPixelColor(0, y, sunken ? darkest : light);
    picture.setPixelColor(w - 1, y, sunken ? light : darkest);
    if (!sunken && y > 0 && y < h - 1) picture.setPixelColor(w - 2, y, dark);
  }
}

QImage SpeechButton(const SkinEntry& entry, const std::string& icon, const QString& text, int state, bool accent) {
  QImage button = NewPicture(entry.size.width, entry.size.height, QColor(240, 240, 240));
  ClassicBody(button, state == 1);
  QPainter painter(&button);
  Smooth(painter);
  const double shift = state == 1 ? 1 : 0;
  const QColor ink = state == 2 ? QColor(160, 160, 160) : accent ? colour::kAccentDark : colour::kText;
  DrawIcon(painter, icon, QRectF(8 + shift, 6 + shift, 16, 16), ink);
  DrawCentredText(painter, QRectF(26 + shift, shift, entry.size.width - 30, entry.size.height), text,
                  FittedFont(text, false, 12, entry.size.width - 32, true), ink);
  return button;
}

}  // namespace

QImage DrawButtonPicture(const SkinEntry& entry, bool english) {
  switch (entry.art) {
    case Art::TitleButton: return TitleButton(entry);
    case Art::CommandButton: return CommandButton(entry, english);
    case Art::GradeButton: return GradeButton(entry, english);
    case Art::ToolButton: return IconLooks(entry, colour::kPaletteFace, 18, 4);
    case Art::StepButton: return StepButton(entry);
    case Art::DialogButton: return TextButton(entry, english, 12);
    case Art::DialogClose: return DialogClose(entry);
    case Art::PanelToggle: return PanelToggle(entry);
    case Art::PanelTextButton: return TextButton(entry, english, 12);
    case Art::DropButton: return DropButton(entry);
    case Art::BarButton: return IconLooks(entry, colour::kBarFace, entry.size.height > 24 ? 17 : 15, 4);
    case Art::SliderTrack: return SliderTrack(entry);
    case Art::SliderFill: return SliderFill(entry);
    case Art::SliderThumb: return SliderThumb(entry);
    case Art::BlindClose: return BlindClose(entry);
    case Art::CheckBox: return CheckBox(entry);
    case Art::SpeechButton: return SpeechButton(entry, entry.icon, QString::fromStdString(entry.text), entry.param, false);
    case Art::RepeatToggle:
      return SpeechButton(entry, "repeat", QStringLiteral("REPEAT"),
                          entry.param == 1 ? 1 : 0, entry.param == 1);
    default: return {};
  }
}

}  // namespace orvilo::skingen
