// PenPalette: the ten annotation colours, in the order the colour picker
// lists them (its entry index is the palette index), as COLORREF values:
// red in the low byte, blue in the high one (0x00BBGGRR).
#pragma once

#include <array>
#include <cstdint>

namespace orvilo::ui {

inline constexpr std::array<std::uint32_t, 10> PenPalette = {
    0xFFFFFF,  // white
    0xC0C0C0,  // silver
    0x0000FF,  // red
    0x00FFFF,  // yellow
    0x00FF00,  // green
    0xFF00FF,  // magenta
    0xFFFF00,  // cyan
    0xFF0000,  // blue
    0x800080,  // purple
    0x000000,  // black
};

}  // namespace orvilo::ui
