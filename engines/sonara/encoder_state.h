// The ADPCM encoders of the STTS_*ADPCMEnCoding calls keep their state per
// thread, so that the blocks a synthesis hands to its callback (on the
// synthesising thread) are encoded as one continuous stream.
#pragma once

#include "engines/sonara/audio_encoders.h"

namespace orvilo::sonara {

AdpcmEncoder& ThreadVoxEncoder();
AdpcmEncoder& ThreadImaEncoder();
void ResetThreadEncoders();

}  // namespace orvilo::sonara
