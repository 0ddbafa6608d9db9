// The display check on Windows: there is always the desktop of the session the program runs in,
// and previews embed into native windows there, so Qt's own "windows" platform is kept as it is.
#include "DisplayCheck.h"

namespace Tallwick {

TDisplayChoice ChooseDisplay(bool) { return {}; }

QString X11Problem() { return QStringLiteral("there is no X11 display on Windows"); }

QString WaylandProblem() { return QStringLiteral("there is no Wayland compositor on Windows"); }

void ApplyDisplayChoice(const TDisplayChoice& choice) {
    if (!choice.Platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.Platform);
}

}  // namespace Tallwick
