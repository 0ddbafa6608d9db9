// The program started with "/c" on a real X server, driven by the keyboard as a user would:
// Enter confirms and writes the settings file beside the executable, Escape writes nothing.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include "../support/SettingsFileBytes.h"

namespace {
constexpr int kTimeoutMs = 15000;

// Another program's settings, title and all: the dialog shows them and must leave them alone.
const QByteArray kStoredFile = QByteArray::fromHex(
    "0a000000"
    "536b79676c6f77204949"
    "01020300"
    "04050600"
    "07080900"
    "0a0b0c00"
    "d2040000"
    "07000000"
    "00");

QString Xdotool(const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(kTimeoutMs);
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}
}  // namespace

class TestSettingsProgram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void keys_data();
    void keys();

private:
    QTemporaryDir FDir;
    QString FExe;
};

void TestSettingsProgram::initTestCase() {
    QVERIFY(qEnvironmentVariableIsSet("DISPLAY"));
    QVERIFY(FDir.isValid());
    // A copy of its own, so the settings file beside it is this test's alone.
    FExe = FDir.filePath(QStringLiteral("Skyglow.scr"));
    QVERIFY(QFile::copy(QStringLiteral(SKYGLOW_EXE), FExe));
}

void TestSettingsProgram::keys_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");  // empty: no file
    QTest::newRow("Enter without a file") << "/c"
                                          << "Return" << QByteArray() << TestSettings::kDefaultFile;
    QTest::newRow("Enter, /c with a window id") << "/c:1234"
                                                << "Return" << QByteArray() << TestSettings::kDefaultFile;
    QTest::newRow("Enter over a stored file") << "/c"
                                              << "Return" << kStoredFile << kStoredFile;
    QTest::newRow("Escape without a file") << "/c"
                                           << "Escape" << QByteArray() << QByteArray();
    QTest::newRow("Escape over a stored file") << "/c"
                                               << "Escape" << kStoredFile << kStoredFile;
}

void TestSettingsProgram::keys() {
    QFETCH(QString, argument);
    QFETCH(QString, key);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QString settings = FDir.filePath(QStringLiteral("Skyglow.ini"));
    QFile::remove(settings);
    if (!before.isEmpty()) {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(FExe, {argument});
    QVERIFY(program.waitForStarted(kTimeoutMs));

    QString window;
    QVERIFY(QTest::qWaitFor(
        [&] {
            window = Xdotool({"search", "--onlyvisible", "--name", "^Settings$"}).section('\n', 0, 0);
            return !window.isEmpty();
        },
        kTimeoutMs));
    int status = -1;
    Xdotool({"windowfocus", "--sync", window}, &status);
    QCOMPARE(status, 0);
    // The key goes to the dialog only once it holds the activation.
    QVERIFY(QTest::qWaitFor([&] { return Xdotool({"getwindowfocus"}).trimmed() == window; }, kTimeoutMs));
    Xdotool({"key", key}, &status);
    QCOMPARE(status, 0);

    QVERIFY2(program.waitForFinished(kTimeoutMs), "the dialog did not close");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    if (after.isEmpty()) {
        QVERIFY(!QFile::exists(settings));
    } else {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
    }
}

QTEST_GUILESS_MAIN(TestSettingsProgram)
#include "tst_settings_program.moc"
