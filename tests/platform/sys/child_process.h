// Runs part of a test in a child process under a restriction that must not
// touch the test program itself: without root's right to write anywhere, or
// with a file-size limit that makes writes fail as on a full disk.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace orvilo::testing {

enum class Restriction {
  Unprivileged,  // as root: become "nobody", so permission bits apply
  DiskFull,      // writes beyond a few bytes fail (RLIMIT_FSIZE, EFBIG)
};

// The exit status of `body` run in a child; -1 when the child could not be
// started, was killed, or could not take on the restriction.
inline int RunInChild(Restriction restriction, const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (restriction == Restriction::Unprivileged && geteuid() == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(255);
    }
    if (restriction == Restriction::DiskFull) {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{16, 16};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(255);
    }
    _exit(body());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  const int code = WEXITSTATUS(status);
  return code == 255 ? -1 : code;
}

}  // namespace orvilo::testing
