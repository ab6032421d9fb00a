// The file-dialog filters of the main window's commands, in the main
// window's language, and the rule that tells a picture from a movie.
#pragma once

#include <string>

namespace orvilo::shell {

enum class FileFilter {
  PictureOrMovie,  // open file, camera mode (1045)
  RecordingAvi,    // record (1047)
  OpenPicture,     // 1065
  SavePicture,     // 1066
  LearningFile,    // 1075
  BackgroundMusic, // 1079
  OpenMovie,       // 1085
  ExportPdf,       // 1082, the page and its text
  TextFile         // 1082, the recognised text
};

std::string FileFilterText(FileFilter filter, bool korean);

// The last three characters of the name, lower-cased, are "bmp" or "jpg".
bool IsPictureFileName(const std::string& name);

}  // namespace orvilo::shell
