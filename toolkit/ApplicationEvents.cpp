// Reports the application's activation changes as events.
#include "ApplicationEvents.h"

#include <QGuiApplication>

namespace Tallwick {

class TApplicationEvents::Private {
public:
    bool FActive = false;
};

TApplicationEvents::TApplicationEvents(QObject* owner) : QObject(owner), d(std::make_unique<Private>()) {
    d->FActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TApplicationEvents::StateChanged);
}

void TApplicationEvents::StateChanged(Qt::ApplicationState state) {
    const bool active = state == Qt::ApplicationActive;
    if (active == d->FActive)
        return;
    d->FActive = active;
    if (active && OnActivate)
        OnActivate(this);
    else if (!active && OnDeactivate)
        OnDeactivate(this);
}

TApplicationEvents::~TApplicationEvents() = default;

}  // namespace Tallwick
