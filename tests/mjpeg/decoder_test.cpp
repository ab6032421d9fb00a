#include "mjpeg/decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gstreamer_for_tests.h"
#include "mjpeg/colour_conversion.h"
#include "test_frames.h"

using namespace orvilo::mjpeg;
using namespace orvilo::mjpeg::testing;

namespace {

struct Decoded {
  ContextPtr context;
  long result = 0;
  PlaneSet planes;
  std::vector<uint8_t> bgrx;
};

Decoded Decode(DecoderContext* context, const std::vector<uint8_t>& jpeg) {
  Decoded d;
  d.result = DecodeFrame(context, &d.planes, jpeg.data(), jpeg.size());
  if (d.result > 0 && d.planes.y != nullptr) {
    d.bgrx.resize(static_cast<size_t>(d.planes.width) * d.planes.height * 4);
    ConvertToBgrx(d.bgrx.data(), d.planes.width * 4, d.planes, false, false);
  }
  return d;
}

// With a fresh context, kept with the result: planes live as long as their context.
Decoded Decode(const std::vector<uint8_t>& jpeg) {
  ContextPtr context(CreateContext());
  Decoded d = Decode(context.get(), jpeg);
  d.context = std::move(context);
  return d;
}

// PSNR against the reference; also checks that no single byte strays far, which a
// wrongly decoded block would do even when the picture as a whole scores well.
double PsnrAgainstReference(const std::vector<uint8_t>& jpeg, const Decoded& decoded, int largestDifference = 6) {
  int width = 0, height = 0;
  const std::vector<uint8_t> reference = ReferenceBgrx(jpeg, width, height);
  EXPECT_EQ(width, decoded.planes.width);
  EXPECT_EQ(height, decoded.planes.height);
  if (reference.size() == decoded.bgrx.size()) {
    int largest = 0;
    for (size_t i = 0; i < reference.size(); ++i) largest = std::max(largest, std::abs(reference[i] - decoded.bgrx[i]));
    EXPECT_LE(largest, largestDifference);
  }
  return PsnrBgrx(reference, decoded.bgrx);
}

}  // namespace

struct NeutralCase {
  uint8_t grey;
  uint8_t expected;
};

class NeutralFrame : public ::testing::TestWithParam<NeutralCase> {};

