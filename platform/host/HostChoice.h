#pragma once
// The one place that decides which host the program runs on, and the host it then uses. On
// Windows (HostChoiceWindows.cpp) that is the Windows desktop; elsewhere (HostChoice.cpp) as
// follows.
//
// Before the application object exists, ChooseHost looks for a display the mode can use and says
// why there is none, so that a start without one ends with a one-line reason and an exit status
// instead of Qt's abort. The platform is Qt's own choice: QT_QPA_PLATFORM when set, else the
// session type (a Wayland session gets Wayland, anything else X11). A Wayland session is asked
// about Wayland first and X11 is left alone when Wayland answers (connecting to an X display
// that a compositor starts on demand would start it). When the chosen kind cannot be reached but
// the other can (a compositor started from a console, whose session type says "tty"), the
// reachable one is taken.
#include "Host.h"

#include <QString>
#include <memory>

namespace Tallwick {

struct THostChoice {
    std::unique_ptr<THost> Host;  // null when Problem says why there is none
    QString Problem;              // "DISPLAY is not set; WAYLAND_DISPLAY is not set", or empty
};

// `needsEmbedding`: the mode draws inside windows of other programs, which only X11 offers; it
// is then given X11 (an X server reached through XWayland on a Wayland desktop, say) or none.
THostChoice ChooseHost(bool needsEmbedding);

// Makes `host` the program's host and readies the environment for it (THost::Prepare). Before the application
// object; after it has connected, call CurrentHost().Connected().
void UseHost(std::unique_ptr<THost> host);

// The program's host. Without UseHost (tests), the host of the platform Qt runs on.
THost& CurrentHost();

// Each system's choice (HostChoice.cpp, HostChoiceWindows.cpp) says which host goes with a Qt
// platform, and whether a host is that one; CurrentHost.cpp keeps the program's host with them.
std::unique_ptr<THost> HostOf(const QString& platform);
bool Runs(const THost* host, const QString& platform);

}  // namespace Tallwick
