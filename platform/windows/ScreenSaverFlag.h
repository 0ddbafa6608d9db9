#pragma once
// The system-wide "a screen saver is running" switch, on Windows: SystemParametersInfo with
// SPI_SETSCREENSAVERRUNNING (97), which tells the system that a screen saver holds the screen.
// The process keeps its own copy of the state as well, so that it can be read back in any
// case (the call itself has no "get" twin).

namespace Tallwick {

// <windows.h> defines the same name as a macro of the same value.
#ifndef SPI_SETSCREENSAVERRUNNING
constexpr unsigned SPI_SETSCREENSAVERRUNNING = 97;
#endif

// Handles SPI_SETSCREENSAVERRUNNING only: passes the call on to Windows, and the flag becomes
// param != 0; when previous is not null it receives the former state (0 or 1). Returns false,
// changing nothing, for any other action.
bool SystemParametersInfoA(unsigned action, unsigned param, void* previous, unsigned winIni);

// True between SystemParametersInfoA(97, 1, ...) and SystemParametersInfoA(97, 0, ...).
bool ScreenSaverRunning();

}  // namespace Tallwick
