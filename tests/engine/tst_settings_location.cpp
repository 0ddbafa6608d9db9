// Where the settings file is read and written: the user's own file under XDG_CONFIG_HOME, the
// file beside the executable, and portable copies that keep theirs beside them.
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tallwick;

class TestSettingsLocation : public QObject {
    Q_OBJECT
private slots:
    void userFile_data();
    void userFile();
    void installedFolder_data();
    void installedFolder();
    void locate_data();
    void locate();
    void windowsUserFile_data();
    void windowsUserFile();
    void locateOnWindows_data();
    void locateOnWindows();
};

void TestSettingsLocation::userFile_data() {
    QTest::addColumn<QByteArray>("xdg");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("path");
    QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/srv/cfg") << QByteArray("/home/u")
                                     << "/srv/cfg/skyglow/Skyglow.ini";
    QTest::newRow("with a slash") << QByteArray("/srv/cfg/") << QByteArray("/home/u") << "/srv/cfg/skyglow/Skyglow.ini";
    QTest::newRow("unset") << QByteArray() << QByteArray("/home/u") << "/home/u/.config/skyglow/Skyglow.ini";
    QTest::newRow("relative is ignored") << QByteArray("cfg") << QByteArray("/home/u")
                                         << "/home/u/.config/skyglow/Skyglow.ini";
    QTest::newRow("dot-relative is ignored")
        << QByteArray("./cfg") << QByteArray("/home/u") << "/home/u/.config/skyglow/Skyglow.ini";
}

void TestSettingsLocation::userFile() {
    QFETCH(QByteArray, xdg);
    QFETCH(QByteArray, home);
    QFETCH(QString, path);
    QCOMPARE(TSettingsLocation::UserFile(xdg, home), path);
}

void TestSettingsLocation::installedFolder_data() {
    QTest::addColumn<QString>("folder");  // BUILD: a CMake build tree's bin folder
    QTest::addColumn<bool>("installed");
    QTest::newRow("XScreenSaver's folder") << "/usr/libexec/xscreensaver/" << true;
    QTest::newRow("libexec") << "/usr/local/libexec/" << true;
    QTest::newRow("bin") << "/usr/bin/" << true;
    QTest::newRow("a prefix's bin") << "/home/u/skyglow/bin/" << true;
    QTest::newRow("build tree") << "BUILD" << false;
    QTest::newRow("portable copy") << "/home/u/Skyglow/" << false;
    QTest::newRow("games") << "/usr/games/" << false;
    QTest::newRow("root") << "/" << false;
}

void TestSettingsLocation::installedFolder() {
    QFETCH(QString, folder);
    QFETCH(bool, installed);
    QTemporaryDir build;
    if (folder == "BUILD") {
        QVERIFY(QDir(build.path()).mkpath("bin"));
        QFile cache(build.filePath("CMakeCache.txt"));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        folder = build.filePath("bin/");
    }
    QCOMPARE(TSettingsLocation::InstalledFolder(folder), installed);
}

void TestSettingsLocation::locate_data() {
    QTest::addColumn<QString>("folder");     // of the executable, inside the test's folder
    QTest::addColumn<bool>("besideExists");  // Skyglow.ini beside it
    QTest::addColumn<bool>("userExists");    // the user's own file
    QTest::addColumn<QString>("read");       // BESIDE or USER
    QTest::addColumn<QString>("write");
    QTest::newRow("portable, nothing yet") << "portable" << false << false << "BESIDE"
                                           << "BESIDE";
    QTest::newRow("portable keeps its own file") << "portable" << true << true << "BESIDE"
                                                 << "BESIDE";
    QTest::newRow("installed, nothing yet") << "usr/libexec/xscreensaver" << false << false << "USER"
                                            << "USER";
    QTest::newRow("installed, administrator's defaults") << "usr/libexec/xscreensaver" << true << false << "BESIDE"
                                                         << "USER";
    QTest::newRow("installed, user's file first") << "usr/bin" << true << true << "USER"
                                                  << "USER";
    QTest::newRow("installed, only the user's file") << "usr/libexec" << false << true << "USER"
                                                     << "USER";
}

