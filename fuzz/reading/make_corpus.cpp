// Writes the seed corpus of the learning-file fuzz target: files as the
// program writes them, with and without blinds, text, music and a picture.
#include <fstream>
#include <string>

#include "reading/learning_file.h"

using namespace orvilo;
using namespace orvilo::reading;

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  const gdi::PackedDib colour = gdi::PackedDib::Create(5, 3, 24);
  const gdi::PackedDib grey = gdi::PackedDib::Create(4, 4, 8);
  const LearningPage pages[] = {
      {},
      {{1, 2, 30, 40}, {{10, 10, 310, 160}}, "One sentence. 두 번째 문장.", "", nullptr},
      {{0, 0, 0, 0}, {{1, 1, 20, 20}, {2, 2, 40, 40}}, "", "/music/a.ogg", &colour},
      {{5, 5, 6, 6}, {}, std::string("\xC7\xD1\xB1\xDB", 4), "m", &grey},
  };
  int number = 0;
  for (const LearningPage& page : pages) {
    std::ofstream(folder + "/page" + std::to_string(number++) + ".qel", std::ios::binary) << SerialiseLearningFile(page);
  }
  return 0;
}