// A uniform grey frame round-trips exactly through the DC-only path; the converter's
// video-range arithmetic then maps Y 128 -> 129, 235 -> 253, 16 -> 0.
TEST_P(NeutralFrame, DecodesToTheConvertedGrey) {
  for (Sampling sampling : {Sampling::k422, Sampling::k420}) {
    EncodeOptions options;
    options.quality = 100;
    options.sampling = sampling;
    options.huffmanTables = false;
    const Decoded d = Decode(EncodeFrame(MakeUniformPicture(48, 32, GetParam().grey, GetParam().grey, GetParam().grey), options));
    ASSERT_GT(d.result, 0);
    ASSERT_NE(d.planes.y, nullptr);
    for (size_t i = 0; i < d.bgrx.size(); i += 4) {
      ASSERT_EQ(d.bgrx[i], GetParam().expected) << i;
      ASSERT_EQ(d.bgrx[i + 1], GetParam().expected) << i;
      ASSERT_EQ(d.bgrx[i + 2], GetParam().expected) << i;
      ASSERT_EQ(d.bgrx[i + 3], 0) << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Greys, NeutralFrame,
                         ::testing::Values(NeutralCase{128, 129}, NeutralCase{235, 253}, NeutralCase{16, 0}));

struct PlaneCase {
  int width, height;
  Sampling sampling;
  int lumaRows, chromaWidth, chromaRows;
};

class PlaneLayout : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(PlaneLayout, FollowsTheSampling) {
  const PlaneCase& p = GetParam();
  EncodeOptions options;
  options.sampling = p.sampling;
  options.quality = 50;
  const Decoded d = Decode(EncodeFrame(MakeCameraPicture(p.width, p.height), options));
  ASSERT_GT(d.result, 0);
  EXPECT_EQ(d.planes.width, p.width);
  EXPECT_EQ(d.planes.height, p.height);
  EXPECT_EQ(d.planes.yStride, (p.width + 15) & ~15);
  EXPECT_EQ(d.planes.cbStride, p.chromaWidth);
  EXPECT_EQ(d.planes.crStride, p.chromaWidth);
  EXPECT_EQ(d.planes.cb - d.planes.y, static_cast<ptrdiff_t>(d.planes.yStride) * p.lumaRows);
  EXPECT_EQ(d.planes.cr - d.planes.cb, static_cast<ptrdiff_t>(p.chromaWidth) * p.chromaRows);
  EXPECT_EQ(d.planes.fourth, nullptr);
  EXPECT_EQ(d.bgrx.size(), static_cast<size_t>(p.width) * p.height * 4);
}

INSTANTIATE_TEST_SUITE_P(Frames, PlaneLayout,
                         ::testing::Values(PlaneCase{1280, 720, Sampling::k422, 720, 640, 720},
                                           PlaneCase{1280, 720, Sampling::k420, 720, 640, 360},
                                           PlaneCase{2592, 1944, Sampling::k422, 1952, 1296, 1952},
                                           PlaneCase{33, 17, Sampling::k420, 32, 24, 16}));

// Only the frame's own rows are converted: the last row written is row 1943.
TEST(DecodeFrame, ConvertsExactlyTheFrameRows) {
  EncodeOptions options;
  options.quality = 50;
  const Decoded d = Decode(EncodeFrame(MakeCameraPicture(2592, 1944), options));
  ASSERT_GT(d.result, 0);
  std::vector<uint8_t> out(static_cast<size_t>(2592) * 4 * 1946, 0xAB);
  ASSERT_EQ(ConvertToBgrx(out.data(), 2592 * 4, d.planes, false, false), 0);
  EXPECT_EQ(0, std::memcmp(out.data(), d.bgrx.data(), d.bgrx.size()));
  for (size_t i = d.bgrx.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0xAB) << i;
}

struct EncoderCase {
  const char* name;
  EncodeOptions options;
  int width, height;
};

class LibjpegFrames : public ::testing::TestWithParam<EncoderCase> {};

// Frames of libjpeg-turbo decode to within 40 dB of its own planes put through our
// conversion (the residue is the difference of the two integer block transforms).
TEST_P(LibjpegFrames, MatchTheReferencePlanes) {
  const std::vector<uint8_t> jpeg = EncodeFrame(MakeCameraPicture(GetParam().width, GetParam().height, 7), GetParam().options);
  const Decoded d = Decode(jpeg);
  ASSERT_GT(d.result, 0);
  ASSERT_NE(d.planes.y, nullptr);
  EXPECT_GE(PsnrAgainstReference(jpeg, d), 40.0);
}

EncodeOptions Options(Sampling sampling, int quality, int restart = 0, bool tables = false, bool optimise = false) {
  EncodeOptions o;
  o.sampling = sampling;
  o.quality = quality;
  o.restartInterval = restart;
  o.huffmanTables = tables;
  o.optimiseHuffman = optimise;
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    SamplingRestartSize, LibjpegFrames,
    ::testing::Values(EncoderCase{"q85_422", Options(Sampling::k422, 85), 640, 480},
                      EncoderCase{"q85_420", Options(Sampling::k420, 85), 640, 480},
                      EncoderCase{"q85_444", Options(Sampling::k444, 85), 320, 240},
                      EncoderCase{"q85_444_odd_restart", Options(Sampling::k444, 85, 5), 101, 67},
                      EncoderCase{"q98_422", Options(Sampling::k422, 98), 320, 240},
                      EncoderCase{"q30_420_odd", Options(Sampling::k420, 30), 301, 203},
                      EncoderCase{"restart_422", Options(Sampling::k422, 85, 7), 640, 480},
                      EncoderCase{"restart_420_odd", Options(Sampling::k420, 90, 1), 250, 90},
                      EncoderCase{"own_tables_422", Options(Sampling::k422, 85, 0, true, true), 640, 480}),
    [](const auto& info) { return std::string(info.param.name); });

// FFmpeg's encoder (through GStreamer) is independent of libjpeg-turbo; its 4:2:2 frames
// code Y as 2x2 and chroma as 1x2.
TEST(DecodeFrame, FramesOfAnIndependentEncoderMatchTheReference) {
  for (const char* format : {"I420", "Y42B", "Y444"}) {
    std::string error;
    const auto frames = FramesFromPipeline(
        std::string("videotestsrc num-buffers=3 pattern=smpte ! video/x-raw,format=") + format +
            ",width=352,height=288 ! avenc_mjpeg ! appsink name=sink sync=false",
        error);
    ASSERT_EQ(frames.size(), 3u) << error;
    ContextPtr context(CreateContext());
    for (const auto& jpeg : frames) {
      const Decoded d = Decode(context.get(), jpeg);
      ASSERT_GT(d.result, 0) << format;
      ASSERT_NE(d.planes.y, nullptr) << format;
      EXPECT_GE(PsnrAgainstReference(jpeg, d), 40.0) << format;
    }
  }
}

// GStreamer's jpegenc, as in the element's test pipelines (it codes I420 as 4:4:4).
TEST(DecodeFrame, FramesOfGstreamerJpegencMatchTheReference) {
  for (const char* format : {"I420", "Y42B"}) {
    std::string error;
    const auto frames = FramesFromPipeline(std::string("videotestsrc num-buffers=2 pattern=ball ! video/x-raw,format=") +
                                               format + ",width=320,height=240 ! jpegenc ! appsink name=sink sync=false",
                                           error);
    ASSERT_EQ(frames.size(), 2u) << error;
    for (const auto& jpeg : frames) {
      const Decoded d = Decode(jpeg);
      ASSERT_GT(d.result, 0) << format;
      EXPECT_GE(PsnrAgainstReference(jpeg, d), 40.0) << format;
    }
  }
}

// Tables defined by one frame stay in force for the next frame that has none.
TEST(DecodeFrame, HuffmanTablesPersistAcrossFrames) {
  const RgbPicture picture = MakeCameraPicture(320, 240, 3);
  EncodeOptions options = Options(Sampling::k422, 85, 0, true, true);
  const std::vector<uint8_t> withTables = EncodeFrame(picture, options);
  options.huffmanTables = false;
  const std::vector<uint8_t> withoutTables = EncodeFrame(picture, options);
  ASSERT_LT(withoutTables.size(), withTables.size());

  ContextPtr context(CreateContext());
  const Decoded first = Decode(context.get(), withTables);
  ASSERT_GT(first.result, 0);
  const Decoded second = Decode(context.get(), withoutTables);
  ASSERT_GT(second.result, 0);
  EXPECT_EQ(first.bgrx, second.bgrx);

  // A fresh context reads the same bytes with the Annex K tables: not this picture.
  const Decoded fresh = Decode(withoutTables);  // a new context
  EXPECT_TRUE(fresh.result < 0 || fresh.bgrx != first.bgrx);
}

// Restart intervals of every length are honoured (the boundary at 1349/1350 MCUs
// included): the pictures equal those of the same frame without restart markers.
TEST(DecodeFrame, RestartIntervalsOfAnyLengthAreHonoured) {
  const RgbPicture picture = MakeCameraPicture(1280, 720, 5);  // 80 x 90 = 7200 MCUs
  const Decoded plain = Decode(EncodeFrame(picture, Options(Sampling::k422, 85)));
  ASSERT_GT(plain.result, 0);
  for (int interval : {1349, 1350, 7199}) {
    const std::vector<uint8_t> jpeg = EncodeFrame(picture, Options(Sampling::k422, 85, interval));
    const Decoded d = Decode(jpeg);
    ASSERT_GT(d.result, 0) << interval;
    EXPECT_EQ(d.bgrx, plain.bgrx) << interval;
  }
}

// A progressive frame's single DC pass gives a complete picture of block averages.
TEST(DecodeFrame, ProgressiveDcOnlyFrameGivesBlockAverages) {
  const RgbPicture picture = MakeCameraPicture(160, 96, 9);
  EncodeOptions options = Options(Sampling::k420, 95, 0, true);  // progressive tables are always fitted
  options.dcOnly = true;
  const Decoded d = Decode(EncodeFrame(picture, options));
  ASSERT_GT(d.result, 0);
  ASSERT_NE(d.planes.y, nullptr);
  double mean = 0;
  for (int by = 0; by < 96; by += 8) {
    for (int bx = 0; bx < 160; bx += 8) {
      const uint8_t* block = d.planes.y + by * d.planes.yStride + bx;
      int sum = 0;
      for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
          ASSERT_EQ(block[j * d.planes.yStride + i], block[0]);  // flat
          const uint8_t* rgb = &picture.rgb[((by + j) * 160 + bx + i) * 3];
          sum += (299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2]) / 1000;
        }
      }
      mean += std::abs(block[0] - sum / 64.0);
    }
  }
  EXPECT_LT(mean / (20 * 12), 2.0);
}

