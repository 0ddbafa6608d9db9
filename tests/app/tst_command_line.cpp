// The command line: modes, host windows, options and the refusal of bad input.
#include "CommandLine.h"
#include "Tstars.h"

#include <QtTest>

using namespace Tallwick;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void actions_data();
    void actions();
    void overrides_data();
    void overrides();
    void refusals_data();
    void refusals();
    void windowIds_data();
    void windowIds();
    void settingsOwnerWindow_data();
    void settingsOwnerWindow();
    void usageNamesEveryOption();
};

void TestCommandLine::actions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("environment");  // XSCREENSAVER_WINDOW
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("inHost");
    QTest::addColumn<qulonglong>("window");
    const QByteArray none;
    QTest::newRow("nothing") << QStringList{} << none << int(caNone) << int(mdNone) << false << 0ull;
    QTest::newRow("unknown first") << QStringList{"--stars", "50"} << none << int(caNone) << int(mdNone) << false
                                   << 0ull;
    QTest::newRow("/C") << QStringList{"/C"} << none << int(caNone) << int(mdNone) << false << 0ull;
    QTest::newRow("/s") << QStringList{"/s"} << none << int(caRun) << int(mdSaver) << false << 0ull;
    QTest::newRow("/s extra") << QStringList{"/s", "extra"} << none << int(caRun) << int(mdSaver) << false << 0ull;
    QTest::newRow("/p id") << QStringList{"/p", "77"} << none << int(caRun) << int(mdPreview) << false << 0ull;
    QTest::newRow("/c:1234 --bogus") << QStringList{"/c:1234", "--bogus"} << none << int(caRun) << int(mdSettings)
                                     << false << 0ull;
    QTest::newRow("--help") << QStringList{"--help"} << none << int(caHelp) << int(mdNone) << false << 0ull;
    QTest::newRow("/s --help") << QStringList{"/s", "--help"} << none << int(caHelp) << int(mdSaver) << false << 0ull;
    QTest::newRow("--add") << QStringList{"--add-to-xscreensaver"} << none << int(caAddToXScreenSaver) << int(mdNone)
                           << false << 0ull;
    QTest::newRow("-root") << QStringList{"-root"} << QByteArray("0x400007") << int(caRun) << int(mdPreview) << true
                           << 0x400007ull;
    QTest::newRow("--root decimal") << QStringList{"--root"} << QByteArray("4194311") << int(caRun) << int(mdPreview)
                                    << true << 4194311ull;
    QTest::newRow("-window-id") << QStringList{"-window-id", "0X1a"} << none << int(caRun) << int(mdPreview) << true
                                << 0x1aull;
    QTest::newRow("--window-id") << QStringList{"--window-id", "123"} << none << int(caRun) << int(mdPreview) << true
                                 << 123ull;
    QTest::newRow("--root --window-id: the id wins")
        << QStringList{"--root", "--window-id", "0x99"} << QByteArray("0x400007") << int(caRun) << int(mdPreview)
        << true << 0x99ull;
    QTest::newRow("--window-id then --root") << QStringList{"--window-id", "5", "--root", "--stars", "20"} << none
                                             << int(caRun) << int(mdPreview) << true << 5ull;
    QTest::newRow("highest id") << QStringList{"--window-id", "0xFFFFFFFF"} << none << int(caRun) << int(mdPreview)
                                << true << 0xFFFFFFFFull;
}

void TestCommandLine::actions() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, environment);
    QFETCH(int, action);
    QFETCH(int, mode);
    QFETCH(bool, inHost);
    QFETCH(qulonglong, window);
    const TCommandLine command = ParseCommandLine(arguments, environment);
    QCOMPARE(int(command.Action), action);
    QCOMPARE(command.Error, QString());
    if (action == caRun || action == caNone) {
        QCOMPARE(int(command.Mode), mode);
        QCOMPARE(command.InHostWindow, inHost);
        QCOMPARE(qulonglong(command.HostWindow), window);
    }
}

