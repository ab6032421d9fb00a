#include "recorder.h"

#include <gtest/gtest.h>

namespace orvilo::shell::testing {
namespace {

class Probe : Recorder {
 public:
  explicit Probe(CallLog& log) : Recorder(log, "probe") {}
  void Plain() { Record("Plain"); }
  void Texts(const std::string& a, const std::string& b) { Record("Texts", a, b); }
  int Mixed(bool flag, double factor, ViewMode mode) { return Reply(7, "Mixed", flag, factor, mode); }
};

TEST(Recorder, WritesNameOperationAndArguments) {
  CallLog log;
  {
    Probe probe(log);
    probe.Plain();
    probe.Texts("", "b");
    probe.Texts("", "");
    EXPECT_EQ(probe.Mixed(true, 1.25, ViewMode::AR), 7);
  }
  EXPECT_EQ(log, (CallLog{"probe.Plain", "probe.Texts(,b)", "probe.Texts(,)", "probe.Mixed(1,1.25,AR)", "probe.~"}));
}

}  // namespace
}  // namespace orvilo::shell::testing
