#pragma once
// Installed faces for the original desktop's face names.
#include <Tallwick/TallwickExport.h>

namespace Tallwick {
/// Face names of the original desktop mapped to installed, metric-compatible faces.
/// fontconfig already maps "Times New Roman" to Liberation Serif; "MS Sans Serif" would fall to the
/// much wider DejaVu Sans, so it is sent to Liberation Sans here. On Windows, where there is no
/// fontconfig, the Liberation faces stand in for Times New Roman, Arial and Courier New too. A
/// substitute serves only where the face itself is missing. Safe to call any number of times.
TALLWICK_EXPORT void InstallFontSubstitutions();

}  // namespace Tallwick
