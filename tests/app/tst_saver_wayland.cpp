// The saver on a Wayland desktop with no X server: a headless sway with two outputs (1024 x 768
// and 800 x 600 side by side), drawn in memory. Sway refuses to run as root, so a root test runs
// it, and the saver, as an ordinary user it creates. Windows are found in sway's tree, pictures
// taken with grim and keys typed with wtype. A headless sway has no pointer device, so
// tests/support/virtual-pointer adds one, through which sway's seat moves and presses.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <pwd.h>
#include <unistd.h>
#include "../support/SettingsFileBytes.h"
#include "../support/UniformBlocks.h"

namespace {
constexpr int kTimeoutMs = 20000;
const char* const kUser = "skyglow-wayland";
const QRect kLeft(0, 0, 1024, 768);
const QRect kRight(1024, 0, 800, 600);
constexpr QRgb kBackground = 0xFF403020;

// The default settings on a background of red 0x40, green 0x30, blue 0x20.
QByteArray Settings() { return TestSettings::FileWithBackground("40302000"); }

struct Result {
    int status = -1;
    QByteArray out, err;
};

// A socket where an X server would listen, which tells whether anyone connected.
class ListeningSocket {
public:
    explicit ListeningSocket(const QString& path) : FPath(path.toLocal8Bit()) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, FPath.constData(), sizeof address.sun_path);
        FFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (FFd >= 0 && (::bind(FFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                         ::listen(FFd, 8) != 0 || ::chmod(FPath.constData(), 0777) != 0)) {
            ::close(FFd);
            FFd = -1;
        }
    }
    ~ListeningSocket() {
        if (FFd >= 0) {
            ::close(FFd);
            ::unlink(FPath.constData());
        }
    }
    bool IsListening() const { return FFd >= 0; }
    bool SomeoneConnected() const {
        pollfd waiting{FFd, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }

private:
    QByteArray FPath;
    int FFd = -1;
};

// Share of the picture in the background colour.
double BackgroundShare(const QImage& image) {
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == kBackground;
    return image.isNull() ? 0 : double(count) / (qint64(image.width()) * image.height());
}
}  // namespace

class TestSaverWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void saverCoversEveryOutput();
    void pointerHiddenOverSaver();
    void firstSignClosesAll_data();
    void firstSignClosesAll();
    void sharpAtOutputScaleTwo();
    void settingsDialogOpens();
    void embeddingNeedsX11_data();
    void embeddingNeedsX11();
    void x11LeftAlone();
    void missingWaylandPlatform();
    void throughXWayland();

private:
    QStringList AsUser(const QStringList& command, const QStringList& environment = {}) const;
    Result Run(const QStringList& command, const QStringList& environment = {}) const;
    bool Sway(const QString& command) const;
    QJsonArray SaverViews() const;
    QList<QJsonObject> Views(const QString& name) const;
    QImage Shot(const QString& output, bool withCursor = false) const;
    void StartSaver(const QStringList& arguments);
    void MoveCursor(QPoint to) const;
    bool TypeUntilEnd(const QStringList& key);
    static void KillWithChildren(QProcess& process);
    bool StartPointer();
    bool Pointer(const QString& line);

    QTemporaryDir FDir;  // the saver's copy and settings, sway's configuration
    QString FRuntime;    // the user's runtime directory, where the sockets live
    QString FSwaySocket;
    QString FXWayland;  // sway's X display, started when a client first connects to it
    QString FUser;
    std::unique_ptr<QProcess> FSway;
    std::unique_ptr<QProcess> FSaver;
    std::unique_ptr<QProcess> FPointer;
    std::unique_ptr<QProcess> FKeyboard;  // a keyboard on the seat for the whole run, as users have
};

