// Rotation in place: exact quarter turns, enlarged free turns with white corners, interpolation.
#include <Tallwick/Bitmap.h>
#include "BitmapRotator.h"
#include <Tallwick/Exception.h>
#include <Tallwick/ImageProc.h>
#include "ImageTools.h"

#include <QtTest>
#include <cmath>

using namespace Tallwick;

class TestBitmapRotator : public QObject {
    Q_OBJECT
private slots:
    void quarterTurns_data();
    void quarterTurns();
    void freeTurns_data();
    void freeTurns();
    void interpolationSmoothsEdges();
    void keepsPixelFormatAndEmpty();
    void notFinite();

private:
    static void Numbered(TBitmap& bitmap, int w, int h);
};

// Every pixel a different colour, so that a misplaced one shows.
void TestBitmapRotator::Numbered(TBitmap& bitmap, int w, int h) {
    bitmap.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.ScanLine(y)[x] = 0xFF000000u | std::uint32_t(y * w + x + 1);
}

void TestBitmapRotator::quarterTurns_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("quarters");  // counter-clockwise
    QTest::newRow("90") << 90.0 << 1;
    QTest::newRow("180") << 180.0 << 2;
    QTest::newRow("270") << 270.0 << 3;
    QTest::newRow("-90") << -90.0 << 3;
    QTest::newRow("450") << 450.0 << 1;
    QTest::newRow("-720") << -720.0 << 0;
    QTest::newRow("360") << 360.0 << 0;
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("90 + 1e-12") << 90.000000000001 << 1;
}

void TestBitmapRotator::quarterTurns() {
    QFETCH(double, angle);
    QFETCH(int, quarters);
    TBitmap bitmap;
    Numbered(bitmap, 200, 100);
    const QImage before = bitmap.Image().copy();
    TImageProc proc;
    proc.SetAttachedBitmap(&bitmap);
    proc.Rotate(angle, true);
    const bool swapped = quarters % 2 == 1;
    QCOMPARE(bitmap.Width(), swapped ? 100 : 200);
    QCOMPARE(bitmap.Height(), swapped ? 200 : 100);
    // The same turn by Qt's exact transform (its y axis points down, so counter-clockwise is negative).
    const QImage expected = before.transformed(QTransform().rotate(-90.0 * quarters));
    QCOMPARE(bitmap.Image(), expected);
    if (quarters == 1)  // the top-right corner comes to the top-left
        QCOMPARE(bitmap.ScanLine(0)[0], before.pixel(199, 0));
}

void TestBitmapRotator::freeTurns_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // ceil(w |cos| + h |sin|) by ceil(w |sin| + h |cos|) for 120 x 60.
    QTest::newRow("45") << 45.0 << 128 << 128;
    QTest::newRow("-45") << -45.0 << 128 << 128;
    QTest::newRow("30") << 30.0 << 134 << 112;
    QTest::newRow("135") << 135.0 << 128 << 128;
    QTest::newRow("1") << 1.0 << 122 << 63;
}

void TestBitmapRotator::freeTurns() {
    QFETCH(double, angle);
    QFETCH(int, width);
    QFETCH(int, height);
    TBitmap bitmap;
    bitmap.SetSize(120, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            bitmap.ScanLine(y)[x] = x < 60 ? 0xFFFF0000u : 0xFF0000FFu;  // red left half, blue right
    TImageProc proc;
    proc.SetAttachedBitmap(&bitmap);
    proc.Rotate(angle, true);
    QCOMPARE(bitmap.Width(), width);
    QCOMPARE(bitmap.Height(), height);
    const QImage& out = bitmap.Image();
    QCOMPARE(out.pixel(0, 0), qRgb(255, 255, 255));  // corners in the background, white
    QCOMPARE(out.pixel(width - 1, height - 1), qRgb(255, 255, 255));
    // A point 30 pixels right of the centre (in the blue half) lands turned counter-clockwise.
    const double t = angle * M_PI / 180;
    const int bx = int(std::lround(width / 2.0 + 30 * std::cos(t) - 0.5));
    const int by = int(std::lround(height / 2.0 - 30 * std::sin(t) - 0.5));
    QCOMPARE(out.pixel(bx, by), qRgb(0, 0, 255));
    const int rx = int(std::lround(width / 2.0 - 30 * std::cos(t) - 0.5));
    const int ry = int(std::lround(height / 2.0 + 30 * std::sin(t) - 0.5));
    QCOMPARE(out.pixel(rx, ry), qRgb(255, 0, 0));
}

// Bilinear sampling gives intermediate shades along an edge; nearest sampling only the two colours.
void TestBitmapRotator::interpolationSmoothsEdges() {
    for (bool interpolate : {true, false}) {
        TBitmap bitmap;
        bitmap.SetSize(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                bitmap.ScanLine(y)[x] = x < 32 ? 0xFF000000u : 0xFFFFFFFFu;
        TImageProc proc;
        proc.SetAttachedBitmap(&bitmap);
        proc.Rotate(10, interpolate);
        QSet<int> greys;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                greys.insert(qRed(bitmap.Image().pixel(x, y)));
        if (interpolate)
            QVERIFY(greys.size() > 20);
        else
            QCOMPARE(greys, (QSet<int>{0, 255}));
    }
}

void TestBitmapRotator::keepsPixelFormatAndEmpty() {
    TBitmap bitmap;
    TImageProc proc;
    proc.SetAttachedBitmap(&bitmap);
    proc.Rotate(33, true);  // an empty bitmap stays empty
    QVERIFY(bitmap.Empty());
    Numbered(bitmap, 5, 3);
    bitmap.SetPixelFormat(pf32bit);
    proc.Rotate(90, false);
    QCOMPARE(bitmap.PixelFormat(), pf32bit);
    QCOMPARE(bitmap.Width(), 3);
}

void TestBitmapRotator::notFinite() {
    TBitmap bitmap;
    Numbered(bitmap, 5, 3);
    const QImage before = bitmap.Image().copy();
    TImageProc proc;
    proc.SetAttachedBitmap(&bitmap);
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphicOperation, proc.Rotate(std::nan(""), true));
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphicOperation, proc.Rotate(INFINITY, true));
    QCOMPARE(bitmap.Image(), before);
    TImageProc unattached;
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphicOperation, unattached.Rotate(90, true));
}

QTEST_GUILESS_MAIN(TestBitmapRotator)
#include "tst_bitmap_rotator.moc"
