#include "shell/file_filters.h"

#include <cctype>

namespace orvilo::shell {

std::string FileFilterText(FileFilter filter, bool korean) {
  const std::string image = korean ? "이미지 파일" : "Image file";
  const std::string movie = korean ? "동영상 파일" : "Movie file";
  switch (filter) {
    case FileFilter::PictureOrMovie:
      return image + " (bmp,jpg)|*.bmp;*.jpg|" + movie + " (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg|" +
             (korean ? "모든 파일" : "ALL file") + "|*.bmp;*.jpg;*.wmv;*.asf;*.avi;*.mp4;*.mpg||";
    case FileFilter::RecordingAvi: return movie + " (*.avi)|*.avi||";
    case FileFilter::OpenPicture: return image + " (bmp,jpg)|*.bmp;*.jpg||";
    case FileFilter::SavePicture: return image + " (*.bmp)|*.bmp||";
    case FileFilter::LearningFile: return "QEL Learning File (*.qel)|*.qel||";
    case FileFilter::BackgroundMusic: return std::string(korean ? "배경음악 파일" : "BGM file") + " (mp3, wav)|*.mp3;*.wav||";
    case FileFilter::OpenMovie: return movie + " (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg||";
    case FileFilter::ExportPdf: return std::string(korean ? "PDF 문서" : "PDF document") + " (*.pdf)|*.pdf||";
    case FileFilter::TextFile: return std::string(korean ? "텍스트 파일" : "Text file") + " (*.txt)|*.txt||";
  }
  return {};
}

bool IsPictureFileName(const std::string& name) {
  if (name.size() < 3) return false;
  std::string extension = name.substr(name.size() - 3);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "bmp" || extension == "jpg";
}

}  // namespace orvilo::shell
