#include "platform/sys/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using orvilo::sys::SingleInstanceLock;

namespace {
// Result of Acquire in a child process, so the lock is tried by another process.
SingleInstanceLock::Result AcquireInChild(const std::string& name) {
  const pid_t child = fork();
  if (child == 0) {
    SingleInstanceLock lock;
    _exit(static_cast<int>(lock.Acquire(name)));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return static_cast<SingleInstanceLock::Result>(WEXITSTATUS(status));
}
}  // namespace

TEST(SingleInstanceLock, SecondProcessIsToldAnotherCopyRuns) {
  const std::string name = "test-" + std::to_string(getpid());
  {
    SingleInstanceLock first;
    ASSERT_EQ(first.Acquire(name), SingleInstanceLock::Result::Acquired);
    EXPECT_EQ(AcquireInChild(name), SingleInstanceLock::Result::AlreadyRunning);
  }
  // Released with its owner: the next start gets it.
  EXPECT_EQ(AcquireInChild(name), SingleInstanceLock::Result::Acquired);
}
