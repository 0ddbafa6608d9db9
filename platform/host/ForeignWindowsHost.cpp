// Other programs' windows through the system's glue, for the X11 and Windows hosts.
#include "ForeignWindowsHost.h"

#include "EmbeddedWindow.h"
#include "HostWindows.h"
#include "ParentWindowWatcher.h"

#include <QWidget>

namespace Tallwick {

void TForeignWindowsHost::HideFromTaskbar(QWidget* window) const { Tallwick::HideFromTaskbar(window); }

unsigned long TForeignWindowsHost::ActiveWindow() const { return GetForegroundWindow(); }

void TForeignWindowsHost::EnableWindow(unsigned long id, bool enable) const { Tallwick::EnableWindow(id, enable); }

void TForeignWindowsHost::Activate(unsigned long id) const { SetForegroundWindow(id); }

bool TForeignWindowsHost::EmbedIn(QWidget* widget, unsigned long parent) const {
    return EmbedInForeignWindow(widget, parent);
}

bool TForeignWindowsHost::Follow(unsigned long id, QObject* owner, const TFollowedWindowEvents& events) const {
    auto* watcher = new TParentWindowWatcher(id, owner);
    if (events.Resized)
        QObject::connect(watcher, &TParentWindowWatcher::resized, owner, events.Resized);
    if (events.Destroyed)
        QObject::connect(watcher, &TParentWindowWatcher::windowDestroyed, owner, events.Destroyed);
    return true;
}

}  // namespace Tallwick
