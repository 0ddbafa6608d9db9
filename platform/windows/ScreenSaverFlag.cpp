// The system-wide screen-saver-running switch on Windows (SystemParametersInfo).
#include "ScreenSaverFlag.h"

#include <windows.h>

namespace Tallwick {

namespace {
bool screenSaverRunning = false;
}

bool SystemParametersInfoA(unsigned action, unsigned param, void* previous, unsigned winIni) {
    if (action != SPI_SETSCREENSAVERRUNNING)
        return false;
    // The system is told; the former state reported is this process's, which is what the saver's
    // windows set and clear (the system's reflects every process).
    BOOL systemFormer = FALSE;
    ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, param, &systemFormer, winIni);
    if (previous)
        *static_cast<int*>(previous) = screenSaverRunning ? 1 : 0;
    screenSaverRunning = param != 0;
    return true;
}

bool ScreenSaverRunning() { return screenSaverRunning; }

}  // namespace Tallwick
