// Tests run headless unless the caller's environment says otherwise: Qt
// offscreen, audio into the null sink. Set in main(), so a test program
// behaves the same under CTest and when started by hand.
#pragma once

namespace orvilo::testing {
void UseHeadlessDefaults();
}
