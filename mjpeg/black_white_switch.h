// The module's black-and-white switch, written by SetBW (VxmMjpeg.h).
#pragma once

namespace orvilo::mjpeg {

// The current value: non-zero for grey output.
int BlackWhiteSwitch();

}  // namespace orvilo::mjpeg
