#pragma once
// Converting between the saver's window ids and Win32 window handles. Handles are 32-bit values
// sign-extended to a pointer (as HandleToLong/LongToHandle do), so an id read from a command line
// and one taken from winId() name the same window.
#include <windows.h>

namespace Tallwick {

inline HWND HandleOf(unsigned long id) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(id))); }

inline unsigned long IdOf(HWND window) {
    return static_cast<unsigned long>(static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(window)));
}

}  // namespace Tallwick
