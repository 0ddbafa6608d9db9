// Follows a window of another program on a connection of its own.
#include "ParentWindowWatcher.h"

#include "X11ErrorTrap.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>

namespace Tallwick {

TParentWindowWatcher::TParentWindowWatcher(unsigned long windowId, QObject* parent)
    : QObject(parent),
      FWindowId(windowId) {
    FDisplay = windowId ? XOpenDisplay(nullptr) : nullptr;
    if (FDisplay) {
        TX11ErrorTrap trap(FDisplay);
        // Select first, then ask: a window destroyed in between still shows up as DestroyNotify.
        XSelectInput(FDisplay, windowId, StructureNotifyMask);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(FDisplay, windowId, &attributes) && !trap.Failed()) {
            FValid = true;
            FSize = QSize(attributes.width, attributes.height);
        }
    }
    if (!FValid) {
        QMetaObject::invokeMethod(this, &TParentWindowWatcher::windowDestroyed, Qt::QueuedConnection);
        return;
    }
    FNotifier = new QSocketNotifier(ConnectionNumber(FDisplay), QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TParentWindowWatcher::ReadEvents);
    // Events that arrived with the replies above already sit in Xlib's queue, not in the socket.
    QMetaObject::invokeMethod(this, &TParentWindowWatcher::ReadEvents, Qt::QueuedConnection);
}

TParentWindowWatcher::~TParentWindowWatcher() {
    delete FNotifier;
    if (FDisplay)
        XCloseDisplay(FDisplay);
}

unsigned long TParentWindowWatcher::WindowId() const { return FWindowId; }

bool TParentWindowWatcher::isValid() const { return FValid; }

QSize TParentWindowWatcher::size() const { return FSize; }

void TParentWindowWatcher::ReadEvents() {
    while (FValid && XPending(FDisplay)) {
        XEvent event;
        XNextEvent(FDisplay, &event);
        HandleEvent(&event);
    }
}

void TParentWindowWatcher::HandleEvent(const void* xevent) {
    const auto& event = *static_cast<const XEvent*>(xevent);
    if (event.type == ConfigureNotify && event.xconfigure.window == FWindowId) {
        const QSize size(event.xconfigure.width, event.xconfigure.height);
        if (size != FSize) {
            FSize = size;
            emit resized(size);
        }
    } else if (event.type == DestroyNotify && event.xdestroywindow.window == FWindowId) {
        MarkGone();
    }
}

void TParentWindowWatcher::MarkGone() {
    FValid = false;
    FNotifier->setEnabled(false);
    emit windowDestroyed();
}

}  // namespace Tallwick
