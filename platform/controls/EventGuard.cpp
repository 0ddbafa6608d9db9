// Keeps exceptions out of Qt's event dispatch: every Qt entry point of a component runs through
// here.
#include "EventGuard.h"

#include "Application.h"

#include <QObject>
#include <QtGlobal>

namespace Tallwick {

void ReportEventError(const QObject* component, const Exception& error) noexcept {
    try {
        if (TApplication* application = Application()) {
            application->ShowException(error);
            return;
        }
        const QString name = component ? QString::fromLatin1(component->metaObject()->className()) : QString();
        qWarning("%s: %s", qUtf8Printable(name), qUtf8Printable(error.Message));
    } catch (...) {
        // Nothing more can be done for an error raised while reporting one.
    }
}

}  // namespace Tallwick
