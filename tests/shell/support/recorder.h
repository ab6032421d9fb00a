// Recording test doubles: each double writes every call it receives into
// one shared log as "name.Operation(arg,arg)" ("name.Operation" without
// arguments, "name.~" when destroyed), so a test reads what the main window
// or a mode did, and in which order, across all children at once.
//
// A double derives from the interface and from Recorder, and each operation
// is one line:
//   void Undo() override { Record("Undo"); }
//   bool LoadImageFile(const std::string& p) override { return Reply(loadResult, "LoadImageFile", p); }
// Arguments are written by the Text overloads below; a new kind of argument
// needs one more overload.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/view_mode.h"
#include "platform/gdi/packed_dib.h"
#include "platform/media/device_enumerator.h"
#include "shell/tools_palette.h"

class QWidget;

namespace orvilo::shell::testing {

using CallLog = std::vector<std::string>;

std::string Text(bool value);  // "1" or "0"
std::string Text(int value);
std::string Text(double value);  // shortest form: "1", "1.25"
std::string Text(const std::string& value);
std::string Text(const char* value);
std::string Text(ViewMode mode);  // "Camera" …
std::string Text(Arrangement arrangement);  // "Normal" …
std::string Text(ToolSet set);  // "Camera", "Image" or "LiveDrawing"
std::string Text(const gdi::PackedDib& picture);  // "64x48", or "none"
std::string Text(const media::CaptureDevice& device);  // its path
std::string Text(const media::CaptureDevice* device);  // its path, or "none"
std::string Text(const QWidget* widget);  // its object name, or "none"
// Other enumerations by their number.
template <typename E>
  requires std::is_enum_v<E>
std::string Text(E value) {
  return std::to_string(static_cast<int>(value));
}

class Recorder {
 public:
  Recorder(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  virtual ~Recorder() { log_.push_back(name_ + ".~"); }
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

 protected:
  template <typename... Args>
  void Record(std::string_view operation, const Args&... args) const {
    std::string line = name_ + "." + std::string(operation);
    if constexpr (sizeof...(Args) > 0) {
      // An empty text argument still shows its parentheses: "SetText()".
      std::string separator;
      line += "(";
      ((line += separator + Text(args), separator = ","), ...);
      line += ")";
    }
    log_.push_back(std::move(line));
  }

  // Records the call and returns the answer a test has set.
  template <typename R, typename... Args>
  R Reply(R answer, std::string_view operation, const Args&... args) const {
    Record(operation, args...);
    return answer;
  }

 private:
  CallLog& log_;
  std::string name_;
};

}  // namespace orvilo::shell::testing
