// Skyglow.scr started the three ways Windows starts a screen saver, checked through Win32 as the
// system would see it: its windows, their owner and parent, the screen-saver-running flag, the
// settings file it writes, and how it ends.
#include "../support/SettingsFileBytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstring>
#include <functional>

#include <windows.h>

namespace {

constexpr int kStartTimeoutMs = 30000;

QString Scr() { return QString::fromUtf8(SKYGLOW_SCR); }

unsigned long IdOf(HWND h) { return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(h) & 0xFFFFFFFFu); }

HWND CreateHost(QSize client, const wchar_t* title) {
    RECT r{0, 0, client.width(), client.height()};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return ::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// Messages for windows of this thread: the host windows made here must answer the saver.
void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    QCoreApplication::processEvents();
}

struct TFound {
    DWORD Pid;
    HWND Window = nullptr;
};

// A visible top-level window of the process.
HWND VisibleWindowOf(qint64 pid) {
    TFound found{DWORD(pid)};
    ::EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<TFound*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(h, &owner);
            if (owner == f->Pid && ::IsWindowVisible(h)) {
                f->Window = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.Window;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        Pump();
        QThread::msleep(20);
    }
    return true;
}

// The process environment with APPDATA in a folder of the test's own.
QProcessEnvironment WithAppData(const QString& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("APPDATA"), QDir::toNativeSeparators(folder));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

// The distinct colours of the window's client area as the screen shows it.
int ColoursShown(HWND h) {
    RECT r{};
    ::GetClientRect(h, &r);
    const HDC dc = ::GetDC(h);
    QSet<COLORREF> colours;
    for (int y = 0; y < r.bottom; y += 3)
        for (int x = 0; x < r.right; x += 3)
            colours.insert(::GetPixel(dc, x, y));
    ::ReleaseDC(h, dc);
    return int(colours.size());
}

// Waits for the saver to end while answering what it sends to the windows made here (enabling,
// activating): a wait that did not would hold it up.
bool Ended(QProcess& scr, int timeoutMs) {
    return WaitFor([&] { return scr.state() == QProcess::NotRunning; }, timeoutMs);
}

void PressKey(HWND target, WORD key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, (1u << 31) | (1u << 30) | 1);
}

void Click(HWND target) {
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

// Wine (its ntdll has an export of its own) shows nothing a process draws in a child window of
// another process's window: a plain GDI child filling itself red stays invisible there too.
bool UnderWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

constexpr const char* kReadFlag = "--screen-saver-running";

// The system's screen-saver-running flag as a process that has not read it before sees it: Wine
// keeps the first value a process reads for as long as that process lives, so this test's own
// reading would never change. 1 or 0; -1 when it cannot be read.
int FlagSeenAfresh() {
    QProcess reader;
    reader.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kReadFlag)});
    if (!reader.waitForFinished(kStartTimeoutMs) || reader.exitStatus() != QProcess::NormalExit)
        return -1;
    return reader.exitCode() <= 1 ? reader.exitCode() : -1;
}

}  // namespace

class TestSaverWin32 : public QObject {
    Q_OBJECT
private slots:
    void unknownSwitchEndsAtOnce_data();
    void unknownSwitchEndsAtOnce();
    void fullScreenEndsAndClearsTheFlag_data();
    void fullScreenEndsAndClearsTheFlag();
    void previewLivesInHostWindow_data();
    void previewLivesInHostWindow();
    void settingsDisableTheirOwnerAndWrite();
};

void TestSaverWin32::unknownSwitchEndsAtOnce_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("unknown") << QStringList{"/x"};
    QTest::newRow("not a switch") << QStringList{"s"};
}

void TestSaverWin32::unknownSwitchEndsAtOnce() {
    QFETCH(QStringList, arguments);
    QProcess scr;
    scr.start(Scr(), arguments);
    QVERIFY(scr.waitForFinished(kStartTimeoutMs));
    QCOMPARE(scr.exitStatus(), QProcess::NormalExit);
    QVERIFY(!VisibleWindowOf(scr.processId()));
}

void TestSaverWin32::fullScreenEndsAndClearsTheFlag_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("key") << "key";
    QTest::newRow("button") << "button";
    QTest::newRow("closed by another program") << "close";
    QTest::newRow("session ending") << "session";
}

