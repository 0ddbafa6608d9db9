// Placing a widget inside a window of another program on Windows, as a child window.
#include "EmbeddedWindow.h"

#include "HostWindows.h"
#include "WindowHandle.h"

#include <QWidget>
#include <QWindow>

namespace Tallwick {

bool EmbedInForeignWindow(QWidget* widget, unsigned long parentId) {
    if (!widget)
        return false;
    const QSize size = HostWindowSize(parentId);
    if (!size.isValid())
        return false;
    QWindow* parent = QWindow::fromWinId(WId(HandleOf(parentId)));
    if (!parent)
        return false;
    widget->winId();  // the widget needs its native window before it can be given a parent
    // Qt makes the window WS_CHILD of the foreign one (SetParent), so it is clipped to it, moves
    // with it and is destroyed with it.
    widget->windowHandle()->setParent(parent);
    // The wrapper of the foreign window is ours to free; it must outlive the widget's window,
    // which is its child as far as Qt knows.
    QObject::connect(widget, &QObject::destroyed, parent, &QObject::deleteLater);
    widget->move(0, 0);
    widget->resize(size);
    return true;
}

}  // namespace Tallwick
