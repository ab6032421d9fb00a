// One running copy per user: an exclusive lock on a file named after the
// guard in the user's runtime folder. The kernel drops the lock when the
// process ends, however it ends, so a crash never blocks the next start.
#pragma once

#include <string>

namespace orvilo::sys {

class SingleInstanceLock {
 public:
  SingleInstanceLock() = default;
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  enum class Result { Acquired, AlreadyRunning, Failed };

  // Takes the lock `name` (e.g. "Vyr-3Mutex"). AlreadyRunning when another
  // process holds it; Failed when no lock file can be made (the caller may
  // then run unguarded rather than refuse to start).
  Result Acquire(const std::string& name);

  // Folder of the lock files: $XDG_RUNTIME_DIR, else /tmp.
  static std::string LockFolder();

 private:
  int descriptor_ = -1;
};

}  // namespace orvilo::sys
