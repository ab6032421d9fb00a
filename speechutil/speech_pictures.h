// The speech editor's pictures, drawn in code: the bitmap buttons (Play,
// Stop, FILE, the repeat toggle) as strips of four looks (normal, hover,
// pressed, disabled) for ui::CSkinButton, the speaker pictures and the
// about picture.
#pragma once

#include <QImage>

namespace orvilo::speechutil {

enum class ButtonPicture { Play, Stop, File, Repeat };

inline constexpr int kButtonWidth = 64;
inline constexpr int kButtonHeight = 40;

QImage ButtonStrip(ButtonPicture picture);

// Speaker pictures: 145..149 for speakers 0..4, 143 for speaker 6; null
// for any other speaker.
int SpeakerPictureId(int speaker);
QImage SpeakerPicture(int pictureId);

QImage AboutPicture();  // picture 151

}  // namespace orvilo::speechutil
