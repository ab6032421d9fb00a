// Reading picture files into the 8-bit grey page DIBs the engine works on.
#pragma once

#include "platform/sys/global_memory.h"

namespace palen {

enum class LoadMode { PlainGrey = 0, CameraPage = 1 };

// Page `page` of the picture file at `path` as an 8-bit grey DIB (null on
// failure, *error gets a PALEN_* code). Oversized pictures are refused from
// their header, before any pixel is decoded.
VxGlobalHandle LoadPage(const char* path, int page, LoadMode mode, int* error);

}  // namespace palen
