#pragma once
/// \file
/// The framework's 3-D frame: `width` rings just inside the rectangle, top and left edges in
/// `topColor`, right and bottom edges (with the top-right and bottom-left corner pixels) in
/// `bottomColor`. Leaves the pen one pixel wide in the bottom colour; a width of 0 or less draws
/// nothing. `rect` ends shrunk by `width` on every side, as the callers that nest frames expect.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Canvas.h>

namespace Tallwick {

TALLWICK_EXPORT void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

}  // namespace Tallwick
