// Starting another program, as the platform's program launch does it: the
// program runs on its own (it outlives the caller, which never waits for
// it), and its path and arguments reach it exactly as given — no shell or
// command-line parser splits them, so spaces and quotes in a path are
// harmless.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvilo::sys {

struct LaunchResult {
  bool started = false;
  std::int64_t processId = 0;  // when started
};

// Starts `program` with `arguments` (argv[0] is `program`), in the caller's
// working folder. Not started when the file is missing or not executable.
LaunchResult StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace orvilo::sys
