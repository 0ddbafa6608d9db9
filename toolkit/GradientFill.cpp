// Gradient fills in colour bands, as the components paint their bars and backgrounds.
#include "GradientFill.h"

#include "MulDiv.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>

namespace Tallwick {

namespace {

TColor BandColor(TColor a, TColor b, int i, int last) {
    return RGB(GetRValue(a) + MulDiv(i, GetRValue(b) - GetRValue(a), last),
               GetGValue(a) + MulDiv(i, GetGValue(b) - GetGValue(a), last),
               GetBValue(a) + MulDiv(i, GetBValue(b) - GetBValue(a), last));
}

void Fill(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush.Color = color;
    canvas->Brush.Style = bsSolid;
    canvas->FillRect(r);
}

// The part [from, to) of the rectangle along the gradient's axis (offsets within its extent, so
// the edges stay ints).
TRect Slice(const TRect& r, bool vertical, std::int64_t from, std::int64_t to) {
    return vertical ? Rect(r.Left, int(r.Top + from), r.Right, int(r.Top + to))
                    : Rect(int(r.Left + from), r.Top, int(r.Left + to), r.Bottom);
}

}  // namespace

void GradientFillRect(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, int direction,
                      std::uint8_t colors) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    if (direction < gdTopToBottom || direction > gdRightToLeft)
        return;
    const TColor start = ColorToRGB(startColor), end = ColorToRGB(endColor);
    if (colors < 2) {
        Fill(canvas, rect, start);
        return;
    }
    const bool vertical = direction == gdTopToBottom || direction == gdBottomToTop;
    const bool forward = direction == gdTopToBottom || direction == gdLeftToRight;
    // In 64 bits: the extent of a rectangle with far-apart edges exceeds int.
    const std::int64_t extent = vertical ? std::int64_t(rect.Bottom) - rect.Top : std::int64_t(rect.Right) - rect.Left;
    const int n = int(std::max<std::int64_t>(2, std::min<std::int64_t>(colors, extent)));
    const std::int64_t band = extent / n;
    const TColor first = forward ? start : end, last = forward ? end : start;
    if (band > 0)
        for (int i = 0; i < n; ++i)
            Fill(canvas, Slice(rect, vertical, i * band, (i + 1) * band), BandColor(first, last, i, n - 1));
    const std::int64_t rest = extent % n;
    if (rest > 0)
        Fill(canvas, Slice(rect, vertical, extent - rest, extent), last);
}

}  // namespace Tallwick
