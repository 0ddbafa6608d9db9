#pragma once
/// \file
/// Qt does not let an exception pass through its event dispatch. Every Qt entry point of a component
/// (an event override, a slot connected to a Qt signal, a timer callback) runs its body through
/// GuardEvent, which stops any error there:
///  - inside the saver's TApplication the error goes to the standard error box, as an error
///    raised in an event handler always has;
///  - in any other QApplication (Qt Designer, another program) it becomes a qWarning naming the
///    component, and the component stays usable.
#include <Tallwick/Exception.h>
#include <Tallwick/TallwickExport.h>

#include <QString>
#include <exception>
#include <utility>

class QObject;

namespace Tallwick {

/// Shows or logs one error raised inside `component`'s event handling, as described above.
TALLWICK_EXPORT void ReportEventError(const QObject* component, const Exception& error) noexcept;

template <class Body>
void GuardEvent(const QObject* component, Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (const Exception& error) {
        ReportEventError(component, error);
    } catch (const std::exception& error) {
        ReportEventError(component, Exception(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        ReportEventError(component, Exception(QStringLiteral("Unknown error")));
    }
}

}  // namespace Tallwick
