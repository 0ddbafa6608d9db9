// Tests of skyglow-render, the headless renderer of star-field frames, as a program.
#include "StarsScene.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <QtMath>
#include <cstdlib>

using namespace Tallwick;

namespace {
// The program as an absolute path on the drive the test started on: on Windows a path written
// from the root ("/work/...") means the current drive, which the tests change.
const QString gRender = QFileInfo(QStringLiteral(SKYGLOW_RENDER)).absoluteFilePath();

struct Run {
    int status = -1;
    QByteArray out, err;
};

Run Render(const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(gRender, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = process.errorString().toUtf8();  // why it did not run, for the failure message
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray Int32(qint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray SettingsFile(const QByteArray& title, qint32 back, qint32 count, char logo) {
    return Int32(title.size()) + title + Int32(back) + Int32(0xFFFFFF) + Int32(0xB4B4B4) + Int32(0xFF0000) +
           Int32(count) + Int32(50) + QByteArray(1, logo);
}

// Lines the program wrote, without Qt's own notes about the runtime directory.
QList<QByteArray> OwnLines(const QByteArray& text) {
    QList<QByteArray> lines;
    for (const QByteArray& line : text.split('\n'))
        if (!line.isEmpty() && !line.startsWith("QStandardPaths:"))
            lines << line;
    return lines;
}
}  // namespace

class TestSkyglowRender : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void badArguments_data();
    void badArguments();
    void writesTheFrameTheEngineDraws();
    void defaultSizeAndSettingsApplied();
    void seedClockAndFramesDecideThePicture();
    void foreignSettingsFileEndsWithStatus1();
    void missingSettingsFileEndsWithStatus1();
    void unwritableOutputEndsWithStatus1();
    void runsWithoutAnyDisplay();
    void scaleDrawsTheSamePictureSharp_data();
    void scaleDrawsTheSamePictureSharp();
    void helpPrintsUsage_data();
    void helpPrintsUsage();
    void settingsInLittleMemory_data();
    void settingsInLittleMemory();

private:
    QString Path(const QString& name) const { return FDir.filePath(name); }
    QString WriteSettings(const QByteArray& bytes);
    QImage RenderFrame(const QString& name, qint32 stars, char logo, const QString& scale);

    QTemporaryDir FDir;
};

void TestSkyglowRender::initTestCase() { QVERIFY(FDir.isValid()); }

QString TestSkyglowRender::WriteSettings(const QByteArray& bytes) {
    const QString path = Path(QStringLiteral("Skyglow.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

void TestSkyglowRender::badArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("complaint");
    const QString out = QStringLiteral("--out");
    const QString png = QStringLiteral("bad.png");
    QTest::newRow("no arguments") << QStringList{} << "no --out";
    QTest::newRow("no --out") << QStringList{"--size", "100x100"} << "no --out";
    QTest::newRow("--out without file") << QStringList{out} << "--out needs a value";
    QTest::newRow("unknown option") << QStringList{"--speed", "5", out, png} << "unknown option '--speed'";
    QTest::newRow("option with =") << QStringList{"--size=100x100", out, png} << "unknown option";
    QTest::newRow("stray argument") << QStringList{"picture.png"} << "unexpected argument 'picture.png'";
    QTest::newRow("size without x") << QStringList{"--size", "1024", out, png} << "size '1024'";
    QTest::newRow("size zero wide") << QStringList{"--size", "0x768", out, png} << "size '0x768'";
    QTest::newRow("size zero high") << QStringList{"--size", "1024x0", out, png} << "size '1024x0'";
    QTest::newRow("size negative") << QStringList{"--size", "-4x4", out, png} << "size '-4x4'";
    QTest::newRow("size letters") << QStringList{"--size", "axb", out, png} << "size 'axb'";
    QTest::newRow("size too large for int") << QStringList{"--size", "99999999999x2", out, png} << "size";
    QTest::newRow("size without value") << QStringList{out, png, "--size"} << "--size needs a value";
    QTest::newRow("frames 0") << QStringList{"--frames", "0", out, png} << "frames '0'";
    QTest::newRow("frames not a number") << QStringList{"--frames", "many", out, png} << "frames 'many'";
    QTest::newRow("clock without time") << QStringList{"--clock", "2024-06-01", out, png} << "clock '2024-06-01'";
    QTest::newRow("clock impossible date") << QStringList{"--clock", "2024-02-30 10:00:00", out, png} << "clock";
    QTest::newRow("seed negative") << QStringList{"--seed", "-1", out, png} << "seed '-1'";
    QTest::newRow("seed above 32 bits") << QStringList{"--seed", "4294967296", out, png} << "seed";
    QTest::newRow("scale 0") << QStringList{"--scale", "0", out, png} << "scale '0'";
    QTest::newRow("scale below 0.25") << QStringList{"--scale", "0.2", out, png} << "scale '0.2'";
    QTest::newRow("scale above 8") << QStringList{"--scale", "8.5", out, png} << "scale '8.5'";
    QTest::newRow("scale not a number") << QStringList{"--scale", "nan", out, png} << "scale 'nan'";
    QTest::newRow("scale infinite") << QStringList{"--scale", "inf", out, png} << "scale 'inf'";
    QTest::newRow("scale letters") << QStringList{"--scale", "2x", out, png} << "scale '2x'";
}

void TestSkyglowRender::badArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    QDir::setCurrent(FDir.path());
    const Run run = Render(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    const QList<QByteArray> lines = OwnLines(run.err);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith("skyglow-render: "), lines[0].constData());
    QVERIFY2(lines[0].contains(complaint.toUtf8()), lines[0].constData());
    QVERIFY2(lines[0].contains("usage: skyglow-render [--size WxH]"), lines[0].constData());
    QVERIFY(!QFile::exists(Path(QStringLiteral("bad.png"))));
}

void TestSkyglowRender::writesTheFrameTheEngineDraws() {
    const QString settings = WriteSettings(SettingsFile("Skyglow II", 0, 1000, 1));
    const QString png = Path(QStringLiteral("engine.png"));
    const Run run = Render({"--size", "320x200", "--frames", "4", "--settings", settings, "--clock",
                            "2024-06-01 13:05:09", "--seed", "99", "--out", png});
    QCOMPARE(run.status, 0);
    QVERIFY(OwnLines(run.err).isEmpty());
    const QImage written(png);
    QCOMPARE(written.size(), QSize(320, 200));

    StarsScene scene(320, 200, 99);
    for (int frame = 0; frame < 4; ++frame)
        scene.Stars.DrawFrame();
    QVERIFY(written.convertToFormat(QImage::Format_RGB32) == scene.Image());
}

void TestSkyglowRender::defaultSizeAndSettingsApplied() {
    const QString settings = WriteSettings(SettingsFile("Skyglow II", 0x00FF00, 0, 0));
    const QString png = Path(QStringLiteral("green.png"));
    const Run run = Render({"--settings", settings, "--out", png});
    QCOMPARE(run.status, 0);
    const QImage written(png);
    QCOMPARE(written.size(), QSize(1024, 768));
    // No stars, no logo: the background everywhere but the text in the middle.
    for (const QPoint p : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 767), QPoint(1023, 767), QPoint(512, 200)})
        QCOMPARE(written.pixel(p), qRgb(0, 255, 0));
}

void TestSkyglowRender::seedClockAndFramesDecideThePicture() {
    const QString settings = WriteSettings(SettingsFile("Skyglow II", 0, 1000, 1));
    auto render = [&](const QString& name, const QStringList& extra) {
        const QString png = Path(name);
        const Run run = Render(QStringList{"--size", "200x150", "--settings", settings, "--out", png} + extra);
        return run.status == 0 ? QImage(png) : QImage();
    };
    const QStringList base{"--seed", "5", "--clock", "2024-06-01 13:05:09"};
    const QImage a = render("a.png", base);
    const QImage again = render("again.png", base);
    QVERIFY(!a.isNull());
    QVERIFY(a == again);
    QVERIFY(a != render("seed.png", {"--seed", "6", "--clock", "2024-06-01 13:05:09"}));
    QVERIFY(a != render("clock.png", {"--seed", "5", "--clock", "2024-06-01 13:05:10"}));
    QVERIFY(a != render("frames.png", base + QStringList{"--frames", "2"}));
}

void TestSkyglowRender::foreignSettingsFileEndsWithStatus1() {
    const QString settings = WriteSettings(SettingsFile("skyglow ii", 0, 1000, 1));
    const QString png = Path(QStringLiteral("foreign.png"));
    const Run run = Render({"--settings", settings, "--out", png});
    QCOMPARE(run.status, 1);
    const QList<QByteArray> lines = OwnLines(run.err);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains("another program"), lines[0].constData());
    QVERIFY(!QFile::exists(png));
}

