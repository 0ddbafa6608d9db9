#pragma once
// Whether the saver's windows can appear at all, and on which kind of display. Qt aborts the
// process when its platform cannot connect to the display; the entry asks here first, so that a
// start without a display ends with a one-line reason and an exit status instead of a signal.
//
// The platform is Qt's own choice: QT_QPA_PLATFORM when set, else the session type (a Wayland
// session gets Qt's Wayland platform, anything else X11). When that choice cannot be reached but
// the other kind of display can (a Wayland compositor started from a console, whose session type
// says "tty"), the reachable one is taken.
#include <QByteArray>
#include <QString>

namespace Tallwick {

struct TDisplayChoice {
    // Why no display can be opened ("DISPLAY is not set; WAYLAND_DISPLAY is not set"), or empty.
    QString Problem;
    // The platform to put in QT_QPA_PLATFORM for this process, or empty to leave Qt's choice.
    QByteArray Platform;
};

// `needsX11`: the mode embeds into windows of other programs, which only X11 offers. It is then
// given X11 (an X server reached through XWayland on a Wayland desktop, say), and without one
// the problem says so.
TDisplayChoice ChooseDisplay(bool needsX11);

// Why no X11 display can be opened ("DISPLAY is not set", "cannot connect to DISPLAY=:7"), or an
// empty text when one can.
QString X11Problem();
// The same for a Wayland compositor: WAYLAND_DISPLAY (default "wayland-0") names a socket in
// XDG_RUNTIME_DIR, or is an absolute path; WAYLAND_SOCKET hands over a connection already made.
QString WaylandProblem();

// Applies a choice: sets QT_QPA_PLATFORM when the choice names a platform.
void ApplyDisplayChoice(const TDisplayChoice& choice);

}  // namespace Tallwick
