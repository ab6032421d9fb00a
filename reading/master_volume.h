// The system's master volume in percent, as the control bars and the AR
// volume slider use it. Failures change nothing and report nothing to the
// user; callers simply keep their slider where it was.
#pragma once

#include <optional>

namespace orvilo::reading {

class MasterVolume {
 public:
  virtual ~MasterVolume() = default;
  // 0..100, or empty when there is no mixer to ask.
  virtual std::optional<int> ReadPercent() = 0;
  // false when nothing was changed.
  virtual bool SetPercent(int percent) = 0;
};

}  // namespace orvilo::reading
