#pragma once
/// \file
/// Conversions to int that stay defined for every input: C++ leaves the result of converting a
/// double beyond int's range (or NaN) undefined, and narrowing a 64-bit value just wraps.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace Tallwick {

/// Toward zero, as every conversion of a double to an int here is; beyond int's range the value
/// stops at its nearer end, and NaN gives 0.
inline int TruncToInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v <= double(INT_MIN))
        return INT_MIN;
    if (v >= double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}

/// A 64-bit value as an int: beyond int's range it stops at its nearer end.
constexpr int SaturateToInt(std::int64_t v) { return int(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace Tallwick
