#pragma once
/// \class Tallwick::TTimer
/// The framework's timer component: calls OnTimer every Interval milliseconds while Enabled.
///
/// Ticks come at most every 1/64 s (15.625 ms), the timer tick of the system the programs were
/// designed on: a shorter interval (the saver asks for 1 ms) runs at that pace, so animation speed
/// matches the original and the process does not spin. Deadlines are absolute, so 64 ticks of a
/// short-interval timer take one second on average even though each wait is whole milliseconds.
/// A handler that overruns its period gets the next tick as soon as it returns; missed ticks are
/// not made up, as the original platform coalesces them.
#include <Tallwick/TallwickExport.h>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TTimer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 MinimumPeriodNs = 15'625'000;

    /// Like the framework's component: interval 1000 ms, enabled.
    explicit TTimer(QObject* owner = nullptr);
    ~TTimer() override;

    int Interval() const;
    void SetInterval(int milliseconds);  ///< 0 or less stops the ticks

    bool Enabled() const;
    void SetEnabled(bool enabled);

    /// Called with the timer as sender on every tick, when assigned.
    std::function<void(QObject* sender)> OnTimer;

private:
    void Restart();
    void Tick();
    void ScheduleNext();
    qint64 PeriodNs() const;

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
