// Tests of the process-wide screen-saver-running flag.
#include "ScreenSaverFlag.h"

#include <QTest>

using namespace Tallwick;

class TestScreenSaverFlag : public QObject {
    Q_OBJECT
private slots:
    void init() { SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0); }
    void setAndClear();
    void reportsPreviousState();
    void otherActionsChangeNothing();
};

void TestScreenSaverFlag::setAndClear() {
    QVERIFY(!ScreenSaverRunning());
    QVERIFY(SystemParametersInfoA(97, 1, nullptr, 0));
    QVERIFY(ScreenSaverRunning());
    QVERIFY(SystemParametersInfoA(97, 0, nullptr, 0));
    QVERIFY(!ScreenSaverRunning());
}

void TestScreenSaverFlag::reportsPreviousState() {
    int previous = -1;
    SystemParametersInfoA(97, 1, &previous, 0);
    QCOMPARE(previous, 0);
    SystemParametersInfoA(97, 1, &previous, 0);
    QCOMPARE(previous, 1);
    SystemParametersInfoA(97, 0, &previous, 0);
    QCOMPARE(previous, 1);
    QVERIFY(!ScreenSaverRunning());
}

void TestScreenSaverFlag::otherActionsChangeNothing() {
    SystemParametersInfoA(97, 1, nullptr, 0);
    int untouched = 7;
    QVERIFY(!SystemParametersInfoA(17, 0, &untouched, 0));  // SPI_SETSCREENSAVEACTIVE: not ours
    QCOMPARE(untouched, 7);
    QVERIFY(ScreenSaverRunning());
}

QTEST_APPLESS_MAIN(TestScreenSaverFlag)
#include "tst_screensaverflag.moc"
