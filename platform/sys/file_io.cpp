#include "platform/sys/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sys/program_folder.h"

namespace orvilo::sys {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return descriptor_; }
  bool Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor < 0 || close(descriptor) == 0;
  }

 private:
  int descriptor_;
};

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

mode_t ProcessUmask() {
  // umask() can only be read by setting it, which races with other threads
  // creating files; the kernel reports it here instead.
  std::FILE* status = std::fopen("/proc/self/status", "re");
  mode_t mask = 022;
  if (status == nullptr) return mask;
  char line[256];
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "Umask:", 6) == 0) {
      mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8)) & 0777;
      break;
    }
  }
  std::fclose(status);
  return mask;
}

// The file a write to `path` must replace: the final target of a link chain.
std::string ResolveTarget(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // new file (or dangling link): write the path itself
  std::string target(resolved);
  std::free(resolved);
  return target;
}

void SyncFolder(const std::string& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);  // best effort: the rename is already visible
  close(descriptor);
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path, std::size_t limit) {
  FileBytes result;
  // Without O_NONBLOCK, opening a named pipe waits for a writer; the
  // descriptor is refused below as no regular file instead.
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    result.status = (errno == ENOENT || errno == ENOTDIR) ? FileBytes::Status::Missing : FileBytes::Status::Failed;
    return result;
  }
  result.status = FileBytes::Status::Failed;
  struct stat info{};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return result;
  if (static_cast<std::uint64_t>(info.st_size) > limit) return result;
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      // The file may have grown since fstat; look for more up to the limit.
      if (bytes.size() >= limit) {
        char probe;
        const ssize_t extra = read(file.get(), &probe, 1);
        if (extra < 0 && errno == EINTR) continue;
        if (extra != 0) return result;
        break;
      }
      bytes.resize(std::min(limit, bytes.size() + 65536));
    }
    const ssize_t got = read(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return result;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  result.bytes = std::move(bytes);
  result.status = FileBytes::Status::Ok;
  return result;
}

bool SaveFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces) {
  if (path.empty()) return false;
  const std::string target = ResolveTarget(path);
  mode_t mode = 0666 & ~ProcessUmask();
  struct stat existing{};
  const bool replacing = stat(target.c_str(), &existing) == 0;
  if (replacing) {
    if (!S_ISREG(existing.st_mode)) return false;
    // The read-only attribute of Windows files: honoured even for root.
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    mode = existing.st_mode & 07777;
  }
  const std::string folder = ParentFolder(target);
  std::string name = target.substr(target.find_last_of('/') + 1);
  std::string temporary = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
  FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return false;
  if (replacing) {
    // Keep the owner of a shared file where we may (as root, or our own group).
    [[maybe_unused]] const int ignored = fchown(file.get(), existing.st_uid, existing.st_gid);
  }
  bool ok = fchmod(file.get(), mode) == 0;
  for (std::string_view piece : pieces) {
    if (!ok) break;
    ok = WriteAll(file.get(), piece);
  }
  ok = ok && fsync(file.get()) == 0;
  ok = file.Close() && ok;
  ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool SaveFileAtomically(const std::string& path, std::string_view bytes) {
  return SaveFileAtomically(path, {bytes});
}

bool IsDirectory(const std::string& path) {
  struct stat info{};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace orvilo::sys
