// The gradient fill: bands, MulDiv rounding, remainder pixels, directions and edge cases.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/GradientFill.h>

#include <QtTest>

using namespace Tallwick;

namespace {
constexpr TColor kUntouched = 0x123456;

struct Probe {
    int x, y;
    TColor color;
};
}  // namespace
Q_DECLARE_METATYPE(QList<Probe>)

class TestGradientFill : public QObject {
    Q_OBJECT
private slots:
    void fill_data();
    void fill();
    void everyBandTakesMulDivColour_data();
    void everyBandTakesMulDivColour();
    void systemColoursAreResolved();
    void farAwayRectangleEndsAtOnce();
    void deviceBands_data();
    void deviceBands();
};

void TestGradientFill::fill_data() {
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("colors");
    QTest::addColumn<QList<Probe>>("probes");

    const TColor red = clRed, blue = clBlue;
    QTest::newRow("empty width") << Rect(5, 0, 5, 10) << red << blue << 0 << 64
                                 << QList<Probe>{{5, 0, kUntouched}, {4, 5, kUntouched}};
    QTest::newRow("inverted rectangle") << Rect(8, 8, 2, 2) << red << blue << 2 << 64
                                        << QList<Probe>{{5, 5, kUntouched}};
    QTest::newRow("one colour fills with start")
        << Rect(0, 0, 10, 10) << red << blue << 0 << 1 << QList<Probe>{{0, 0, red}, {9, 9, red}, {10, 10, kUntouched}};
    QTest::newRow("no colour fills with start")
        << Rect(0, 0, 10, 10) << red << blue << 3 << 0 << QList<Probe>{{9, 0, red}};
    QTest::newRow("unknown direction paints nothing")
        << Rect(0, 0, 10, 10) << red << blue << 4 << 64 << QList<Probe>{{0, 0, kUntouched}};
    // 10 rows, 4 colours: bands of 2 rows; rows 8 and 9 are left over and take the end colour.
    QTest::newRow("top to bottom, remainder")
        << Rect(0, 0, 3, 10) << 0x000000 << 0x0000FF << 0 << 4
        << QList<Probe>{{0, 0, 0x000000}, {2, 1, 0x000000}, {0, 2, 0x000055}, {0, 4, 0x0000AA},
                        {0, 7, 0x0000FF}, {0, 8, 0x0000FF}, {0, 9, 0x0000FF}, {3, 0, kUntouched}};
    // Bottom to top: the end colour at the top, the start colour at the bottom and in the rest.
    QTest::newRow("bottom to top, remainder")
        << Rect(0, 0, 3, 10) << 0x0000FF << 0x000000 << 1 << 4
        << QList<Probe>{{0, 0, 0x000000}, {0, 2, 0x000055}, {0, 6, 0x0000FF}, {0, 8, 0x0000FF}, {0, 9, 0x0000FF}};
    QTest::newRow("left to right, one band per pixel")
        << Rect(2, 1, 5, 3) << 0x000000 << 0x00FF00 << 2 << 64
        << QList<Probe>{{2, 1, 0x000000}, {3, 2, 0x008000}, {4, 1, 0x00FF00}, {1, 1, kUntouched}, {5, 1, kUntouched}};
    QTest::newRow("right to left") << Rect(0, 0, 3, 1) << 0x000000 << 0x00FF00 << 3 << 64
                                   << QList<Probe>{{0, 0, 0x00FF00}, {1, 0, 0x007F00}, {2, 0, 0x000000}};
    // One pixel: two colours, bands of 0 pixels; the pixel is "left over" and takes its end's colour.
    QTest::newRow("one pixel, top to bottom")
        << Rect(0, 0, 4, 1) << red << blue << 0 << 64 << QList<Probe>{{0, 0, blue}, {3, 0, blue}};
    QTest::newRow("one pixel, bottom to top")
        << Rect(0, 0, 4, 1) << red << blue << 1 << 64 << QList<Probe>{{0, 0, red}};
    // 200 wide in 64 colours: bands of 3 pixels, the last 8 pixels in the end colour.
    QTest::newRow("progress bar width") << Rect(0, 0, 200, 2) << clAqua << clNavy << 2 << 64
                                        << QList<Probe>{
                                               {0, 0, clAqua},   {2, 1, clAqua},   {3, 0, RGB(0, 0xFF - 4, 0xFF - 2)},
                                               {189, 0, clNavy}, {191, 0, clNavy}, {192, 0, clNavy},
                                               {199, 1, clNavy}};
}

void TestGradientFill::fill() {
    QFETCH(TRect, rect);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, direction);
    QFETCH(int, colors);
    QFETCH(QList<Probe>, probes);
    TBitmap bitmap;
    bitmap.SetSize(220, 12);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush.Color = kUntouched;
    canvas->FillRect(Rect(0, 0, 220, 12));
    GradientFillRect(canvas, rect, start, end, direction, std::uint8_t(colors));
    for (const Probe& p : probes)
        QVERIFY2(canvas->Pixel(p.x, p.y) == p.color,
                 qPrintable(QStringLiteral("(%1, %2): %3, expected %4")
                                .arg(p.x)
                                .arg(p.y)
                                .arg(canvas->Pixel(p.x, p.y), 6, 16, QLatin1Char('0'))
                                .arg(p.color, 6, 16, QLatin1Char('0'))));
}

