#pragma once
// The offscreen platform for programs that only draw, chosen when there is no display.

namespace Tallwick {

// Lets a program that only draws run with no display at all: when neither QT_QPA_PLATFORM nor
// DISPLAY nor WAYLAND_DISPLAY is set, sets QT_QPA_PLATFORM=offscreen for this process. A choice
// the caller made (any of those variables set) is left alone. Call it before the application
// object is constructed; later calls have no effect on the running application.
void HeadlessPlatformIfNoDisplay();

}  // namespace Tallwick
