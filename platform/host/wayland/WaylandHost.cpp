// The Wayland host: whether a compositor answers, full-screen saver windows, and the way out.
#include "WaylandHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Tallwick {

namespace {
bool ConnectsToSocket(const QByteArray& path) {
    sockaddr_un address{};
    if (path.size() >= int(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Qt's Wayland platform comes in a package of its own; without it Qt aborts at start. The
// folders are those Qt looks in: its plugin folder, QT_PLUGIN_PATH and QT_QPA_PLATFORM_PLUGIN_PATH.
bool QtWaylandInstalled() {
    QStringList folders;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    folders << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders)
        for (const QFileInfo& plugin : QDir(folder).entryInfoList({QStringLiteral("*qwayland*")}, QDir::Files))
            if (plugin.size() > 0)
                return true;
    return false;
}

QString SocketProblem() {
    if (!qgetenv("WAYLAND_SOCKET").isEmpty())
        return QString();
    const bool named = !qgetenv("WAYLAND_DISPLAY").isEmpty();
    const QByteArray name = named ? qgetenv("WAYLAND_DISPLAY") : QByteArray("wayland-0");
    QByteArray path = name;
    if (!name.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return named ? QStringLiteral("XDG_RUNTIME_DIR is not set for WAYLAND_DISPLAY=%1")
                               .arg(QString::fromLocal8Bit(name))
                         : QStringLiteral("WAYLAND_DISPLAY is not set");
        path = runtime + '/' + name;
    }
    if (ConnectsToSocket(path))
        return QString();
    return named ? QStringLiteral("cannot connect to WAYLAND_DISPLAY=%1").arg(QString::fromLocal8Bit(name))
                 : QStringLiteral("WAYLAND_DISPLAY is not set");
}
}  // namespace

TWaylandHost::TWaylandHost(QByteArray platform) : FPlatform(std::move(platform)) {}

QString TWaylandHost::Problem() {
    const QString socket = SocketProblem();
    if (!socket.isEmpty())
        return socket;
    if (!QtWaylandInstalled())
        return QStringLiteral("Qt's Wayland platform is not installed (Debian package qt6-wayland)");
    return QString();
}

// Nothing in the process is to reach for X11 on a Wayland desktop: a compositor may start its
// X server only when the first X client connects (sway), and libdbus, finding no session bus,
// would ask the X server for one.
void TWaylandHost::Prepare() const {
    THost::Prepare();
    qunsetenv("DISPLAY");
}

// Qt 6.4's Wayland client may wait for ever while it shuts down (its event thread waits in
// wl_display_read_events for a read that no other thread will make), which would leave the
// saver running after its windows have gone. By then everything the program writes is written,
// and the compositor lets go of what was ours when the connection closes: the process ends here
// without taking the connection down itself.
int TWaylandHost::Finish(int status) const {
    std::fflush(nullptr);
    std::_Exit(status);
}

// A Wayland client cannot place its windows: it asks the compositor for full screen on the output
// of the window's screen.
void TWaylandHost::CoverScreen(QWidget* window, QScreen* screen) const {
    THost::CoverScreen(window, screen);
    window->setWindowState(Qt::WindowFullScreen);
}

}  // namespace Tallwick
