// A shared library loaded by name for as long as the object lives, as the
// program loads the decoder plug-in to call its black-and-white switch.
#pragma once

#include <string>

namespace orvilo::sys {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  explicit DynamicLibrary(const std::string& path) { Open(path); }
  ~DynamicLibrary() { Close(); }
  DynamicLibrary(DynamicLibrary&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  bool Open(const std::string& path);  // false when the file is missing or not loadable
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  // Address of an exported symbol; null when closed or not exported.
  void* Symbol(const char* name) const;
  template <typename Function>
  Function Find(const char* name) const {
    return reinterpret_cast<Function>(Symbol(name));
  }

 private:
  void* handle_ = nullptr;
};

}  // namespace orvilo::sys
