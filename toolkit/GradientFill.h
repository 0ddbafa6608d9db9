#pragma once
/// \file
/// A rectangle filled with a colour gradient in bands of one colour each.
#include <Tallwick/Canvas.h>
#include <Tallwick/Color.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <cstdint>

namespace Tallwick {

enum TGradientDirection { gdTopToBottom = 0, gdBottomToTop = 1, gdLeftToRight = 2, gdRightToLeft = 3 };

/// Fills `rect` of the canvas from `startColor` to `endColor` along `direction` (0 top to bottom,
/// 1 bottom to top, 2 left to right, 3 right to left) in at most `colors` bands:
///  - an empty rectangle or an unknown direction paints nothing; fewer than 2 colours fill the
///    rectangle with the start colour;
///  - otherwise n = max(2, min(colors, extent)) bands of extent / n pixels each, counted from the
///    top or left edge; band i takes a + MulDiv(i, b - a, n - 1) per channel, where a and b are the
///    channels of the colour at the top or left end and of the other end;
///  - the extent mod n pixels left over at the bottom or right end take the colour of that end.
/// On a canvas of scale k above 1 the same colours are laid out over the k times longer device
/// extent, band i ending exactly at extent * (i + 1) / n; a device pixel an edge cuts takes the
/// two colours in the shares they cover (see TCanvas::FillDeviceRect).
/// System colours are resolved first. The canvas's brush is left in the last colour painted.
TALLWICK_EXPORT void GradientFillRect(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor,
                                      int direction, std::uint8_t colors);

}  // namespace Tallwick
