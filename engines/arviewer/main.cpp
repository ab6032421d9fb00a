// ARViewer: the sample AR viewer (see viewer_program.h).
#include <QApplication>
#include <cstdlib>

#include "engines/arviewer/viewer_program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) return 2;
  char* end = nullptr;
  const long long handle = std::strtoll(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0' || handle == 0) return 2;
  // The path we were started as names the unit folder (a link to the
  // program keeps it; the executable's own path would not).
  orvilo::arviewer::ViewerProgram viewer(QString::fromLocal8Bit(argv[0]), handle);
  if (!viewer.Start()) return 1;
  return application.exec();
}
