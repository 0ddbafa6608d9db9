// Tests of the X11 counterparts of the window-manager calls, under a real X server.
#include <Tallwick/Application.h>
#include "X11Glue.h"

#include <QDialog>
#include <QTest>
#include <QWidget>

#include "../../support/XTestWindows.h"

using namespace Tallwick;

namespace {
int argc = 1;
char arg0[] = "tst_x11glue";
char* argv[] = {arg0, nullptr};

// Pretends a window manager that maintains the active window, and takes the pretence back.
class FakeActiveWindowManager {
public:
    FakeActiveWindowManager(XTestWindows& x, Window active) : FX(x) {
        const unsigned long supported[] = {x.atom("_NET_ACTIVE_WINDOW")};
        XChangeProperty(x.display(), x.root(), x.atom("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(supported), 1);
        const unsigned long window[] = {active};
        XChangeProperty(x.display(), x.root(), x.atom("_NET_ACTIVE_WINDOW"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(window), 1);
        XSync(x.display(), False);
    }
    ~FakeActiveWindowManager() {
        XDeleteProperty(FX.display(), FX.root(), FX.atom("_NET_SUPPORTED"));
        XDeleteProperty(FX.display(), FX.root(), FX.atom("_NET_ACTIVE_WINDOW"));
        XSync(FX.display(), False);
    }

private:
    XTestWindows& FX;
};
}  // namespace

class TestX11Glue : public QObject {
    Q_OBJECT
private slots:
    void sizeOfForeignWindow_data();
    void sizeOfForeignWindow();
    void sizeOfQtWindow();
    void idsNamingNoWindow_data();
    void idsNamingNoWindow();
    void foregroundThroughInputFocus();
    void foregroundThroughWindowManager();
    void enableWindowReturnsPreviousState();
    void hideFromTaskbarBeforeShow();
    void hideFromTaskbarWhenShown();

private:
    XTestWindows x;
};

void TestX11Glue::sizeOfForeignWindow_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("mapped");
    QTest::newRow("preview host") << QSize(152, 112) << true;
    QTest::newRow("one pixel") << QSize(1, 1) << true;
    QTest::newRow("large, unmapped") << QSize(1600, 1200) << false;
}

void TestX11Glue::sizeOfForeignWindow() {
    QFETCH(QSize, size);
    QFETCH(bool, mapped);
    const Window window = x.create(size, mapped);
    QVERIFY(X11WindowExists(window));
    QCOMPARE(X11WindowSize(window), size);
    XDestroyWindow(x.display(), window);
}

void TestX11Glue::sizeOfQtWindow() {
    QWidget widget;
    widget.resize(300, 200);
    widget.show();
    QTRY_COMPARE(X11WindowSize(widget.winId()), QSize(300, 200));
}

void TestX11Glue::idsNamingNoWindow_data() {
    QTest::addColumn<unsigned long>("id");
    QTest::newRow("zero") << 0ul;
    QTest::newRow("destroyed window") << x.destroyedWindow();
    QTest::newRow("never allocated") << 0x1FFFFFFFul;
}

void TestX11Glue::idsNamingNoWindow() {
    QFETCH(unsigned long, id);
    QVERIFY(!X11WindowExists(id));
    QVERIFY(!X11WindowSize(id).isValid());
    QVERIFY(!SetForegroundWindow(id));
    // The process survived the X errors and the glue still works.
    const Window window = x.create(QSize(5, 6));
    QCOMPARE(X11WindowSize(window), QSize(5, 6));
}

void TestX11Glue::foregroundThroughInputFocus() {
    const Window first = x.create(QSize(50, 50));
    const Window second = x.create(QSize(50, 50));
    const Window unmapped = x.create(QSize(50, 50), false);
    XSetInputFocus(x.display(), PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(x.display(), False);
    QCOMPARE(GetForegroundWindow(), 0ul);

    QVERIFY(SetForegroundWindow(first));
    QCOMPARE(GetForegroundWindow(), first);
    QVERIFY(SetForegroundWindow(second));
    QCOMPARE(GetForegroundWindow(), second);

    QVERIFY(!SetForegroundWindow(unmapped));  // cannot take the focus
    QCOMPARE(GetForegroundWindow(), second);
    XDestroyWindow(x.display(), second);
    XSync(x.display(), False);
    QVERIFY(!SetForegroundWindow(second));
}

void TestX11Glue::foregroundThroughWindowManager() {
    const Window active = x.create(QSize(50, 50));
    const Window other = x.create(QSize(50, 50));
    XSetInputFocus(x.display(), other, RevertToParent, CurrentTime);
    FakeActiveWindowManager wm(x, active);
    QCOMPARE(GetForegroundWindow(), active);  // the manager's word, not the focus

    XSelectInput(x.display(), x.root(), SubstructureNotifyMask);
    XSync(x.display(), False);
    QVERIFY(SetForegroundWindow(other));
    const auto request = x.waitForRootMessage(x.atom("_NET_ACTIVE_WINDOW"));
    XSelectInput(x.display(), x.root(), NoEventMask);
    QVERIFY(request);
    QCOMPARE(request->window, other);
    QCOMPARE(request->data.l[0], 2L);
}

void TestX11Glue::enableWindowReturnsPreviousState() {
    const Window window = x.create(QSize(20, 20));
    QVERIFY(IsWindowEnabled(window));
    QVERIFY(!EnableWindow(window, false));  // was enabled
    QVERIFY(!IsWindowEnabled(window));
    QVERIFY(EnableWindow(window, false));  // was disabled
    QVERIFY(EnableWindow(window, true));
    QVERIFY(IsWindowEnabled(window));
    QVERIFY(!EnableWindow(window, true));
}

void TestX11Glue::hideFromTaskbarBeforeShow() {
    QDialog dialog;
    HideFromTaskbar(&dialog);
    dialog.show();
    const Window id = dialog.winId();
    QTRY_COMPARE(x.attributes(id).map_state, IsViewable);
    const auto states = x.atomsOf(id, "_NET_WM_STATE");
    QVERIFY(states.contains(x.atom("_NET_WM_STATE_SKIP_TASKBAR")));
    QVERIFY(states.contains(x.atom("_NET_WM_STATE_SKIP_PAGER")));
}

void TestX11Glue::hideFromTaskbarWhenShown() {
    QWidget widget;
    widget.show();
    const Window id = widget.winId();
    QTRY_COMPARE(x.attributes(id).map_state, IsViewable);
    XSelectInput(x.display(), x.root(), SubstructureNotifyMask);
    XSync(x.display(), False);
    HideFromTaskbar(&widget);
    const auto request = x.waitForRootMessage(x.atom("_NET_WM_STATE"));
    XSelectInput(x.display(), x.root(), NoEventMask);
    QVERIFY(request);
    QCOMPARE(request->window, id);
    QCOMPARE(request->data.l[0], 1L);  // add
    QCOMPARE(static_cast<Atom>(request->data.l[1]), x.atom("_NET_WM_STATE_SKIP_TASKBAR"));
    QCOMPARE(static_cast<Atom>(request->data.l[2]), x.atom("_NET_WM_STATE_SKIP_PAGER"));
}

int main() {
    TApplication app(argc, argv);
    TestX11Glue test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11glue.moc"
