#pragma once
// The screen-saver-running flag of the saver's process.

namespace Tallwick {

// The system-wide "a screen saver is running" switch of the original platform.
//
// X11 has no such switch: the desktop's own screen saver is not told that another one runs, and
// nothing else reads it. The nearest honest equivalent is a process-wide flag, set and cleared by
// the same call the saver window makes, which tests (and anything else in the process) can read.

constexpr unsigned SPI_SETSCREENSAVERRUNNING = 97;

// Handles SPI_SETSCREENSAVERRUNNING only: the flag becomes param != 0, and when previous is not
// null it receives the former state (0 or 1), as the original call does. Returns false, changing
// nothing, for any other action.
bool SystemParametersInfoA(unsigned action, unsigned param, void* previous, unsigned winIni);

// True between SystemParametersInfoA(97, 1, ...) and SystemParametersInfoA(97, 0, ...).
bool ScreenSaverRunning();

}  // namespace Tallwick
