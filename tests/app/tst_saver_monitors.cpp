// The saver on a desktop of two monitors of different sizes, side by side on one X screen of
// 1824 x 768: 1024 x 768 at the left, 800 x 600 at the right (RandR monitors, which Qt reports as
// screens). The program is started as a desktop starts it and watched from outside.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"
#include "../support/SettingsFileBytes.h"

namespace {
constexpr int kTimeoutMs = 15000;
const QRect kLeft(0, 0, 1024, 768);
const QRect kRight(1024, 0, 800, 600);
constexpr QRgb kBackground = 0xFF403020;  // the settings' background: tells the windows from the bare root

int Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(kTimeoutMs))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The default settings with a background of red 0x40, green 0x30, blue 0x20 (a colour's bytes are
// stored red first), so the saver's windows show where they are.
QByteArray Settings() { return TestSettings::FileWithBackground("40302000"); }
}  // namespace

class TestSaverMonitors : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void oneWindowPerMonitor();
    void firstSignClosesAll_data();
    void firstSignClosesAll();
    void mirroredMonitorsShareAWindow();

private:
    void StartSaver();
    QList<QRect> SaverWindows();
    bool WaitForSaverWindows(int count);
    void MovePointer(QPoint to);

    XTestWindows x;
    QTemporaryDir dir;
    QString exe;
    std::unique_ptr<QProcess> process;
};

