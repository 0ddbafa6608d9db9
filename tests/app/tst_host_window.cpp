// The program inside a host's window, as XScreenSaver and other hosts start it: -root, --root,
// -window-id and --window-id against a real X server; each bad start with its line and status;
// the settings file left unread there, where the host's command line is all there is.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"
#include "../support/SettingsFileBytes.h"

namespace {
constexpr int kTimeoutMs = 15000;
constexpr unsigned long kBackground = 0x102030;  // the --background the drawing tests ask for
constexpr unsigned long kDefaultBackground = 0x000000;
}  // namespace

class TestHostWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsInsideAndEndsWithIt_data();
    void drawsInsideAndEndsWithIt();
    void settingsFile_data();
    void settingsFile();
    void refusals_data();
    void refusals();
    void help();

private:
    QProcess* Start(const QStringList& arguments, const QByteArray& xscreensaverWindow);
    int BackgroundShare(Window window, QSize size, unsigned long colour = kBackground);
    int MapsSeen();

    XTestWindows x;
    QTemporaryDir dir;
    QString exe;
    std::unique_ptr<QProcess> process;
};

void TestHostWindow::initTestCase() {
    QVERIFY(x.display());
    QVERIFY(dir.isValid());
    exe = dir.filePath("skyglow");  // named as installed, so the lines start "skyglow: "
    QVERIFY(QFile::copy(SKYGLOW_EXE, exe));
    XSelectInput(x.display(), x.root(), SubstructureNotifyMask);
    XSync(x.display(), False);
}

QProcess* TestHostWindow::Start(const QStringList& arguments, const QByteArray& xscreensaverWindow) {
    MapsSeen();
    process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("XSCREENSAVER_WINDOW");
    env.insert("XDG_RUNTIME_DIR", dir.path());  // else Qt warns on stderr
    if (!xscreensaverWindow.isEmpty())
        env.insert("XSCREENSAVER_WINDOW", QString::fromLatin1(xscreensaverWindow));
    process->setProcessEnvironment(env);
    process->start(exe, arguments);
    return process.get();
}

// Percent of the window's pixels in the background colour, once frames are coming.
int TestHostWindow::BackgroundShare(Window window, QSize size, unsigned long colour) {
    int best = 0;
    for (int attempt = 0; attempt < 40 && best < 50; ++attempt) {
        QTest::qWait(100);
        XImage* image =
            XGetImage(x.display(), window, 0, 0, unsigned(size.width()), unsigned(size.height()), AllPlanes, ZPixmap);
        if (!image)
            continue;
        int matching = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int px = 0; px < size.width(); ++px)
                matching += (XGetPixel(image, px, y) & 0xFFFFFF) == colour;
        XDestroyImage(image);
        best = matching * 100 / (size.width() * size.height());
    }
    return best;
}

int TestHostWindow::MapsSeen() {
    int maps = 0;
    XSync(x.display(), False);
    while (XPending(x.display())) {
        XEvent event;
        XNextEvent(x.display(), &event);
        maps += event.type == MapNotify;
    }
    return maps;
}

void TestHostWindow::drawsInsideAndEndsWithIt_data() {
    QTest::addColumn<QStringList>("arguments");  // WINDOW stands for the window's id
    QTest::addColumn<QString>("environment");    // XSCREENSAVER_WINDOW; WINDOW as above, OTHER another window
    QTest::newRow("-root") << QStringList{"-root"} << "WINDOW";
    QTest::newRow("--root, hex") << QStringList{"--root"} << "0xWINDOW";
    QTest::newRow("-window-id") << QStringList{"-window-id", "WINDOW"} << QString();
    QTest::newRow("--window-id, hex") << QStringList{"--window-id", "0xWINDOW"} << QString();
    QTest::newRow("--root --window-id: the id wins") << QStringList{"--root", "--window-id", "WINDOW"} << "OTHER";
    QTest::newRow("/p") << QStringList{"/p", "WINDOW"} << QString();
}

// The program draws, with the options' colours, in a child of exactly the window's size, and ends
// with status 0 when the window is destroyed.
void TestHostWindow::drawsInsideAndEndsWithIt() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    const QSize size(200, 150);
    const Window window = x.create(size);
    const Window other = x.create(QSize(50, 40));
    auto id = [&](QString text) {
        return text.replace("0xWINDOW", "0x" + QString::number(window, 16))
            .replace("WINDOW", QString::number(window))
            .replace("OTHER", QString::number(other));
    };
    for (QString& argument : arguments)
        argument = id(argument);
    arguments << "--background"
              << "#102030"
              << "--no-logo"
              << "--stars"
              << "10";
    QProcess* p = Start(arguments, id(environment).toLatin1());
    const Window child = x.waitForViewableChild(window);
    QVERIFY2(child, p->readAllStandardError().constData());
    QCOMPARE(x.attributes(child).width, size.width());
    QCOMPARE(x.attributes(child).height, size.height());
    // Ten stars and the date on the given background: most of the window is that colour.
    QVERIFY(BackgroundShare(window, size) >= 50);
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(x.display(), other, &root, &up, &children, &count);
    QCOMPARE(count, 0u);  // nothing in the other window
    if (children)
        XFree(children);
    QVERIFY(!p->waitForFinished(300));
    XDestroyWindow(x.display(), window);
    XSync(x.display(), False);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    XDestroyWindow(x.display(), other);
    XSync(x.display(), False);
}

