// Copying bitmaps onto a canvas: raster operations per channel, clipping of sources that hang
// over the edges, drawing a bitmap onto itself, and nearest-pixel stretching.
#include "PixelTools.h"

#include <QtTest>

using namespace Tallwick;

Q_DECLARE_METATYPE(TCopyMode)

namespace {
// A w x h bitmap whose every pixel has its own colour.
std::unique_ptr<TBitmap> NumberedBitmap(int w, int h) {
    auto bitmap = FilledBitmap(w, h, clWhite);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap->Canvas()->SetPixel(x, y, RGB(10 + x * 40, 20 + y * 50, 200 - x - y));
    return bitmap;
}

TColor Numbered(int x, int y) { return RGB(10 + x * 40, 20 + y * 50, 200 - x - y); }
}  // namespace

class TestCanvasCopy : public QObject {
    Q_OBJECT
private slots:
    void copyModes_data();
    void copyModes();
    void sourceOverEdges_data();
    void sourceOverEdges();
    void drawOntoItself();
    void stretchDraw_data();
    void stretchDraw();
    void stretchDrawUsesCopyMode();
};

void TestCanvasCopy::copyModes_data() {
    QTest::addColumn<TCopyMode>("mode");
    QTest::addColumn<TColor>("target");
    QTest::addColumn<TColor>("source");
    QTest::addColumn<TColor>("result");
    const TColor a = RGB(0x12, 0xF0, 0x0F), b = RGB(0x21, 0x0F, 0xF1), c = RGB(0x9A, 0x3C, 0x71);
    QTest::newRow("SRCCOPY") << cmSrcCopy << a << b << b;
    QTest::newRow("SRCPAINT") << cmSrcPaint << a << b << RGB(0x33, 0xFF, 0xFF);
    QTest::newRow("SRCPAINT, mixed bits")
        << cmSrcPaint << RGB(0x80, 0x01, 0x55) << RGB(0x0F, 0x10, 0xAA) << RGB(0x8F, 0x11, 0xFF);
    QTest::newRow("SRCPAINT of black") << cmSrcPaint << c << clBlack << c;
    QTest::newRow("SRCINVERT") << cmSrcInvert << a << b << RGB(0x33, 0xFF, 0xFE);
    QTest::newRow("SRCINVERT of white") << cmSrcInvert << c << clWhite << RGB(0x65, 0xC3, 0x8E);
    QTest::newRow("SRCINVERT of itself") << cmSrcInvert << c << c << clBlack;
}

// The operation applies per channel inside the source's area only; rows keep 0xFF in the high
// byte; the copy mode stays as set (resetting it is the caller's business).
void TestCanvasCopy::copyModes() {
    QFETCH(TCopyMode, mode);
    QFETCH(TColor, target);
    QFETCH(TColor, source);
    QFETCH(TColor, result);
    auto bitmap = FilledBitmap(8, 6, target);
    auto piece = FilledBitmap(3, 2, source);
    TCanvas* canvas = bitmap->Canvas();
    canvas->CopyMode = mode;
    canvas->Draw(4, 3, *piece);
    QCOMPARE(canvas->CopyMode, mode);
    const QRect area(4, 3, 3, 2);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            QCOMPARE(canvas->Pixel(x, y), area.contains(x, y) ? result : target);
            QCOMPARE(bitmap->ScanLine(y)[x] >> 24, 0xFFu);
        }
    }
}

void TestCanvasCopy::sourceOverEdges_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("sourceWidth");
    QTest::addColumn<int>("sourceHeight");
    QTest::newRow("inside") << QPoint(2, 1) << 5 << 4;
    QTest::newRow("over the top-left corner") << QPoint(-2, -1) << 5 << 4;
    QTest::newRow("over the bottom-right corner") << QPoint(6, 4) << 5 << 4;
    QTest::newRow("wholly left") << QPoint(-10, 0) << 5 << 4;
    QTest::newRow("wholly below") << QPoint(0, 50) << 5 << 4;
    QTest::newRow("larger than the target") << QPoint(-3, -2) << 12 << 10;
    QTest::newRow("empty source") << QPoint(1, 1) << 0 << 4;
}

void TestCanvasCopy::sourceOverEdges() {
    QFETCH(QPoint, at);
    QFETCH(int, sourceWidth);
    QFETCH(int, sourceHeight);
    auto bitmap = FilledBitmap(8, 6, clWhite);
    auto source = NumberedBitmap(sourceWidth, sourceHeight);
    bitmap->Canvas()->Draw(at.x(), at.y(), *source);
    const QRect sourceArea(at, QSize(sourceWidth, sourceHeight));
    const QImage expected = ImageFrom(
        8, 6, [&](int x, int y) { return sourceArea.contains(x, y) ? Numbered(x - at.x(), y - at.y()) : clWhite; });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// Overlapping source and target: every pixel is read before it is overwritten.
void TestCanvasCopy::drawOntoItself() {
    auto bitmap = NumberedBitmap(6, 5);
    bitmap->Canvas()->Draw(1, 1, *bitmap);
    const QImage expected =
        ImageFrom(6, 5, [](int x, int y) { return x >= 1 && y >= 1 ? Numbered(x - 1, y - 1) : Numbered(x, y); });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasCopy::stretchDraw_data() {
    QTest::addColumn<TRect>("rect");
    QTest::newRow("2 x 2 to 4 x 4") << Rect(4, 4, 8, 8);
    QTest::newRow("2 x 2 to 6 x 6") << Rect(2, 3, 8, 9);
    QTest::newRow("2 x 2 to 8 x 2") << Rect(0, 0, 8, 2);
    QTest::newRow("same size") << Rect(3, 3, 5, 5);
    QTest::newRow("over the edge") << Rect(8, 8, 16, 16);
}

// Nearest-pixel scaling: each source pixel becomes a whole block of the rectangle.
void TestCanvasCopy::stretchDraw() {
    QFETCH(TRect, rect);
    auto checker = FilledBitmap(2, 2, clWhite);
    checker->Canvas()->SetPixel(0, 0, clBlack);
    checker->Canvas()->SetPixel(1, 1, clBlack);
    auto bitmap = FilledBitmap(12, 12, clRed);
    bitmap->Canvas()->StretchDraw(rect, *checker);
    const QRect area(rect.Left, rect.Top, rect.Width(), rect.Height());
    const QImage expected = ImageFrom(12, 12, [&](int x, int y) {
        if (!area.contains(x, y))
            return clRed;
        const int sx = (x - rect.Left) * 2 / rect.Width(), sy = (y - rect.Top) * 2 / rect.Height();
        return sx == sy ? clBlack : clWhite;
    });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasCopy::stretchDrawUsesCopyMode() {
    auto white = FilledBitmap(1, 1, clWhite);
    auto bitmap = FilledBitmap(4, 4, RGB(0x10, 0x20, 0x30));
    bitmap->Canvas()->CopyMode = cmSrcInvert;
    bitmap->Canvas()->StretchDraw(Rect(1, 1, 3, 3), *white);
    const QImage expected = ImageFrom(4, 4, [](int x, int y) {
        return x >= 1 && x < 3 && y >= 1 && y < 3 ? RGB(0xEF, 0xDF, 0xCF) : RGB(0x10, 0x20, 0x30);
    });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

QTEST_MAIN(TestCanvasCopy)
#include "tst_canvas_copy.moc"
