#pragma once
/// \file
/// The default system beep. Programs and tests may put another sound (or a counter) in its place.
#include <Tallwick/TallwickExport.h>

#include <functional>

namespace Tallwick {

using TBeeper = std::function<void()>;

/// Sounds the beep: the replacement when one is set, QApplication::beep() otherwise.
TALLWICK_EXPORT void MessageBeep();
/// Replaces the beep (an empty function restores QApplication::beep()); returns the one it replaces.
TALLWICK_EXPORT TBeeper SetBeeper(TBeeper beeper);

}  // namespace Tallwick
