#pragma once
// What the X11 and Windows hosts do alike: other programs' windows named by their ids (the
// preview's parent, the window the settings dialog is opened for, the active window), through
// the calls of the system's glue (platform/x11 or platform/windows, HostWindows.h), which have
// the same names on both.
#include "Host.h"

namespace Tallwick {

class TForeignWindowsHost : public THost {
public:
    void HideFromTaskbar(QWidget* window) const override;
    unsigned long ActiveWindow() const override;
    void EnableWindow(unsigned long id, bool enable) const override;
    void Activate(unsigned long id) const override;
    bool EmbedIn(QWidget* widget, unsigned long parent) const override;
    bool Follow(unsigned long id, QObject* owner, const TFollowedWindowEvents& events) const override;
};

}  // namespace Tallwick
