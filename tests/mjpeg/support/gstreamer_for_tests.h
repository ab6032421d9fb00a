// GStreamer in the decoder's test programs, alike on every machine and in every run.
//
// - The registry is a file of the running test's own in the working folder, so test
//   processes running side by side never rewrite each other's.
// - No system plug-in folder is scanned: the system plug-ins a test needs are loaded by
//   name, so what else is installed never matters. A scan of the whole system, which
//   happens whenever a registry is new or a package changed, would load every installed
//   plug-in into the test process in sanitizer builds (they scan in-process, as a
//   plain-built scanner cannot load a sanitizer-built module); the libraries those
//   plug-ins pull in leave leaks that fail the process at its exit.
// - `pluginFolder` (may be null) is on the plug-in path, as the program puts its own
//   folder there.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace orvilo::mjpeg::testing {

// The first call in a process sets the registry and the plug-in path and starts
// GStreamer (`pluginFolder` of later calls is ignored); every call loads its system
// plug-ins by short name ("coreelements" for libgstcoreelements.so) from GStreamer's
// plug-in folder, which is harmless for a plug-in already loaded. Returns "" or what
// failed.
std::string StartGstreamer(std::initializer_list<const char*> systemPlugins, const char* pluginFolder = nullptr);

// Runs a gst-launch style description made of videotestsrc, caps filters and jpegenc or
// avenc_mjpeg, ending in an appsink named "sink" that receives image/jpeg, and returns
// the frames (empty on failure); `error` tells why. Starts GStreamer when needed.
std::vector<std::vector<uint8_t>> FramesFromPipeline(const std::string& description, std::string& error);

}  // namespace orvilo::mjpeg::testing
