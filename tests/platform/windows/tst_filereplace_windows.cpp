// Replacing files on Windows: names beyond any 8-bit code page, an existing file replaced whole,
// a read-only one refused and left as it was.
#include "FileReplace.h"

#include <Tallwick/Exception.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tallwick;

namespace {
QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
}  // namespace

class TestFileReplaceWindows : public QObject {
    Q_OBJECT
private slots:
    void replacesWhole_data();
    void replacesWhole();
    void refusesReadOnly();
    void refusesMissingFolder();
};

void TestFileReplaceWindows::replacesWhole_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before");  // empty: no file yet
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << "Skyglow.ini" << QByteArray() << QByteArray("\x0bSkyglow II\r\n", 13);
    QTest::newRow("shorter than before") << "Skyglow.ini" << QByteArray(5000, 'x') << QByteArray("ab\0cd", 5);
    QTest::newRow("Spanish name") << QString::fromUtf8("Configuraci\u00f3n de Mar\u00eda.ini") << QByteArray("old")
                                  << QByteArray("new");
    QTest::newRow("beyond any code page")
        << QString::fromUtf8("\u661f\u7a7a \u2606 \U0001F30C.bmp") << QByteArray() << QByteArray(70000, '\x7f');
}

// Bytes go out exactly as given: no text-mode line endings, nothing left of a longer old file.
void TestFileReplaceWindows::replacesWhole() {
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!before.isEmpty()) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(before);
    }
    ReplaceFile(path, after);
    QCOMPARE(Contents(path), after);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});  // no temporary file left
}

void TestFileReplaceWindows::refusesReadOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("read-only.ini"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept");
    }
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    if (QFile probe(path); probe.open(QIODevice::ReadWrite))
        QSKIP("this user may write read-only files (root under Wine): nothing to refuse here");
    QVERIFY_THROWS_EXCEPTION(EFCreateError, ReplaceFile(path, "lost"));
    QCOMPARE(Contents(path), QByteArray("kept"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestFileReplaceWindows::refusesMissingFolder() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(EFCreateError, ReplaceFile(dir.filePath(QStringLiteral("none/Skyglow.ini")), "x"));
}

QTEST_GUILESS_MAIN(TestFileReplaceWindows)
#include "tst_filereplace_windows.moc"
