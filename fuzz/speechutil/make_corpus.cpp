// Writes the seed corpus of the text-file fuzz target: one text in every
// encoding the editor reads, and line ends of every kind.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  const std::string files[] = {
      "Plain ASCII.\r\nSecond line.\n",
      "\xEF\xBB\xBF" "UTF-8 with a mark: \xED\x95\x9C\xEA\xB8\x80\r\n",
      "UTF-8 without: caf\xC3\xA9 \xF0\x9F\x98\x80\rold Mac line\r",
      std::string("\xFF\xFE" "A\0\x5C\xD5\r\0\n\0", 10),
      std::string("\xFE\xFF\0A\xD5\x5C\0\n\xD8\x3D\xDE\x00", 12),
      "CP949: \xC7\xD1\xB1\xDB \xB0\xA1\xB3\xAA\r\n",
      "broken: \xC3 \xED\xA0\x80 \xFF",
  };
  int number = 0;
  for (const std::string& text : files) std::ofstream(folder + "/text" + std::to_string(number++) + ".txt", std::ios::binary) << text;
  return 0;
}
