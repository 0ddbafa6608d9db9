// The framework's timer component: calls OnTimer every Interval milliseconds while Enabled.
#include "Timer.h"

#include <algorithm>

namespace Tallwick {

class TTimer::Private {
public:
    QTimer FTimer;
    QElapsedTimer FClock;
    qint64 FNextDeadlineNs = 0;
    int FInterval = 1000;
    bool FEnabled = true;
};

TTimer::TTimer(QObject* owner) : QObject(owner), d(std::make_unique<Private>()) {
    d->FTimer.setSingleShot(true);
    d->FTimer.setTimerType(Qt::PreciseTimer);
    connect(&d->FTimer, &QTimer::timeout, this, &TTimer::Tick);
    Restart();
}

int TTimer::Interval() const { return d->FInterval; }

void TTimer::SetInterval(int milliseconds) {
    if (milliseconds == d->FInterval)
        return;
    d->FInterval = milliseconds;
    Restart();
}

bool TTimer::Enabled() const { return d->FEnabled; }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == d->FEnabled)
        return;
    d->FEnabled = enabled;
    Restart();
}

qint64 TTimer::PeriodNs() const { return std::max<qint64>(qint64(d->FInterval) * 1'000'000, MinimumPeriodNs); }

void TTimer::Restart() {
    d->FTimer.stop();
    if (!d->FEnabled || d->FInterval <= 0)
        return;
    d->FClock.start();
    d->FNextDeadlineNs = PeriodNs();
    ScheduleNext();
}

void TTimer::ScheduleNext() {
    const qint64 waitNs = std::max<qint64>(d->FNextDeadlineNs - d->FClock.nsecsElapsed(), 0);
    // Round up: a tick is never early, and the absolute deadlines keep the average pace exact.
    d->FTimer.start(int((waitNs + 999'999) / 1'000'000));
}

void TTimer::Tick() {
    // Arm the next tick before the handler runs, so that a handler that raises an error, or
    // disables or re-times this timer, leaves a consistent schedule behind.
    d->FNextDeadlineNs = std::max(d->FNextDeadlineNs + PeriodNs(), d->FClock.nsecsElapsed());
    ScheduleNext();
    if (OnTimer)
        OnTimer(this);
}

TTimer::~TTimer() = default;

}  // namespace Tallwick
