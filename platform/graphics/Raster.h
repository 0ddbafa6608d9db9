#pragma once
/// \file
/// Scan conversion of the canvas shapes into horizontal pixel spans, with the conventions of the
/// classic device interface. Coordinates are whole pixels, any int. Work is bounded by the clip
/// box, not by the coordinates: a shape a billion pixels across costs what its visible part costs.
/// Shapes give their rows from one row above to one row below the clip box (the outline of a
/// filled shape depends on its neighbour rows), with spans cut to one pixel beyond it on each side;
/// lines give their visible pixels only.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace Tallwick {

struct TALLWICK_EXPORT RasterSpan {
    int y, x0, x1;  ///< x1 inclusive
};

/// The area drawing may touch: x0 <= x < x1, y0 <= y < y1.
struct TALLWICK_EXPORT RasterClip {
    int x0, y0, x1, y1;
};

namespace Raster {

/// Pixels of a one-pixel line from a to b, end pixel left out (one span per pixel run).
TALLWICK_EXPORT void ThinLine(TPoint a, TPoint b, const RasterClip& clip, std::vector<RasterSpan>& out);
/// The same pixels handed to span(y, x0, x1) (x0 <= x1, all inside the clip) run by run, so that a
/// caller can write them straight into its rows.
template <class SpanFn>
void ThinLineSpans(TPoint a, TPoint b, const RasterClip& clip, SpanFn&& span);
/// The same for ends given in 64 bits (a scaled canvas's device points), each within 2^40.
template <class SpanFn>
void ThinLineSpans(long long ax, long long ay, long long bx, long long by, const RasterClip& clip, SpanFn&& span);
/// Pixels whose centres lie within width / 2 of the segment a-b (both ends included).
TALLWICK_EXPORT void WideLine(TPoint a, TPoint b, int width, const RasterClip& clip, std::vector<RasterSpan>& out);
/// Pixels of the ellipse inscribed in [left, right) x [top, bottom), one span per row; the shape
/// touches all four sides of the box, however flat or tall.
TALLWICK_EXPORT void EllipseRows(long long left, long long top, long long right, long long bottom,
                                 const RasterClip& clip, std::vector<RasterSpan>& out);
/// Splits the rows of a filled shape (one span per row, top to bottom) into the one-pixel outline
/// and the inside.
TALLWICK_EXPORT void SplitOutline(const std::vector<RasterSpan>& rows, std::vector<RasterSpan>& outline,
                                  std::vector<RasterSpan>& inside);
/// Pixels of the ring between two shapes given as one span per row (inner rows may be missing).
TALLWICK_EXPORT void Ring(const std::vector<RasterSpan>& outer, const std::vector<RasterSpan>& inner,
                          std::vector<RasterSpan>& out);
/// Sorts spans by row and joins those that overlap or touch, so that each pixel appears once.
TALLWICK_EXPORT void MergeSpans(std::vector<RasterSpan>& spans);
/// Inside of a polygon by the alternate (even-odd) rule, sampled at pixel centres.
TALLWICK_EXPORT void PolygonFill(const TPoint* points, int count, const RasterClip& clip, std::vector<RasterSpan>& out);

namespace Detail {
/// Floor of a / b for b > 0, in 128 bits: step counts times extents of int lines exceed 64.
inline long long FloorDiv(__int128 a, long long b) {
    __int128 q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return static_cast<long long>(q);
}
}  // namespace Detail

/// Bresenham's line: on the major axis one pixel per step, on the minor axis the step count
/// rounded as the incremental error term rounds it (minor offset of step i: floor((i * minor +
/// bias) / major)). Only the steps whose major coordinate lies in the clip box are walked; along a
/// shallow line a whole run of one row is handed over at once.
template <class SpanFn>
void ThinLineSpans(TPoint a, TPoint b, const RasterClip& clip, SpanFn&& span) {
    ThinLineSpans(a.x, a.y, b.x, b.y, clip, span);
}

template <class SpanFn>
void ThinLineSpans(long long ax, long long ay, long long bx, long long by, const RasterClip& clip, SpanFn&& span) {
    const long long dx = std::llabs(bx - ax), dy = std::llabs(by - ay);
    const long long steps = std::max(dx, dy);  // the end pixel is left out
    if (steps == 0)
        return;
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    const bool xMajor = dx > dy;
    const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const long long start = xMajor ? ax : ay, sign = xMajor ? sx : sy;
    const long long low = xMajor ? clip.x0 : clip.y0, high = (xMajor ? clip.x1 : clip.y1) - 1;
    // Steps i with low <= start + sign * i <= high.
    const long long first = std::max(sign > 0 ? low - start : start - high, 0LL);
    const long long last = std::min(sign > 0 ? high - start : start - low, steps - 1);
    if (first > last)
        return;
    const long long bias = major - major / 2 - 1;
    const __int128 numerator = __int128(first) * minor + bias;
    long long offset = Detail::FloorDiv(numerator, major);
    long long remainder = static_cast<long long>(numerator - __int128(offset) * major);  // 0 <= r < major
    const long long minorStart = xMajor ? ay : ax, minorSign = xMajor ? sy : sx;
    const long long minorLow = xMajor ? clip.y0 : clip.x0, minorHigh = (xMajor ? clip.y1 : clip.x1) - 1;
    if (xMajor) {
        // Runs of one row: the row steps when the remainder reaches the major extent.
        for (long long i = first; i <= last;) {
            const long long run =
                minor == 0 ? last - i + 1 : std::min((major - remainder + minor - 1) / minor, last - i + 1);
            const long long y = minorStart + minorSign * offset;
            if (y >= minorLow && y <= minorHigh) {
                const long long xa = start + sign * i, xb = start + sign * (i + run - 1);
                span(int(y), int(std::min(xa, xb)), int(std::max(xa, xb)));
            }
            i += run;
            remainder += run * minor - major;
            ++offset;
        }
        return;
    }
    for (long long i = first; i <= last; ++i) {
        const long long x = minorStart + minorSign * offset;
        if (x >= minorLow && x <= minorHigh)
            span(int(start + sign * i), int(x), int(x));
        remainder += minor;
        if (remainder >= major) {
            remainder -= major;
            ++offset;
        }
    }
}

}  // namespace Raster

}  // namespace Tallwick
