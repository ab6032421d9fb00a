#include "platform/sys/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/sys/program_folder.h"

namespace orvilo::sys {

SingleInstanceLock::~SingleInstanceLock() {
  if (descriptor_ >= 0) close(descriptor_);
}

std::string SingleInstanceLock::LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && access(runtime, W_OK) == 0) return runtime;
  return "/tmp";
}

SingleInstanceLock::Result SingleInstanceLock::Acquire(const std::string& name) {
  if (descriptor_ >= 0) return Result::Acquired;
  std::string fileName = "orvilo-" + name + "-" + std::to_string(getuid()) + ".lock";
  for (char& c : fileName) {
    if (c == '/') c = '_';
  }
  const std::string path = JoinPath(LockFolder(), fileName);
  const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return Result::Failed;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(descriptor);
    return error == EWOULDBLOCK ? Result::AlreadyRunning : Result::Failed;
  }
  descriptor_ = descriptor;
  return Result::Acquired;
}

}  // namespace orvilo::sys
