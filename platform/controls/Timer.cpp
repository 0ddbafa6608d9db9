// The framework's timer component: calls OnTimer every Interval milliseconds while Enabled.
#include "Timer.h"

#include <algorithm>

namespace Tallwick {

TTimer::TTimer(QObject* owner) : QObject(owner) {
    FTimer.setSingleShot(true);
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, &TTimer::Tick);
    Restart();
}

int TTimer::Interval() const { return FInterval; }

void TTimer::SetInterval(int milliseconds) {
    if (milliseconds == FInterval)
        return;
    FInterval = milliseconds;
    Restart();
}

bool TTimer::Enabled() const { return FEnabled; }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    Restart();
}

qint64 TTimer::PeriodNs() const { return std::max<qint64>(qint64(FInterval) * 1'000'000, MinimumPeriodNs); }

void TTimer::Restart() {
    FTimer.stop();
    if (!FEnabled || FInterval <= 0)
        return;
    FClock.start();
    FNextDeadlineNs = PeriodNs();
    ScheduleNext();
}

void TTimer::ScheduleNext() {
    const qint64 waitNs = std::max<qint64>(FNextDeadlineNs - FClock.nsecsElapsed(), 0);
    // Round up: a tick is never early, and the absolute deadlines keep the average pace exact.
    FTimer.start(int((waitNs + 999'999) / 1'000'000));
}

void TTimer::Tick() {
    // Arm the next tick before the handler runs, so that a handler that raises an error, or
    // disables or re-times this timer, leaves a consistent schedule behind.
    FNextDeadlineNs = std::max(FNextDeadlineNs + PeriodNs(), FClock.nsecsElapsed());
    ScheduleNext();
    if (OnTimer)
        OnTimer(this);
}

}  // namespace Tallwick
