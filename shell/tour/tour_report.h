// The lesson tour's report: one record a step, written as report.json in
// the tour's folder.
#pragma once

#include <string>
#include <vector>

namespace orvilo::shell::tour {

struct StepRecord {
  std::string name;
  long long startMs = 0;     // since the tour began
  long long durationMs = 0;
  bool ok = false;
  std::string reason;        // why it failed; empty when ok
  std::string detail;        // what was measured (sizes, lengths, text)
  std::vector<std::string> artefacts;  // files in the tour's folder, by name
};

// {"started": ..., "ok": every step ok, "steps": [{"name", "start_ms",
// "duration_ms", "outcome": "ok"|"failed", "reason"?, "detail"?,
// "artefacts": [...]}]}. Written to a temporary file and renamed; false
// when it could not be written.
bool WriteTourReport(const std::string& path, const std::string& started, const std::vector<StepRecord>& steps);

// True when there are steps and every one is ok.
bool EveryStepOk(const std::vector<StepRecord>& steps);

}  // namespace orvilo::shell::tour