void TestSettingsLocation::locate() {
#ifdef Q_OS_WIN
    QSKIP("the XDG rule is Linux's; Windows has its own (locateOnWindows)");
#endif
    QFETCH(QString, folder);
    QFETCH(bool, besideExists);
    QFETCH(bool, userExists);
    QFETCH(QString, read);
    QFETCH(QString, write);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(folder) && QDir(dir.path()).mkpath("home/.config/skyglow"));
    const QString exeDir = dir.filePath(folder) + "/";
    const QString beside = exeDir + "Skyglow.ini", user = dir.filePath("home/.config/skyglow/Skyglow.ini");
    if (besideExists)
        QVERIFY(QFile(beside).open(QIODevice::WriteOnly));
    if (userExists)
        QVERIFY(QFile(user).open(QIODevice::WriteOnly));
    const TSettingsLocation location =
        TSettingsLocation::For(exeDir, QByteArray("relative"), QFile::encodeName(dir.filePath("home")));
    QCOMPARE(location.ReadPath, read == "USER" ? user : beside);
    QCOMPARE(location.WritePath, write == "USER" ? user : beside);
    QCOMPARE(location.UserOwn, write == "USER");
}

void TestSettingsLocation::windowsUserFile_data() {
    QTest::addColumn<QString>("appData");
    QTest::addColumn<QString>("path");
    QTest::newRow("APPDATA") << "C:\\Users\\Ana\\AppData\\Roaming"
                             << "C:/Users/Ana/AppData/Roaming/Skyglow/Skyglow.ini";
    QTest::newRow("forward slashes, trailing") << "C:/Users/Ana/AppData/Roaming/"
                                               << "C:/Users/Ana/AppData/Roaming/Skyglow/Skyglow.ini";
    QTest::newRow("not ASCII") << QString::fromUtf8("D:\\Usuarios\\Jos\u00e9\\Datos")
                               << QString::fromUtf8("D:/Usuarios/Jos\u00e9/Datos/Skyglow/Skyglow.ini");
    QTest::newRow("unset") << ""
                           << "HOME/AppData/Roaming/Skyglow/Skyglow.ini";
    QTest::newRow("relative is ignored") << "AppData"
                                         << "HOME/AppData/Roaming/Skyglow/Skyglow.ini";
    QTest::newRow("drive-relative is ignored") << "C:AppData"
                                               << "HOME/AppData/Roaming/Skyglow/Skyglow.ini";
}

void TestSettingsLocation::windowsUserFile() {
    QFETCH(QString, appData);
    QFETCH(QString, path);
    const QString home = QStringLiteral("C:/Users/Ana");
    QCOMPARE(TSettingsLocation::WindowsUserFile(appData, home), path.replace("HOME", home));
}

void TestSettingsLocation::locateOnWindows_data() {
    QTest::addColumn<int>("beside");       // Skyglow.ini beside the program: 0 none, 1 writable, 2 read-only
    QTest::addColumn<bool>("userExists");  // %APPDATA%\Skyglow\Skyglow.ini
    QTest::addColumn<QString>("read");     // BESIDE or USER
    QTest::addColumn<QString>("write");
    QTest::newRow("installed, nothing yet") << 0 << false << "USER"
                                            << "USER";
    QTest::newRow("installed, only the user's file") << 0 << true << "USER"
                                                     << "USER";
    QTest::newRow("portable copy") << 1 << false << "BESIDE"
                                   << "BESIDE";
    QTest::newRow("portable keeps its own file") << 1 << true << "BESIDE"
                                                 << "BESIDE";
    QTest::newRow("administrator's defaults") << 2 << false << "BESIDE"
                                              << "USER";
    QTest::newRow("user's file first") << 2 << true << "USER"
                                       << "USER";
}

// A program folder, and an APPDATA folder, inside the test's own temporary folder.
void TestSettingsLocation::locateOnWindows() {
    QFETCH(int, beside);
    QFETCH(bool, userExists);
    QFETCH(QString, read);
    QFETCH(QString, write);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("program") && QDir(dir.path()).mkpath("Roaming/Skyglow"));
    const QString exeDir = dir.filePath("program") + "/";
    const QString besideFile = exeDir + "Skyglow.ini", user = dir.filePath("Roaming/Skyglow/Skyglow.ini");
    if (beside > 0)
        QVERIFY(QFile(besideFile).open(QIODevice::WriteOnly));
    if (beside == 2) {
        QVERIFY(QFile::setPermissions(besideFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (TSettingsLocation::MayRewrite(besideFile))
            QSKIP("this user may write read-only files (root): an administrator's file cannot be made here");
    }
    if (userExists)
        QVERIFY(QFile(user).open(QIODevice::WriteOnly));
    const TSettingsLocation location = TSettingsLocation::ForWindows(exeDir, dir.filePath("Roaming"));
    QCOMPARE(location.ReadPath, read == "USER" ? user : besideFile);
    QCOMPARE(location.WritePath, write == "USER" ? user : besideFile);
    QCOMPARE(location.UserOwn, write == "USER");
    if (beside == 2)
        QFile::setPermissions(besideFile, QFile::ReadOwner | QFile::WriteOwner);  // so the folder can go
}

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settings_location.moc"
