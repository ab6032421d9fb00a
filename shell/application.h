// CVyr3App, the application object: one running copy per user, the main
// window run modally until it ends, then the program ends.
#pragma once

#include <string>

#include "platform/sys/single_instance.h"

namespace orvilo::shell {

struct ApplicationOptions {
  // Adds the built-in demo camera (a known model) to the devices.
  bool demoCamera = false;
  // Not empty: the scripted lesson runs and leaves its files and report in
  // this folder (docs/tour.md).
  std::string tourFolder;
};

class CVyr3App {
 public:
  explicit CVyr3App(ApplicationOptions options) : options_(options) {}

  // Runs the program; the exit code of the process (0, also when another
  // copy is already running and this one ends without a window). A tour
  // ends with 0 only when every step of it was ok.
  int Run();

  static constexpr const char* kInstanceName = "Vyr-3Mutex";

 private:
  bool InitInstance();
  int ExitInstance();

  ApplicationOptions options_;
  int exitCode_ = 0;
  sys::SingleInstanceLock instance_;
};

}  // namespace orvilo::shell
