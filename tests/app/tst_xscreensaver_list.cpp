// Adding the saver to the programs of ~/.xscreensaver: the text edit, the program's option on a
// real home folder, and the file it makes where there is none, as the real XScreenSaver takes it.
#include "XScreenSaverList.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include "../support/PrivateXvfb.h"
#include "../support/TestUser.h"

using namespace Tallwick;

namespace {
const QByteArray kHead = "# XScreenSaver Preferences File\nmode:\t\trandom\ntimeout:\t0:10:00\n";
const QByteArray kPrograms =
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "  \"Qix (solid)\" \tqix -root -solid\t\t    \\n\\\n"
    "\t\t\t\txmountains -root\t\t\t    \\n\n";
const QByteArray kTail = "\npointerHysteresis:\t10\n";
const QByteArray kEntryLine = "  \"Skyglow II\"  skyglow --root \\n\\\n";
}  // namespace

class TestXScreenSaverList : public QObject {
    Q_OBJECT
private slots:
    void edit_data();
    void edit();
    void program_data();
    void program();
    void daemonTakesMadeFile();
};

void TestXScreenSaverList::edit_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("expected");  // leAdded: the new file; leUnreadable: part of the reason
    const QByteArray header = "programs:\t\t\t\t\t\t\t      \\\n";
    QTest::newRow("added first") << kHead + kPrograms + kTail << int(leAdded)
                                 << kHead + header + kEntryLine + kPrograms.mid(header.size()) + kTail;
    QTest::newRow("without a final newline") << kHead + kPrograms + "x: 1" << int(leAdded)
                                             << kHead + header + kEntryLine + kPrograms.mid(header.size()) + "x: 1\n";
    QTest::newRow("empty list") << QByteArray("programs:\nlock: False\n") << int(leAdded)
                                << QByteArray("programs:\t\\\n  \"Skyglow II\"  skyglow --root\nlock: False\n");
    QTest::newRow("one-line list") << QByteArray("programs: maze -root\n") << int(leAdded)
                                   << QByteArray("programs:\t\\\n" + kEntryLine + "  maze -root\n");
    QTest::newRow("app-defaults spelling") << QByteArray("*programs:\t\\\n  maze --root \\n\n") << int(leAdded)
                                           << QByteArray("*programs:\t\\\n" + kEntryLine + "  maze --root \\n\n");
    QTest::newRow("present") << kHead + header + "  skyglow --root \\n\\\n" + kPrograms.mid(header.size())
                             << int(lePresent) << QByteArray();
    QTest::newRow("present, disabled, titled")
        << kHead + header + "-  \"Skyglow II\"  skyglow --root --stars 20 \\n\\\n" + kPrograms.mid(header.size())
        << int(lePresent) << QByteArray();
    QTest::newRow("present by path, last")
        << QByteArray("programs: \\\n  maze \\n\\\n- /usr/bin/skyglow -root\n") << int(lePresent) << QByteArray();
    QTest::newRow("present as Skyglow.scr with a visual")
        << QByteArray("programs: \\\n default-n: \"Sky\" /opt/b/Skyglow.scr /p $XSCREENSAVER_WINDOW \\n\n")
        << int(lePresent) << QByteArray();
    QTest::newRow("skyglow only in a title is not present")
        << QByteArray("programs: \\\n \"skyglow\" maze -root \\n\n") << int(leAdded)
        << QByteArray("programs: \\\n" + kEntryLine + " \"skyglow\" maze -root \\n\n");
    QTest::newRow("no programs") << kHead + kTail << int(leUnreadable) << QByteArray("no programs: list");
    QTest::newRow("empty file") << QByteArray() << int(leUnreadable) << QByteArray("no programs: list");
    QTest::newRow("list runs off the end")
        << QByteArray("programs: \\\n maze \\n\\") << int(leUnreadable) << QByteArray("past the end");
    QTest::newRow("binary") << QByteArray(300, '\0') + "\xff\xfe" << int(leUnreadable) << QByteArray("no programs");
}

void TestXScreenSaverList::edit() {
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    QFETCH(QByteArray, expected);
    const TProgramsEdit edit = AddSaverEntry(file);
    QCOMPARE(int(edit.Result), result);
    if (result == leAdded) {
        QCOMPARE(edit.Text, expected);
        QCOMPARE(int(AddSaverEntry(edit.Text).Result), int(lePresent));  // a second run changes nothing
    } else if (result == leUnreadable) {
        QVERIFY2(edit.Reason.contains(QString::fromLatin1(expected)), qPrintable(edit.Reason));
    }
}

void TestXScreenSaverList::program_data() {
    QTest::addColumn<QByteArray>("file");  // "-": no file
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("changed");
    const QByteArray disabled = "programs: \\\n- \"Skyglow II\" skyglow --root \\n\\\n maze -root \\n\n";
    QTest::newRow("added") << kHead + kPrograms << 1 << 0
                           << "skyglow: added \"Skyglow II\"  skyglow --root to the "
                              "programs of HOME/.xscreensaver (the previous file is "
                              "kept as HOME/.xscreensaver.bak-skyglow)\n"
                           << true;
    QTest::newRow("twice") << kHead + kPrograms << 2 << 0
                           << "skyglow: HOME/.xscreensaver already lists skyglow; "
                              "nothing changed\n"
                           << true;
    QTest::newRow("disabled entry") << disabled << 1 << 0
                                    << "skyglow: HOME/.xscreensaver already lists skyglow; nothing changed\n"
                                    << false;
    QTest::newRow("no file") << QByteArray("-") << 1 << 0
                             << "skyglow: made HOME/.xscreensaver with XScreenSaver's own list of display "
                                "programs and \"Skyglow II\"  skyglow --root first\n"
                             << false;
    QTest::newRow("larger than 1 MB") << kHead + kPrograms + QByteArray(1 << 21, '#') << 1 << 1
                                      << "skyglow: HOME/.xscreensaver cannot be read or is larger than 1 MB; it "
                                         "is left as it is\n"
                                      << false;
    QTest::newRow("unreadable") << kHead << 1 << 1
                                << "skyglow: HOME/.xscreensaver is left as it is: it has no "
                                   "programs: list\n"
                                << false;
}

