#include "platform/sys/dynamic_library.h"

#include <dlfcn.h>

namespace orvilo::sys {

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

bool DynamicLibrary::Open(const std::string& path) {
  Close();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void DynamicLibrary::Close() {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

void* DynamicLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

}  // namespace orvilo::sys
