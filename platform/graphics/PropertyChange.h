#pragma once
// The one way a component's setter changes a published property: a value equal to the stored one
// changes nothing (two NaNs count as equal, so that setting NaN again is no change either);
// another is stored, then the owner redraws, then it announces the change.
//
//     void TEscala::SetGradColor1(TColor value) {
//         ChangeProperty(this, FGradColor1, value, &TEscala::Draw, &TEscala::GradColor1Changed);
//     }
//
// `redraw` and `announce` are members of the owner (or anything std::invoke can call with it);
// pass nullptr as `redraw` for a property that is only stored.
#include <cmath>
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace Tallwick {

template <class T, class V>
bool SamePropertyValue(const T& stored, const V& value) {
    if constexpr (std::is_floating_point_v<T> && std::is_arithmetic_v<V>) {
        if (std::isnan(stored) && std::isnan(static_cast<T>(value)))
            return true;
    }
    return stored == value;
}

// True when the value changed.
template <class Owner, class T, class V, class Redraw, class Announce>
bool ChangeProperty(Owner* owner, T& field, V&& value, Redraw redraw, Announce announce) {
    if (SamePropertyValue(field, value))
        return false;
    field = std::forward<V>(value);
    if constexpr (!std::is_null_pointer_v<Redraw>)
        std::invoke(redraw, owner);
    std::invoke(announce, owner);
    return true;
}

}  // namespace Tallwick
