#include "engines/sonara/encoder_state.h"

namespace orvilo::sonara {
namespace {

thread_local AdpcmEncoder voxEncoder(AdpcmEncoder::Kind::kVox);
thread_local AdpcmEncoder imaEncoder(AdpcmEncoder::Kind::kIma);

}  // namespace

AdpcmEncoder& ThreadVoxEncoder() { return voxEncoder; }
AdpcmEncoder& ThreadImaEncoder() { return imaEncoder; }

void ResetThreadEncoders() {
  voxEncoder.Reset();
  imaEncoder.Reset();
}

}  // namespace orvilo::sonara
