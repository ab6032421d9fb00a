// CVyr3RecordWnd, the recording indicator. Blinking comes with recording.
#pragma once

#include "camera/record_indicator.h"

namespace orvilo::camera {

class CVyr3RecordWnd : public RecordIndicator {
  Q_OBJECT
 public:
  using RecordIndicator::RecordIndicator;
  bool StartBlinking() override { return false; }
  void StopBlinking() override { hide(); }
};

}  // namespace orvilo::camera
