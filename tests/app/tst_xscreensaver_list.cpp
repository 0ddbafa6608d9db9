// Adding the saver to the programs of ~/.xscreensaver: the text edit, and the program's option on
// a real home folder.
#include "XScreenSaverList.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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
    QTest::newRow("no file") << QByteArray("-") << 1 << 1
                             << "skyglow: HOME/.xscreensaver does not exist: open XScreenSaver's settings "
                                "(xscreensaver-settings) once, which makes it, then run this again\n"
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
        QVERIFY(!QFile::exists(path));
    }
}

QTEST_GUILESS_MAIN(TestXScreenSaverList)
#include "tst_xscreensaver_list.moc"
