// The master volume of the machine (the audio layer's mixer).
#pragma once

#include "platform/audio/master_volume.h"
#include "reading/master_volume.h"

namespace orvilo::reading {

class SystemMasterVolume : public MasterVolume {
 public:
  std::optional<int> ReadPercent() override { return audio::ReadMasterVolume(); }
  bool SetPercent(int percent) override { return audio::WriteMasterVolume(percent); }
};

}  // namespace orvilo::reading
