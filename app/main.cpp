// Vexmar_Orvilo: the classroom camera program.
#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <string>
#include <iostream>

#include "platform/sys/program_folder.h"
#include "shell/application.h"

namespace {
// The media pipeline finds the program's own decoder plug-in beside it.
void PutProgramFolderOnPluginPath() {
  std::string path = orvilo::sys::ProgramFolder();
  if (const char* existing = std::getenv("GST_PLUGIN_PATH"); existing != nullptr && existing[0] != '\0') {
    path += ":";
    path += existing;
  }
  setenv("GST_PLUGIN_PATH", path.c_str(), 1);
}
}  // namespace

int main(int argc, char** argv) {
  orvilo::shell::ApplicationOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--demo-camera") == 0) {
      options.demoCamera = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: Vexmar_Orvilo [--demo-camera]\n"
                   "  --demo-camera  add the built-in demo camera, so the program runs without one attached\n";
      return 0;
    }
  }
  PutProgramFolderOnPluginPath();
  QApplication application(argc, argv);
  QApplication::setApplicationName("Orvilo");
  return orvilo::shell::CVyr3App(options).Run();
}