// Full screen over the desktop, topmost and owned (no taskbar button), the flag set while it runs;
// however it ends, the flag is down again afterwards.
void TestSaverWin32::fullScreenEndsAndClearsTheFlag() {
    QFETCH(QString, ending);
    QTemporaryDir appData;
    QProcess scr;
    scr.setProcessEnvironment(WithAppData(appData.path()));
    scr.start(Scr(), {QStringLiteral("/s")});
    QVERIFY(scr.waitForStarted());
    HWND window = nullptr;
    QVERIFY(WaitFor([&] { return (window = VisibleWindowOf(scr.processId())) != nullptr; }, kStartTimeoutMs));
    RECT r{};
    ::GetWindowRect(window, &r);
    const QRect desktop(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                        ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    QCOMPARE(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), desktop);
    QVERIFY(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const bool owned = ::GetWindow(window, GW_OWNER) != nullptr;  // owned: no taskbar button
    QCOMPARE(FlagSeenAfresh(), 1);
    QVERIFY(WaitFor([&] { return ColoursShown(window) >= 3; }, 10000));  // stars on the background
    if (ending == QLatin1String("key"))
        PressKey(window, VK_SPACE);
    else if (ending == QLatin1String("button"))
        Click(window);
    else if (ending == QLatin1String("close"))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    else
        ::PostMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    QVERIFY(Ended(scr, 10000));
    QCOMPARE(scr.exitStatus(), QProcess::NormalExit);
    QCOMPARE(scr.exitCode(), 0);
    QCOMPARE(FlagSeenAfresh(), 0);
    QVERIFY(owned);
}

void TestSaverWin32::previewLivesInHostWindow_data() {
    QTest::addColumn<bool>("closedBySystemCommand");  // else its parent window goes
    QTest::newRow("parent destroyed") << false;
    QTest::newRow("system-command close") << true;
}

void TestSaverWin32::previewLivesInHostWindow() {
    QFETCH(bool, closedBySystemCommand);
    QTemporaryDir appData;
    const HWND host = CreateHost(QSize(152, 112), L"");  // no text: every colour there is the preview's
    QVERIFY(host);
    QProcess scr;
    scr.setProcessEnvironment(WithAppData(appData.path()));
    scr.start(Scr(), {QStringLiteral("/p"), QString::number(IdOf(host))});
    HWND child = nullptr;
    QVERIFY(WaitFor([&] { return (child = ::GetWindow(host, GW_CHILD)) != nullptr && ::IsWindowVisible(child); },
                    kStartTimeoutMs));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(child, &owner);
    QCOMPARE(qint64(owner), scr.processId());
    RECT r{};
    ::GetClientRect(child, &r);
    QCOMPARE(QSize(r.right, r.bottom), QSize(152, 112));
    if (UnderWine())
        QEXPECT_FAIL("", "Wine draws no child window of another process (not even a plain GDI one)", Continue);
    QVERIFY(WaitFor([&] { return ColoursShown(child) >= 3; }, 10000));
    QCOMPARE(scr.state(), QProcess::Running);
    if (closedBySystemCommand)
        ::PostMessageW(child, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        ::DestroyWindow(host);
    QVERIFY(Ended(scr, 10000));
    QCOMPARE(scr.exitStatus(), QProcess::NormalExit);
    QCOMPARE(scr.exitCode(), 0);
    if (closedBySystemCommand) {
        QVERIFY(::IsWindow(host));  // the parent is left as it was
        ::DestroyWindow(host);
    }
}

// "/c:HWND": the dialog is owned by that window, which is disabled while it is open; OK writes
// the user's file under APPDATA, byte for byte, and gives the window back.
void TestSaverWin32::settingsDisableTheirOwnerAndWrite() {
    QTemporaryDir appData;
    const HWND host = CreateHost(QSize(300, 200), L"Screen Saver Settings");
    ::SetForegroundWindow(host);
    Pump();
    QProcess scr;
    scr.setProcessEnvironment(WithAppData(appData.path()));
    scr.start(Scr(), {QStringLiteral("/c:%1").arg(IdOf(host))});
    HWND dialog = nullptr;
    QVERIFY(WaitFor([&] { return (dialog = VisibleWindowOf(scr.processId())) != nullptr; }, kStartTimeoutMs));
    QVERIFY(WaitFor([&] { return !::IsWindowEnabled(host); }, 5000));
    const bool owned = ::GetWindow(dialog, GW_OWNER) != nullptr;  // no taskbar button of its own
    PressKey(dialog, VK_RETURN);                                  // OK is the default button
    QVERIFY(Ended(scr, 10000));
    QVERIFY(::IsWindowEnabled(host));
    QFile written(appData.filePath(QStringLiteral("Skyglow/Skyglow.ini")));
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(written.fileName()));
    QCOMPARE(written.readAll().toHex(), TestSettings::kDefaultFile.toHex());
    ::DestroyWindow(host);
    QVERIFY(owned);
}

// Started with kReadFlag, the program only reports the flag through its exit status.
int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], kReadFlag) == 0) {
        BOOL running = FALSE;
        return ::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) ? (running ? 1 : 0) : 2;
    }
    QGuiApplication application(argc, argv);
    TestSaverWin32 test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_saver_win32.moc"
