// The framework's 3-D frame: rings just inside the rectangle, top and left in the top colour,
// right and bottom (with the top-right and bottom-left corners) in the bottom colour.
#include <Tallwick/Frame3D.h>
#include "PixelTools.h"

#include <QtTest>

using namespace Tallwick;

class TestFrame3D : public QObject {
    Q_OBJECT
private slots:
    void frame_data();
    void frame();
    void cornersOfAOneWideFrame();
};

void TestFrame3D::frame_data() {
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<int>("width");
    QTest::newRow("width 1") << Rect(0, 0, 10, 8) << 1;
    QTest::newRow("width 2") << Rect(0, 0, 10, 8) << 2;
    QTest::newRow("width 1, away from the corner") << Rect(3, 2, 13, 9) << 1;
    QTest::newRow("width 3") << Rect(1, 1, 9, 9) << 3;
    QTest::newRow("width 0") << Rect(0, 0, 10, 8) << 0;
    QTest::newRow("negative width") << Rect(0, 0, 10, 8) << -2;
}

void TestFrame3D::frame() {
    QFETCH(TRect, rect);
    QFETCH(int, width);
    auto bitmap = FilledBitmap(16, 12, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen.Color = clGreen;
    canvas->Pen.Width = 3;
    TRect r = rect;
    Frame3D(canvas, r, clRed, clBlue, width);

    const int rings = std::max(0, width);
    const QImage expected = ImageFrom(16, 12, [&](int x, int y) {
        TColor c = clWhite;
        for (int k = 0; k < rings; ++k)
            c = FrameRingPixel(x, y, rect.Left + k, rect.Top + k, rect.Right - 1 - k, rect.Bottom - 1 - k, clRed,
                               clBlue, c);
        return c;
    });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    // The rectangle comes back shrunk by the width on every side, for the next frame inside.
    QCOMPARE(r, Rect(rect.Left + rings, rect.Top + rings, rect.Right - rings, rect.Bottom - rings));
    QCOMPARE(canvas->Pen.Width, 1);
    if (width > 0)
        QCOMPARE(canvas->Pen.Color, clBlue);
}

// The corners spelled out: top-left in the top colour, the other three in the bottom colour.
void TestFrame3D::cornersOfAOneWideFrame() {
    auto bitmap = FilledBitmap(12, 10, clWhite);
    TRect r = Rect(0, 0, 10, 8);
    Frame3D(bitmap->Canvas(), r, clRed, clBlue, 1);
    const TCanvas* canvas = bitmap->Canvas();
    QCOMPARE(canvas->Pixel(0, 0), clRed);
    QCOMPARE(canvas->Pixel(8, 0), clRed);
    QCOMPARE(canvas->Pixel(0, 6), clRed);
    QCOMPARE(canvas->Pixel(9, 0), clBlue);
    QCOMPARE(canvas->Pixel(0, 7), clBlue);
    QCOMPARE(canvas->Pixel(9, 7), clBlue);
    QCOMPARE(canvas->Pixel(10, 8), clWhite);
    QCOMPARE(canvas->Pixel(1, 1), clWhite);
}

QTEST_MAIN(TestFrame3D)
#include "tst_frame3d.moc"
