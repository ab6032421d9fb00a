#include "reading/background_music.h"

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>

namespace orvilo::reading {
namespace {

// A mono 16-bit WAVE file of a tone.
void WriteTone(const std::string& path, int milliseconds) {
  const int rate = 16000;
  const std::uint32_t samples = static_cast<std::uint32_t>(rate * milliseconds / 1000);
  const std::uint32_t dataBytes = samples * 2;
  std::ofstream out(path, std::ios::binary);
  const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(dataBytes);
  for (std::uint32_t i = 0; i < samples; ++i) u16(static_cast<std::uint16_t>(8000 * std::sin(i * 0.3)));
}

TEST(BackgroundMusic, PlaysAFileToItsEndAndAgain) {
  QTemporaryDir folder;
  const std::string tone = folder.filePath("tone.wav").toStdString();
  WriteTone(tone, 200);
  std::atomic<int> events{0};
  GstMusicPlayer player([&] { ++events; });
  ASSERT_TRUE(player.Load(tone));
  player.Run();
  ASSERT_TRUE(QTest::qWaitFor([&] { return events > 0; }, 5000));
  EXPECT_TRUE(player.TakeEnded());
  EXPECT_FALSE(player.TakeEnded());
  player.RewindAndStop();
  player.Run();
  ASSERT_TRUE(QTest::qWaitFor([&] { return events > 1; }, 5000));
  player.Release();
}

TEST(BackgroundMusic, FilesThatDoNotPlayAreRefusedQuickly) {
  QTemporaryDir folder;
  const std::string garbage = folder.filePath("song.mp3").toStdString();
  std::ofstream(garbage) << "this is not music at all, only text pretending to be an mp3 file";
  GstMusicPlayer player(nullptr);
  EXPECT_FALSE(player.Load(garbage));
  EXPECT_FALSE(player.Load(folder.filePath("missing.wav").toStdString()));
  EXPECT_FALSE(player.Load(""));
  player.Run();  // nothing loaded: nothing happens
  player.RewindAndStop();
}

}  // namespace
}  // namespace orvilo::reading
