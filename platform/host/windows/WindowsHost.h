#pragma once
// The host of a Windows desktop: saver windows kept out of the taskbar by an owner, other
// programs' windows by their handles (the preview's parent, the window the settings dialog is
// opened for), through the Win32 glue of platform/windows.
#include "Host.h"

namespace Tallwick {

class TWindowsHost : public THost {
public:
    void HideFromTaskbar(QWidget* window) const override;
    unsigned long ActiveWindow() const override;
    void EnableWindow(unsigned long id, bool enable) const override;
    void Activate(unsigned long id) const override;
    bool EmbedIn(QWidget* widget, unsigned long parent) const override;
    bool Follow(unsigned long id, QObject* owner, const TFollowedWindowEvents& events) const override;
    bool SetOwner(QWidget* window, unsigned long owner) const override;
};

}  // namespace Tallwick
