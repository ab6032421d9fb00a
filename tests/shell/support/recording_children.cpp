#include "recording_children.h"

namespace orvilo::shell::testing {

gdi::PackedDib TestPicture(int width, int height) { return gdi::PackedDib::Create(width, height, 24); }

}  // namespace orvilo::shell::testing
