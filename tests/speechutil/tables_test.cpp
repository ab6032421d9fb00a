// The fixed tables of the speech editor: export formats, slider scales and
// the log line.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sys/file_io.h"
#include "speechutil/error_log.h"
#include "speechutil/export_formats.h"
#include "speechutil/slider_scales.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::speechutil {
namespace {

TEST(ExportFormatsTest, TwentyEightEntriesEightThenSixteenKilohertz) {
  for (int index = 1; index <= 14; ++index) {
    const ExportFormat& low = ExportFormatAt(index);
    const ExportFormat& high = ExportFormatAt(index + 14);
    EXPECT_EQ(low.rate, 8000) << index;
    EXPECT_EQ(high.rate, 16000) << index;
    EXPECT_TRUE(low.label.starts_with("  8K ")) << low.label;
    EXPECT_TRUE(high.label.starts_with(" 16K ")) << high.label;
    EXPECT_EQ(low.label.substr(5), high.label.substr(5));
    EXPECT_EQ(low.pattern, high.pattern);
    EXPECT_EQ(low.container, high.container);
    EXPECT_EQ(low.encoding, high.encoding);
    EXPECT_EQ("*." + std::string(low.extension), low.pattern);
  }
  EXPECT_EQ(ExportFormatAt(1).label, "  8K 16Bit Linear PCM");
  EXPECT_EQ(ExportFormatAt(9).container, Container::Au);
  EXPECT_EQ(ExportFormatAt(9).encoding, ExportEncoding::Linear16);
  EXPECT_EQ(ExportFormatAt(13).extension, "vox");
  EXPECT_EQ(ExportFormatAt(13).encoding, ExportEncoding::Vox);
  EXPECT_EQ(ExportFormatAt(28).label, " 16K ADPCM");
  EXPECT_EQ(ExportFormatAt(28).pattern, "*.pcm");
  EXPECT_EQ(ExportFormatAt(22).label, " 16K A-Law WAVE");
  EXPECT_EQ(ExportFormatAt(0).label, ExportFormatAt(1).label);
  const std::string filter = ExportFilter();
  EXPECT_TRUE(filter.starts_with("  8K 16Bit Linear PCM|*.pcm|  8K 8Bit Linear PCM|*.pcm|")) << filter;
  EXPECT_TRUE(filter.ends_with(" 16K VOX|*.vox| 16K ADPCM|*.pcm||")) << filter;
}

TEST(SliderScalesTest, PositionsToPercentsAndBack) {
  struct Case {
    int position, percent;
  };
  for (const Case c : {Case{0, 50}, Case{49, 99}, Case{50, 100}, Case{51, 102}, Case{100, 200}}) {
    EXPECT_EQ(SpeedPercent(c.position), c.percent) << c.position;
  }
  EXPECT_EQ(SpeedPosition(100), 50);
  EXPECT_EQ(SpeedPosition(80), 30);
  EXPECT_EQ(SpeedPosition(200), 100);
  EXPECT_EQ(SpeedPosition(50), 0);
  EXPECT_EQ(SpeedPosition(10), 0);  // kept on the slider
  EXPECT_EQ(VolumePercent(137), 137);
  EXPECT_EQ(VolumePosition(100), 100);
  EXPECT_EQ(PitchPercent(0), 80);
  EXPECT_EQ(PitchPercent(40), 120);
  EXPECT_EQ(PitchPosition(100), 20);
  EXPECT_EQ(SpeechMarkup(49, 100, 20), "<speed=\"99\"><volume=\"100\"><pitch=\"100\">");
}

TEST(ErrorLogTest, LineFormatAndPath) {
  const sys::LocalTime time{2026, 12, 10, 4, 9, 5, 7, 42};
  EXPECT_EQ(FormatLogLine('E', time, "STTS_CreateThread Err(-4)"), "[E][09:05:07:042] : [STTS_CreateThread Err(-4)]\r\n");
  const std::string line = FormatLogLine('E', time, std::string(5000, 'x'));
  EXPECT_EQ(line.size(), std::string("[E][09:05:07:042] : []\r\n").size() + 4000);
  // A cut never splits a character.
  const std::string korean = FormatLogLine('E', time, std::string(3999, 'x') + "\xED\x95\x9C");
  EXPECT_TRUE(korean.ends_with("x]\r\n"));

  EXPECT_EQ(LogPathForProgram("/opt/orvilo/Sonara_PC_App_M.exe"), "/opt/orvilo/Sonara_PC_App_M.txt");
  EXPECT_EQ(LogPathForProgram("/opt/orvilo/Sonara_PC_App_M"), "/opt/orvilo/Sonara_PC_App_M.txt");
  EXPECT_EQ(LogPathForProgram("/opt/v1.2/Sonara"), "/opt/v1.2/Sonara.txt");
}

TEST(ErrorLogTest, LinesAreAppended) {
  orvilo::testing::TemporaryFolder folder;
  ASSERT_TRUE(AppendErrorLog(folder / "log.txt", "first"));
  ASSERT_TRUE(AppendErrorLog(folder / "log.txt", "second"));
  const std::string log = sys::ReadFileBytes(folder / "log.txt", 4096).bytes;
  ASSERT_EQ(log.size(), 2 * std::string("[E][00:00:00:000] : [first]\r\n").size() + 1);
  EXPECT_EQ(log.substr(0, 4), "[E][");
  EXPECT_NE(log.find("] : [first]\r\n[E]["), std::string::npos);
  EXPECT_TRUE(log.ends_with("] : [second]\r\n"));
  EXPECT_FALSE(AppendErrorLog(folder / "missing/log.txt", "lost"));
}

}  // namespace
}  // namespace orvilo::speechutil