// Runs the program itself (as skyglow, by a link) with HOME in a temporary folder.
void TestXScreenSaverList::program() {
    QFETCH(QByteArray, file);
    QFETCH(int, runs);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(bool, changed);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString path = home.filePath(".xscreensaver");
    if (file != "-") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    const QString exe = home.filePath("skyglow");
    QVERIFY(QFile::link(SKYGLOW_EXE, exe));
    QByteArray afterFirst;
    for (int run = 1; run <= runs; ++run) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.remove("DISPLAY");  // needs none
        p.setProcessEnvironment(env);
        p.start(exe, {"--add-to-xscreensaver"});
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), status);
        const QString output = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        QFile now(path);
        if (now.open(QIODevice::ReadOnly))
            (run == 1 ? afterFirst : file) = now.readAll();
        if (run == runs)
            QCOMPARE(output, QString(said).replace("HOME", home.path()));
    }
    if (runs == 2)
        QCOMPARE(file, afterFirst);  // the second run left the first one's file
    QCOMPARE(QFile::exists(path + ".bak-skyglow"), changed);
    if (changed) {
        QFile backup(path + ".bak-skyglow");
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), kHead + kPrograms);
        QVERIFY(afterFirst.contains(kEntryLine));
    } else if (file != "-") {
        QCOMPARE(afterFirst, file);
    } else {
        QVERIFY(afterFirst.startsWith("# XScreenSaver Preferences File\n"));
        QVERIFY(afterFirst.contains("\nprograms:"));
        QVERIFY(afterFirst.contains(kEntryLine.trimmed()));
        if (QFile::exists("/etc/X11/app-defaults/XScreenSaver"))
            QVERIFY(afterFirst.contains("maze --root"));  // XScreenSaver's own list follows
    }
}

// The file made for a user without one, under the real XScreenSaver daemon (run as an ordinary
// user, as it insists): it reads it, and its first display program, asked for by number, is the
// saver.
void TestXScreenSaverList::daemonTakesMadeFile() {
    const char* const user = "skyglow-xss";
    for (const char* tool : {"xscreensaver", "xscreensaver-command", "Xvfb"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed (Debian packages xscreensaver, xvfb)").arg(tool)));
    if (!TestUser::Ensure(user))
        QSKIP("XScreenSaver refuses to run as root, and no ordinary user could be made to run it");
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkdir("bin"));
    QVERIFY(QFile::copy(SKYGLOW_EXE, home.filePath("bin/skyglow")));
    QVERIFY(QFile::copy(SKYGLOW_LIBRARY, home.filePath("bin/" + QFileInfo(SKYGLOW_LIBRARY).fileName())));
    QVERIFY(TestUser::Own(user, home.path()));
    PrivateXvfb server;
    QVERIFY(!server.Display().isEmpty());
    const QStringList env{"env",
                          "-i",
                          "HOME=" + home.path(),
                          "PATH=" + home.filePath("bin") + ":/usr/bin:/bin",
                          "LD_LIBRARY_PATH=" + home.filePath("bin"),
                          "DISPLAY=" + server.Display()};
    const auto run = [&](const QStringList& command) {
        const QStringList full = TestUser::As(user, env + command);
        QProcess p;
        p.start(full.first(), full.mid(1));
        p.waitForFinished(15000);
        return p.exitCode();
    };
    QCOMPARE(run({"skyglow", "--add-to-xscreensaver"}), 0);
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList start = TestUser::As(user, env + QStringList{"xscreensaver", "--no-splash"});
    daemon.start(start.first(), start.mid(1));
    QVERIFY(daemon.waitForStarted(15000));
    const auto stop = qScopeGuard([&] {
        run({"xscreensaver-command", "-exit"});
        if (!daemon.waitForFinished(5000))
            daemon.kill();
        daemon.waitForFinished(5000);
        QProcess pgrep;  // a saver the daemon left behind
        pgrep.start("pgrep", {"-u", user, "-x", "skyglow"});
        pgrep.waitForFinished(5000);
        for (const QByteArray& pid : pgrep.readAllStandardOutput().split('\n'))
            if (pid.toInt() > 0)
                ::kill(pid.toInt(), SIGKILL);
    });
    QVERIFY(QTest::qWaitFor([&] { return run({"xscreensaver-command", "-version"}) == 0; }, 15000));
    QCOMPARE(run({"xscreensaver-command", "-select", "1"}), 0);
    const auto saverRunning = [&] {
        QProcess pgrep;
        pgrep.start("pgrep", {"-u", user, "-x", "skyglow"});
        return pgrep.waitForFinished(5000) && pgrep.exitCode() == 0;
    };
    const bool saverRuns = QTest::qWaitFor(saverRunning, 15000);
    QVERIFY2(saverRuns, daemon.readAll().constData());
    const QByteArray log = daemon.readAll();
    QVERIFY2(!log.contains(".xscreensaver"), log.constData());  // no complaint about the file
}

QTEST_GUILESS_MAIN(TestXScreenSaverList)
#include "tst_xscreensaver_list.moc"
