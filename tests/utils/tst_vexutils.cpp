// Drawing, colour, geometry and rounding helpers.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Vexutils.h>

#include <QtTest>

using namespace Tallwick;

namespace {
// Bounding box of the pixels of `color` in the bitmap.
QRect InkBox(TBitmap& bitmap, TColor color) {
    QRect box;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Canvas()->Pixel(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountPixels(TBitmap& bitmap, TColor color) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            n += bitmap.Canvas()->Pixel(x, y) == color;
    return n;
}
}  // namespace

class TestVexutils : public QObject {
    Q_OBJECT
private slots:
    void drawDot_data();
    void drawDot();
    void blendColor_data();
    void blendColor();
    void roundToInt_data();
    void roundToInt();
    void distances();
    void lineInGdiRange_data();
    void lineInGdiRange();
    void triangleInGdiRange_data();
    void triangleInGdiRange();
    void drawTriangle_data();
    void drawTriangle();
    void clearControl();
    void clamp_data();
    void clamp();
    void executableDirectory_data();
    void executableDirectory();
    void applicationDirectory();
};

void TestVexutils::drawDot_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QRect>("box");   // expected ink box for a dot at (10, 10)
    QTest::addColumn<int>("pixels");  // expected pixel count, -1 if not fixed
    QTest::newRow("negative size: one pixel") << -3 << QRect(10, 10, 1, 1) << 1;
    QTest::newRow("size 0: one pixel") << 0 << QRect(10, 10, 1, 1) << 1;
    QTest::newRow("size 1: one pixel") << 1 << QRect(10, 10, 1, 1) << 1;
    QTest::newRow("size 2: 2x2 from (x-1, y-1)") << 2 << QRect(9, 9, 2, 2) << 4;
    QTest::newRow("size 3: from (x-1, y-1) to (x+1, y+1)") << 3 << QRect(9, 9, 3, 3) << -1;
    QTest::newRow("size 9: centred disc") << 9 << QRect(6, 6, 9, 9) << -1;
    QTest::newRow("size 10: disc from (x-5, y-5)") << 10 << QRect(5, 5, 10, 10) << -1;
}

void TestVexutils::drawDot() {
    QFETCH(int, size);
    QFETCH(QRect, box);
    QFETCH(int, pixels);
    TBitmap bitmap;
    bitmap.SetSize(21, 21);
    bitmap.Canvas()->Brush.Color = clBlack;
    bitmap.Canvas()->FillRect(Rect(0, 0, 21, 21));
    DrawDot(bitmap.Canvas(), 10, 10, size, clYellow);
    QCOMPARE(InkBox(bitmap, clYellow), box);
    if (pixels >= 0)
        QCOMPARE(CountPixels(bitmap, clYellow), pixels);
    // A disc, not a square, from size 9 on: the corners of the box stay black.
    if (size >= 9)
        QCOMPARE(bitmap.Canvas()->Pixel(box.left(), box.top()), clBlack);
    // The brush takes the pen's colour, so pen and brush are both the dot's colour afterwards.
    if (size >= 2) {
        QCOMPARE(bitmap.Canvas()->Pen.Color, clYellow);
        QCOMPARE(bitmap.Canvas()->Brush.Color, clYellow);
    }
}

void TestVexutils::blendColor_data() {
    QTest::addColumn<TColor>("c1");
    QTest::addColumn<TColor>("c2");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<TColor>("expected");
    QTest::newRow("red to blue, half way: 127/0/127")
        << TColor(0x0000FF) << TColor(0xFF0000) << 1 << 2 << TColor(0x7F007F);
    QTest::newRow("step 0 is c1") << TColor(0x123456) << TColor(0xABCDEF) << 0 << 7 << TColor(0x123456);
    QTest::newRow("last step is c2") << TColor(0x123456) << TColor(0xABCDEF) << 7 << 7 << TColor(0xABCDEF);
    QTest::newRow("steps 0 gives c1 whatever the step")
        << TColor(0x0000FF) << TColor(0xFF0000) << 5 << 0 << TColor(0x0000FF);
    QTest::newRow("steps < 1 keeps a system colour whole") << cl3DHighlight << clWhite << 1 << -1 << cl3DHighlight;
    QTest::newRow("system colours blend by their low bytes")
        << cl3DHighlight << TColor(0) << 0 << 1 << TColor(0x000014);
    QTest::newRow("step beyond steps wraps at 8 bits") << TColor(0) << TColor(0x0000FF) << 2 << 1 << TColor(0x0000FE);
    QTest::newRow("grey to blue, step 3 of 7") << TColor(0xB4B4B4) << TColor(0xFF0000) << 3 << 7 << TColor(0xD46666);
    // Far outside 0..steps the 32-bit sums wrap before the division, as 32-bit integers do.
    QTest::newRow("huge step: the product wraps")
        << TColor(0) << TColor(0x0000FF) << 2000000000 << 7 << TColor(0x00004A);
    QTest::newRow("huge negative step: steps - step wraps")
        << clWhite << clBlack << -2147483647 << 1000 << TColor(0x646464);
}

