// A program folder with AR content for one test: AR/AR.ini, pictures and
// viewer files, removed when the test ends.
#pragma once

#include <sys/stat.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::testing {

class ArFolder {
 public:
  // The program folder is `subfolder` of a fresh temporary folder (itself
  // when empty).
  explicit ArFolder(const std::string& subfolder = {})
      : program_(subfolder.empty() ? folder_.path() : folder_ / subfolder) {
    std::filesystem::create_directories(program_ + "/AR");
  }

  const std::string& program() const { return program_; }
  std::string ar(const std::string& name) const { return program_ + "/AR/" + name; }

  void WriteDescription(const std::string& text) const { Write(ar("AR.ini"), text); }

  // An executable "ARViewer.exe" at AR/<relative>/.
  std::string AddViewerAt(const std::string& relative, const std::string& body = "#!/bin/sh\nexit 0\n") const {
    const std::string folder = ar(relative);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/ARViewer.exe";
    Write(path, body);
    chmod(path.c_str(), 0755);
    return path;
  }
  std::string AddViewer(int grade, int semester, int unit) const {
    return AddViewerAt(std::to_string(grade) + "/" + std::to_string(semester) + "/" + std::to_string(unit));
  }

  // A picture of `width` × `height` in one colour, at AR/<name>.
  void AddPicture(const std::string& name, int width = 40, int height = 20, QColor colour = Qt::red) const {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    std::filesystem::create_directories(std::filesystem::path(ar(name)).parent_path());
    picture.save(QString::fromStdString(ar(name)), "PNG");
  }

  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

 private:
  TemporaryFolder folder_;
  std::string program_;
};

}  // namespace orvilo::testing
