#pragma once
// Win32's MulDiv, which sizes in points and colour steps are computed with: a x b / c in 64 bits,
// rounded to nearest with halves away from zero (c is never 0 where it is used).
#include <cstdint>
#include <cstdlib>

namespace Tallwick {

inline int MulDiv(int a, int b, int c) {
    const std::int64_t p = std::int64_t(a) * b, d = std::abs(std::int64_t(c));
    const std::int64_t q = (std::abs(p) + d / 2) / d;
    return int((p < 0) != (c < 0) ? -q : q);
}

}  // namespace Tallwick
