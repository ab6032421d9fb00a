// Whether the built-in demo camera is plugged in: the demo device list shows
// it (and its microphone) only then, and its element streams only then — an
// unplugged demo camera fails like a pulled USB camera.
//
// Two switches, both must say "in": the process's own (default in; tests
// pull the camera out in-process) and, when a plug file is named, that file
// existing. The plug file is the test hook for plugging the camera in and
// out of a running program from outside: the program takes its name from
// ORVILO_DEMO_CAMERA_PLUG_FILE when started with the demo camera; without
// the variable nothing changes.
//
// All calls are thread-safe (the element asks on its streaming thread).
#pragma once

#include <string>

namespace orvilo::media {

inline constexpr const char* kDemoCameraPlugFileVariable = "ORVILO_DEMO_CAMERA_PLUG_FILE";

void SetDemoCameraPlugged(bool plugged);
// Empty: no plug file (the process's switch alone decides).
void SetDemoCameraPlugFile(std::string path);
// The file ORVILO_DEMO_CAMERA_PLUG_FILE names; empty when unset.
std::string DemoCameraPlugFileFromEnvironment();

bool DemoCameraPlugged();

}  // namespace orvilo::media
