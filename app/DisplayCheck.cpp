#include "DisplayCheck.h"

#include <QByteArray>
#include <QtGlobal>

#include <X11/Xlib.h>

namespace Tallwick {

QString DisplayProblem() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return QString();
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty())
        return QStringLiteral("DISPLAY is not set");
    Display* display = XOpenDisplay(name.constData());
    if (!display)
        return QStringLiteral("cannot connect to DISPLAY=%1").arg(QString::fromLocal8Bit(name));
    XCloseDisplay(display);
    return QString();
}

}  // namespace Tallwick
