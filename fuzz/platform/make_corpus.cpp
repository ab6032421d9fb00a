// Writes the seed corpus of the platform fuzz targets: settings files in the
// shapes the program meets (its own, hand-edited, written on Windows in
// CP949) and small bitmaps of every kind the decoder takes.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gdi/bitmap_file.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::filesystem::path profiles = argv[1];
  const std::filesystem::path bitmaps = argv[2];
  std::filesystem::create_directories(profiles);
  std::filesystem::create_directories(bitmaps);

  Write(profiles / "program.ini",
        "[QEL-3]\r\nTempFolder=/opt/orvilo/STRQelOutput\r\nRESOLUTION=2\r\nROTATE=0\r\nFULLSCREEN=FALSE\r\n"
        "ARINFO=%d 학년 %d 학기 %d 단원\r\n[VOICEBOOK]\r\nVoiceBook000=/a.qel\r\nVoiceBook001=END\r\n");
  Write(profiles / "hand_edited.ini", "; note\n [ qel-3 ] \n  rotate = \"5\" \nGRADE=356\n[QEL-3]\nROTATE=1\n=x\n[\n");
  Write(profiles / "cp949.ini", "[QEL-3]\r\nTITLE=\xC7\xD0\xB1\xB3\r\nImageFolder=C:\\\xBB\xE7\xC1\xF8\r\n");
  Write(profiles / "long_value.ini", "[QEL-3]\r\nTITLE=" + std::string(400, 'x') + "\r\n");

  for (const int bits : {8, 24, 32}) {
    orvilo::gdi::PackedDib picture = orvilo::gdi::PackedDib::Create(5, 3, bits);
    for (std::size_t i = 0; i < picture.pixelBytes(); ++i) picture.pixels()[i] = static_cast<std::uint8_t>(i * 37);
    Write(bitmaps / ("picture" + std::to_string(bits) + ".bmp"), orvilo::gdi::EncodeBitmapFile(picture));
  }
  return 0;
}
