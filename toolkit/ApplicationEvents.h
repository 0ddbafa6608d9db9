#pragma once
/// \class Tallwick::TApplicationEvents
/// Reports the application's activation changes as events: OnDeactivate when the application stops
/// being the active one (another program's window was activated), OnActivate when it becomes
/// active again. A program that starts inactive reports nothing until it has been active once.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <QObject>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TApplicationEvents : public QObject {
    Q_OBJECT
public:
    explicit TApplicationEvents(QObject* owner = nullptr);
    ~TApplicationEvents() override;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

private:
    void StateChanged(Qt::ApplicationState state);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
