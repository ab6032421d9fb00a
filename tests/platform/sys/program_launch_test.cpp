#include "platform/sys/program_launch.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::sys {
namespace {

// A program at a path with spaces and quotes that writes the arguments it
// got, one a line, beside itself.
TEST(ProgramLaunch, PathAndArgumentsArriveAsGivenWithoutAShell) {
  testing::TemporaryFolder folder;
  const std::string unit = folder / "my \"AR\" units";
  std::filesystem::create_directories(unit);
  const std::string program = unit + "/ARViewer.exe";
  std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$(dirname \"$0\")/argv.tmp\"\n"
                            "mv \"$(dirname \"$0\")/argv.tmp\" \"$(dirname \"$0\")/argv\"\n";
  chmod(program.c_str(), 0755);

  const LaunchResult result = StartDetachedProgram(program, {"4242", "a b;$(echo no)"});
  ASSERT_TRUE(result.started);
  EXPECT_GT(result.processId, 0);
  const std::string written = unit + "/argv";
  for (int i = 0; i < 200 && !std::filesystem::exists(written); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::ifstream in(written);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), program + "\n4242\na b;$(echo no)\n");
}

TEST(ProgramLaunch, AMissingOrNonExecutableProgramIsNotStarted) {
  testing::TemporaryFolder folder;
  EXPECT_FALSE(StartDetachedProgram(folder / "none", {"1"}).started);
  const std::string plain = folder / "plain";
  std::ofstream(plain) << "not a program\n";
  chmod(plain.c_str(), 0644);
  EXPECT_FALSE(StartDetachedProgram(plain, {"1"}).started);
}

}  // namespace
}  // namespace orvilo::sys
