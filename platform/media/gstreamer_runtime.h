// GStreamer for the program: started once, on first use, with the program's
// own elements (the demo camera) registered. Safe from any thread.
#pragma once

#include <string>

namespace orvilo::media {

// True when GStreamer runs and the demo camera element is registered.
bool EnsureGstreamer();

// The module file GStreamer loads an element from (e.g. VxmMjpeg.so for
// "vxmmjpegdec"), so that its exports reach the very module the pipelines
// use; empty when the element is unknown or built in.
std::string ElementModuleFile(const char* factoryName);

}  // namespace orvilo::media
