// The Windows host, over the Win32 glue of platform/windows.
#include "WindowsHost.h"

#include "EmbeddedWindow.h"
#include "HostWindows.h"
#include "ParentWindowWatcher.h"

#include <QWidget>

namespace Tallwick {

void TWindowsHost::HideFromTaskbar(QWidget* window) const { Tallwick::HideFromTaskbar(window); }

unsigned long TWindowsHost::ActiveWindow() const { return GetForegroundWindow(); }

void TWindowsHost::EnableWindow(unsigned long id, bool enable) const { Tallwick::EnableWindow(id, enable); }

void TWindowsHost::Activate(unsigned long id) const { SetForegroundWindow(id); }

bool TWindowsHost::EmbedIn(QWidget* widget, unsigned long parent) const { return EmbedInForeignWindow(widget, parent); }

bool TWindowsHost::Follow(unsigned long id, QObject* owner, const TFollowedWindowEvents& events) const {
    auto* watcher = new TParentWindowWatcher(id, owner);
    if (events.Resized)
        QObject::connect(watcher, &TParentWindowWatcher::resized, owner, events.Resized);
    if (events.Destroyed)
        QObject::connect(watcher, &TParentWindowWatcher::windowDestroyed, owner, events.Destroyed);
    return true;
}

bool TWindowsHost::SetOwner(QWidget* window, unsigned long owner) const { return SetOwnerWindow(window, owner); }

}  // namespace Tallwick
