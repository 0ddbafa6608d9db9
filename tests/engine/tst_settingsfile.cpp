// Tests of the settings file: its bytes as written, and reading good, damaged and foreign files.
#include <Tallwick/Exception.h>
#include "SettingsFile.h"
#include "Tstars.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <csignal>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include "../support/PrivateMounts.h"
#include "../support/SettingsFileBytes.h"

using namespace Tallwick;

namespace {
QByteArray Int32(qint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray SettingsFile(const QByteArray& title, qint32 back, qint32 star, qint32 text1, qint32 text2, qint32 count,
                        qint32 speed, char logo) {
    return Int32(title.size()) + title + Int32(back) + Int32(star) + Int32(text1) + Int32(text2) + Int32(count) +
           Int32(speed) + QByteArray(1, logo);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

// Writes `bytes` as the settings file at `path` and loads it into `stars`.
void LoadFile(TStars& stars, const QString& path, const QByteArray& bytes) {
    WriteFile(path, bytes);
    stars.UseSettingsFile(path);
    stars.LoadSettings();
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

struct Settings {
    TColor back, star, text1, text2;
    int count, speed, logo;
};

Settings Of(const TStars& s) {
    return {s.BackColor, s.StarColor, s.TextColor1, s.TextColor2, s.StarCount, s.Speed, s.ShowLogo};
}

bool operator==(const Settings& a, const Settings& b) {
    return a.back == b.back && a.star == b.star && a.text1 == b.text1 && a.text2 == b.text2 && a.count == b.count &&
           a.speed == b.speed && a.logo == b.logo;
}

char* toString(const Settings& s) {
    return qstrdup(QStringLiteral("{%1 %2 %3 %4 %5 %6 %7}")
                       .arg(s.back, 0, 16)
                       .arg(s.star, 0, 16)
                       .arg(s.text1, 0, 16)
                       .arg(s.text2, 0, 16)
                       .arg(s.count)
                       .arg(s.speed)
                       .arg(s.logo)
                       .toLatin1());
}

const Settings kDefaults{0, 0xFFFFFF, 0xB4B4B4, 0xFF0000, 1000, 50, 1};
}  // namespace

Q_DECLARE_METATYPE(Settings)

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void missingFileGivesDefaultsAndCreatesNothing();
    void defaultsSaveAsThe39Bytes();
    void savedValuesLoadBack_data();
    void savedValuesLoadBack();
    void matchingFilesLoad_data();
    void matchingFilesLoad();
    void foreignTitlesEndTheProgram_data();
    void foreignTitlesEndTheProgram();
    void damagedFilesGiveDefaults_data();
    void damagedFilesGiveDefaults();
    void savingOverALongerFileTruncates();
    void unopenableFileRaises();
    void uncreatableFileRaisesAndChangesNothing_data();
    void uncreatableFileRaisesAndChangesNothing();
    void interruptedSaveKeepsTheOldFile();
    void readOnlyFileIsNotReplaced();
    void savesNeverWidenPermissions_data();
    void savesNeverWidenPermissions();
    void specialFilesAreRefused_data();
    void specialFilesAreRefused();
    void systemReasonFollowsTheMessage_data();
    void systemReasonFollowsTheMessage();

private:
    // The message of the EFCreateError that writing the defaults to `path` raises; empty if none.
    static QString SaveError(const QString& path, bool userOwn = false);

    QTemporaryDir FDir;
    QString FPath;
};

void TestSettingsFile::init() {
    QVERIFY(FDir.isValid());
    FPath = FDir.filePath(QStringLiteral("Skyglow.ini"));
    QFile::remove(FPath);
}

void TestSettingsFile::missingFileGivesDefaultsAndCreatesNothing() {
    TStars s;
    s.UseSettingsFile(FPath);
    s.BackColor = 0x123456;
    s.StarCount = 3;
    s.ShowLogo = 0;
    s.LoadSettings();
    QCOMPARE(Of(s), kDefaults);
    QVERIFY(!s.ForeignTitle);
    QVERIFY(!QFile::exists(FPath));
}

void TestSettingsFile::defaultsSaveAsThe39Bytes() {
    TStars s;
    s.UseSettingsFile(FPath);
    s.LoadSettings();
    s.SaveSettings();
    const QByteArray bytes = ReadFile(FPath);
    QCOMPARE(bytes.size(), 39);
    QCOMPARE(bytes.toHex(' '), TestSettings::kDefaultFile.toHex(' '));
    TStars again;
    again.UseSettingsFile(FPath);
    again.StarCount = 77;
    again.LoadSettings();
    QCOMPARE(Of(again), kDefaults);
    QVERIFY(!again.ForeignTitle);
    // No temporary file is left beside it.
    QCOMPARE(QDir(FDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Skyglow.ini")});
}

void TestSettingsFile::savedValuesLoadBack_data() {
    QTest::addColumn<Settings>("values");
    QTest::newRow("dialog maxima") << Settings{0xFFFFFF, 0x00FF00, 0x0000FF, 0x010203, 9999, 100, 0};
    QTest::newRow("dialog minima") << Settings{0, 0, 0, 0, 10, 0, 1};
    QTest::newRow("out of range kept") << Settings{-1, 0x7FFFFFFF, int(0x80000014), 5, -3, 1000000, 1};
}

void TestSettingsFile::savedValuesLoadBack() {
    QFETCH(Settings, values);
    TStars s;
    s.UseSettingsFile(FPath);
    s.BackColor = values.back;
    s.StarColor = values.star;
    s.TextColor1 = values.text1;
    s.TextColor2 = values.text2;
    s.StarCount = values.count;
    s.Speed = values.speed;
    s.ShowLogo = static_cast<unsigned char>(values.logo);
    s.SaveSettings();
    QCOMPARE(ReadFile(FPath), SettingsFile("Skyglow II", values.back, values.star, values.text1, values.text2,
                                           values.count, values.speed, char(values.logo)));
    TStars loaded;
    loaded.UseSettingsFile(FPath);
    loaded.LoadSettings();
    QCOMPARE(Of(loaded), values);
}

void TestSettingsFile::matchingFilesLoad_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Settings>("expected");
    QTest::newRow("star count 0") << SettingsFile("Skyglow II", 1, 2, 3, 4, 0, 20, 1) << Settings{1, 2, 3, 4, 0, 20, 1};
    QTest::newRow("show logo 0") << SettingsFile("Skyglow II", 0, 0, 0, 0, 10, 0, 0) << Settings{0, 0, 0, 0, 10, 0, 0};
    QTest::newRow("bytes after the layout ignored")
        << SettingsFile("Skyglow II", 9, 8, 7, 6, 5, 4, 1) + "trailing" << Settings{9, 8, 7, 6, 5, 4, 1};
}

void TestSettingsFile::matchingFilesLoad() {
    QFETCH(QByteArray, file);
    QFETCH(Settings, expected);
    TStars s;
    LoadFile(s, FPath, file);
    QVERIFY(!s.ForeignTitle);
    QVERIFY(!s.SettingsDamaged);
    QVERIFY(s.SettingsProblem.isEmpty());
    QCOMPARE(Of(s), expected);
}

void TestSettingsFile::foreignTitlesEndTheProgram_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Settings>("expected");  // what stays in the fields
    QTest::addColumn<QString>("problem");
    QTest::newRow("differs in letter case")
        << SettingsFile("SKYGLOW II", 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
        << "its title is \"SKYGLOW II\", not \"Skyglow II\"";
    QTest::newRow("another program") << SettingsFile("Skyglow", 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
                                     << "its title is \"Skyglow\", not \"Skyglow II\"";
    QTest::newRow("title of length 0") << SettingsFile("", 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
                                       << "its title is \"\", not \"Skyglow II\"";
    QTest::newRow("title cut by a zero byte")
        << SettingsFile(QByteArray("Skyglow\0II", 10), 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
        << "its title is \"Skyglow\", not \"Skyglow II\"";
    QTest::newRow("bytes other than text shown as ?")
        << SettingsFile("Sky\tglow\xff", 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
        << "its title is \"Sky?glow?\", not \"Skyglow II\"";
    // Too long to be any program's title: skipped, not read, and the fields after it still are.
    QTest::newRow("title of 100000 bytes")
        << SettingsFile(QByteArray(100000, 'S'), 1, 2, 3, 4, 5, 6, 0) << Settings{1, 2, 3, 4, 5, 6, 0}
        << "its title is 100000 bytes long, not the title \"Skyglow II\"";
}

void TestSettingsFile::foreignTitlesEndTheProgram() {
    QFETCH(QByteArray, file);
    QFETCH(Settings, expected);
    QFETCH(QString, problem);
    TStars s;
    LoadFile(s, FPath, file);
    QVERIFY(s.ForeignTitle);
    QVERIFY(!s.SettingsDamaged);
    QCOMPARE(s.SettingsProblem, problem);
    QCOMPARE(Of(s), expected);
    // Loading never writes.
    QCOMPARE(ReadFile(FPath), file);
}

void TestSettingsFile::damagedFilesGiveDefaults_data() {
    const QByteArray full = SettingsFile("Skyglow II", 1, 2, 3, 4, 5, 6, 0);
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("problem");
    QTest::newRow("empty file") << QByteArray() << "it is 0 bytes long, too short for even the title length";
    QTest::newRow("length cut short") << QByteArray("\x0a\x00", 2)
                                      << "it is 2 bytes long, too short for even the title length";
    QTest::newRow("negative title length")
        << Int32(-10) + QByteArray("Skyglow II") + QByteArray(25, '\x11') << "its title length is negative (-10)";
    QTest::newRow("most negative title length")
        << Int32(INT_MIN) + QByteArray(25, '\x11') << "its title length is negative (-2147483648)";
    QTest::newRow("cut inside the title")
        << full.left(8) << "it ends inside its title (8 bytes; the title alone needs 14)";
    QTest::newRow("title length past the end")
        << Int32(2000000000) + QByteArray("Skyglow II") + QByteArray(25, '\x11')
        << "it ends inside its title (39 bytes; the title alone needs 2000000004)";
    QTest::newRow("title only") << full.left(14) << "it ends before its last setting (14 bytes; 39 needed)";
    QTest::newRow("half a colour") << full.left(16) << "it ends before its last setting (16 bytes; 39 needed)";
    QTest::newRow("up to the star count") << full.left(34) << "it ends before its last setting (34 bytes; 39 needed)";
    QTest::newRow("all but the logo byte") << full.left(38) << "it ends before its last setting (38 bytes; 39 needed)";
    // One wrong byte in the title length of a good file: read as it stands, the title would still
    // match (it ends at the zero byte after it) and every field would come from the wrong place.
    QByteArray longer = full, muchLonger = full;
    longer[0] = 0x0B;
    muchLonger[0] = 0x0E;
    QTest::newRow("title length one too long") << longer << "it ends before its last setting (39 bytes; 40 needed)";
    QTest::newRow("title length four too long")
        << muchLonger << "it ends before its last setting (39 bytes; 43 needed)";
}

// A file that cannot hold the layout its title length announces is not read at all: the defaults
// are used, whether its title would have matched or not, and the file is left alone.
void TestSettingsFile::damagedFilesGiveDefaults() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    TStars s;
    s.StarCount = 123;
    LoadFile(s, FPath, file);
    QVERIFY(s.SettingsDamaged);
    QVERIFY(!s.ForeignTitle);
    QCOMPARE(s.SettingsProblem, problem);
    QCOMPARE(Of(s), kDefaults);
    QCOMPARE(ReadFile(FPath), file);
    // A good file read with the same engine afterwards clears the verdict.
    LoadFile(s, FPath, TestSettings::kDefaultFile);
    QVERIFY(!s.SettingsDamaged);
    QVERIFY(s.SettingsProblem.isEmpty());
}

void TestSettingsFile::savingOverALongerFileTruncates() {
    WriteFile(FPath, QByteArray(500, 'x'));
    TStars s;
    s.UseSettingsFile(FPath);
    s.SaveSettings();
    QCOMPARE(ReadFile(FPath), TestSettings::kDefaultFile);
}

void TestSettingsFile::unopenableFileRaises() {
    // A directory where the file should be cannot be opened, even by the superuser.
    QVERIFY(QDir(FDir.path()).mkdir(QStringLiteral("Skyglow.ini")));
    TStars s;
    s.UseSettingsFile(FPath);
    s.StarCount = 4321;
    QString message;
    try {
        s.LoadSettings();
    } catch (const EFOpenError& e) {
        message = e.Message;
    }
    QDir(FPath).removeRecursively();
    QCOMPARE(message, QStringLiteral("Cannot open file %1").arg(FPath));
    QCOMPARE(s.StarCount, 4321);  // no field was set
}

void TestSettingsFile::uncreatableFileRaisesAndChangesNothing_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such directory") << QStringLiteral("/nonexistent-skyglow-dir/Skyglow.ini")
                                       << "No such file or directory";
    QTest::newRow("/proc") << QStringLiteral("/proc/Skyglow.ini") << "No such file or directory";
    QTest::newRow("directory under a file") << QStringLiteral("/etc/hostname/Skyglow.ini") << "Not a directory";
}

void TestSettingsFile::uncreatableFileRaisesAndChangesNothing() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    TStars s;
    s.UseSettingsFile(path);
    QString message;
    try {
        s.SaveSettings();
    } catch (const EFCreateError& e) {
        message = e.Message;
    }
    QCOMPARE(message, QStringLiteral("Cannot create file %1: %2").arg(path, reason));
    QVERIFY(!QFile::exists(path));
}

void TestSettingsFile::interruptedSaveKeepsTheOldFile() {
    const QByteArray old = SettingsFile("Skyglow II", 1, 2, 3, 4, 5, 6, 0);
    WriteFile(FPath, old);
    // Files may grow to 20 bytes only: the save fails half-way, as on a full disk.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 20;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    TStars s;
    s.UseSettingsFile(FPath);
    QString message;
    try {
        s.SaveSettings();
    } catch (const EFCreateError& e) {
        message = e.Message;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(message, QStringLiteral("Cannot create file %1: File too large").arg(FPath));
    QCOMPARE(ReadFile(FPath), old);
    QCOMPARE(QDir(FDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Skyglow.ini")});
}

void TestSettingsFile::readOnlyFileIsNotReplaced() {
    const QByteArray old = SettingsFile("Skyglow II", 1, 2, 3, 4, 5, 6, 0);
    WriteFile(FPath, old);
    QVERIFY(QFile::setPermissions(FPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    // The directory stays writable by everyone: only the file itself is protected.
    QVERIFY(QFile::setPermissions(FDir.path(), QFile::Permissions(0x7777)));
    // The superuser writes anything: check as an ordinary user.
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(65534);
    const int probe = ::open(QFile::encodeName(FPath).constData(), O_WRONLY);
    TStars s;
    s.UseSettingsFile(FPath);
    QString message;
    try {
        s.SaveSettings();
    } catch (const EFCreateError& e) {
        message = e.Message;
    }
    if (root)
        setfsuid(0);
    QFile::setPermissions(FPath, QFile::ReadOwner | QFile::WriteOwner);
    if (probe >= 0)
        ::close(probe);
    QCOMPARE(probe, -1);
    QCOMPARE(message, QStringLiteral("Cannot create file %1: Permission denied").arg(FPath));
    QCOMPARE(ReadFile(FPath), old);
    QCOMPARE(QDir(FDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Skyglow.ini")});
}

QString TestSettingsFile::SaveError(const QString& path, bool userOwn) {
    try {
        TSettingsFile::Write(path, TSkySettings(), "Skyglow II", userOwn);
    } catch (const EFCreateError& e) {
        return e.Message;
    }
    return QString();
}

// What is at the settings path before the save: nothing, a regular file of some mode, or a link
// to a file of mode 0666 or to nothing. A link is replaced by a file of a new file's mode, and
// what it led to stays as it was.
void TestSettingsFile::savesNeverWidenPermissions_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("oldMode");
    QTest::addColumn<bool>("userOwn");
    QTest::addColumn<int>("mode");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const int userDefault = 0666 & ~int(mask);
    QTest::newRow("new file, user's own") << "nothing" << 0 << true << 0600;
    QTest::newRow("new file beside the program") << "nothing" << 0 << false << userDefault;
    QTest::newRow("0640 file, user's own") << "file" << 0640 << true << 0640;
    QTest::newRow("0604 file beside the program") << "file" << 0604 << false << 0604;
    QTest::newRow("link to a 0666 file, user's own") << "link" << 0666 << true << 0600;
    QTest::newRow("link to a 0666 file beside the program") << "link" << 0666 << false << userDefault;
    QTest::newRow("link to a missing file") << "dangling link" << 0 << true << 0600;
}

void TestSettingsFile::savesNeverWidenPermissions() {
    QFETCH(QString, before);
    QFETCH(int, oldMode);
    QFETCH(bool, userOwn);
    QFETCH(int, mode);
    const QString target = FDir.filePath(QStringLiteral("elsewhere.ini"));
    QFile::remove(target);
    const QByteArray old = SettingsFile("Skyglow II", 1, 2, 3, 4, 5, 6, 0);
    if (before == "file" || before == "link") {
        WriteFile(before == "file" ? FPath : target, old);
        QCOMPARE(::chmod(QFile::encodeName(before == "file" ? FPath : target).constData(), mode_t(oldMode)), 0);
    }
    if (before.contains("link"))
        QVERIFY(QFile::link(target, FPath));
    QCOMPARE(SaveError(FPath, userOwn), QString());
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(FPath).constData(), &st), 0);
    QVERIFY(S_ISREG(st.st_mode));
    QCOMPARE(int(st.st_mode & 07777), mode);
    QCOMPARE(ReadFile(FPath), TestSettings::kDefaultFile);
    if (before == "link") {  // the file the link led to is untouched
        QCOMPARE(ReadFile(target), old);
        QCOMPARE(int(QFileInfo(target).permissions() & 0x0FFF), 0x0666);
    }
    QCOMPARE(QFile::exists(target), before == "link");
    QFile::remove(target);
}

// Bytes written through a link to a device, or into a pipe, are not kept anywhere: the save is
// refused with the reason, and the link or pipe stays as it was.
void TestSettingsFile::specialFilesAreRefused_data() {
    QTest::addColumn<QString>("linkTo");  // empty: a named pipe at the path itself
    QTest::addColumn<QString>("reason");
    QTest::newRow("link to /dev/full") << "/dev/full"
                                       << "it is a link to /dev/full, which is a device, not a regular file";
    QTest::newRow("link to /dev/null") << "/dev/null"
                                       << "it is a link to /dev/null, which is a device, not a regular file";
    QTest::newRow("link to a folder") << "/tmp"
                                      << "it is a link to /tmp, which is a folder, not a regular file";
    QTest::newRow("named pipe") << QString() << "it is a named pipe, not a regular file";
}

void TestSettingsFile::specialFilesAreRefused() {
    QFETCH(QString, linkTo);
    QFETCH(QString, reason);
    if (linkTo.isEmpty())
        QCOMPARE(::mkfifo(QFile::encodeName(FPath).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(linkTo, FPath));
    QCOMPARE(SaveError(FPath, true), QStringLiteral("Cannot create file %1: %2").arg(FPath, reason));
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(FPath).constData(), &st), 0);
    QVERIFY(linkTo.isEmpty() ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
    QCOMPARE(QFile::symLinkTarget(FPath), linkTo);
    QCOMPARE(QDir(FDir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Skyglow.ini")});
    QFile::remove(FPath);
}

// On a read-only file system and on a full disk the message says which; the old file stays whole.
void TestSettingsFile::systemReasonFollowsTheMessage_data() {
    QTest::addColumn<bool>("readOnly");  // else a full 8 KB tmpfs
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only bind mount, new file") << true << false << "Read-only file system";
    QTest::newRow("read-only bind mount, old file") << true << true << "Read-only file system";
    QTest::newRow("full 8 KB tmpfs, old file") << false << true << "No space left on device";
}

void TestSettingsFile::systemReasonFollowsTheMessage() {
    QFETCH(bool, readOnly);
    QFETCH(bool, oldFile);
    QFETCH(QString, reason);
    const QString folder = FDir.filePath(QStringLiteral("mounted"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Skyglow.ini");
    const QByteArray old = SettingsFile("Skyglow II", 1, 2, 3, 4, 5, 6, 0);
    QString why = readOnly ? QString() : PrivateMounts::SmallTmpfs(folder, 8192);
    if (oldFile)
        WriteFile(path, old);
    if (readOnly)
        why = PrivateMounts::ReadOnly(folder);
    else  // the rest of the 8 KB goes to another file
        WriteFile(folder + QStringLiteral("/filler"), QByteArray(8192 - 4096, 'x'));
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    const QString message = SaveError(path);
    const QStringList after = QDir(folder).entryList(QDir::Files);
    const QByteArray kept = ReadFile(path);
    PrivateMounts::Unmount(folder);
    QDir(folder).removeRecursively();
    QCOMPARE(message, QStringLiteral("Cannot create file %1: %2").arg(path, reason));
    QCOMPARE(after, entries);
    QCOMPARE(kept, oldFile ? old : QByteArray("<unreadable>"));  // no file was made
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