// Band i of n takes a + MulDiv(i, b - a, n - 1) per channel, halves rounded away from zero.
void TestGradientFill::everyBandTakesMulDivColour_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("colors");
    QTest::addColumn<QList<int>>("reds");
    // 3 bands: 255 / 2 = 127.5 rounds to 128, up and down.
    QTest::newRow("rising half") << 0x000000 << 0x0000FF << 3 << QList<int>{0, 128, 255};
    QTest::newRow("falling half") << 0x0000FF << 0x000000 << 3 << QList<int>{255, 127, 0};
    QTest::newRow("5 bands of 10 over 100") << 0x000000 << 0x000064 << 5 << QList<int>{0, 25, 50, 75, 100};
    QTest::newRow("7 bands, thirds") << 0x000000 << 0x000001 << 7 << QList<int>{0, 0, 0, 1, 1, 1, 1};
}

void TestGradientFill::everyBandTakesMulDivColour() {
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, colors);
    QFETCH(QList<int>, reds);
    TBitmap bitmap;
    bitmap.SetSize(colors * 2, 1);
    GradientFillRect(bitmap.Canvas(), Rect(0, 0, colors * 2, 1), start, end, gdLeftToRight, std::uint8_t(colors));
    for (int i = 0; i < colors; ++i) {
        QCOMPARE(GetRValue(bitmap.Canvas()->Pixel(2 * i, 0)), reds[i]);
        QCOMPARE(bitmap.Canvas()->Pixel(2 * i + 1, 0), bitmap.Canvas()->Pixel(2 * i, 0));
    }
}

void TestGradientFill::systemColoursAreResolved() {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    GradientFillRect(bitmap.Canvas(), Rect(0, 0, 4, 4), clBtnFace, clBtnFace, gdTopToBottom, 64);
    QCOMPARE(bitmap.Canvas()->Pixel(0, 0), ColorToRGB(clBtnFace));
    QCOMPARE(bitmap.Canvas()->Pixel(3, 3), ColorToRGB(clBtnFace));
}

// Edges as far apart as ints allow: at most 255 bands, clipped to the bitmap.
void TestGradientFill::farAwayRectangleEndsAtOnce() {
    TBitmap bitmap;
    bitmap.SetSize(8, 8);
    GradientFillRect(bitmap.Canvas(), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), clBlack, clWhite, gdLeftToRight, 255);
    GradientFillRect(bitmap.Canvas(), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), clBlack, clWhite, gdBottomToTop, 255);
    // The bitmap lies in the middle band of 255: a grey (127 of 254 steps).
    const TColor middle = bitmap.Canvas()->Pixel(4, 4);
    QVERIFY(GetRValue(middle) > 100 && GetRValue(middle) < 156);
}

void TestGradientFill::deviceBands_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("direction");
    for (int scale : {2, 3})
        for (int direction : {int(gdLeftToRight), int(gdBottomToTop)})
            QTest::newRow(qPrintable(QString("x%1, direction %2").arg(scale).arg(direction))) << scale << direction;
}

// On a canvas of scale k the progress bar's 200 pixels in 64 colours: the same 64 colours, in
// order, over the k times longer device extent, band j covering exactly [200k j / 64,
// 200k (j + 1) / 64): its whole device pixels in its colour, a pixel an edge cuts in a colour
// between the two either side; the ends in the end colours, nothing outside the rectangle.
void TestGradientFill::deviceBands() {
    QFETCH(int, scale);
    QFETCH(int, direction);
    const bool vertical = direction == gdBottomToTop;
    const TRect rect = vertical ? Rect(1, 3, 3, 203) : Rect(3, 1, 203, 3);
    TBitmap one, device;
    one.SetSize(210, 210);
    device.SetSize(210 * scale, 210 * scale);
    device.Canvas()->SetScale(scale);
    for (TBitmap* b : {&one, &device}) {
        b->Canvas()->Brush.Color = kUntouched;
        b->Canvas()->FillRect(Rect(0, 0, 210, 210));
        GradientFillRect(b->Canvas(), rect, clAqua, clNavy, direction, 64);
    }
    // Along the bar from its start colour's end, in device pixels.
    const auto at = [&](const TBitmap& b, int along, int k) {
        const QImage& image = b.Image();
        return QRgbToColor(vertical ? image.pixel(2 * k, (203 * k - 1) - along) : image.pixel(3 * k + along, 2 * k));
    };
    QList<TColor> logical;
    for (int i = 0; i < 200; ++i)
        if (logical.isEmpty() || logical.back() != at(one, i, 1))
            logical.append(at(one, i, 1));
    QCOMPARE(logical.size(), 64);
    const auto between = [](TColor c, TColor a, TColor b) {
        const auto in = [](int v, int x, int y) { return v >= std::min(x, y) && v <= std::max(x, y); };
        return in(GetRValue(c), GetRValue(a), GetRValue(b)) && in(GetGValue(c), GetGValue(a), GetGValue(b)) &&
               in(GetBValue(c), GetBValue(a), GetBValue(b));
    };
    const long long extent = 200LL * scale;
    int cuts = 0;
    for (long long i = 0; i < extent; ++i) {
        const int band = int(i * 64 / extent);
        const TColor c = at(device, int(i), scale);
        const QString where = QString("device pixel %1, band %2").arg(i).arg(band);
        if (64 * (i + 1) > extent * (band + 1)) {  // the band's end edge lies inside this pixel
            ++cuts;
            QVERIFY2(between(c, logical[band], logical[band + 1]), qPrintable(where));
        } else {
            QVERIFY2(c == logical[band], qPrintable(where));
        }
    }
    QVERIFY(cuts > 0);
    QCOMPARE(at(device, 0, scale), clAqua);
    QCOMPARE(at(device, int(extent - 1), scale), clNavy);
    const QImage& image = device.Image();
    QCOMPARE(QRgbToColor(image.pixel(vertical ? 2 * scale : 203 * scale, vertical ? 203 * scale : 2 * scale)),
             kUntouched);
    QCOMPARE(QRgbToColor(image.pixel(scale - 1, scale - 1)), kUntouched);
}

QTEST_MAIN(TestGradientFill)
#include "tst_gradientfill.moc"
