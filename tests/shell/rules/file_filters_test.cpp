#include "shell/file_filters.h"

#include <gtest/gtest.h>

using namespace orvilo::shell;

TEST(FileFilters, TextsInBothLanguages) {
  EXPECT_EQ(FileFilterText(FileFilter::PictureOrMovie, true),
            "이미지 파일 (bmp,jpg)|*.bmp;*.jpg|동영상 파일 (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg|모든 파일|"
            "*.bmp;*.jpg;*.wmv;*.asf;*.avi;*.mp4;*.mpg||");
  EXPECT_EQ(FileFilterText(FileFilter::PictureOrMovie, false),
            "Image file (bmp,jpg)|*.bmp;*.jpg|Movie file (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg|ALL file|"
            "*.bmp;*.jpg;*.wmv;*.asf;*.avi;*.mp4;*.mpg||");
  EXPECT_EQ(FileFilterText(FileFilter::RecordingAvi, true), "동영상 파일 (*.avi)|*.avi||");
  EXPECT_EQ(FileFilterText(FileFilter::OpenPicture, false), "Image file (bmp,jpg)|*.bmp;*.jpg||");
  EXPECT_EQ(FileFilterText(FileFilter::SavePicture, true), "이미지 파일 (*.bmp)|*.bmp||");
  EXPECT_EQ(FileFilterText(FileFilter::LearningFile, true), "QEL Learning File (*.qel)|*.qel||");
  EXPECT_EQ(FileFilterText(FileFilter::LearningFile, false), "QEL Learning File (*.qel)|*.qel||");
  EXPECT_EQ(FileFilterText(FileFilter::BackgroundMusic, true), "배경음악 파일 (mp3, wav)|*.mp3;*.wav||");
  EXPECT_EQ(FileFilterText(FileFilter::BackgroundMusic, false), "BGM file (mp3, wav)|*.mp3;*.wav||");
  EXPECT_EQ(FileFilterText(FileFilter::OpenMovie, false), "Movie file (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg||");
  EXPECT_EQ(FileFilterText(FileFilter::ExportPdf, true), "PDF 문서 (*.pdf)|*.pdf||");
  EXPECT_EQ(FileFilterText(FileFilter::TextFile, false), "Text file (*.txt)|*.txt||");
}

TEST(FileFilters, PictureByTheLastThreeCharactersLowerCased) {
  const std::pair<const char*, bool> cases[] = {{"/a/PAGE.JPG", true}, {"x.bmp", true},  {"clip.MP4", false},
                                                {"a.jpeg", false},     {"bmp", true},    {"mp", false},
                                                {"/tmp/jpg", true},    {"x.Bmp", true},  {"", false}};
  for (const auto& [name, picture] : cases) EXPECT_EQ(IsPictureFileName(name), picture) << name;
}