// The usual progressive script: first passes decoded, refinements skipped.
TEST(DecodeFrame, ProgressiveFrameFirstPassesApproachTheReference) {
  EncodeOptions options = Options(Sampling::k422, 90, 0, true);
  options.progressive = true;
  const std::vector<uint8_t> jpeg = EncodeFrame(MakeCameraPicture(320, 240, 4), options);
  const Decoded d = Decode(jpeg);
  ASSERT_GT(d.result, 0);
  ASSERT_NE(d.planes.y, nullptr);
  EXPECT_GE(PsnrAgainstReference(jpeg, d, 255), 25.0);
}

// Planes written by the portable transform and by the SIMD ones are identical, and so are
// the pictures the converters make of them.
TEST(DecodeFrame, SimdAndPortableDecodesAreIdentical) {
  const SimdLevel best = SupportedSimdLevel(SimdLevel::Avx2);
  for (Sampling sampling : {Sampling::k422, Sampling::k420, Sampling::k444}) {
    for (int quality : {50, 95, 100}) {
      const std::vector<uint8_t> jpeg = EncodeFrame(MakeCameraPicture(656, 496, quality), Options(sampling, quality));
      ContextPtr portable(CreateContext(SimdLevel::None));
      const Decoded reference = Decode(portable.get(), jpeg);
      ASSERT_GT(reference.result, 0);
      for (int level = 1; level <= static_cast<int>(best); ++level) {
        ContextPtr simd(CreateContext(static_cast<SimdLevel>(level)));
        ASSERT_EQ(ContextSimdLevel(simd.get()), static_cast<SimdLevel>(level));
        const Decoded d = Decode(simd.get(), jpeg);
        ASSERT_GT(d.result, 0);
        const size_t planeBytes = static_cast<size_t>(d.planes.cr - d.planes.y) +
                                  static_cast<size_t>(d.planes.cr - d.planes.cb);
        EXPECT_EQ(0, std::memcmp(d.planes.y, reference.planes.y, planeBytes)) << level << " q" << quality;
        for (bool blackWhite : {false, true}) {
          std::vector<uint8_t> portablePicture(reference.bgrx.size()), simdPicture(reference.bgrx.size());
          const int stride = d.planes.width * 4;
          ConvertToBgrx(SimdLevel::None, portablePicture.data(), stride, reference.planes, true, blackWhite);
          ConvertToBgrx(static_cast<SimdLevel>(level), simdPicture.data(), stride, d.planes, true, blackWhite);
          EXPECT_EQ(portablePicture, simdPicture) << level << " q" << quality << " bw " << blackWhite;
        }
      }
    }
  }
}
