#pragma once
/// \file
/// The default system beep.
#include <Tallwick/TallwickExport.h>

namespace Tallwick {

/// Sounds the beep: QApplication::beep(), or the tests' replacement (BeepTesting.h).
TALLWICK_EXPORT void MessageBeep();

}  // namespace Tallwick
