// The Windows host, over the Win32 glue of platform/windows.
#include "WindowsHost.h"

#include "HostWindows.h"

namespace Tallwick {

bool TWindowsHost::SetOwner(QWidget* window, unsigned long owner) const { return SetOwnerWindow(window, owner); }

}  // namespace Tallwick
