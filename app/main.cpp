// Vexmar_Orvilo: the classroom camera program.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "shell/application.h"

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
  QApplication application(argc, argv);
  QApplication::setApplicationName("Orvilo");
  return orvilo::shell::CVyr3App(options).Run();
}
