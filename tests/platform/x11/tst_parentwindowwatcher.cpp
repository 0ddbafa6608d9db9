// Tests of following a foreign window: its size changes and its destruction.
#include <Tallwick/Application.h>
#include "ParentWindowWatcher.h"

#include <QSignalSpy>
#include <QTest>

#include "../../support/XTestWindows.h"

using namespace Tallwick;

namespace {
int argc = 1;
char arg0[] = "tst_parentwindowwatcher";
char* argv[] = {arg0, nullptr};
}  // namespace

class TestParentWindowWatcher : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheWindowSize();
    void reportsResizes();
    void ignoresMovesAndSameSize();
    void reportsDestructionOnce();
    void windowGoneBeforeWatching_data();
    void windowGoneBeforeWatching();

private:
    XTestWindows x;
};

void TestParentWindowWatcher::startsWithTheWindowSize() {
    const Window window = x.create(QSize(152, 112));
    TParentWindowWatcher watcher(window);
    QVERIFY(watcher.isValid());
    QCOMPARE(watcher.WindowId(), window);
    QCOMPARE(watcher.size(), QSize(152, 112));
    XDestroyWindow(x.display(), window);
}

void TestParentWindowWatcher::reportsResizes() {
    const Window window = x.create(QSize(152, 112));
    TParentWindowWatcher watcher(window);
    QSignalSpy resized(&watcher, &TParentWindowWatcher::resized);
    XResizeWindow(x.display(), window, 200, 150);
    XFlush(x.display());
    QTRY_COMPARE(resized.size(), 1);
    QCOMPARE(resized[0][0].toSize(), QSize(200, 150));
    XResizeWindow(x.display(), window, 640, 480);
    XFlush(x.display());
    QTRY_COMPARE(resized.size(), 2);
    QCOMPARE(resized[1][0].toSize(), QSize(640, 480));
    QCOMPARE(watcher.size(), QSize(640, 480));
    XDestroyWindow(x.display(), window);
}

void TestParentWindowWatcher::ignoresMovesAndSameSize() {
    const Window window = x.create(QSize(152, 112));
    TParentWindowWatcher watcher(window);
    QSignalSpy resized(&watcher, &TParentWindowWatcher::resized);
    XMoveWindow(x.display(), window, 40, 30);
    XResizeWindow(x.display(), window, 152, 112);
    XRaiseWindow(x.display(), window);
    // A real change last: once it is reported, everything before it has been seen too.
    XResizeWindow(x.display(), window, 153, 112);
    XFlush(x.display());
    QTRY_COMPARE(resized.size(), 1);
    QCOMPARE(resized[0][0].toSize(), QSize(153, 112));
    XDestroyWindow(x.display(), window);
}

void TestParentWindowWatcher::reportsDestructionOnce() {
    const Window window = x.create(QSize(152, 112));
    TParentWindowWatcher watcher(window);
    QSignalSpy destroyed(&watcher, &TParentWindowWatcher::windowDestroyed);
    XDestroyWindow(x.display(), window);
    XFlush(x.display());
    QTRY_COMPARE(destroyed.size(), 1);
    QVERIFY(!watcher.isValid());
    QTest::qWait(50);
    QCOMPARE(destroyed.size(), 1);
}

void TestParentWindowWatcher::windowGoneBeforeWatching_data() {
    QTest::addColumn<unsigned long>("id");
    QTest::newRow("destroyed window") << x.destroyedWindow();
    QTest::newRow("zero") << 0ul;
}

void TestParentWindowWatcher::windowGoneBeforeWatching() {
    QFETCH(unsigned long, id);
    TParentWindowWatcher watcher(id);
    QVERIFY(!watcher.isValid());
    QVERIFY(!watcher.size().isValid());
    // Reported through the loop, so a receiver connected right after construction hears of it.
    QSignalSpy destroyed(&watcher, &TParentWindowWatcher::windowDestroyed);
    QTRY_COMPARE(destroyed.size(), 1);
}

int main() {
    TApplication app(argc, argv);
    TestParentWindowWatcher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_parentwindowwatcher.moc"
