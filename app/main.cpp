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
  const std::string folder = orvilo::sys::ProgramFolder();
  const char* plain = std::getenv("GST_PLUGIN_PATH");
  setenv("GST_PLUGIN_PATH", (plain != nullptr && plain[0] != '\0' ? folder + ":" + plain : folder).c_str(), 1);
  // When the versioned variable is set, it is the one the pipeline reads.
  if (const char* versioned = std::getenv("GST_PLUGIN_PATH_1_0"); versioned != nullptr && versioned[0] != '\0') {
    setenv("GST_PLUGIN_PATH_1_0", (folder + ":" + versioned).c_str(), 1);
  }
}
}  // namespace

int main(int argc, char** argv) {
  orvilo::shell::ApplicationOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--demo-camera") == 0) {
      options.demoCamera = true;
    } else if (std::strcmp(argv[i], "--tour") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        std::cerr << "Vexmar_Orvilo: --tour needs a folder\n";
        return 2;
      }
      options.tourFolder = argv[++i];
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: Vexmar_Orvilo [--demo-camera] [--tour <folder>]\n"
                   "  --demo-camera    add the built-in demo camera, so the program runs without one attached\n"
                   "  --tour <folder>  run the scripted lesson and leave its screenshots, files and report.json\n"
                   "                   in <folder>; exit status 0 only when every step was ok\n";
      return 0;
    }
  }
  PutProgramFolderOnPluginPath();
  QApplication application(argc, argv);
  QApplication::setApplicationName("Orvilo");
  return orvilo::shell::CVyr3App(options).Run();
}
