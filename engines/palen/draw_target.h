// Drawing the outlines of recognised areas into a caller's picture with the
// pen the caller selected into it.
#pragma once

#include <vector>

#include "engines/palen/PalenPublicAPI.h"

namespace palen {

// Page rectangles land at origin + rect * scale (see PALEN_GetTextForRect),
// clipped to `placement` and to the target. A target that is not a sane
// picture, or has no pen, is left alone.
void DrawOutlines(PalenDrawTarget* target, const std::vector<PalenRect>& pageRects, const PalenPoint* origin,
                  const PalenRect* placement, float scale);

}  // namespace palen
