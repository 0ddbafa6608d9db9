// The process-wide "a screen saver is running" flag, the nearest honest equivalent X11 has.
#include "ScreenSaverFlag.h"

namespace Tallwick {

namespace {
bool screenSaverRunning = false;
}

bool SystemParametersInfoA(unsigned action, unsigned param, void* previous, unsigned /*winIni*/) {
    if (action != SPI_SETSCREENSAVERRUNNING)
        return false;
    if (previous)
        *static_cast<int*>(previous) = screenSaverRunning ? 1 : 0;
    screenSaverRunning = param != 0;
    return true;
}

bool ScreenSaverRunning() { return screenSaverRunning; }

}  // namespace Tallwick
