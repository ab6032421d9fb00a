// What the tour reads back from the files a step leaves: speech in a WAVE
// file, the size of a still, the length of a recording.
#include "shell/tour/tour_checks.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/audio/audio_file_header.h"
#include "platform/gdi/bitmap_file.h"
#include "support/movie_clips.h"

namespace orvilo::shell::tour {
namespace {

constexpr int kRate = 16000;

// A 16-bit mono WAVE file: `tone` seconds of a 440 Hz tone at `amplitude`,
// then `silence` seconds of nothing.
void WriteWave(const std::string& path, double tone, int amplitude, double silence) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < static_cast<int>(tone * kRate); ++i) {
    samples.push_back(static_cast<std::int16_t>(amplitude * std::sin(2 * M_PI * 440.0 * i / kRate)));
  }
  samples.resize(samples.size() + static_cast<std::size_t>(silence * kRate), 0);
  const auto header = audio::MakeWaveHeader(audio::SampleEncoding::kLinear16, kRate, 1, samples.size() * 2);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
}

TEST(VoicedSeconds, CountsOnlyTheSpokenPartOfTheFile) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("speech.wav").toStdString();
  struct Case {
    const char* name;
    double tone;
    int amplitude;
    double silence;
    double voiced;
  } cases[] = {
      {"speech then silence", 1.0, 8000, 2.0, 1.0},
      {"silence only", 0.0, 0, 1.5, 0.0},
      {"a murmur below the threshold", 1.0, 200, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    WriteWave(path, c.tone, c.amplitude, c.silence);
    EXPECT_NEAR(VoicedSeconds(path), c.voiced, 0.021) << c.name;
  }
}

TEST(VoicedSeconds, FilesThatAreNotSixteenBitWaveAreSilent) {
  QTemporaryDir folder;
  const std::string missing = folder.filePath("none.wav").toStdString();
  EXPECT_EQ(VoicedSeconds(missing), 0.0);

  const std::string text = folder.filePath("text.wav").toStdString();
  std::ofstream(text) << "RIFF but not really a wave file at all";
  EXPECT_EQ(VoicedSeconds(text), 0.0);

  // 8-bit samples: loud, but not a format the check reads.
  const std::string eight = folder.filePath("eight.wav").toStdString();
  const auto header = audio::MakeWaveHeader(audio::SampleEncoding::kLinear8, kRate, 1, kRate);
  std::ofstream out(eight, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  for (int i = 0; i < kRate; ++i) out.put(static_cast<char>(i % 2 ? 255 : 0));
  out.close();
  EXPECT_EQ(VoicedSeconds(eight), 0.0);
}

TEST(BitmapFileSize, ReadsThePictureSizeOrNothing) {
  QTemporaryDir folder;
  const std::string still = folder.filePath("still.bmp").toStdString();
  gdi::PackedDib picture = gdi::PackedDib::Create(7, 5, 24);
  ASSERT_TRUE(gdi::WriteBitmapFile(still, picture));
  EXPECT_EQ(BitmapFileSize(still), (PictureSize{7, 5}));

  const std::string other = folder.filePath("other.bmp").toStdString();
  std::ofstream(other) << "BM but nothing after";
  EXPECT_FALSE(BitmapFileSize(other));
  EXPECT_FALSE(BitmapFileSize(folder.filePath("missing.bmp").toStdString()));
}

TEST(AviRecordingLength, AFileThatIsNoAviHasNoLength) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("recording.avi").toStdString();
  std::ofstream(path) << "RIFF....AVI nothing more";
  EXPECT_FALSE(AviRecordingLength(path));
  EXPECT_FALSE(AviRecordingLength(folder.filePath("missing.avi").toStdString()));
}

}  // namespace
}  // namespace orvilo::shell::tour

namespace orvilo::shell::tour {
namespace {

// A finished recording made by the same multiplexer the camera records with.
TEST(AviRecordingLength, AFinishedRecordingHasItsFramesLength) {
  movie::testing::StartGstreamerForTests();
  std::string error;
  const std::string clip = movie::testing::MakeClip({"avi", 160, 120, 3, ""}, &error);
  ASSERT_FALSE(clip.empty()) << error;
  const auto length = AviRecordingLength(clip);
  ASSERT_TRUE(length);
  EXPECT_TRUE(length->finished);
  EXPECT_NEAR(length->seconds, 3.0, 0.1);
}

}  // namespace
}  // namespace orvilo::shell::tour
