// Settings of an installed program, run by an ordinary user (root may write anywhere, so the test
// makes a user of its own): read from the user's own file, else the administrator's beside the
// program; the settings dialog's OK writes the user's own file, making its folders, because the
// program's folder is not the user's to write. A folder of the user's own keeps its file beside
// the program, as a portable copy does.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int kTimeoutMs = 20000;
const char* const kUser = "skyglowtest";
const QByteArray kDefaults = QByteArray::fromHex(
    "0a000000536b79676c6f77204949"
    "00000000ffffff00b4b4b4000000ff00e803000032000000"
    "01");
const QByteArray kForeign = QByteArray::fromHex("0a000000") + "SKYGLOW II" + QByteArray(24, '\0') + '\1';
// The defaults with 20 stars: an administrator's choice.
const QByteArray kTwentyStars = QByteArray::fromHex(
    "0a000000536b79676c6f77204949"
    "00000000ffffff00b4b4b4000000ff00"
    "14000000"
    "32000000"
    "01");
}  // namespace

class TestUserSettings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reads_data();
    void reads();
    void dialogWrites_data();
    void dialogWrites();

private:
    QProcess* StartAsUser(const QString& exe, const QStringList& arguments, const QString& xdgConfigHome);
    QString Place(const QString& folder);
    void Write(const QString& path, const QByteArray& bytes);
    void GiveToUser(const QString& path);
    bool WaitForWindow(const QString& name);
    void PressKeyIn(const QString& windowName, const QString& key);

    QTemporaryDir dir;
    QString home;
    uid_t uid = 0;
    gid_t gid = 0;
    std::unique_ptr<QProcess> process;
};

void TestUserSettings::initTestCase() {
    if (geteuid() != 0)
        QSKIP("making an ordinary user for this test needs root");
    if (!getpwnam(kUser))
        QCOMPARE(QProcess::execute("useradd", {"--no-create-home", "--shell", "/usr/sbin/nologin", kUser}), 0);
    const passwd* user = getpwnam(kUser);
    QVERIFY(user);
    uid = user->pw_uid;
    gid = user->pw_gid;
    QVERIFY(dir.isValid());
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                  QFile::ExeOther));
    home = dir.filePath("home");
    QVERIFY(QDir().mkpath(home + "/run"));
    GiveToUser(home);
    GiveToUser(home + "/run");
    QVERIFY(QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestUserSettings::GiveToUser(const QString& path) {
    QCOMPARE(::chown(QFile::encodeName(path).constData(), uid, gid), 0);
}

// A copy of the program in `folder` (inside the test's folder, root's unless made the user's).
QString TestUserSettings::Place(const QString& folder) {
    const QString path = dir.filePath(folder);
    QDir().mkpath(path);
    const QString exe = path + "/skyglow";
    if (!QFile::exists(exe)) {
        QFile::copy(SKYGLOW_EXE, exe);
        // The copy finds its library beside it: the build tree may be closed to other users.
        QFile::copy(SKYGLOW_LIBRARY, path + "/" + QFileInfo(SKYGLOW_LIBRARY).fileName());
    }
    return exe;
}

void TestUserSettings::Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QProcess* TestUserSettings::StartAsUser(const QString& exe, const QStringList& arguments,
                                        const QString& xdgConfigHome) {
    QStringList command{"-u",
                        kUser,
                        "--",
                        "env",
                        "-i",
                        "HOME=" + home,
                        "DISPLAY=" + qEnvironmentVariable("DISPLAY"),
                        "XDG_RUNTIME_DIR=" + home + "/run",
                        "QT_QPA_PLATFORM=xcb",
                        "LD_LIBRARY_PATH=" + QFileInfo(exe).absolutePath()};
    // A sanitizer build: the other user cannot read the leak suppressions in the tree.
    if (qEnvironmentVariableIsSet("ASAN_OPTIONS"))
        command << "ASAN_OPTIONS=detect_leaks=0";
    if (!xdgConfigHome.isNull())
        command << "XDG_CONFIG_HOME=" + xdgConfigHome;
    process = std::make_unique<QProcess>();
    process->start("runuser", command + QStringList{exe} + arguments);
    return process.get();
}

bool TestUserSettings::WaitForWindow(const QString& name) {
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--name", "^" + QRegularExpression::escape(name) + "$"});
    return search.waitForFinished(kTimeoutMs) && search.exitCode() == 0;
}

void TestUserSettings::PressKeyIn(const QString& windowName, const QString& key) {
    QProcess search;
    search.start("xdotool", {"search", "--name", "^" + QRegularExpression::escape(windowName) + "$"});
    QVERIFY(search.waitForFinished(kTimeoutMs));
    const QString window = QString::fromLatin1(search.readAllStandardOutput()).split('\n').first().trimmed();
    QVERIFY(!window.isEmpty());
    QCOMPARE(QProcess::execute("xdotool", {"windowfocus", "--sync", window}), 0);
    // The key reaches the window only once it holds the input focus.
    QTRY_VERIFY([&] {
        QProcess focus;
        focus.start("xdotool", {"getwindowfocus"});
        return focus.waitForFinished(kTimeoutMs) && focus.readAllStandardOutput().trimmed() == window.toLatin1();
    }());
    QCOMPARE(QProcess::execute("xdotool", {"key", key}), 0);
}

void TestUserSettings::reads_data() {
    QTest::addColumn<QString>("folder");  // the program's
    QTest::addColumn<QString>("xdg");     // XDG_CONFIG_HOME; a null text leaves it unset; HOME for the home folder
    QTest::addColumn<QString>("file");    // where the foreign file is put and the message must name it
    QTest::addColumn<bool>("besideToo");  // a good file beside the program as well
    QTest::newRow("~/.config") << "usr/libexec/xscreensaver" << QString() << "HOME/.config/skyglow/Skyglow.ini" << true;
    QTest::newRow("XDG_CONFIG_HOME") << "usr/libexec/xscreensaver"
                                     << "HOME/cfg"
                                     << "HOME/cfg/skyglow/Skyglow.ini" << true;
    QTest::newRow("empty XDG_CONFIG_HOME") << "usr/bin"
                                           << ""
                                           << "HOME/.config/skyglow/Skyglow.ini" << false;
    QTest::newRow("relative XDG_CONFIG_HOME") << "usr/bin"
                                              << "cfg"
                                              << "HOME/.config/skyglow/Skyglow.ini" << false;
    QTest::newRow("administrator's file") << "opt/skyglow" << QString() << "BESIDE" << false;
}

// The file the program reads is told by the line it writes about a file of another title, the
// path it names being the one it used. The preview reads it (inside a host's window no file is).
void TestUserSettings::reads() {
    QFETCH(QString, folder);
    QFETCH(QString, xdg);
    QFETCH(QString, file);
    QFETCH(bool, besideToo);
    const QString exe = Place(folder);
    const QString beside = QFileInfo(exe).absolutePath() + "/Skyglow.ini";
    file.replace("HOME", home).replace("BESIDE", beside);
    if (!xdg.isNull())
        xdg.replace("HOME", home);
    QFile::remove(beside);
    QDir(home + "/.config").removeRecursively();
    QDir(home + "/cfg").removeRecursively();
    if (besideToo)
        Write(beside, kDefaults);
    Write(file, kForeign);
    QProcess* p = StartAsUser(exe, {"/p", "1"}, xdg);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
    const QString error = QString::fromLocal8Bit(p->readAllStandardError());
    QVERIFY2(error.contains("skyglow: settings file " + file + " belongs to another program"), qPrintable(error));
    QFile::remove(file);
    QFile::remove(beside);
}

void TestUserSettings::dialogWrites_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("usersFolder");  // the folder belongs to the user
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QByteArray>("beside");  // the administrator's file, or nothing
    QTest::addColumn<QString>("written");    // the file OK must write
    QTest::newRow("~/.config made") << "usr/libexec/xscreensaver" << false << QString() << QByteArray()
                                    << "HOME/.config/skyglow/Skyglow.ini";
    QTest::newRow("XDG_CONFIG_HOME made")
        << "usr/bin" << false << "HOME/new/cfg" << QByteArray() << "HOME/new/cfg/skyglow/Skyglow.ini";
    QTest::newRow("administrator's values kept")
        << "opt/skyglow" << false << QString() << kTwentyStars << "HOME/.config/skyglow/Skyglow.ini";
    QTest::newRow("a folder of the user's own") << "mine" << true << QString() << QByteArray() << "BESIDE";
    QTest::newRow("the user's libexec") << "home/prefix/libexec/xscreensaver" << true << QString() << QByteArray()
                                        << "HOME/.config/skyglow/Skyglow.ini";
}

