// Writes the seed corpora of the OCR fuzz targets: layout templates as the
// engine writes them, and one small page in every file format the loader
// reads (through Leptonica, as the engine decodes them).
#include <leptonica/allheaders.h>

#include <fstream>
#include <string>

namespace {

void WriteLayouts(const std::string& folder) {
  // As WriteLayoutTemplate writes them: kind, character set, recognise,
  // left, top, right, bottom, order, line count.
  std::ofstream(folder + "/two-items.ltf")
      << "PalenLayoutTemplate 1\npage 320 200\nitems 2\n0 1 1 10 10 300 60 0 2\n1 2 0 20 80 200 190 1 0\n";
  std::ofstream(folder + "/empty.ltf") << "PalenLayoutTemplate 1\npage 1 1\nitems 0\n";
  std::ofstream(folder + "/off-page.ltf") << "PalenLayoutTemplate 1\npage 10 10\nitems 1\n1 1 1 0 0 11 5 0 0\n";
}

void WritePages(const std::string& folder) {
  Pix* grey = pixCreate(23, 17, 8);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 23; ++x) pixSetPixel(grey, x, y, static_cast<l_uint32>((x * 11 + y * 7) & 0xFF));
  }
  Pix* colour = pixConvertTo32(grey);
  Pix* binary = pixThresholdToBinary(grey, 128);
  const struct {
    const char* name;
    Pix* pix;
    int format;
  } pages[] = {
      {"grey.bmp", grey, IFF_BMP},        {"colour.bmp", colour, IFF_BMP},  {"binary.bmp", binary, IFF_BMP},
      {"grey.png", grey, IFF_PNG},        {"colour.jpg", colour, IFF_JFIF_JPEG}, {"binary.tif", binary, IFF_TIFF_G4},
      {"colour.tif", colour, IFF_TIFF},   {"grey.pgm", grey, IFF_PNM},      {"colour.gif", colour, IFF_GIF},
  };
  for (const auto& page : pages) pixWrite((folder + "/" + page.name).c_str(), page.pix, page.format);
  pixDestroy(&binary);
  pixDestroy(&colour);
  pixDestroy(&grey);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  WriteLayouts(argv[1]);
  WritePages(argv[2]);
  return 0;
}
