#pragma once
// The window-manager calls of the original platform that have an X11 counterpart. Window ids are
// X11 window ids. Queries run on a connection of our own to the display named by DISPLAY, with X
// errors trapped, so an id that names no window never ends the process. Without an X display
// every query reports "no window".
#include <QSize>

class QWidget;

namespace Tallwick {

// True when id names an existing window.
bool X11WindowExists(unsigned long id);

// Size of the window's inside (border excluded), as the server knows it; an invalid QSize when id
// names no window. Qt's view of a foreign window's geometry is not reliable, this is.
QSize X11WindowSize(unsigned long id);

// The active window: _NET_ACTIVE_WINDOW when the window manager maintains it, else the window
// holding the input focus. 0 when there is none (focus on nothing, or following the pointer).
unsigned long GetForegroundWindow();

// Activates the window: through the window manager (_NET_ACTIVE_WINDOW request) when it supports
// that, else raises it and gives it the input focus. False when id names no window, or one that
// cannot take the focus (not mapped).
bool SetForegroundWindow(unsigned long id);

// X11 cannot disable another client's window: input can only be withheld from it by grabbing the
// whole pointer and keyboard, which would lock the user out of the desktop as well. So the state
// is only recorded here (IsWindowEnabled reads it back); the settings dialog stays in front as a
// dialog and re-activates the remembered window when it closes, which is what the user sees of
// the original's disable/enable pair. Returns true when the window was disabled before, as the
// original call does.
bool EnableWindow(unsigned long id, bool enable);
bool IsWindowEnabled(unsigned long id);

// Keeps the widget's window out of the taskbar and the pager (_NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER). This stands in for hiding the application's own taskbar window: the
// program has no such window here, each top-level window gets its own taskbar entry. Before the
// window is shown the hints are stored on it and the window manager honours them when it maps it;
// once shown, the window manager is asked to add them. Parentless dialogs are also marked by Qt as
// transient for the desktop, which most window managers keep out of the taskbar anyway, so for a
// dialog these two hints are all that is needed. Does nothing off X11.
void HideFromTaskbar(QWidget* widget);

}  // namespace Tallwick
