// Writes the seed corpus of the decoder's fuzz target: small frames of every kind the
// decoder meets (sampling, restart intervals, progressive, with and without Huffman
// tables, odd sizes), encoded by libjpeg-turbo.
#include <cstdio>
#include <fstream>
#include <string>

#include "test_frames.h"

using namespace orvilo::mjpeg::testing;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  int count = 0;
  const Sampling samplings[] = {Sampling::k422, Sampling::k420, Sampling::k444};
  const int sizes[][2] = {{16, 8}, {33, 17}, {64, 48}, {97, 65}};
  for (Sampling sampling : samplings) {
    for (const auto& size : sizes) {
      for (int variant = 0; variant < 5; ++variant) {
        EncodeOptions options;
        options.sampling = sampling;
        options.quality = 40 + 15 * variant;
        options.huffmanTables = variant % 2 == 0;
        options.restartInterval = variant == 1 ? 1 : (variant == 3 ? 3 : 0);
        options.progressive = variant == 4;
        if (options.progressive) options.huffmanTables = true;
        const auto jpeg = EncodeFrame(MakeCameraPicture(size[0], size[1], static_cast<uint32_t>(variant)), options);
        std::ofstream(std::string(argv[1]) + "/seed-" + std::to_string(count++) + ".jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<long>(jpeg.size()));
      }
    }
  }
  std::printf("%d seed frames in %s\n", count, argv[1]);
  return 0;
}
