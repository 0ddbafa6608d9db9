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

// The colour `share` (0 to 256) of the way from a to b.
TColor Mix(TColor a, TColor b, long long share) {
    const auto channel = [share](int x, int y) { return int((x * (256 - share) + y * share + 128) / 256); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// At a canvas scale above 1 the bands are laid out over the rectangle's device pixels: as many
// bands as at scale 1 (or more, up to one a device pixel, where the rectangle is shorter than the
// colours), band i ending exactly at extent * (i + 1) / n instead of leaving the remainder to the
// last band. A device pixel that an edge cuts takes the two colours in the shares they cover, as
// the canvas smooths the edges of its shapes.
void FillDeviceBands(TCanvas* canvas, const TRect& r, bool vertical, TColor first, TColor last, std::uint8_t colors) {
    const long long k = canvas->Scale();
    const long long origin = (vertical ? r.Top : r.Left) * k;
    const long long extent = (vertical ? 0LL + r.Bottom - r.Top : 0LL + r.Right - r.Left) * k;
    const int n = int(std::max<long long>(2, std::min<long long>(colors, extent)));
    const long long side0 = (vertical ? r.Left : r.Top) * k, side1 = (vertical ? r.Right : r.Bottom) * k;
    const auto paint = [&](long long from, long long to, TColor color) {
        if (from >= to)
            return;
        canvas->Brush.Color = color;
        canvas->Brush.Style = bsSolid;
        canvas->FillDeviceRect(vertical ? side0 : origin + from, vertical ? origin + from : side0,
                               vertical ? side1 : origin + to, vertical ? origin + to : side1);
    };
    // Edge i lies at extent * i / n: whole pixel `extent * i / n` (floored) plus `cut` / n of one.
    for (int i = 0; i < n; ++i) {
        const TColor color = BandColor(first, last, i, n - 1);
        const long long start = extent * i / n, startCut = extent * i % n;
        const long long end = extent * (i + 1) / n;
        paint(startCut ? start + 1 : start, end, color);
        const long long endCut = extent * (i + 1) % n;
        if (endCut && i + 1 < n)
            paint(end, end + 1, Mix(color, BandColor(first, last, i + 1, n - 1), 256 - endCut * 256 / n));
    }
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
    if (canvas->Scale() > 1) {
        FillDeviceBands(canvas, rect, vertical, first, last, colors);
        return;
    }
    if (band > 0)
        for (int i = 0; i < n; ++i)
            Fill(canvas, Slice(rect, vertical, i * band, (i + 1) * band), BandColor(first, last, i, n - 1));
    const std::int64_t rest = extent % n;
    if (rest > 0)
        Fill(canvas, Slice(rect, vertical, extent - rest, extent), last);
}

}  // namespace Tallwick