// OK in the settings dialog writes the values shown to the right file, and only there.
void TestUserSettings::dialogWrites() {
    QFETCH(QString, folder);
    QFETCH(bool, usersFolder);
    QFETCH(QString, xdg);
    QFETCH(QByteArray, beside);
    QFETCH(QString, written);
    const QString exe = Place(folder);
    const QString besidePath = QFileInfo(exe).absolutePath() + "/Skyglow.ini";
    if (usersFolder) {
        GiveToUser(QFileInfo(exe).absolutePath());
        GiveToUser(exe);
    }
    written.replace("HOME", home).replace("BESIDE", besidePath);
    if (!xdg.isNull())
        xdg.replace("HOME", home);
    QFile::remove(besidePath);
    QDir(home + "/.config").removeRecursively();
    QDir(home + "/new").removeRecursively();
    if (!beside.isEmpty())
        Write(besidePath, beside);
    QProcess* p = StartAsUser(exe, {"/c"}, xdg);
    QVERIFY(WaitForWindow("Settings"));
    PressKeyIn("Settings", "Return");
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
    QFile file(written);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(written + " " + p->readAllStandardError()));
    QCOMPARE(file.readAll(), beside.isEmpty() ? kDefaults : beside);
    QCOMPARE(QFileInfo(written).ownerId(), uid);
    if (written != besidePath) {  // the file and the folders made for it are the user's alone
        QCOMPARE(QFileInfo(QFileInfo(written).absolutePath()).permissions() & 0x7077, QFile::Permissions(0x7000));
        QCOMPARE(QFileInfo(written).permissions() & 0x7077, QFile::Permissions(0x6000));
    }
    if (written != besidePath) {
        QFile admin(besidePath);
        QCOMPARE(admin.exists(), !beside.isEmpty());  // the administrator's file is left as it was
        if (admin.open(QIODevice::ReadOnly))
            QCOMPARE(admin.readAll(), beside);
    }
    QFile::remove(written);
    QFile::remove(besidePath);
}

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_user_settings.moc"
