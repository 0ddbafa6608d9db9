// The system-wide screen-saver-running switch on Windows (SystemParametersInfo).
#include "ScreenSaverFlag.h"

#include <QCoreApplication>

#include <cstdlib>
#include <windows.h>

namespace Tallwick {

namespace {
bool screenSaverRunning = false;
LPTOP_LEVEL_EXCEPTION_FILTER previousCrashFilter = nullptr;

void ClearFlag() {
    if (screenSaverRunning)
        ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    screenSaverRunning = false;
}

LONG WINAPI ClearFlagOnCrash(EXCEPTION_POINTERS* exception) {
    ClearFlag();
    return previousCrashFilter ? previousCrashFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

// The flag is the whole system's: a saver that ends any other way than through its windows (an
// exit() deep down, a crash, the session ending, after which Windows ends the process as soon
// as Qt has said it is quitting) must not leave it up. Armed once, when first set.
void ClearOnEveryExit() {
    static bool armed = false;
    if (armed)
        return;
    armed = true;
    std::atexit(ClearFlag);
    previousCrashFilter = ::SetUnhandledExceptionFilter(ClearFlagOnCrash);
    if (QCoreApplication* application = QCoreApplication::instance())
        QObject::connect(application, &QCoreApplication::aboutToQuit, ClearFlag);
}
}  // namespace

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
    if (screenSaverRunning)
        ClearOnEveryExit();
    return true;
}

bool ScreenSaverRunning() { return screenSaverRunning; }

}  // namespace Tallwick