void TestHostWindow::settingsFile_data() {
    QTest::addColumn<QStringList>("arguments");  // WINDOW stands for the window's id
    QTest::addColumn<bool>("fileRead");
    QTest::newRow("--root: the defaults") << QStringList{"--root"} << false;
    QTest::newRow("--window-id: the defaults") << QStringList{"--window-id", "WINDOW"} << false;
    QTest::newRow("/p: the file") << QStringList{"/p", "WINDOW"} << true;
}

// A settings file beside the program holds the background kBackground. Inside a host's window the
// drawing has the default background all the same: a setting the host's dialog leaves out (at
// its default) must not be taken from a file that dialog cannot see. The preview reads the file.
void TestHostWindow::settingsFile() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, fileRead);
    QFile file(dir.filePath("Skyglow.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(TestSettings::FileWithBackground("10203000"));
    file.close();
    const auto removeFile = qScopeGuard([&] { QFile::remove(dir.filePath("Skyglow.ini")); });
    const QSize size(200, 150);
    const Window window = x.create(size);
    for (QString& argument : arguments)
        argument.replace("WINDOW", QString::number(window));
    QProcess* p = Start(arguments << "--no-logo"
                                  << "--stars"
                                  << "10",
                        QByteArray::number(quint64(window)));
    QVERIFY2(x.waitForViewableChild(window), p->readAllStandardError().constData());
    QCOMPARE(BackgroundShare(window, size, fileRead ? kBackground : kDefaultBackground) >= 50, true);
    QCOMPARE(BackgroundShare(window, size, kBackground) >= 50, fileRead);
    XDestroyWindow(x.display(), window);
    XSync(x.display(), False);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
}

void TestHostWindow::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environment");  // GONE stands for a window that no longer exists
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");
    QTest::newRow("--stars 5") << QStringList{"--root", "--stars", "5"} << "1" << 2
                               << "--stars needs a whole number from 10 to 10000, not \"5\"";
    QTest::newRow("--speed missing") << QStringList{"/s", "--speed"} << QString() << 2
                                     << "--speed needs a value: a whole number from 0 to 100";
    QTest::newRow("--background bad") << QStringList{"-window-id", "7", "--background", "#abc"} << QString() << 2
                                      << "--background needs #RRGGBB or a colour name such as black or navy, not "
                                         "\"#abc\"";
    QTest::newRow("unknown option") << QStringList{"/p", "7", "--fast"} << QString() << 2
                                    << "unknown option \"--fast\" (--help lists the options)";
    QTest::newRow("--window-id bad") << QStringList{"--window-id", "seven"} << QString() << 2
                                     << "--window-id needs a window id (decimal, or hex with 0x), not \"seven\"";
    QTest::newRow("--root, no XSCREENSAVER_WINDOW")
        << QStringList{"--root"} << QString() << 1
        << "--root needs the environment variable XSCREENSAVER_WINDOW to name the window to draw in (XScreenSaver "
           "sets it); it is not set";
    QTest::newRow("--root, XSCREENSAVER_WINDOW no id") << QStringList{"--root"} << "0xZZ" << 1
                                                       << "XSCREENSAVER_WINDOW=\"0xZZ\" is not a window id (decimal, "
                                                          "or hex with 0x)";
    QTest::newRow("--root, no such window")
        << QStringList{"--root"} << "GONE" << 1 << "There is no window GONE to show the preview in";
    QTest::newRow("--window-id, no such window")
        << QStringList{"--window-id", "GONE"} << QString() << 1 << "There is no window GONE to show the preview in";
}

// One line on stderr, the status, no window (and so no message box) at all.
void TestHostWindow::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(int, status);
    QFETCH(QString, line);
    const QString gone = QString::number(x.destroyedWindow());
    for (QString& argument : arguments)
        argument.replace("GONE", gone);
    QProcess* p = Start(arguments, environment.replace("GONE", gone).toLatin1());
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), status);
    QCOMPARE(QString::fromLocal8Bit(p->readAllStandardError()), "skyglow: " + line.replace("GONE", gone) + "\n");
    QCOMPARE(p->readAllStandardOutput(), QByteArray());
    QCOMPARE(MapsSeen(), 0);
}

void TestHostWindow::help() {
    QProcess* p = Start({"--help"}, QByteArray());
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
    const QString usage = QString::fromLocal8Bit(p->readAllStandardOutput());
    QVERIFY(usage.contains("Usage: skyglow /s [OPTIONS]"));
    QVERIFY(usage.contains("--shadow-color C"));
    QCOMPARE(p->readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestHostWindow)
#include "tst_host_window.moc"
