// The Win32 glue against real windows: native windows made here with CreateWindowExW stand for a
// host's window (the small monitor of the Screen Saver Settings dialog, the dialog itself).
#include "EmbeddedWindow.h"
#include "HostWindows.h"
#include "ParentWindowWatcher.h"
#include "ScreenSaverFlag.h"
#include "WindowHandle.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <windows.h>

using namespace Tallwick;

namespace {
// A visible top-level window of the given client size, of a system class.
HWND CreateHost(QSize client) {
    RECT r{0, 0, client.width(), client.height()};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND h = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, r.right - r.left,
                                     r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    return h;
}

HWND Native(QWidget& widget) { return reinterpret_cast<HWND>(widget.winId()); }
}  // namespace

class TestWin32Glue : public QObject {
    Q_OBJECT
private slots:
    void sizesOfHostWindows_data();
    void sizesOfHostWindows();
    void goneWindowIsHarmless();
    void enableReportsFormerState();
    void watcherFollowsSizeAndEnd();
    void embedsAsChildOfSameSize_data();
    void embedsAsChildOfSameSize();
    void hiddenFromTaskbarByAnOwner();
    void ownerWindowOwns();
    void screenSaverFlagIsTheSystems();
};

void TestWin32Glue::sizesOfHostWindows_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("preview monitor") << QSize(152, 112);
    QTest::newRow("larger") << QSize(640, 480);
}

void TestWin32Glue::sizesOfHostWindows() {
    QFETCH(QSize, size);
    const HWND host = CreateHost(size);
    QVERIFY(host);
    QVERIFY(HostWindowExists(IdOf(host)));
    QCOMPARE(HostWindowSize(IdOf(host)), size);
    ::DestroyWindow(host);
    QVERIFY(!HostWindowExists(IdOf(host)));
    QVERIFY(!HostWindowSize(IdOf(host)).isValid());
}

void TestWin32Glue::goneWindowIsHarmless() {
    const HWND host = CreateHost(QSize(10, 10));
    const unsigned long id = IdOf(host);
    ::DestroyWindow(host);
    QVERIFY(!SetForegroundWindow(id));
    QVERIFY(!EnableWindow(id, false));
    QVERIFY(!IsWindowEnabled(id));
    QVERIFY(!HostWindowExists(0));
    QWidget widget;
    QVERIFY(!EmbedInForeignWindow(&widget, id));
    QVERIFY(!EmbedInForeignWindow(&widget, 0));
    QVERIFY(!SetOwnerWindow(&widget, id));
}

void TestWin32Glue::enableReportsFormerState() {
    const HWND host = CreateHost(QSize(100, 100));
    const unsigned long id = IdOf(host);
    QVERIFY(IsWindowEnabled(id));
    QVERIFY(!EnableWindow(id, false));  // was enabled
    QVERIFY(!::IsWindowEnabled(host));  // Windows' own word
    QVERIFY(EnableWindow(id, false));   // was disabled
    QVERIFY(EnableWindow(id, true));
    QVERIFY(::IsWindowEnabled(host));
    QVERIFY(!EnableWindow(id, true));
    ::DestroyWindow(host);
}

void TestWin32Glue::watcherFollowsSizeAndEnd() {
    const HWND host = CreateHost(QSize(152, 112));
    TParentWindowWatcher watcher(IdOf(host));
    QVERIFY(watcher.isValid());
    QCOMPARE(watcher.size(), QSize(152, 112));
    QSignalSpy resized(&watcher, &TParentWindowWatcher::resized);
    QSignalSpy destroyed(&watcher, &TParentWindowWatcher::windowDestroyed);
    RECT r{0, 0, 300, 200};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    ::SetWindowPos(host, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    QTRY_COMPARE(resized.count(), 1);
    QCOMPARE(resized.first().first().toSize(), QSize(300, 200));
    ::DestroyWindow(host);
    QTRY_COMPARE(destroyed.count(), 1);
    QVERIFY(!watcher.isValid());
    QTest::qWait(300);  // three more looks: still one signal
    QCOMPARE(destroyed.count(), 1);
}

void TestWin32Glue::embedsAsChildOfSameSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("preview monitor") << QSize(152, 112);
    QTest::newRow("larger") << QSize(400, 300);
}

// The preview becomes a child window at the host's top-left, of its size, and goes with it.
void TestWin32Glue::embedsAsChildOfSameSize() {
    QFETCH(QSize, size);
    const HWND host = CreateHost(size);
    auto* preview = new QWidget;
    preview->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);  // as the saver's preview
    preview->resize(193, 144);                                      // a design-time size, replaced by the host's
    QVERIFY(EmbedInForeignWindow(preview, IdOf(host)));
    HideFromTaskbar(preview);  // as the saver's show handler does: a child stays where it is
    preview->show();
    const HWND child = Native(*preview);
    QTRY_VERIFY(::IsWindowVisible(child));
    QCOMPARE(::GetParent(child), host);
    QVERIFY(::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD);
    RECT r{};
    ::GetWindowRect(child, &r);
    POINT topLeft{r.left, r.top};
    ::ScreenToClient(host, &topLeft);
    QCOMPARE(QPoint(topLeft.x, topLeft.y), QPoint(0, 0));
    QCOMPARE(QSize(r.right - r.left, r.bottom - r.top), size);
    QVERIFY(preview->isWindow());
    ::DestroyWindow(host);
    QVERIFY(!::IsWindow(child));  // Windows took the child with its parent
    delete preview;
}

void TestWin32Glue::hiddenFromTaskbarByAnOwner() {
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    HideFromTaskbar(&window);
    window.show();
    const HWND h = Native(window);
    QVERIFY(::GetWindow(h, GW_OWNER) != nullptr);
    QVERIFY(!(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW));
    QVERIFY(!::IsWindowVisible(::GetWindow(h, GW_OWNER)));  // the owner is never shown
}

void TestWin32Glue::ownerWindowOwns() {
    const HWND host = CreateHost(QSize(200, 100));
    QWidget dialog;
    QVERIFY(SetOwnerWindow(&dialog, IdOf(host)));
    dialog.show();
    QCOMPARE(::GetWindow(Native(dialog), GW_OWNER), host);
    HideFromTaskbar(&dialog);  // owned already: the host stays the owner
    QCOMPARE(::GetWindow(Native(dialog), GW_OWNER), host);
    dialog.hide();
    ::DestroyWindow(host);
}

// The flag is the system's: Windows reads back what the saver set.
void TestWin32Glue::screenSaverFlagIsTheSystems() {
    BOOL running = FALSE;
    QVERIFY(Tallwick::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, nullptr, 0));
    QVERIFY(ScreenSaverRunning());
    QVERIFY(::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
    QCOMPARE(running, TRUE);
    QVERIFY(Tallwick::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0));
    QVERIFY(!ScreenSaverRunning());
    QVERIFY(::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
    QCOMPARE(running, FALSE);
}

QTEST_MAIN(TestWin32Glue)
#include "tst_win32glue.moc"