void TestCommandLine::overrides_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("expected");  // BackColor StarColor TextColor1 TextColor2 StarCount Speed ShowLogo
    const QList<int> defaults{0, 0xFFFFFF, 0xB4B4B4, 0xFF0000, 1000, 50, 1};
    auto with = [&](int index, int value) {
        QList<int> v = defaults;
        v[index] = value;
        return v;
    };
    QTest::newRow("none") << QStringList{} << defaults;
    QTest::newRow("--stars 10") << QStringList{"--stars", "10"} << with(4, 10);
    QTest::newRow("--stars 10000") << QStringList{"--stars", "10000"} << with(4, 10000);
    QTest::newRow("--speed 0") << QStringList{"--speed", "0"} << with(5, 0);
    QTest::newRow("--speed +100") << QStringList{"--speed", "+100"} << with(5, 100);
    QTest::newRow("--no-logo") << QStringList{"--no-logo"} << with(6, 0);
    QTest::newRow("--no-logo --logo: the last wins") << QStringList{"--no-logo", "--logo"} << defaults;
    QTest::newRow("--background #102030") << QStringList{"--background", "#102030"} << with(0, 0x302010);
    QTest::newRow("--star-color yellow") << QStringList{"--star-color", "yellow"} << with(1, 0x00FFFF);
    QTest::newRow("--text-color MidnightBlue") << QStringList{"--text-color", "MidnightBlue"} << with(2, 0x701919);
    QTest::newRow("--shadow-color #ff0000") << QStringList{"--shadow-color", "#ff0000"} << with(3, 0x0000FF);
    QTest::newRow("all, in any order")
        << QStringList{"--speed",      "7",    "--no-logo",    "--shadow-color", "white",        "--stars", "33",
                       "--background", "navy", "--star-color", "#010203",        "--text-color", "red"}
        << QList<int>{0x800000, 0x030201, 0x0000FF, 0xFFFFFF, 33, 7, 0};
}

// The options change what the engine holds after its settings were loaded.
void TestCommandLine::overrides() {
    QFETCH(QStringList, options);
    QFETCH(QList<int>, expected);
    for (const QStringList& start :
         {QStringList{"/s"}, QStringList{"/p", "12"}, QStringList{"--window-id", "12"}, QStringList{"--root"}}) {
        const TCommandLine command = ParseCommandLine(start + options, "0x1234");
        QCOMPARE(int(command.Action), int(caRun));
        TStars stars;
        command.Overrides.ApplyTo(stars);
        const QList<int> got{int(stars.BackColor), int(stars.StarColor), int(stars.TextColor1), int(stars.TextColor2),
                             stars.StarCount,      stars.Speed,          int(stars.ShowLogo)};
        QCOMPARE(got, expected);
    }
}

void TestCommandLine::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    const QByteArray env("0x1234");
    const QString stars = "--stars needs a whole number from 10 to 10000";
    const QString colour = "needs #RRGGBB or a colour name such as black or navy";
    QTest::newRow("--stars missing") << QStringList{"/s", "--stars"} << env << 2
                                     << "--stars needs a value: a whole number from 10 to 10000";
    QTest::newRow("--stars 9") << QStringList{"/s", "--stars", "9"} << env << 2 << stars + ", not \"9\"";
    QTest::newRow("--stars 10001") << QStringList{"--root", "--stars", "10001"} << env << 2
                                   << stars + ", not \"10001\"";
    QTest::newRow("--stars 1e3") << QStringList{"--root", "--stars", "1e3"} << env << 2 << stars + ", not \"1e3\"";
    QTest::newRow("--stars huge") << QStringList{"--root", "--stars", "99999999999999999999"} << env << 2
                                  << stars + ", not \"99999999999999999999\"";
    QTest::newRow("--stars 2.5") << QStringList{"--root", "--stars", "2.5"} << env << 2 << stars + ", not \"2.5\"";
    QTest::newRow("--speed -1") << QStringList{"/p", "5", "--speed", "-1"} << env << 2
                                << "--speed needs a whole number from 0 to 100, not \"-1\"";
    QTest::newRow("--speed swallowing an option") << QStringList{"--root", "--speed", "--logo"} << env << 2
                                                  << "--speed needs a whole number from 0 to 100, not \"--logo\"";
    QTest::newRow("--background #12345") << QStringList{"--root", "--background", "#12345"} << env << 2
                                         << "--background " + colour + ", not \"#12345\"";
    QTest::newRow("--star-color nocolour") << QStringList{"--root", "--star-color", "nocolour"} << env << 2
                                           << "--star-color " + colour + ", not \"nocolour\"";
    QTest::newRow("--text-color transparent") << QStringList{"--root", "--text-color", "transparent"} << env << 2
                                              << "--text-color " + colour + ", not \"transparent\"";
    QTest::newRow("--shadow-color missing") << QStringList{"--root", "--shadow-color"} << env << 2
                                            << "--shadow-color needs a value: #RRGGBB or a colour name such as black "
                                               "or navy";
    QTest::newRow("unknown option") << QStringList{"/s", "--fps"} << env << 2
                                    << "unknown option \"--fps\" (--help lists the options)";
    QTest::newRow("loose word in a host window")
        << QStringList{"--root", "extra"} << env << 2 << "unknown option \"extra\" (--help lists the options)";
    QTest::newRow("--window-id missing") << QStringList{"--window-id"} << env << 2
                                         << "--window-id needs a value: a window id (decimal, or hex with 0x)";
    QTest::newRow("--window-id word") << QStringList{"-window-id", "root"} << env << 2
                                      << "-window-id needs a window id (decimal, or hex with 0x), not \"root\"";
    QTest::newRow("--window-id 0") << QStringList{"--root", "--window-id", "0"} << env << 2
                                   << "--window-id needs a window id (decimal, or hex with 0x), not \"0\"";
    QTest::newRow("--window-id 33 bits") << QStringList{"--window-id", "0x100000000"} << env << 2
                                         << "--window-id needs a window id (decimal, or hex with 0x), not "
                                            "\"0x100000000\"";
    QTest::newRow("--add with more") << QStringList{"--add-to-xscreensaver", "now"} << env << 2
                                     << "--add-to-xscreensaver takes nothing after it, not \"now\"";
    QTest::newRow("--root without XSCREENSAVER_WINDOW")
        << QStringList{"--root"} << QByteArray() << 1
        << "--root needs the environment variable XSCREENSAVER_WINDOW to name the window to draw in (XScreenSaver "
           "sets it); it is not set";
    QTest::newRow("--root with a bad XSCREENSAVER_WINDOW")
        << QStringList{"-root", "--logo"} << QByteArray("window") << 1
        << "XSCREENSAVER_WINDOW=\"window\" is not a window id (decimal, or hex with 0x)";
    QTest::newRow("bad option before a bad window")
        << QStringList{"--root", "--stars", "x"} << QByteArray() << 2 << stars + ", not \"x\"";
}