// Root runs everything as the test user; anyone else runs it as themselves.
QStringList TestSaverWayland::AsUser(const QStringList& command, const QStringList& environment) const {
    QStringList env{"env", "-i", "PATH=/usr/bin:/bin", "HOME=" + FDir.path(), "XDG_RUNTIME_DIR=" + FRuntime};
    if (!FSwaySocket.isEmpty())
        env << "SWAYSOCK=" + FSwaySocket << "WAYLAND_DISPLAY=wayland-1";
    // The copies in FDir find their library there: the build tree may be closed to other users.
    env << "LD_LIBRARY_PATH=" + FDir.path() << environment;
    // A sanitizer build: the other user cannot read the leak suppressions in the tree.
    if (qEnvironmentVariableIsSet("ASAN_OPTIONS"))
        env << "ASAN_OPTIONS=detect_leaks=0";
    env << command;
    if (geteuid() == 0)
        return QStringList{"runuser", "-u", FUser, "--"} + env;
    return env;
}

Result TestSaverWayland::Run(const QStringList& command, const QStringList& environment) const {
    const QStringList full = AsUser(command, environment);
    QProcess process;
    process.start(full.first(), full.mid(1));
    Result result;
    if (!process.waitForFinished(kTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

bool TestSaverWayland::Sway(const QString& command) const { return Run({"swaymsg", command}).status == 0; }

void TestSaverWayland::initTestCase() {
    for (const char* tool : {"sway", "swaymsg", "grim", "wtype"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed (Debian packages sway, grim, wtype)").arg(tool)));
    if (geteuid() == 0) {
        if (!getpwnam(kUser) &&
            QProcess::execute("useradd", {"--no-create-home", "--shell", "/usr/sbin/nologin", kUser}) != 0)
            QSKIP("sway refuses to run as root, and no ordinary user could be created to run it");
        FUser = kUser;
    }
    QVERIFY(FDir.isValid());
    QFile::setPermissions(FDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup);
    QVERIFY(QFile::copy(SKYGLOW_EXE, FDir.filePath("Skyglow.scr")));
    QVERIFY(QFile::copy(SKYGLOW_LIBRARY, FDir.filePath(QFileInfo(SKYGLOW_LIBRARY).fileName())));
#ifdef VIRTUAL_POINTER
    QVERIFY(QFile::copy(VIRTUAL_POINTER, FDir.filePath("virtual-pointer")));
#endif
    QFile settings(FDir.filePath("Skyglow.ini"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(Settings());
    settings.close();
    QFile config(FDir.filePath("sway.config"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    // XWayland starts when an X client first connects; sway tells its display to what it starts.
    config.write(
        "xwayland enable\n"
        "output HEADLESS-1 resolution 1024x768 position 0 0\n"
        "output HEADLESS-2 resolution 800x600 position 1024 0\n"
        "exec sh -c 'echo $DISPLAY > \"$XDG_RUNTIME_DIR/xwayland-display\"'\n");
    config.close();
    FRuntime = FDir.filePath("runtime");
    QVERIFY(QDir().mkdir(FRuntime));
    if (!FUser.isEmpty()) {
        const passwd* user = getpwnam(kUser);
        QVERIFY(user && chown(qPrintable(FRuntime), user->pw_uid, user->pw_gid) == 0);
    }
    QFile::setPermissions(FRuntime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    FSway = std::make_unique<QProcess>();
    FSway->setProcessChannelMode(QProcess::MergedChannels);
    const QStringList sway =
        AsUser({"sway", "-c", FDir.filePath("sway.config")},
               {"WLR_BACKENDS=headless", "WLR_HEADLESS_OUTPUTS=2", "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
    FSway->start(sway.first(), sway.mid(1));
    QVERIFY(FSway->waitForStarted(kTimeoutMs));
    const bool up = QTest::qWaitFor(
        [&] {
            const QStringList sockets = QDir(FRuntime).entryList({"sway-ipc.*.sock"}, QDir::System);
            if (sockets.isEmpty() || !QFile::exists(FRuntime + "/wayland-1"))
                return false;
            FSwaySocket = FRuntime + '/' + sockets.first();
            return true;
        },
        kTimeoutMs);
    if (!up)
        QSKIP(qPrintable("headless sway did not start: " + QString::fromLocal8Bit(FSway->readAll().right(600))));
    const QJsonArray outputs = QJsonDocument::fromJson(Run({"swaymsg", "-r", "-t", "get_outputs"}).out).array();
    QCOMPARE(outputs.size(), 2);
    if (!QTest::qWaitFor([&] { return QFileInfo(FRuntime + "/xwayland-display").size() > 0; }, kTimeoutMs))
        qWarning("sway did not say its X display");
    QFile display(FRuntime + "/xwayland-display");
    if (display.open(QIODevice::ReadOnly))
        FXWayland = QString::fromLatin1(display.readAll().trimmed());
    // The headless seat has no keyboard, and one that comes and goes with each wtype may type its
    // key before a client has taken it up. This one stays (wtype's keyboard lives while it
    // sleeps), so the saver starts on a seat with a keyboard, as on a desktop.
    FKeyboard = std::make_unique<QProcess>();
    const QStringList keyboard = AsUser({"wtype", "-s", "86400000"});
    FKeyboard->start(keyboard.first(), keyboard.mid(1));
    QVERIFY(FKeyboard->waitForStarted(kTimeoutMs));
    QVERIFY(QTest::qWaitFor(
        [&] {
            return Run({"swaymsg", "-t", "get_inputs"}).out.contains("\"type\": \"keyboard\"");
        },
        kTimeoutMs));
}

void TestSaverWayland::cleanupTestCase() {
    if (FKeyboard && FKeyboard->state() != QProcess::NotRunning) {
        KillWithChildren(*FKeyboard);
        FKeyboard->waitForFinished(kTimeoutMs);
    }
    if (FSway && FSway->state() != QProcess::NotRunning) {
        Sway("exit");
        if (!FSway->waitForFinished(kTimeoutMs))
            FSway->kill();
        FSway->waitForFinished(kTimeoutMs);
    }
}

void TestSaverWayland::init() {
    QVERIFY(Sway("output HEADLESS-1 scale 1"));
    MoveCursor(QPoint(500, 400));
}

// A failed check leaves no saver running into the next case.
void TestSaverWayland::cleanup() {
    for (std::unique_ptr<QProcess>* process : {&FSaver, &FPointer}) {
        if (*process && (*process)->state() != QProcess::NotRunning) {
            (*process)->closeWriteChannel();
            if (!(*process)->waitForFinished(2000))
                KillWithChildren(**process);
            (*process)->waitForFinished(kTimeoutMs);
        }
        process->reset();
    }
}

// Each wtype adds a keyboard of its own beside the one that stays; it waits half a second before
// typing, and a key that still comes too early on a loaded machine is typed again (up to four
// times) while the saver runs.
bool TestSaverWayland::TypeUntilEnd(const QStringList& key) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (Run(QStringList{"wtype", "-s", "500"} + key).status != 0)
            return false;
        if (FSaver->state() == QProcess::NotRunning || FSaver->waitForFinished(8000))
            return true;
    }
    return false;
}

// runuser does not pass a kill on to the program it started: that one goes first.
void TestSaverWayland::KillWithChildren(QProcess& process) {
    QFile children(QString("/proc/%1/task/%1/children").arg(process.processId()));
    if (children.open(QIODevice::ReadOnly))
        for (const QByteArray& child : children.readAll().split(' '))
            if (child.trimmed().toInt() > 0)
                ::kill(child.trimmed().toInt(), SIGKILL);
    process.kill();
}

// The virtual pointer over the layout of both outputs, at its middle.
bool TestSaverWayland::StartPointer() {
#ifdef VIRTUAL_POINTER
    FPointer = std::make_unique<QProcess>();
    const QStringList command = AsUser({FDir.filePath("virtual-pointer")});
    FPointer->start(command.first(), command.mid(1));
    return FPointer->waitForStarted(kTimeoutMs) && Pointer("layout 1824 768") && Pointer("move 500 400");
#else
    return false;
#endif
}

// One command to the virtual pointer, answered once the compositor took it.
bool TestSaverWayland::Pointer(const QString& line) {
    FPointer->write(line.toLatin1() + '\n');
    while (FPointer->bytesAvailable() < 3 || !FPointer->canReadLine())
        if (!FPointer->waitForReadyRead(kTimeoutMs))
            return false;
    return FPointer->readLine() == "ok\n";
}

// Started as an idle daemon starts it: the session says Wayland, and there is no X server.
void TestSaverWayland::StartSaver(const QStringList& arguments) {
    FSaver = std::make_unique<QProcess>();
    const QStringList command =
        AsUser(QStringList{FDir.filePath("Skyglow.scr")} + arguments, {"XDG_SESSION_TYPE=wayland"});
    FSaver->start(command.first(), command.mid(1));
    QVERIFY(FSaver->waitForStarted(kTimeoutMs));
}

// Every view (window) of sway's tree with the given name.
QList<QJsonObject> TestSaverWayland::Views(const QString& name) const {
    QList<QJsonObject> found;
    std::function<void(const QJsonObject&)> walk = [&](const QJsonObject& node) {
        if (node.value("name").toString() == name && node.contains("app_id"))
            found << node;
        for (const char* children : {"nodes", "floating_nodes"})
            for (const QJsonValue& child : node.value(children).toArray())
                walk(child.toObject());
    };
    walk(QJsonDocument::fromJson(Run({"swaymsg", "-r", "-t", "get_tree"}).out).object());
    return found;
}

QJsonArray TestSaverWayland::SaverViews() const {
    QJsonArray views;
    for (const QJsonObject& view : Views("Skyglow II"))
        views << view;
    return views;
}

// The output's picture; SKYGLOW_SHOTS names a folder to keep it in for a look.
QImage TestSaverWayland::Shot(const QString& output, bool withCursor) const {
    const Result shot = Run(QStringList{"grim"} + (withCursor ? QStringList{"-c"} : QStringList{}) +
                            QStringList{"-t", "png", "-o", output, "-"});
    QImage image = QImage::fromData(shot.out, "PNG").convertToFormat(QImage::Format_RGB32);
    if (!qEnvironmentVariableIsEmpty("SKYGLOW_SHOTS"))
        image.save(qEnvironmentVariable("SKYGLOW_SHOTS") + "/sway-" + output + ".png");
    return image;
}

void TestSaverWayland::MoveCursor(QPoint to) const { Sway(QString("seat - cursor set %1 %2").arg(to.x()).arg(to.y())); }

// One borderless full-screen window on each output, titled "Skyglow II" with the application
// id "skyglow", each drawing a star field of its output's size.
void TestSaverWayland::saverCoversEveryOutput() {
    StartSaver({"/s"});
    QVERIFY(QTest::qWaitFor([&] { return SaverViews().size() == 2; }, kTimeoutMs));
    QTest::qWait(1500);  // frames on both
    QList<QRect> rects;
    for (const QJsonValue& value : SaverViews()) {
        const QJsonObject view = value.toObject();
        QCOMPARE(view.value("app_id").toString(), QStringLiteral("skyglow"));
        QCOMPARE(view.value("fullscreen_mode").toInt(), 1);  // over the whole output, no border or title
        const QJsonObject r = view.value("rect").toObject();
        rects << QRect(r.value("x").toInt(), r.value("y").toInt(), r.value("width").toInt(), r.value("height").toInt());
    }
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
    QCOMPARE(rects, (QList<QRect>{kLeft, kRight}));
    for (const auto& [output, size] : {std::pair{QStringLiteral("HEADLESS-1"), kLeft.size()},
                                       std::pair{QStringLiteral("HEADLESS-2"), kRight.size()}}) {
        const QImage shot = Shot(output);
        QCOMPARE(shot.size(), size);
        const double background = BackgroundShare(shot);
        QVERIFY2(background > 0.5 && background < 0.995, qPrintable(output + ": " + QString::number(background)));
    }
    QVERIFY(FSaver->state() == QProcess::Running);
    QVERIFY(TypeUntilEnd({"-k", "space"}));
    QCOMPARE(FSaver->exitCode(), 0);
}

// The pointer is hidden over the saver. The arrow's black is a colour the saver never draws on
// its background here: a shot with the cursor drawn in (grim -c) has none while the saver runs,
// and has it where the pointer is once the saver has ended.
void TestSaverWayland::pointerHiddenOverSaver() {
    if (!StartPointer())
        QSKIP("no virtual pointer (tests/support/virtual-pointer needs libwayland-dev) to show a cursor");
    const auto blackPixels = [](const QImage& shot) {
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += (shot.pixel(x, y) & 0xFFFFFF) == 0;
        return count;
    };
    StartSaver({"/s"});
    QVERIFY(QTest::qWaitFor([&] { return SaverViews().size() == 2; }, kTimeoutMs));
    QTest::qWait(1000);
    const QImage during = Shot("HEADLESS-1", true);
    QCOMPARE(during.size(), kLeft.size());
    QCOMPARE(blackPixels(during), 0);
    QVERIFY(TypeUntilEnd({"-k", "space"}));
    QVERIFY(QTest::qWaitFor([&] { return blackPixels(Shot("HEADLESS-1", true)) > 0; }, kTimeoutMs));
}

void TestSaverWayland::firstSignClosesAll_data() {
    QTest::addColumn<QString>("sign");
    QTest::newRow("a key") << "key";
    QTest::newRow("a button") << "button";
    QTest::newRow("the sixth move") << "moves";
    QTest::newRow("another window activated") << "activation";
}

void TestSaverWayland::firstSignClosesAll() {
    QFETCH(QString, sign);
    if ((sign == "button" || sign == "moves") && !StartPointer())
        QSKIP("no virtual pointer (tests/support/virtual-pointer needs libwayland-dev) to move or press with");
    StartSaver({"/s"});
    QVERIFY(QTest::qWaitFor([&] { return SaverViews().size() == 2; }, kTimeoutMs));
    QTest::qWait(500);
    if (sign == "key") {
        QVERIFY(TypeUntilEnd({"x"}));
    } else if (sign == "button") {
        QVERIFY(Sway("seat - cursor press button1"));
        Sway("seat - cursor release button1");
    } else if (sign == "activation") {
        // Another program's window (the settings dialog, started on its own) is given the focus.
        QProcess other;
        const QStringList command = AsUser({FDir.filePath("Skyglow.scr"), "/c"}, {"XDG_SESSION_TYPE=wayland"});
        other.start(command.first(), command.mid(1));
        const auto endOther = qScopeGuard([&] {
            if (other.state() != QProcess::NotRunning) {
                KillWithChildren(other);
                other.waitForFinished(kTimeoutMs);
            }
        });
        QVERIFY(QTest::qWaitFor([&] { return Views("Settings").size() == 1; }, kTimeoutMs));
        Sway("[title=\"^Settings$\"] focus");
        QVERIFY(FSaver->waitForFinished(kTimeoutMs));
        QCOMPARE(Run({"wtype", "-s", "1000", "-k", "Escape"}).status, 0);  // the dialog, now in front
        QVERIFY(other.waitForFinished(kTimeoutMs));
    } else {
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(Pointer(QString("move %1 %2").arg(500 + 150 * i).arg(400 + 20 * i)));  // over both outputs
            QTest::qWait(150);
        }
        QVERIFY2(!FSaver->waitForFinished(600), "closed before the sixth move");
        QCOMPARE(SaverViews().size(), 2);
        QVERIFY(Pointer("move 1400 300"));
    }
    QVERIFY(FSaver->state() == QProcess::NotRunning || FSaver->waitForFinished(kTimeoutMs));
    QCOMPARE(FSaver->exitStatus(), QProcess::NormalExit);
    QCOMPARE(FSaver->exitCode(), 0);
    QVERIFY(QTest::qWaitFor([&] { return SaverViews().isEmpty(); }, kTimeoutMs));
}

// At an output scale of 2 the window draws its 1024 x 768 device pixels itself.
void TestSaverWayland::sharpAtOutputScaleTwo() {
    QVERIFY(Sway("output HEADLESS-1 scale 2"));
    StartSaver({"/s"});
    QVERIFY(QTest::qWaitFor([&] { return SaverViews().size() == 2; }, kTimeoutMs));
    QTest::qWait(2000);
    const QImage shot = Shot("HEADLESS-1");
    QCOMPARE(shot.size(), kLeft.size());
    const double uniform = UniformBlocks(shot, kBackground);
    qInfo("output scale 2: %.1f %% of the aligned 2 x 2 blocks with drawing in them are uniform", 100 * uniform);
    QVERIFY2(uniform < 0.9, qPrintable(QString::number(uniform)));
    QVERIFY(TypeUntilEnd({"-k", "space"}));
}

void TestSaverWayland::settingsDialogOpens() {
    StartSaver({"/c"});
    QVERIFY(QTest::qWaitFor([&] { return Views("Settings").size() == 1; }, kTimeoutMs));
    QCOMPARE(Views("Settings").first().value("app_id").toString(), QStringLiteral("skyglow"));
    QTest::qWait(300);
    QVERIFY(TypeUntilEnd({"-k", "Escape"}));
    QCOMPARE(FSaver->exitCode(), 0);
}

void TestSaverWayland::embeddingNeedsX11_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::newRow("/p") << QStringList{"/p", "1234"} << QStringList{};
    QTest::newRow("--window-id") << QStringList{"--window-id", "0x1234"} << QStringList{};
    QTest::newRow("--root") << QStringList{"--root"} << QStringList{"XSCREENSAVER_WINDOW=0x1234"};
}

// Wayland has no windows of other programs to draw into: one line says so, status 1.
void TestSaverWayland::embeddingNeedsX11() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    const Result result = Run(QStringList{FDir.filePath("Skyglow.scr")} + arguments,
                              QStringList{"XDG_SESSION_TYPE=wayland"} + environment);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains("needs X11"), result.err.constData());
}

// On a Wayland desktop the saver asks the compositor and never connects to X11: a display
// that sway's XWayland would serve is started on demand by the first X client (66 MB). Here
// DISPLAY names a socket of the test's own, which counts who connects.
void TestSaverWayland::x11LeftAlone() {
    int number = 700;
    while (number < 800 && (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(number)) ||
                            QFile::exists(QString("/tmp/.X%1-lock").arg(number))))
        ++number;
    const ListeningSocket server(QString("/tmp/.X11-unix/X%1").arg(number));
    if (!server.IsListening())
        QSKIP("no X display socket could be made in /tmp/.X11-unix");
    for (const QStringList& arguments : {QStringList{"/s"}, QStringList{"/c"}}) {
        FSaver = std::make_unique<QProcess>();
        const QStringList command = AsUser(QStringList{FDir.filePath("Skyglow.scr")} + arguments,
                                           {"XDG_SESSION_TYPE=wayland", QString("DISPLAY=:%1").arg(number)});
        FSaver->start(command.first(), command.mid(1));
        const bool saver = arguments.first() == "/s";
        const bool shown = QTest::qWaitFor(
            [&] { return saver ? SaverViews().size() == 2 : Views("Settings").size() == 1; }, kTimeoutMs);
        QVERIFY2(shown, server.SomeoneConnected() ? "it connected to X11 and waits there" : "no window");
        QTest::qWait(300);
        QVERIFY(TypeUntilEnd({"-k", "Escape"}));
        QCOMPARE(FSaver->exitCode(), 0);
        QVERIFY2(!server.SomeoneConnected(), qPrintable(arguments.first() + " connected to X11"));
    }
}

// Without Qt's Wayland platform (its package not installed: here its plugins are hidden in a
// mount namespace of the saver's own) and without an X server, the saver names the package in
// one line and ends with status 1, never by Qt's abort.
void TestSaverWayland::missingWaylandPlatform() {
    if (geteuid() != 0)
        QSKIP("hiding Qt's Wayland platform needs a mount namespace of its own, which needs root");
    const QString platforms = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms";
    QFile empty(FDir.filePath("empty"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QString hide = "true";
    for (const QString& plugin : QDir(platforms).entryList({"*qwayland*"}, QDir::Files))
        hide += QString(" && mount --bind %1 %2/%3").arg(empty.fileName(), platforms, plugin);
    QVERIFY2(hide != "true", "Qt's Wayland platform is not installed here to hide");
    QProcess process;
    process.start("unshare", QStringList{"-m", "sh", "-c", hide + " && exec \"$@\"", "sh"} +
                                 AsUser({FDir.filePath("Skyglow.scr"), "/s"}, {"XDG_SESSION_TYPE=wayland"}));
    QVERIFY(process.waitForFinished(kTimeoutMs));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QByteArray err = process.readAllStandardError();
    if (process.exitCode() != 1 && err.contains("unshare"))
        QSKIP(qPrintable("no mount namespace here: " + err));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(err.count('\n'), 1);
    QVERIFY2(err.startsWith("Skyglow.scr: no display could be opened (") && err.contains("qt6-wayland"),
             err.constData());
}

// Through sway's XWayland on Qt's X11 platform (QT_QPA_PLATFORM=xcb, as many sway set-ups have
// it) the saver covers both outputs and stays until the user comes: here a key.
void TestSaverWayland::throughXWayland() {
    if (FXWayland.isEmpty() || QStandardPaths::findExecutable("Xwayland").isEmpty())
        QSKIP("sway did not offer XWayland (Debian package xwayland)");
    FSaver = std::make_unique<QProcess>();
    const QStringList command = AsUser({FDir.filePath("Skyglow.scr"), "/s"},
                                       {"XDG_SESSION_TYPE=wayland", "QT_QPA_PLATFORM=xcb", "DISPLAY=" + FXWayland});
    FSaver->start(command.first(), command.mid(1));
    QVERIFY(FSaver->waitForStarted(kTimeoutMs));
    // XWayland starts first, then the saver shows up, and stays up.
    const bool shown = QTest::qWaitFor(
        [&] { return BackgroundShare(Shot("HEADLESS-1")) > 0.5 || FSaver->state() == QProcess::NotRunning; },
        kTimeoutMs);
    QVERIFY2(shown && FSaver->state() == QProcess::Running, FSaver->readAllStandardError().constData());
    QVERIFY2(!FSaver->waitForFinished(2000), FSaver->readAllStandardError().constData());
    for (const auto& [output, size] : {std::pair{QStringLiteral("HEADLESS-1"), kLeft.size()},
                                       std::pair{QStringLiteral("HEADLESS-2"), kRight.size()}}) {
        const QImage shot = Shot(output);
        QCOMPARE(shot.size(), size);
        const double background = BackgroundShare(shot);
        QVERIFY2(background > 0.5 && background < 0.995, qPrintable(output + ": " + QString::number(background)));
    }
    QVERIFY(FSaver->state() == QProcess::Running);
    QVERIFY(TypeUntilEnd({"-k", "space"}));
    QCOMPARE(FSaver->exitStatus(), QProcess::NormalExit);
    QCOMPARE(FSaver->exitCode(), 0);
}

QTEST_MAIN(TestSaverWayland)
#include "tst_saver_wayland.moc"