void TestSkyglowRender::missingSettingsFileEndsWithStatus1() {
    const QString png = Path(QStringLiteral("missing.png"));
    const Run run = Render({"--settings", Path(QStringLiteral("nothing.ini")), "--out", png});
    QCOMPARE(run.status, 1);
    QVERIFY(OwnLines(run.err).value(0).contains("does not exist"));
    QVERIFY(!QFile::exists(png));
}

void TestSkyglowRender::unwritableOutputEndsWithStatus1() {
    const Run run = Render({"--size", "20x20", "--out", "/nonexistent-skyglow-dir/frame.png"});
    QCOMPARE(run.status, 1);
    QVERIFY(OwnLines(run.err).value(0).contains("cannot write /nonexistent-skyglow-dir/frame.png"));
}

void TestSkyglowRender::runsWithoutAnyDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const QString png = Path(QStringLiteral("headless.png"));
    const Run run = Render({"--size", "64x48", "--out", png}, env);
    QCOMPARE(run.status, 0);
    QCOMPARE(QImage(png).size(), QSize(64, 48));
}

void TestSkyglowRender::helpPrintsUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("--help among others") << QStringList{"--size", "10x10", "--help"};
}

void TestSkyglowRender::helpPrintsUsage() {
    QFETCH(QStringList, arguments);
    const Run run = Render(arguments);
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.startsWith("usage: skyglow-render [--size WxH]"), run.out.constData());
    for (const char* option : {"--size", "--frames", "--settings", "--clock", "--seed", "--out", "--help"})
        QVERIFY2(run.out.contains(QByteArray("\n  ") + option), option);
    QVERIFY(OwnLines(run.err).isEmpty());
}