void TestVexutils::blendColor() {
    QFETCH(TColor, c1);
    QFETCH(TColor, c2);
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(TColor, expected);
    QCOMPARE(BlendColor(c1, c2, step, steps), expected);
}

void TestVexutils::roundToInt_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("0.5") << 0.5 << 1;
    QTest::newRow("-0.5") << -0.5 << -1;
    QTest::newRow("-0.49") << -0.49 << 0;
    QTest::newRow("2.5") << 2.5 << 3;
    QTest::newRow("-2.5") << -2.5 << -3;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("-7.51") << -7.51 << -8;
    QTest::newRow("1e9 + 0.5") << 1e9 + 0.5 << 1000000001;
    // Beyond the int range the result stops at its ends, which every drawing range test rejects.
    QTest::newRow("largest int") << 2147483647.0 << INT_MAX;
    QTest::newRow("just above the largest int") << 2147483647.5 << INT_MAX;
    QTest::newRow("1e12") << 1e12 << INT_MAX;
    QTest::newRow("smallest int") << -2147483648.0 << INT_MIN;
    QTest::newRow("-1e12") << -1e12 << INT_MIN;
    QTest::newRow("infinity") << qInf() << INT_MAX;
    QTest::newRow("NaN") << qQNaN() << INT_MIN;
}

void TestVexutils::roundToInt() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundToInt(value), expected);
}

void TestVexutils::distances() {
    QCOMPARE(SquaredDistance(1, 2, 4, 6), 25.0);
    QCOMPARE(PointDistance(1, 2, 4, 6), 5.0);
    QCOMPARE(PointDistance(0, 0, 1024, 768), 1280.0);
    QCOMPARE(PointDistance(3.5, 3.5, 3.5, 3.5), 0.0);
}

void TestVexutils::lineInGdiRange_data() {
    QTest::addColumn<QList<int>>("coords");
    QTest::addColumn<bool>("expected");
    QTest::newRow("-8191 is in range") << QList<int>{-8191, 0, 0, 0} << true;
    QTest::newRow("-8192 is out") << QList<int>{-8192, 0, 0, 0} << false;
    QTest::newRow("8191 both ends") << QList<int>{8191, 8191, 8191, 8191} << true;
    QTest::newRow("extent 10000 too large") << QList<int>{-5000, 0, 5000, 0} << false;
    QTest::newRow("vertical extent too large") << QList<int>{0, -4096, 0, 4096} << false;
    QTest::newRow("extent 8191 fits") << QList<int>{0, 0, 8191, 0} << true;
    QTest::newRow("extremes do not overflow") << QList<int>{INT_MIN, 0, INT_MAX, 0} << false;
}

void TestVexutils::lineInGdiRange() {
    QFETCH(QList<int>, coords);
    QFETCH(bool, expected);
    QCOMPARE(LineInGdiRange(coords[0], coords[1], coords[2], coords[3]), expected);
}

void TestVexutils::triangleInGdiRange_data() {
    QTest::addColumn<QList<int>>("coords");
    QTest::addColumn<bool>("expected");
    QTest::newRow("small") << QList<int>{0, 0, 10, 0, 5, 8} << true;
    QTest::newRow("vertex at -8192") << QList<int>{0, 0, -8192, 0, 5, 8} << false;
    QTest::newRow("x3 - x2 too large") << QList<int>{0, 0, -5000, 0, 5000, 8} << false;
    QTest::newRow("y1 - y3 too large") << QList<int>{0, -5000, 0, 0, 0, 5000} << false;
    QTest::newRow("all at the limit") << QList<int>{8191, 8191, 8191, 8191, 8191, 8191} << true;
}