void TestCommandLine::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, environment);
    QFETCH(int, status);
    QFETCH(QString, error);
    const TCommandLine command = ParseCommandLine(arguments, environment);
    QCOMPARE(int(command.Action), int(caError));
    QCOMPARE(command.Status, status);
    QCOMPARE(command.Error, error);
}

void TestCommandLine::windowIds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qulonglong>("id");
    QTest::newRow("decimal") << "4194311" << 4194311ull;
    QTest::newRow("hex") << "0x400007" << 0x400007ull;
    QTest::newRow("hex upper") << "0XABCDEF01" << 0xABCDEF01ull;
    QTest::newRow("most") << "4294967295" << 4294967295ull;
    QTest::newRow("too many") << "4294967296" << 0ull;
    QTest::newRow("zero") << "0" << 0ull;
    QTest::newRow("negative") << "-5" << 0ull;
    QTest::newRow("blank") << " 5" << 0ull;
    QTest::newRow("empty") << "" << 0ull;
    QTest::newRow("dollar") << "$10" << 0ull;
    QTest::newRow("bare 0x") << "0x" << 0ull;
    QTest::newRow("long digits") << QString(5000, '9') << 0ull;
}

void TestCommandLine::windowIds() {
    QFETCH(QString, text);
    QFETCH(qulonglong, id);
    QCOMPARE(qulonglong(ParseWindowId(text)), id);
}

// "/c:HWND" as Windows' Screen Saver Settings dialog writes it; a number that names no window
// leaves the dialog to the foreground window.
void TestCommandLine::settingsOwnerWindow_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<qulonglong>("owner");
    QTest::newRow("/c") << "/c" << 0ull;
    QTest::newRow("/c:HWND") << "/c:1312772" << 1312772ull;
    QTest::newRow("hex") << "/c:0x140804" << 0x140804ull;
    QTest::newRow("inside a longer argument") << "x/c:99" << 99ull;
    QTest::newRow("no number") << "/c:" << 0ull;
    QTest::newRow("trailing text") << "/c:123abc" << 0ull;
    QTest::newRow("negative") << "/c:-1" << 0ull;
    QTest::newRow("beyond 32 bits") << "/c:4294967296" << 0ull;
    QTest::newRow("hostile length") << "/c:" + QString(100000, '7') << 0ull;
}

void TestCommandLine::settingsOwnerWindow() {
    QFETCH(QString, argument);
    QFETCH(qulonglong, owner);
    const TCommandLine command = ParseCommandLine({argument, "ignored"}, {});
    QCOMPARE(int(command.Mode), int(mdSettings));
    QCOMPARE(qulonglong(command.OwnerWindow), owner);
}

void TestCommandLine::usageNamesEveryOption() {
    const QString usage = UsageText("skyglow");
    for (const char* option : {"--root", "-root", "--window-id", "-window-id", "--stars", "--speed", "--logo",
                               "--no-logo", "--background", "--star-color", "--text-color", "--shadow-color",
                               "--add-to-xscreensaver", "--help", "10 to 10000", "0 to 100"})
        QVERIFY2(usage.contains(option), option);
    QVERIFY(usage.startsWith("Skyglow II"));
    QVERIFY(usage.contains("Usage: skyglow /s"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
