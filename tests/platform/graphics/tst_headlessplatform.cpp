// Tests of the switch to the offscreen platform for programs started with no display.
#include "HeadlessPlatform.h"

#include <QTest>

using namespace Tallwick;

// Each row starts from the given environment and states what QT_QPA_PLATFORM must be afterwards.
class TestHeadlessPlatform : public QObject {
    Q_OBJECT
private slots:
    void choosesOffscreenOnlyWithoutDisplay_data();
    void choosesOffscreenOnlyWithoutDisplay();
};

void TestHeadlessPlatform::choosesOffscreenOnlyWithoutDisplay_data() {
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << QByteArray("offscreen");
    QTest::newRow("X display") << QByteArray() << QByteArray(":0") << QByteArray() << QByteArray();
    QTest::newRow("Wayland display") << QByteArray() << QByteArray() << QByteArray("wayland-0") << QByteArray();
    QTest::newRow("platform chosen") << QByteArray("xcb") << QByteArray() << QByteArray() << QByteArray("xcb");
}

void TestHeadlessPlatform::choosesOffscreenOnlyWithoutDisplay() {
    QFETCH(QByteArray, platform);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, expected);
    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("QT_QPA_PLATFORM", platform);
    set("DISPLAY", display);
    set("WAYLAND_DISPLAY", waylandDisplay);

    HeadlessPlatformIfNoDisplay();

    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), expected);
    QCOMPARE(qgetenv("DISPLAY"), display);
}

QTEST_APPLESS_MAIN(TestHeadlessPlatform)
#include "tst_headlessplatform.moc"
