// The executable as a desktop starts it: each command line, against a real X server.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"

namespace {
constexpr int kTimeoutMs = 15000;
}

class TestSaverProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void endsAtOnceWithoutWindow_data();
    void endsAtOnceWithoutWindow();
    void saverRunsUntilKey_data();
    void saverRunsUntilKey();
    void settingsDialogOpens_data();
    void settingsDialogOpens();
    void previewLivesInParentAndEndsWithIt();
    void previewWithBadIdShowsError_data();
    void previewWithBadIdShowsError();
    void foreignSettingsEndEveryMode_data();
    void foreignSettingsEndEveryMode();

private:
    QProcess* Start(const QStringList& arguments);
    bool WaitForWindow(const QString& name);
    void PressKeyIn(const QString& windowName, const QString& key);
    int MapsSeen();
    void Xdotool(const QStringList& arguments) { QCOMPARE(QProcess::execute("xdotool", arguments), 0); }

    XTestWindows x;
    QTemporaryDir dir;
    QString exe;
    std::unique_ptr<QProcess> process;
};

void TestSaverProgram::initTestCase() {
    QVERIFY(x.display());
    QVERIFY(dir.isValid());
    // A copy of its own, so the settings file beside it is this test's alone.
    exe = dir.filePath("Skyglow.scr");
    QVERIFY(QFile::copy(SKYGLOW_EXE, exe));
    XSelectInput(x.display(), x.root(), SubstructureNotifyMask);
    XSync(x.display(), False);
}

QProcess* TestSaverProgram::Start(const QStringList& arguments) {
    MapsSeen();  // forget earlier events
    process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    process->setProcessEnvironment(env);
    process->start(exe, arguments);
    return process.get();
}

bool TestSaverProgram::WaitForWindow(const QString& name) {
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--name", "^" + QRegularExpression::escape(name) + "$"});
    return search.waitForFinished(kTimeoutMs) && search.exitCode() == 0;
}

// Focuses the named window (there is no window manager to activate it), then types the key.
void TestSaverProgram::PressKeyIn(const QString& windowName, const QString& key) {
    QProcess search;
    search.start("xdotool", {"search", "--name", "^" + QRegularExpression::escape(windowName) + "$"});
    QVERIFY(search.waitForFinished(kTimeoutMs));
    const QString window = QString::fromLatin1(search.readAllStandardOutput()).split('\n').first().trimmed();
    QVERIFY(!window.isEmpty());
    Xdotool({"windowfocus", "--sync", window});
    Xdotool({"key", key});
}

// Top-level windows mapped since the last call.
int TestSaverProgram::MapsSeen() {
    int maps = 0;
    XSync(x.display(), False);
    while (XPending(x.display())) {
        XEvent event;
        XNextEvent(x.display(), &event);
        maps += event.type == MapNotify;
    }
    return maps;
}

void TestSaverProgram::endsAtOnceWithoutWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no argument") << QStringList{};
    QTest::newRow("/C") << QStringList{"/C"};
    QTest::newRow("/C:1234") << QStringList{"/C:1234"};
    QTest::newRow("/sx") << QStringList{"/sx"};
    QTest::newRow("-s") << QStringList{"-s"};
    QTest::newRow("/a") << QStringList{"/a"};
}

void TestSaverProgram::endsAtOnceWithoutWindow() {
    QFETCH(QStringList, arguments);
    QProcess* p = Start(arguments);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QCOMPARE(MapsSeen(), 0);
}

void TestSaverProgram::saverRunsUntilKey_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("/s") << QStringList{"/s"};
    QTest::newRow("/S") << QStringList{"/S"};
    QTest::newRow("/s extra") << QStringList{"/s", "extra"};
}

void TestSaverProgram::saverRunsUntilKey() {
    QFETCH(QStringList, arguments);
    QProcess* p = Start(arguments);
    QVERIFY(WaitForWindow("Form1"));
    QVERIFY(!p->waitForFinished(500));  // runs until the user shows up
    Xdotool({"key", "space"});
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
}

void TestSaverProgram::settingsDialogOpens_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("/c") << QStringList{"/c"};
    QTest::newRow("/c:1234") << QStringList{"/c:1234"};
    QTest::newRow("x/cy") << QStringList{"x/cy"};
}

void TestSaverProgram::settingsDialogOpens() {
    QFETCH(QStringList, arguments);
    QProcess* p = Start(arguments);
    QVERIFY(WaitForWindow("Settings"));
    QTest::qWait(300);
    PressKeyIn("Settings", "Escape");
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
    QVERIFY(!QFile::exists(dir.filePath("Skyglow.ini")));  // Escape writes nothing
}

void TestSaverProgram::previewLivesInParentAndEndsWithIt() {
    const Window parent = x.create(QSize(152, 112));
    QProcess* p = Start({"/P", QString::number(parent)});
    // The preview appears as the parent's child, of its size.
    Window child = 0;
    for (int i = 0; i < 300 && !child; ++i) {
        Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(x.display(), parent, &root, &up, &children, &count);
        if (count > 0 && x.attributes(children[0]).map_state == IsViewable)
            child = children[0];
        if (children) XFree(children);
        if (!child) QTest::qWait(50);
    }
    QVERIFY(child);
    QCOMPARE(x.attributes(child).width, 152);
    QCOMPARE(x.attributes(child).height, 112);
    QVERIFY(!p->waitForFinished(300));
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
}

void TestSaverProgram::previewWithBadIdShowsError_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no id") << QStringList{"/p"};
    QTest::newRow("not a number") << QStringList{"/p", "window"};
    QTest::newRow("no such window") << QStringList{"/p", "123456789"};
}

void TestSaverProgram::previewWithBadIdShowsError() {
    QFETCH(QStringList, arguments);
    QProcess* p = Start(arguments);
    QVERIFY(WaitForWindow("Skyglow II"));  // the standard error box, captioned with the title
    QTest::qWait(300);
    PressKeyIn("Skyglow II", "Return");
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitCode(), 0);
}

void TestSaverProgram::foreignSettingsEndEveryMode_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("/s") << QStringList{"/s"};
    QTest::newRow("/p") << QStringList{"/p"};
    QTest::newRow("/c") << QStringList{"/c"};
}

// A settings file of another title (here only the letter case differs) ends the program right
// after the window is made: exit code 0, nothing shown, the file left as it was.
void TestSaverProgram::foreignSettingsEndEveryMode() {
    QFETCH(QStringList, arguments);
    const QByteArray foreign = QByteArray::fromHex("0a000000") + "SKYGLOW II" + QByteArray(24, '\0') + '\1';
    const QString settings = dir.filePath("Skyglow.ini");
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(foreign), qint64(foreign.size()));
    }
    const Window parent = x.create(QSize(152, 112));
    if (arguments.first() == "/p")
        arguments << QString::number(parent);
    QProcess* p = Start(arguments);
    QVERIFY(p->waitForFinished(kTimeoutMs));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QCOMPARE(MapsSeen(), 0);
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(x.display(), parent, &root, &up, &children, &count);
    for (unsigned i = 0; i < count; ++i)
        QVERIFY(x.attributes(children[i]).map_state != IsViewable);
    if (children)
        XFree(children);
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), foreign);
    file.close();
    QFile::remove(settings);
}

QTEST_MAIN(TestSaverProgram)
#include "tst_saver_program.moc"

