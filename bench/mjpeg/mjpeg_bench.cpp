// Single-threaded decoding speed, camera frame to BGRX picture, against libjpeg-turbo.
// Frames are encoded here (libjpeg-turbo, quality 85, Annex K tables, DHT left out as
// cameras do). Each round decodes the frame once with every decoder, alternating, so
// that the shared machine's drift hits all of them alike. Rates come from each decoder's
// fastest round (the least disturbed on a shared machine); the ratio of the medians is
// printed as well.
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mjpeg/colour_conversion.h"
#include "mjpeg/decoder.h"
#include "test_frames.h"

using namespace orvilo::mjpeg;
using namespace orvilo::mjpeg::testing;
using Clock = std::chrono::steady_clock;

namespace {

struct Case {
  int width, height;
  Sampling sampling;
  int restartInterval;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
  const double secondsPerCase = argc > 1 ? std::atof(argv[1]) : 1.0;
  const Case cases[] = {
      {1280, 720, Sampling::k422, 0},  {1280, 720, Sampling::k420, 0},  {1920, 1080, Sampling::k422, 0},
      {1920, 1080, Sampling::k420, 0}, {1920, 1080, Sampling::k422, 120}, {2592, 1944, Sampling::k422, 0},
      {2592, 1944, Sampling::k420, 0},
  };
  ContextPtr context(CreateContext());
  tjhandle turbo = tjInitDecompress();
  std::printf("ours: %s transform and conversion; libjpeg-turbo %s\n", SimdLevelName(ContextSimdLevel(context.get())),
              "tjDecompress2 to BGRX (default = smooth upsampling, fast = TJFLAG_FASTUPSAMPLE)");
  std::printf("%-22s %6s %10s %10s %11s %8s %9s %13s\n", "frame", "KiB", "ours MP/s", "tj MP/s", "tjfast MP/s",
              "ours/tj", "ours/fast", "median ours/tj");
  for (const Case& c : cases) {
    EncodeOptions options;
    options.sampling = c.sampling;
    options.restartInterval = c.restartInterval;
    options.huffmanTables = false;
    const std::vector<uint8_t> jpeg = EncodeFrame(MakeCameraPicture(c.width, c.height, 11), options);
    std::vector<uint8_t> ours(static_cast<size_t>(c.width) * c.height * 4);
    std::vector<uint8_t> theirs(ours.size());

    auto decodeOurs = [&] {
      PlaneSet planes;
      if (DecodeFrame(context.get(), &planes, jpeg.data(), jpeg.size()) <= 0 ||
          ConvertToBgrx(ours.data(), c.width * 4, planes, false, false) != 0) {
        std::fprintf(stderr, "our decoder failed\n");
        std::exit(1);
      }
    };
    auto decodeTurbo = [&](int flags) {
      if (tjDecompress2(turbo, jpeg.data(), jpeg.size(), theirs.data(), c.width, c.width * 4, c.height, TJPF_BGRX,
                        flags) != 0) {
        std::fprintf(stderr, "libjpeg-turbo failed: %s\n", tjGetErrorStr2(turbo));
        std::exit(1);
      }
    };
    auto time = [](auto&& f) {
      const auto start = Clock::now();
      f();
      return std::chrono::duration<double>(Clock::now() - start).count();
    };
    // Warm up buffers and tables.
    decodeOurs();
    decodeTurbo(0);
    decodeTurbo(TJFLAG_FASTUPSAMPLE);
    std::vector<double> oursTimes, turboTimes, fastTimes;
    const auto end = Clock::now() + std::chrono::duration<double>(secondsPerCase);
    while (Clock::now() < end || oursTimes.size() < 5) {
      oursTimes.push_back(time(decodeOurs));
      turboTimes.push_back(time([&] { decodeTurbo(0); }));
      fastTimes.push_back(time([&] { decodeTurbo(TJFLAG_FASTUPSAMPLE); }));
    }
    const double megapixels = c.width * static_cast<double>(c.height) / 1e6;
    const double oursRate = megapixels / Fastest(oursTimes);
    const double turboRate = megapixels / Fastest(turboTimes);
    const double fastRate = megapixels / Fastest(fastTimes);
    const double medianRatio = Median(turboTimes) / Median(oursTimes);
    const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) +
                             (c.sampling == Sampling::k422 ? " 4:2:2" : " 4:2:0") +
                             (c.restartInterval ? " DRI" + std::to_string(c.restartInterval) : "");
    std::printf("%-22s %6zu %10.1f %10.1f %11.1f %8.2f %9.2f %13.2f\n", name.c_str(), jpeg.size() / 1024, oursRate,
                turboRate, fastRate, oursRate / turboRate, oursRate / fastRate, medianRatio);
  }
  tjDestroy(turbo);
  return 0;
}
