// Writes the seed corpora of the speech-engine fuzz targets: user
// dictionaries and texts, each led by the byte that picks the language (and,
// for texts, the character set).
#include <fstream>
#include <string>

namespace {

void Write(const std::string& path, char lead, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << lead << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string dictionaries = argv[1];
  const std::string texts = argv[2];
  Write(dictionaries + "/english.dic", 1, "# words\nSQL sequel\nGUI gooey\n\nnopronunciation\n");
  Write(dictionaries + "/korean.dic", 0, "\xED\x95\x9C\xEA\xB8\x80 \xED\x95\x9C \xEA\xB8\x80\r\nSQL \xEC\x97\x90\xEC\x8A\xA4\r\n");
  Write(dictionaries + "/cp949.dic", 0, "\xC7\xD1\xB1\xDB  \xC7\xD1\r\n");
  Write(dictionaries + "/utf16.dic", 1, std::string("\xFF\xFES\0Q\0L\0 \0s\0e\0q\0\n\0", 18));
  Write(dictionaries + "/japanese.dic", 3, "\xE6\x97\xA5\xE6\x9C\xAC \xE3\x81\xAB\xE3\x81\xBB\xE3\x82\x93\n");
  Write(texts + "/english.txt", 1 + 4, "Hello there. It is 3:45 on 12/10, 50% done!");
  Write(texts + "/korean.txt", 0 + 4, "\xEC\x95\x88\xEB\x85\x95\xED\x95\x98\xEC\x84\xB8\xEC\x9A\x94. 2026\xEB\x85\x84.");
  Write(texts + "/cp949.txt", 0 + 8, "\xC7\xD1\xB1\xDB \xB0\xA1\xB3\xAA");
  Write(texts + "/chinese.txt", 2, "\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE4\xB8\x96\xE7\x95\x8C\xE3\x80\x82");
  Write(texts + "/japanese.txt", 3, "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF");
  Write(texts + "/broken.txt", 1, "a\xC3 \xFF\xFE b \xED\xA0\x80 c");
  return 0;
}