void TestSaverMonitors::initTestCase() {
    QVERIFY(x.display());
    QCOMPARE(DisplayWidth(x.display(), 0), 1824);
    QCOMPARE(DisplayHeight(x.display(), 0), 768);
    // The output's own monitor becomes the left one; the right one has no output of its own.
    QCOMPARE(Run("xrandr", {"--setmonitor", "L", "1024/271x768/203+0+0", "screen"}), 0);
    QCOMPARE(Run("xrandr", {"--setmonitor", "R", "800/211x600/159+1024+0", "none"}), 0);
    QVERIFY(dir.isValid());
    exe = dir.filePath("Skyglow.scr");
    QVERIFY(QFile::copy(SKYGLOW_EXE, exe));
    QFile settings(dir.filePath("Skyglow.ini"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    QCOMPARE(settings.write(Settings()), qint64(Settings().size()));
}

// A failed check leaves no saver running into the next case.
void TestSaverMonitors::cleanup() {
    if (process && process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(kTimeoutMs);
    }
}

void TestSaverMonitors::StartSaver() {
    MovePointer(QPoint(500, 400));  // on the left monitor, which gets the keyboard
    process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    process->setProcessEnvironment(env);
    process->start(exe, {"/s"});
    QVERIFY(process->waitForStarted(kTimeoutMs));
}

// Geometries of the mapped top-level windows titled "Skyglow II".
QList<QRect> TestSaverMonitors::SaverWindows() {
    QList<QRect> found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XSync(x.display(), False);
    XQueryTree(x.display(), x.root(), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
        char* name = nullptr;
        const XWindowAttributes a = x.attributes(children[i]);
        if (a.map_state == IsViewable && XFetchName(x.display(), children[i], &name) && name &&
            QByteArray(name) == "Skyglow II")
            found.append(QRect(a.x, a.y, a.width, a.height));
        if (name)
            XFree(name);
    }
    if (children)
        XFree(children);
    return found;
}

bool TestSaverMonitors::WaitForSaverWindows(int count) {
    return QTest::qWaitFor([&] { return SaverWindows().size() == count; }, kTimeoutMs);
}

void TestSaverMonitors::MovePointer(QPoint to) {
    XWarpPointer(x.display(), None, x.root(), 0, 0, 0, 0, to.x(), to.y());
    XSync(x.display(), False);
}

void TestSaverMonitors::oneWindowPerMonitor() {
    StartSaver();
    QVERIFY(WaitForSaverWindows(2));
    QList<QRect> windows = SaverWindows();
    std::sort(windows.begin(), windows.end(), [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
    QCOMPARE(windows, (QList<QRect>{kLeft, kRight}));
    QTest::qWait(1500);  // some frames on each

    // What the user sees: each monitor has its own field, with the date and time in it, and the
    // part of the screen outside both monitors stays bare.
    const QString shot = QDir(QCoreApplication::applicationDirPath()).filePath("two-monitors.png");
    QCOMPARE(Run("import", {"-window", "root", shot}), 0);
    QImage image(shot);
    QCOMPARE(image.size(), QSize(1824, 768));
    image = image.convertToFormat(QImage::Format_RGB32);
    auto count = [&](const QRect& area, QRgb colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x0 = area.left(); x0 <= area.right(); ++x0)
                n += image.pixel(x0, y) == colour;
        return n;
    };
    for (const QRect& monitor : {kLeft, kRight}) {
        QVERIFY2(count(monitor, kBackground) > monitor.width() * monitor.height() / 2, "background");
        QVERIFY2(count(monitor, 0xFFFFFFFF) > 100, "stars");
        QVERIFY2(count(monitor, 0xFFB4B4B4) > 100, "front copy of the text");
    }
    const QRect bare(1024, 600, 800, 168);
    QCOMPARE(count(bare, kBackground), 0);
    // A star field sized to its monitor: the text sits near the middle of each, between 15 % and
    // 85 % of its width, where the centre wanders.
    for (const QRect& monitor : {kLeft, kRight}) {
        int left = monitor.right(), right = monitor.left();
        for (int y = monitor.top(); y <= monitor.bottom(); ++y)
            for (int x0 = monitor.left(); x0 <= monitor.right(); ++x0)
                if (image.pixel(x0, y) == 0xFFB4B4B4) {
                    left = std::min(left, x0);
                    right = std::max(right, x0);
                }
        const int middle = (left + right) / 2 - monitor.left();
        QVERIFY2(middle > monitor.width() * 15 / 100 - 150 && middle < monitor.width() * 85 / 100 + 150,
                 qPrintable(QString::number(middle)));
    }
    Run("xdotool", {"key", "space"});
    QVERIFY(process->waitForFinished(kTimeoutMs));
    QCOMPARE(process->exitCode(), 0);
}

void TestSaverMonitors::firstSignClosesAll_data() {
    QTest::addColumn<QString>("sign");
    QTest::newRow("key") << "key";
    QTest::newRow("button over the right monitor") << "button right";
    QTest::newRow("button over the left monitor") << "button left";
    QTest::newRow("six moves over both monitors") << "moves";
}

void TestSaverMonitors::firstSignClosesAll() {
    QFETCH(QString, sign);
    StartSaver();
    QVERIFY(WaitForSaverWindows(2));
    QTest::qWait(300);
    if (sign == "key") {
        QCOMPARE(Run("xdotool", {"key", "a"}), 0);
    } else if (sign.startsWith("button")) {
        MovePointer(sign.endsWith("right") ? QPoint(1400, 300) : QPoint(300, 300));  // the first move
        QCOMPARE(Run("xdotool", {"click", "1"}), 0);
    } else {
        // Three moves over each monitor: the first five leave both windows up.
        const QList<QPoint> moves = {{100, 100}, {1200, 100}, {150, 120}, {1250, 140}, {200, 150}, {1300, 160}};
        for (int i = 0; i < 5; ++i) {
            MovePointer(moves[i]);
            QTest::qWait(150);
        }
        QCOMPARE(SaverWindows().size(), 2);
        QVERIFY(process->state() == QProcess::Running);
        MovePointer(moves[5]);
    }
    QVERIFY(process->waitForFinished(kTimeoutMs));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QCOMPARE(SaverWindows().size(), 0);
}

// A third monitor showing the same part of the screen as the right one (a mirror) gets no window
// of its own: two windows, as before.
void TestSaverMonitors::mirroredMonitorsShareAWindow() {
    QCOMPARE(Run("xrandr", {"--setmonitor", "M", "800/211x600/159+1024+0", "none"}), 0);
    StartSaver();
    QVERIFY(WaitForSaverWindows(2));
    QTest::qWait(500);
    QCOMPARE(SaverWindows().size(), 2);
    QCOMPARE(Run("xdotool", {"key", "a"}), 0);
    QVERIFY(process->waitForFinished(kTimeoutMs));
    QCOMPARE(process->exitCode(), 0);
    QCOMPARE(Run("xrandr", {"--delmonitor", "M"}), 0);
}

QTEST_GUILESS_MAIN(TestSaverMonitors)
#include "tst_saver_monitors.moc"
