// Reports the application's activation changes as events.
#include "ApplicationEvents.h"

#include <QGuiApplication>

namespace Tallwick {

TApplicationEvents::TApplicationEvents(QObject* owner) : QObject(owner) {
    FActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TApplicationEvents::StateChanged);
}

void TApplicationEvents::StateChanged(Qt::ApplicationState state) {
    const bool active = state == Qt::ApplicationActive;
    if (active == FActive)
        return;
    FActive = active;
    if (active && OnActivate)
        OnActivate(this);
    else if (!active && OnDeactivate)
        OnDeactivate(this);
}

}  // namespace Tallwick
