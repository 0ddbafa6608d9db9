// Which host: the user's QT_QPA_PLATFORM, else the session's kind of display first and the other
// one after it.
#include "HostChoice.h"

#include "wayland/WaylandHost.h"
#include "x11/X11Host.h"

#include <QStringList>

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

// The session asks for Wayland. Qt itself stays on X11 on GNOME whatever the session says.
bool WaylandSession() {
    if (qgetenv("XDG_SESSION_TYPE") != "wayland")
        return false;
    const QByteArray desktops = qgetenv("XDG_CURRENT_DESKTOP").toLower() + qgetenv("XDG_SESSION_DESKTOP").toLower();
    return !desktops.contains("gnome");
}

// A host of that kind, or why there is none. Offscreen, vnc and the like are Qt's business.
THostChoice Reach(Kind kind, const QByteArray& platform) {
    THostChoice choice;
    switch (kind) {
    case Kind::X11: choice.Host = TX11Host::Connect(platform, choice.Problem); break;
    case Kind::Wayland:
        choice.Problem = TWaylandHost::Problem();
        if (choice.Problem.isEmpty())
            choice.Host = std::make_unique<TWaylandHost>(platform);
        break;
    case Kind::Other: choice.Host = std::make_unique<THost>(); break;
    }
    return choice;
}

// The user's own choice of platforms (a list separated by ';'): the first reachable one is taken.
THostChoice ChosenByUser(const QByteArray& platforms, bool needsEmbedding) {
    QStringList problems;
    for (const QByteArray& platform : platforms.split(';')) {
        const Kind kind = KindOf(platform);
        if (needsEmbedding && kind != Kind::X11) {
            problems << QStringLiteral(
                            "QT_QPA_PLATFORM=%1 cannot show a window inside another program's window, "
                            "which needs X11")
                            .arg(QString::fromLocal8Bit(platform));
            continue;
        }
        THostChoice choice = Reach(kind, {});
        if (choice.Host)
            return choice;
        problems << choice.Problem;
    }
    return {nullptr, problems.join(QStringLiteral("; "))};
}

}  // namespace

THostChoice ChooseHost(bool needsEmbedding) {
    const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (!platforms.isEmpty())
        return ChosenByUser(platforms, needsEmbedding);
    const bool wayland = WaylandSession();
    if (needsEmbedding) {
        THostChoice choice = Reach(Kind::X11, wayland ? QByteArray("xcb") : QByteArray());
        if (!choice.Host)
            choice.Problem += QStringLiteral("; showing a window inside another program's window needs X11");
        return choice;
    }
    // Asked second, the other kind is asked for by name: Qt would pick the first.
    THostChoice first = wayland ? Reach(Kind::Wayland, {}) : Reach(Kind::X11, {});
    if (first.Host)
        return first;
    THostChoice second = wayland ? Reach(Kind::X11, "xcb") : Reach(Kind::Wayland, "wayland");
    if (second.Host)
        return second;
    return {nullptr, first.Problem + QStringLiteral("; ") + second.Problem};
}

bool Runs(const THost* host, const QString& platform) {
    if (!host)
        return false;
    if (platform == QLatin1String("xcb"))
        return dynamic_cast<const TX11Host*>(host);
    if (platform.startsWith(QLatin1String("wayland")))
        return dynamic_cast<const TWaylandHost*>(host);
    return !dynamic_cast<const TX11Host*>(host) && !dynamic_cast<const TWaylandHost*>(host);
}

std::unique_ptr<THost> HostOf(const QString& platform) {
    if (platform == QLatin1String("xcb"))
        return std::make_unique<TX11Host>();
    if (platform.startsWith(QLatin1String("wayland")))
        return std::make_unique<TWaylandHost>();
    return std::make_unique<THost>();
}

}  // namespace Tallwick
