#pragma once
// Internal, never installed: lets the tests count beeps instead of sounding them.
#include "Beep.h"

#include <functional>

namespace Tallwick {

using TBeeper = std::function<void()>;

/// Replaces the beep (an empty function restores QApplication::beep()); returns the one it replaces.
TALLWICK_EXPORT TBeeper SetBeeper(TBeeper beeper);

}  // namespace Tallwick
