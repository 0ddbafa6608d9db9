#pragma once
// The window-manager calls the saver makes, on Windows: the calls themselves. Window ids are
// window handles as a screen-saver host passes them on the command line (32 significant bits,
// which is all a handle carries between processes). An id that names no window is harmless to
// every call here.
#include <QSize>

class QWidget;

namespace Tallwick {

// True when id names an existing window (IsWindow).
bool HostWindowExists(unsigned long id);

// Size of the window's client area (GetClientRect); an invalid QSize when id names no window.
QSize HostWindowSize(unsigned long id);

// The foreground window (GetForegroundWindow); 0 when there is none.
unsigned long GetForegroundWindow();

// SetForegroundWindow. False when id names no window or Windows refuses to bring it forward.
bool SetForegroundWindow(unsigned long id);

// EnableWindow: returns true when the window was disabled before, as the original call does.
bool EnableWindow(unsigned long id, bool enable);
bool IsWindowEnabled(unsigned long id);

// Windows gives a taskbar button to every top-level window without an owner; a tool window
// gets none. Before the widget's window exists the flag is simply set; afterwards Qt recreates
// nothing, so the window's extended style is changed in place.
void HideFromTaskbar(QWidget* widget);

// Makes the native window `owner` the owner of widget's window (GWLP_HWNDPARENT), so that it
// stays above that window and is minimised with it. False when owner names no window.
bool SetOwnerWindow(QWidget* widget, unsigned long owner);

}  // namespace Tallwick
