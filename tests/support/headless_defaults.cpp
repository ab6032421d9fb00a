#include "headless_defaults.h"

#include <cstdlib>

namespace orvilo::testing {

void UseHeadlessDefaults() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("ORVILO_AUDIO_OUT", "null", 0);
}

}  // namespace orvilo::testing