void TestSkyglowRender::settingsInLittleMemory_data() {
    const QByteArray good = SettingsFile("Skyglow II", 0, 1000, 1);
    QByteArray lengthOff = good;
    lengthOff[0] = 0x0B;
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");  // in the one line on stderr; empty: none
    QTest::newRow("ten million stars") << SettingsFile("Skyglow II", 0, 10'000'000, 1) << 0 << QString();
    QTest::newRow("one star more") << SettingsFile("Skyglow II", 0, 10'000'001, 1) << 1
                                   << "Not enough memory for 10000001 stars";
    QTest::newRow("two thousand million stars")
        << SettingsFile("Skyglow II", 0, 2'000'000'000, 1) << 1 << "Not enough memory for 2000000000 stars";
    QTest::newRow("largest count") << SettingsFile("Skyglow II", 0, INT_MAX, 1) << 1
                                   << "Not enough memory for 2147483647 stars";
    QTest::newRow("one byte off in the title length") << lengthOff << 1 << "is damaged";
    QTest::newRow("cut inside the title") << good.left(9) << 1 << "is damaged (it ends inside its title";
}

// Whatever the file says, the renderer stays within 1 GB of address space (ulimit -v): a count it
// cannot hold is refused before anything is allocated, a damaged file is not read at all.
void TestSkyglowRender::settingsInLittleMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("The address sanitizer reserves far more address space than the limit set here");
#endif
#ifdef Q_OS_WIN
    QSKIP("The memory limit is set through bash's ulimit, which Windows does not have");
#endif
    QFETCH(QByteArray, settings);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString path = WriteSettings(settings);
    const QString png = Path(QStringLiteral("little-memory.png"));
    QFile::remove(png);
    QProcess process;
    process.start(QStringLiteral("bash"), {"-c", "ulimit -v 1048576 && exec \"$0\" \"$@\"", gRender, "--size",
                                           "320x240", "--settings", path, "--out", png});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QList<QByteArray> lines = OwnLines(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    if (message.isEmpty()) {
        QVERIFY(lines.isEmpty());
        QCOMPARE(QImage(png).size(), QSize(320, 240));
    } else {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains(message.toUtf8()), lines[0].constData());
        QVERIFY(!QFile::exists(png));
    }
}

QTEST_MAIN(TestSkyglowRender)
#include "tst_skyglowrender.moc"

