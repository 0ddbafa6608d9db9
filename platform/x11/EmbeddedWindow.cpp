// Placing a top-level widget inside a window of another program, as a screen-saver preview lives
// inside the window it is given.
#include "EmbeddedWindow.h"

#include "X11Glue.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace Tallwick {

bool EmbedInForeignWindow(QWidget* widget, unsigned long parentId) {
    if (!widget || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    const QSize size = X11WindowSize(parentId);
    if (!size.isValid())
        return false;
    QWindow* parent = QWindow::fromWinId(WId(parentId));
    if (!parent)
        return false;
    widget->winId();  // the widget needs its native window before it can be given a parent
    widget->windowHandle()->setParent(parent);
    // The wrapper of the foreign window is ours to free; it must outlive the widget's window,
    // which is its child as far as Qt knows.
    QObject::connect(widget, &QObject::destroyed, parent, &QObject::deleteLater);
    widget->move(0, 0);
    widget->resize(size);
    return true;
}

}  // namespace Tallwick
