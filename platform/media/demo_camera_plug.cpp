#include "platform/media/demo_camera_plug.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace orvilo::media {
namespace {

std::atomic<bool> processPlugged{true};
std::mutex plugFileLock;
std::string plugFile;

}  // namespace

void SetDemoCameraPlugged(bool plugged) { processPlugged = plugged; }

void SetDemoCameraPlugFile(std::string path) {
  std::lock_guard lock(plugFileLock);
  plugFile = std::move(path);
}

std::string DemoCameraPlugFileFromEnvironment() {
  const char* value = std::getenv(kDemoCameraPlugFileVariable);
  return value != nullptr ? value : "";
}

bool DemoCameraPlugged() {
  if (!processPlugged) return false;
  std::lock_guard lock(plugFileLock);
  struct stat info {};
  return plugFile.empty() || ::stat(plugFile.c_str(), &info) == 0;
}

}  // namespace orvilo::media
