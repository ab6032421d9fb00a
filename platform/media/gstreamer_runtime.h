// GStreamer for the program: started once, on first use, with the program's
// own elements (the demo camera) registered. Safe from any thread.
#pragma once

namespace orvilo::media {

// True when GStreamer runs and the demo camera element is registered.
bool EnsureGstreamer();

}  // namespace orvilo::media
