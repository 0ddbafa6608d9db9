#pragma once
// The mapping of one plot axis from world values to pixel rows or columns, as the plotting canvas
// rounds it: offset + RoundToInt((v - min) / (max - min) * extent), or offset minus that for the
// upward y axis. Results are kept within +-kPixelLimit, far outside the drawable range, so that
// sums and differences of two of them still fit an int; NaN maps to the upper end.
#include <algorithm>
#include <cmath>

namespace Tallwick {

constexpr int kPixelLimit = 0x3FFFFFFF;

// RoundToInt's rounding (half away from zero) for |v| < 2^30: the truncation and the fraction are
// exact at this size.
inline long long RoundSmall(double v) {
    const long long t = static_cast<long long>(v);
    const double fraction = v - static_cast<double>(t);
    return t + (fraction >= 0.5) - (fraction <= -0.5);
}

inline int PixelOf(double offsetPixels, double scaled, bool subtract) {
    if (!(std::fabs(scaled) < double(kPixelLimit)))
        return (scaled < 0) != subtract ? -kPixelLimit : kPixelLimit;
    const long long rounded = RoundSmall(scaled);
    const long long v =
        subtract ? static_cast<long long>(offsetPixels) - rounded : rounded + static_cast<long long>(offsetPixels);
    return int(std::clamp<long long>(v, -kPixelLimit, kPixelLimit));
}

struct TAxisPixels {
    double Min, Range, Extent;  // world minimum, maximum - minimum, pixels the range spans
    int Offset;
    bool Subtract;  // pixels grow against the values (y upward)
    double Factor;  // Extent / Range

    TAxisPixels(double min, double max, int extent, int offset, bool subtract)
        : Min(min),
          Range(max - min),
          Extent(extent),
          Offset(offset),
          Subtract(subtract),
          Factor(double(extent) / (max - min)) {}

    // The mapping with the canvas's own order of operations.
    int Exact(double v) const { return PixelOf(Offset, (v - Min) / Range * Extent, Subtract); }

    // The same result with one multiplication instead of a division. The product differs from the
    // exact expression by a few units in the last place, which changes the rounding only next to
    // a half; there, and for large values, the exact expression decides.
    int Fast(double v) const {
        const double s = (v - Min) * Factor;
        if (std::fabs(s) < double(1 << 29)) {
            const long long t = static_cast<long long>(s);
            const double fraction = s - static_cast<double>(t);
            if (std::fabs(std::fabs(fraction) - 0.5) > 1e-12 * (std::fabs(s) + 1)) {
                const long long rounded = t + (fraction > 0.5) - (fraction < -0.5);
                return int(Subtract ? Offset - rounded : Offset + rounded);
            }
        }
        return Exact(v);
    }
};

}  // namespace Tallwick
