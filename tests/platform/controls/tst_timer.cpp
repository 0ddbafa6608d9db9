// Tests of the timer component: ticks while enabled, none with no handler or when disabled.
#include <Tallwick/Application.h>
#include <Tallwick/Timer.h>

#include <QTest>

using namespace Tallwick;

namespace {
int argc = 1;
char arg0[] = "tst_timer";
char* argv[] = {arg0, nullptr};
}  // namespace

// Pace is a matter for benchmarks; these cases check what the handler sees.
class TestTimer : public QObject {
    Q_OBJECT
private slots:
    void startsLikeTheFrameworkComponent();
    void shortIntervalFiresRepeatedlyWithItselfAsSender();
    void unassignedHandlerIsSafeAndCheckedOnEveryTick();
    void disablingStopsTheTicks();
    void zeroIntervalStopsTheTicks();
    void errorInHandlerDoesNotStopTheTimer();
};

void TestTimer::startsLikeTheFrameworkComponent() {
    TTimer timer;
    QCOMPARE(timer.Interval(), 1000);
    QVERIFY(timer.Enabled());
    QVERIFY(!timer.OnTimer);
}

void TestTimer::shortIntervalFiresRepeatedlyWithItselfAsSender() {
    TTimer timer;
    QList<QObject*> senders;
    timer.OnTimer = [&](QObject* sender) { senders.append(sender); };
    timer.SetInterval(1);
    QTRY_VERIFY(senders.size() >= 5);
    QVERIFY(std::all_of(senders.begin(), senders.end(), [&](QObject* s) { return s == &timer; }));
}

void TestTimer::unassignedHandlerIsSafeAndCheckedOnEveryTick() {
    TTimer timer;
    timer.SetInterval(1);
    QTest::qWait(100);  // ticks with no handler
    int ticks = 0;
    timer.OnTimer = [&](QObject*) { ++ticks; };
    QTRY_VERIFY(ticks >= 3);
    timer.OnTimer = nullptr;
    const int before = ticks;
    QTest::qWait(100);
    QCOMPARE(ticks, before);
}

void TestTimer::disablingStopsTheTicks() {
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        if (++ticks == 3)
            timer.SetEnabled(false);
    };
    timer.SetInterval(1);
    QTRY_COMPARE(ticks, 3);
    QTest::qWait(100);
    QCOMPARE(ticks, 3);
    timer.SetEnabled(true);
    QTRY_VERIFY(ticks > 3);
}

void TestTimer::zeroIntervalStopsTheTicks() {
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) { ++ticks; };
    timer.SetInterval(0);
    QTest::qWait(100);
    QCOMPARE(ticks, 0);
    timer.SetInterval(1);
    QTRY_VERIFY(ticks > 0);
}

void TestTimer::errorInHandlerDoesNotStopTheTimer() {
    QStringList shown;
    static_cast<TApplication*>(qApp)->SetErrorBox([&](const QString&, const QString& text) { shown.append(text); });
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        if (++ticks == 1)
            throw EConvertError("first tick failed");
    };
    timer.SetInterval(1);
    QTRY_VERIFY(ticks >= 3);
    QCOMPARE(shown, QStringList{"first tick failed"});
    static_cast<TApplication*>(qApp)->SetErrorBox(nullptr);
}

int main() {
    TApplication app(argc, argv);
    TestTimer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_timer.moc"
