// Lets a program that only draws run with no display at all.
#include "HeadlessPlatform.h"

#include <QByteArray>
#include <QtGlobal>

namespace Tallwick {

void HeadlessPlatformIfNoDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

}  // namespace Tallwick
