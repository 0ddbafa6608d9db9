#pragma once
// The host of a Windows desktop: saver windows kept out of the taskbar by an owner, other
// programs' windows by their handles (the preview's parent, the window the settings dialog is
// opened for), through the Win32 glue of platform/windows.
#include "ForeignWindowsHost.h"

namespace Tallwick {

class TWindowsHost : public TForeignWindowsHost {
public:
    bool SetOwner(QWidget* window, unsigned long owner) const override;
};

}  // namespace Tallwick
