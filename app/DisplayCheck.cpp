// Whether the saver's windows can appear at all, and on which kind of display.
#include "DisplayCheck.h"

#include <QList>
#include <QtGlobal>

#include <X11/Xlib.h>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Tallwick {

namespace {
enum class Kind { X11, Wayland, Other };

Kind KindOf(const QByteArray& platform) {
    if (platform.startsWith("xcb"))
        return Kind::X11;
    if (platform.startsWith("wayland"))
        return Kind::Wayland;
    return Kind::Other;
}

QString ProblemOf(Kind kind) {
    switch (kind) {
    case Kind::X11: return X11Problem();
    case Kind::Wayland: return WaylandProblem();
    default: return QString();  // offscreen, vnc, ...: Qt's business
    }
}

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

// The session asks for Wayland. Qt itself stays on X11 on GNOME whatever the session says.
bool WaylandSession() {
    if (qgetenv("XDG_SESSION_TYPE") != "wayland")
        return false;
    const QByteArray desktops = qgetenv("XDG_CURRENT_DESKTOP").toLower() + qgetenv("XDG_SESSION_DESKTOP").toLower();
    return !desktops.contains("gnome");
}

// The user's own choice of platforms (a list separated by ';'): the first reachable one is taken.
TDisplayChoice ChosenByUser(const QByteArray& platforms, bool needsX11) {
    QStringList problems;
    for (const QByteArray& platform : platforms.split(';')) {
        const Kind kind = KindOf(platform);
        if (needsX11 && kind != Kind::X11) {
            problems << QStringLiteral(
                            "QT_QPA_PLATFORM=%1 cannot show a window inside another program's window, "
                            "which needs X11")
                            .arg(QString::fromLocal8Bit(platform));
            continue;
        }
        const QString problem = ProblemOf(kind);
        if (problem.isEmpty())
            return {};
        problems << problem;
    }
    return {problems.join(QStringLiteral("; ")), {}};
}
}  // namespace

QString X11Problem() {
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty())
        return QStringLiteral("DISPLAY is not set");
    Display* display = XOpenDisplay(name.constData());
    if (!display)
        return QStringLiteral("cannot connect to DISPLAY=%1").arg(QString::fromLocal8Bit(name));
    XCloseDisplay(display);
    return QString();
}

QString WaylandProblem() {
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

TDisplayChoice ChooseDisplay(bool needsX11) {
    const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (!platforms.isEmpty())
        return ChosenByUser(platforms, needsX11);
    const QString x11 = X11Problem();
    if (needsX11) {
        if (x11.isEmpty())
            return {{}, WaylandSession() ? QByteArray("xcb") : QByteArray()};
        return {x11 + QStringLiteral("; showing a window inside another program's window needs X11"), {}};
    }
    const QString wayland = WaylandProblem();
    const bool preferWayland = WaylandSession();
    const QString& first = preferWayland ? wayland : x11;
    if (first.isEmpty())
        return {};
    const QString& other = preferWayland ? x11 : wayland;
    if (other.isEmpty())
        return {{}, preferWayland ? QByteArray("xcb") : QByteArray("wayland")};
    return {first + QStringLiteral("; ") + other, {}};
}

void ApplyDisplayChoice(const TDisplayChoice& choice) {
    if (!choice.Platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.Platform);
}

}  // namespace Tallwick
