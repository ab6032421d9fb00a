#include "shell/picture_folder.h"

#include <gtest/gtest.h>

using namespace orvilo::shell;

TEST(PictureFolder, NeighbourInNameOrderAmongThePicturesOnly) {
  const std::vector<std::string> names = {"c.jpg", "movie.mp4", "a.bmp", "b.JPG", "notes.txt", "d.jpeg"};
  const struct {
    const char* current;
    int step;
    std::optional<std::string> want;
  } cases[] = {
      {"a.bmp", 1, "b.JPG"},       {"b.JPG", 1, "c.jpg"},   {"c.jpg", 1, std::nullopt},  // the last
      {"c.jpg", -1, "b.JPG"},      {"a.bmp", -1, std::nullopt},                          // the first
      {"a.bmp", 2, "c.jpg"},       {"a.bmp", 0, std::nullopt},
      {"notes.txt", 1, std::nullopt},  // not a picture: no place among them
      {"gone.jpg", 1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(NeighbourPictureName(names, c.current, c.step), c.want) << c.current << " " << c.step;
}

TEST(PictureFolder, AFolderThatCannotBeReadHasNoNeighbour) {
  EXPECT_EQ(NeighbourPictureFile("/no/such/folder/a.jpg", 1), std::nullopt);
}