// One frame of 1024 x 768 after 37 frames (the centre well off the middle) at the given scale.
QImage TestSkyglowRender::RenderFrame(const QString& name, qint32 stars, char logo, const QString& scale) {
    const QString settings = WriteSettings(SettingsFile("Skyglow II", 0, stars, logo));
    const QString png = Path(name + QStringLiteral(".png"));
    const Run run = Render({"--size", "1024x768", "--frames", "37", "--settings", settings, "--clock",
                            "2024-06-01 13:05:09", "--seed", "7", "--scale", scale, "--out", png});
    if (run.status != 0)
        return QImage();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

namespace {
// Bounding box of the pixels where two pictures of one size differ, or that are not black.
QRect Differences(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (b.isNull() ? (a.pixel(x, y) & 0xFFFFFF) != 0 : a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Of the places where a row changes colour, the share at odd columns. A picture enlarged by two
// changes colour only at even columns.
double OddColumnEdges(const QImage& image) {
    int edges = 0, odd = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(x - 1, y)) {
                ++edges;
                odd += x % 2;
            }
    return edges ? double(odd) / edges : 0;
}

// The box at the place of the plain box times the ratio, within `tolerance` pixels, and of its
// size within `tolerance` pixels or `share` of the size, whichever is more.
bool Near(const QRect& scaled, const QRect& plain, double ratio, int tolerance, double share = 0) {
    const auto close = [&](int a, int b, double allowed) { return std::abs(a - b * ratio) <= allowed; };
    return close(scaled.left(), plain.left(), tolerance) && close(scaled.top(), plain.top(), tolerance) &&
           close(scaled.width(), plain.width(), std::max<double>(tolerance, share * scaled.width())) &&
           close(scaled.height(), plain.height(), std::max<double>(tolerance, share * scaled.height()));
}

QString Describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
}  // namespace

void TestSkyglowRender::scaleDrawsTheSamePictureSharp_data() {
    QTest::addColumn<QString>("scale");
    QTest::newRow("2") << QStringLiteral("2");
    QTest::newRow("1.5") << QStringLiteral("1.5");
    QTest::newRow("3") << QStringLiteral("3");
}

// The frame at scale R is the frame at scale 1 with every pixel length times R: the logo box to
// the pixel, the text at its place within a pixel of the scale-1 picture and of its size within
// 1 % (the glyphs come from a font R times as large, hinted on its own), and the text's edges on
// the finer grid.
void TestSkyglowRender::scaleDrawsTheSamePictureSharp() {
    QFETCH(QString, scale);
    const double ratio = scale.toDouble();
    const QImage plainLogo = RenderFrame(QStringLiteral("plain-logo"), 0, 1, QStringLiteral("1"));
    const QImage plainText = RenderFrame(QStringLiteral("plain-text"), 0, 0, QStringLiteral("1"));
    const QImage denseLogo = RenderFrame(QStringLiteral("dense-logo"), 0, 1, scale);
    const QImage denseText = RenderFrame(QStringLiteral("dense-text"), 0, 0, scale);
    QCOMPARE(plainLogo.size(), QSize(1024, 768));
    QCOMPARE(denseLogo.size(), QSize(qCeil(1024 * ratio), qCeil(768 * ratio)));

    const QRect plainBox = Differences(plainLogo, plainText), denseBox = Differences(denseLogo, denseText);
    QVERIFY(!plainBox.isEmpty());
    QVERIFY2(Near(denseBox, plainBox, ratio, 1), qPrintable(Describe(denseBox) + " vs " + Describe(plainBox)));
    const QRect plainInk = Differences(plainText, QImage()), denseInk = Differences(denseText, QImage());
    QVERIFY(!plainInk.isEmpty());
#ifdef Q_OS_WIN
    // Qt hints text across as well as down on Windows (GDI does, and FreeType as Qt sets it up
    // there), rounding every glyph's advance to whole pixels at each size: a line of text may be
    // 1 % longer or shorter than the scaled one, and centred text moves by half that.
    const int place = std::max(qCeil(ratio), qCeil(0.005 * denseInk.width()));
#else
    const int place = qCeil(ratio);
#endif
    QVERIFY2(Near(denseInk, plainInk, ratio, place, 0.01),
             qPrintable(Describe(denseInk) + " vs " + Describe(plainInk)));
    if (ratio == 2) {
        const double odd = OddColumnEdges(denseText.copy(denseInk));
        QVERIFY2(odd > 0.3, qPrintable(QString::number(odd)));
    }
}
