#pragma once
// The part of a box that drawing on a canvas can change: the box [x0, x1) x [y0, y1), given in
// 64 bits so that edges computed from any ints cannot overflow, cut to the canvas's clipping area
// (the whole bitmap when no clip is selected). An empty result is a 0 x 0 box at the origin.
#include <Tallwick/Canvas.h>

#include <algorithm>

namespace Tallwick {

inline TRect VisiblePart(const TCanvas* canvas, long long x0, long long y0, long long x1, long long y1) {
    const TRect clip = canvas->ClipRect();
    const long long left = std::max<long long>(x0, clip.Left), top = std::max<long long>(y0, clip.Top);
    const long long right = std::min<long long>(x1, clip.Right), bottom = std::min<long long>(y1, clip.Bottom);
    if (left >= right || top >= bottom)
        return Rect(0, 0, 0, 0);
    return Rect(int(left), int(top), int(right), int(bottom));
}

}  // namespace Tallwick
