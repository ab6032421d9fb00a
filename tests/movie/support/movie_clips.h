// Movie files for the movie tests, made by GStreamer in the test itself.
//
// GStreamer here: the registry is a file of the running test's own in the
// working folder, so test processes running side by side never rewrite each
// other's; the system plug-in folder stays on the path, because playing a
// movie needs the installed demuxers and decoders; a developer's own
// GST_PLUGIN_PATH cannot leak in.
//
// Clips are made once and kept in movie-clips/ of the working folder under a
// name that carries a digest of the pipeline that made them, so a changed
// recipe makes a new file.
#pragma once

#include <ostream>
#include <string>

namespace orvilo::movie::testing {

struct ClipSpec {
  const char* container;  // file name extension: avi, mp4, mpg, wmv
  int width;
  int height;
  int seconds;  // whole seconds of picture
  // An element that must be installed to play the file back ("" for none):
  // the test is skipped without it.
  const char* playbackElement;
};

// How a clip appears in test names and messages: "avi 160x120 95 s".
inline void PrintTo(const ClipSpec& spec, std::ostream* out) {
  *out << spec.container << ' ' << spec.width << 'x' << spec.height << ' ' << spec.seconds << " s";
}

// Sets the registry and starts GStreamer (once per process).
void StartGstreamerForTests();

// The path of the clip (made now when missing); "" with `error` set when it
// could not be made.
std::string MakeClip(const ClipSpec& spec, std::string* error);

// True when GStreamer has an element factory of this name.
bool HasElement(const char* name);

}  // namespace orvilo::movie::testing