void TestVexutils::triangleInGdiRange() {
    QFETCH(QList<int>, coords);
    QFETCH(bool, expected);
    QCOMPARE(TriangleInGdiRange(coords[0], coords[1], coords[2], coords[3], coords[4], coords[5]), expected);
}

void TestVexutils::drawTriangle_data() {
    QTest::addColumn<QList<int>>("coords");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("inside: drawn") << QList<int>{10, 10, 80, 20, 40, 70} << true << true;
    QTest::newRow("wholly left: true, nothing drawn") << QList<int>{-30, 10, -1, 20, -10, 70} << true << false;
    QTest::newRow("wholly right") << QList<int>{101, 10, 150, 20, 140, 70} << true << false;
    QTest::newRow("wholly above") << QList<int>{10, -5, 50, -1, 90, -70} << true << false;
    QTest::newRow("wholly below") << QList<int>{10, 81, 50, 90, 90, 170} << true << false;
    QTest::newRow("vertex at 9000, partly visible: false, nothing drawn")
        << QList<int>{10, 10, 9000, 20, 40, 70} << false << false;
}

void TestVexutils::drawTriangle() {
    QFETCH(QList<int>, coords);
    QFETCH(bool, result);
    QFETCH(bool, drawn);
    QWidget control;
    control.resize(100, 80);
    TBitmap bitmap;
    bitmap.SetSize(100, 80);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush.Color = clWhite;
    canvas->FillRect(Rect(0, 0, 100, 80));
    canvas->Pen.Color = clBlue;
    canvas->Brush.Color = clRed;
    QCOMPARE(DrawTriangle(&control, canvas, coords[0], coords[1], coords[2], coords[3], coords[4], coords[5]), result);
    QCOMPARE(CountPixels(bitmap, clWhite) < 100 * 80, drawn);
    if (drawn) {
        QVERIFY(CountPixels(bitmap, clRed) > 500);  // filled with the brush
        QCOMPARE(canvas->Pixel(10, 10), clBlue);    // a vertex is on the pen's outline
    }
}

void TestVexutils::clearControl() {
    QWidget control;
    control.resize(30, 20);
    TBitmap bitmap;
    bitmap.SetSize(40, 25);
    ClearControl(&control, bitmap.Canvas(), clGreen);
    QCOMPARE(CountPixels(bitmap, clGreen), 30 * 20);
    QCOMPARE(InkBox(bitmap, clGreen), QRect(0, 0, 30, 20));
    QCOMPARE(bitmap.Canvas()->Pen.Color, clGreen);
}

void TestVexutils::clamp_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("expected");
    QTest::newRow("15 stays") << 15 << 10 << 9999 << 15;
    QTest::newRow("10000 -> 9999") << 10000 << 10 << 9999 << 9999;
    QTest::newRow("5 -> 10") << 5 << 10 << 9999 << 10;
    QTest::newRow("bounds themselves") << 10 << 10 << 9999 << 10;
    QTest::newRow("low > high, above high gives high") << 50 << 100 << 20 << 20;
    QTest::newRow("low > high, below both gives low") << 5 << 100 << 20 << 100;
}

void TestVexutils::clamp() {
    QFETCH(int, value);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, expected);
    QCOMPARE(Clamp(value, low, high), expected);
}

void TestVexutils::executableDirectory_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
#ifdef Q_OS_WIN  // absolute paths start with a drive; either separator may be given
    QTest::newRow("root: one separator") << "C:/Skyglow.scr"
                                         << "C:/";
    QTest::newRow("nested") << "C:\\Windows\\System32\\Skyglow.scr"
                            << "C:/Windows/System32/";
    QTest::newRow("one level") << "D:/bin/x"
                               << "D:/bin/";
#else
    QTest::newRow("root: one separator") << "/Skyglow.scr"
                                         << "/";
    QTest::newRow("nested") << "/opt/sky/bin/Skyglow.scr"
                            << "/opt/sky/bin/";
    QTest::newRow("one level") << "/bin/x"
                               << "/bin/";
#endif
}

void TestVexutils::executableDirectory() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(ExecutableDirectory(path), expected);
}

void TestVexutils::applicationDirectory() {
    const QString dir = ApplicationDirectory();
    QVERIFY(dir.endsWith('/'));
    QVERIFY(!dir.endsWith("//"));
    QCOMPARE(dir, QCoreApplication::applicationDirPath() + '/');
}

QTEST_MAIN(TestVexutils)
#include "tst_vexutils.moc"
