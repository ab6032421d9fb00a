// Owning holders for Leptonica objects, so every early return frees them.
#pragma once

#include <leptonica/allheaders.h>

#include <memory>

namespace palen {

struct PixDeleter {
  void operator()(Pix* pix) const { pixDestroy(&pix); }
};
struct BoxDeleter {
  void operator()(Box* box) const { boxDestroy(&box); }
};
struct LeptonicaBytesDeleter {
  void operator()(l_uint8* bytes) const { lept_free(bytes); }
};

using PixPtr = std::unique_ptr<Pix, PixDeleter>;
using BoxPtr = std::unique_ptr<Box, BoxDeleter>;
using LeptonicaBytes = std::unique_ptr<l_uint8, LeptonicaBytesDeleter>;

}  // namespace palen
