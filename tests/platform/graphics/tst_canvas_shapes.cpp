// Shapes on the canvas, pixel by pixel: rectangles, fills, ellipses, lines and polygons follow the
// classic device interface (right and bottom edges exclusive, a line leaves out its end pixel).
#include <Tallwick/GdiCalls.h>
#include "PixelTools.h"

#include <QPolygon>
#include <QtTest>
#include <climits>
#include <cstdlib>

using namespace Tallwick;

namespace {
constexpr TColor kPaper = clWhite;
constexpr TColor kInk = clBlue;  // pen
constexpr TColor kFill = clRed;  // brush

void UsePenAndBrush(TCanvas* canvas) {
    canvas->Pen.Color = kInk;
    canvas->Brush.Color = kFill;
}

// A picture where every pixel differs from its neighbours, to see each inversion.
std::unique_ptr<TBitmap> GradientBitmap(int w, int h) {
    auto bitmap = FilledBitmap(w, h, kPaper);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap->Canvas()->SetPixel(x, y, RGB(x * 7, y * 6, 40 + (x + y) * 3));
    return bitmap;
}

void DrawPolyline(TCanvas* canvas, const QPolygon& points) {
    std::vector<TPoint> pts;
    for (const QPoint& p : points)
        pts.push_back(Point(p.x(), p.y()));
    canvas->Polyline(pts.data(), int(pts.size()));
}
}  // namespace

class TestCanvasShapes : public QObject {
    Q_OBJECT
private slots:
    void rectangle_data();
    void rectangle();
    void rectangleAtIntLimits_data();
    void rectangleAtIntLimits();
    void fillRect_data();
    void fillRect();
    void ellipse_data();
    void ellipse();
    void ellipseDegenerate_data();
    void ellipseDegenerate();
    void lineTo_data();
    void lineTo();
    void invertedLinesRestore_data();
    void invertedLinesRestore();
    void polygonSquare_data();
    void polygonSquare();
    void polygonTriangle();
    void widePolylineInvertsEachPixelOnce();
};

void TestCanvasShapes::rectangle_data() {
    QTest::addColumn<int>("penStyle");
    QTest::addColumn<int>("brushStyle");
    QTest::addColumn<bool>("reversed");
    QTest::newRow("pen and brush") << int(psSolid) << int(bsSolid) << false;
    QTest::newRow("corners given reversed") << int(psSolid) << int(bsSolid) << true;
    QTest::newRow("clear pen") << int(psClear) << int(bsSolid) << false;
    QTest::newRow("clear brush") << int(psSolid) << int(bsClear) << false;
}

void TestCanvasShapes::rectangle() {
    QFETCH(int, penStyle);
    QFETCH(int, brushStyle);
    QFETCH(bool, reversed);
    auto bitmap = FilledBitmap(40, 50, kPaper);
    TCanvas* canvas = bitmap->Canvas();
    UsePenAndBrush(canvas);
    canvas->Pen.Style = TPenStyle(penStyle);
    canvas->Brush.Style = TBrushStyle(brushStyle);
    if (reversed)
        canvas->Rectangle(20, 30, 10, 10);
    else
        canvas->Rectangle(10, 10, 20, 30);

    const bool pen = penStyle == psSolid, brush = brushStyle == bsSolid;
    const QImage expected = ImageFrom(40, 50, [&](int x, int y) {
        if (!pen)  // the brush alone, one pixel short on the right and at the bottom
            return x >= 10 && x <= 18 && y >= 10 && y <= 28 ? kFill : kPaper;
        if (x < 10 || x > 19 || y < 10 || y > 29)
            return kPaper;
        if (x == 10 || x == 19 || y == 10 || y == 29)
            return kInk;
        return brush ? kFill : kPaper;
    });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// Corners at the ends of the int range: the inside of a rectangle of no width at INT_MIN lies
// wholly left of the bitmap and must draw nothing (its right edge, one less, once wrapped round
// to INT_MAX and filled far past the bitmap's rows).
void TestCanvasShapes::rectangleAtIntLimits_data() {
    QTest::addColumn<TRect>("corners");
    QTest::addColumn<int>("penStyle");
    QTest::addColumn<bool>("filled");  // the whole bitmap in the brush's colour, else untouched
    QTest::newRow("no width at INT_MIN") << Rect(INT_MIN, INT_MIN + 10, INT_MIN, 10) << int(psSolid) << false;
    QTest::newRow("no height at INT_MIN") << Rect(INT_MIN + 10, INT_MIN, 10, INT_MIN) << int(psSolid) << false;
    QTest::newRow("no width at INT_MIN, clear pen") << Rect(INT_MIN, 0, INT_MIN, 10) << int(psClear) << false;
    QTest::newRow("the whole int range, clear pen") << Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX) << int(psClear) << true;
}

void TestCanvasShapes::rectangleAtIntLimits() {
    QFETCH(TRect, corners);
    QFETCH(int, penStyle);
    QFETCH(bool, filled);
    auto bitmap = FilledBitmap(40, 50, kPaper);
    TCanvas* canvas = bitmap->Canvas();
    UsePenAndBrush(canvas);
    canvas->Pen.Style = TPenStyle(penStyle);
    canvas->Rectangle(corners.Left, corners.Top, corners.Right, corners.Bottom);
    const QImage expected = ImageFrom(40, 50, [&](int, int) { return filled ? kFill : kPaper; });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasShapes::fillRect_data() {
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<QRect>("covered");
    QTest::newRow("box") << Rect(10, 10, 20, 30) << QRect(10, 10, 10, 20);
    QTest::newRow("one pixel") << Rect(3, 4, 4, 5) << QRect(3, 4, 1, 1);
    QTest::newRow("no width") << Rect(5, 5, 5, 9) << QRect();
    QTest::newRow("no height") << Rect(5, 5, 9, 5) << QRect();
    QTest::newRow("over top-left edge") << Rect(-5, -5, 3, 4) << QRect(0, 0, 3, 4);
    QTest::newRow("over bottom-right edge") << Rect(35, 45, 60, 70) << QRect(35, 45, 5, 5);
    QTest::newRow("wholly outside") << Rect(50, 0, 60, 10) << QRect();
}

void TestCanvasShapes::fillRect() {
    QFETCH(TRect, rect);
    QFETCH(QRect, covered);
    auto bitmap = FilledBitmap(40, 50, kPaper);
    UsePenAndBrush(bitmap->Canvas());
    bitmap->Canvas()->FillRect(rect);
    const QImage expected = ImageFrom(40, 50, [&](int x, int y) { return covered.contains(x, y) ? kFill : kPaper; });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasShapes::ellipse_data() {
    QTest::addColumn<TRect>("box");
    QTest::addColumn<int>("penStyle");
    QTest::newRow("circle 20") << Rect(10, 10, 30, 30) << int(psSolid);
    QTest::newRow("31 x 15") << Rect(5, 5, 36, 20) << int(psSolid);
    QTest::newRow("1 x 1") << Rect(10, 10, 11, 11) << int(psSolid);
    QTest::newRow("2 x 2") << Rect(10, 10, 12, 12) << int(psSolid);
    QTest::newRow("3 x 3") << Rect(10, 10, 13, 13) << int(psSolid);
    QTest::newRow("5 x 4") << Rect(10, 10, 15, 14) << int(psSolid);
    QTest::newRow("flat 60 x 4") << Rect(2, 10, 62, 14) << int(psSolid);
    QTest::newRow("tall 4 x 60") << Rect(10, 2, 14, 62) << int(psSolid);
    QTest::newRow("corners given reversed") << Rect(30, 30, 10, 10) << int(psSolid);
    QTest::newRow("no pen 20 x 14") << Rect(10, 10, 30, 24) << int(psClear);
    QTest::newRow("no pen, corners reversed") << Rect(30, 24, 10, 10) << int(psClear);
}

// The ellipse stays in its box (without a pen, one pixel short on the right and at the bottom,
// as a rectangle), touches all four sides, is symmetric, and is outlined one pixel thick in the
// pen with the brush inside.
void TestCanvasShapes::ellipse() {
    QFETCH(TRect, box);
    QFETCH(int, penStyle);
    auto bitmap = FilledBitmap(70, 70, kPaper);
    TCanvas* canvas = bitmap->Canvas();
    UsePenAndBrush(canvas);
    canvas->Pen.Style = TPenStyle(penStyle);
    canvas->Ellipse(box.Left, box.Top, box.Right, box.Bottom);

    const bool pen = penStyle == psSolid;
    const int l = std::min(box.Left, box.Right), t = std::min(box.Top, box.Bottom);
    const int r = std::max(box.Left, box.Right) - (pen ? 0 : 1);
    const int b = std::max(box.Top, box.Bottom) - (pen ? 0 : 1);
    const QImage& image = bitmap->Image();
    QCOMPARE(BoundsWhere(image, [](TColor c) { return c != kPaper; }), QRect(l, t, r - l, b - t));
    QCOMPARE(CountOf(image, kInk) > 0, pen);
    if (r - l > 2 && b - t > 2)
        QVERIFY(CountOf(image, kFill) > 0);

    auto paperNear = [&](int x, int y, bool diagonally) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((diagonally || dx == 0 || dy == 0) &&
                    (!image.rect().contains(x + dx, y + dy) || ColorAt(image, x + dx, y + dy) == kPaper))
                    return true;
        return false;
    };
    for (int y = t; y < b; ++y) {
        for (int x = l; x < r; ++x) {
            const TColor c = ColorAt(image, x, y);
            QCOMPARE(ColorAt(image, l + r - 1 - x, y), c);
            QCOMPARE(ColorAt(image, x, t + b - 1 - y), c);
            if (c == kPaper)
                continue;
            // The shape meets the paper in the pen only, and the pen is one pixel thick.
            QVERIFY2(!pen || !paperNear(x, y, false) || c == kInk, PixelName(x, y));
            QVERIFY2(c != kInk || paperNear(x, y, true), PixelName(x, y));
        }
    }
}

void TestCanvasShapes::ellipseDegenerate_data() {
    QTest::addColumn<TRect>("box");
    QTest::newRow("no width") << Rect(10, 10, 10, 30);
    QTest::newRow("no height") << Rect(10, 10, 30, 10);
    QTest::newRow("a point") << Rect(0, 0, 0, 0);
    QTest::newRow("wholly outside") << Rect(-100, -100, -50, -50);
}

void TestCanvasShapes::ellipseDegenerate() {
    QFETCH(TRect, box);
    auto bitmap = FilledBitmap(40, 40, kPaper);
    UsePenAndBrush(bitmap->Canvas());
    bitmap->Canvas()->Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    QCOMPARE(CountOf(bitmap->Image(), kPaper), 40 * 40);
}

void TestCanvasShapes::lineTo_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("horizontal") << QPoint(5, 10) << QPoint(25, 10);
    QTest::newRow("horizontal, leftward") << QPoint(25, 10) << QPoint(5, 10);
    QTest::newRow("vertical") << QPoint(10, 5) << QPoint(10, 25);
    QTest::newRow("vertical, upward") << QPoint(10, 25) << QPoint(10, 5);
    QTest::newRow("diagonal") << QPoint(5, 5) << QPoint(25, 25);
    QTest::newRow("diagonal, reversed") << QPoint(25, 25) << QPoint(5, 5);
    QTest::newRow("anti-diagonal") << QPoint(25, 5) << QPoint(5, 25);
    QTest::newRow("shallow") << QPoint(2, 5) << QPoint(37, 16);
    QTest::newRow("shallow, reversed") << QPoint(37, 16) << QPoint(2, 5);
    QTest::newRow("steep") << QPoint(5, 2) << QPoint(13, 37);
    QTest::newRow("steep, reversed") << QPoint(13, 37) << QPoint(5, 2);
    QTest::newRow("one step") << QPoint(10, 10) << QPoint(11, 10);
    QTest::newRow("zero length") << QPoint(10, 10) << QPoint(10, 10);
}

// One pixel per step along the longer axis, from the start pixel up to but without the end
// pixel, each within half a pixel of the ideal line.
void TestCanvasShapes::lineTo() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    auto bitmap = FilledBitmap(40, 40, kPaper);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen.Color = kInk;
    canvas->MoveTo(from.x(), from.y());
    canvas->LineTo(to.x(), to.y());
    QCOMPARE(canvas->PenPos().x, to.x());
    QCOMPARE(canvas->PenPos().y, to.y());

    const QImage& image = bitmap->Image();
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int steps = std::max(std::abs(dx), std::abs(dy));
    QCOMPARE(CountOf(image, kInk), steps);
    if (steps == 0)
        return;
    QCOMPARE(ColorAt(image, from.x(), from.y()), kInk);
    QCOMPARE(ColorAt(image, to.x(), to.y()), kPaper);
    const int dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const int major0 = xMajor ? from.x() : from.y(), minor0 = xMajor ? from.y() : from.x();
    for (int i = 0; i < steps; ++i) {
        const int major = major0 + (dMajor > 0 ? i : -i);
        int found = 0, minor = 0;
        for (int m = 0; m < 40; ++m) {
            if (ColorAt(image, xMajor ? major : m, xMajor ? m : major) == kInk) {
                ++found;
                minor = m;
            }
        }
        QCOMPARE(found, 1);
        // |minor - ideal| <= 1/2, with ideal = minor0 + i * dMinor / steps
        QVERIFY2(2 * std::abs((minor - minor0) * steps - i * dMinor) <= steps,
                 xMajor ? PixelName(major, minor) : PixelName(minor, major));
    }
}

void TestCanvasShapes::invertedLinesRestore_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QPolygon>("points");
    QTest::newRow("2-pixel line") << 2 << QPolygon({QPoint(4, 6), QPoint(33, 21)});
    QTest::newRow("2-pixel steep line") << 2 << QPolygon({QPoint(30, 3), QPoint(12, 36)});
    QTest::newRow("3-pixel line") << 3 << QPolygon({QPoint(5, 30), QPoint(35, 8)});
    QTest::newRow("1-pixel polyline") << 1
                                      << QPolygon({QPoint(3, 3), QPoint(30, 8), QPoint(10, 20), QPoint(35, 35),
                                                   QPoint(5, 36)});
}

// In invert mode every pixel under the line is inverted exactly once (no pixel twice, which
// would leave a gap), so drawing the same line again restores the picture.
void TestCanvasShapes::invertedLinesRestore() {
    QFETCH(int, width);
    QFETCH(QPolygon, points);
    auto covered = FilledBitmap(40, 40, kPaper);
    covered->Canvas()->Pen.Color = kInk;
    covered->Canvas()->Pen.Width = width;
    DrawPolyline(covered->Canvas(), points);

    auto bitmap = GradientBitmap(40, 40);
    const QImage original = bitmap->Image().copy();
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen.Mode = pmNot;
    canvas->Pen.Width = width;
    DrawPolyline(canvas, points);
    const QImage expected = ImageFrom(40, 40, [&](int x, int y) {
        const TColor c = ColorAt(original, x, y);
        return ColorAt(covered->Image(), x, y) == kInk ? (c ^ 0xFFFFFF) : c;
    });
    QVERIFY(CountOf(covered->Image(), kInk) > 0);
    QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    DrawPolyline(canvas, points);
    diff = FirstDifference(bitmap->Image(), original);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasShapes::polygonSquare_data() {
    QTest::addColumn<bool>("throughHandle");
    QTest::addColumn<QPolygon>("points");
    const QPolygon clockwise({QPoint(10, 10), QPoint(20, 10), QPoint(20, 20), QPoint(10, 20)});
    const QPolygon counterClockwise({QPoint(10, 10), QPoint(10, 20), QPoint(20, 20), QPoint(20, 10)});
    QTest::newRow("canvas") << false << clockwise;
    QTest::newRow("device handle") << true << clockwise;
    QTest::newRow("counter-clockwise") << false << counterClockwise;
}

// Unlike Rectangle, a polygon's outline runs through its corner points: the square from 10 to
// 20 covers 11 x 11 pixels, outline on 10 and 20, brush inside.
void TestCanvasShapes::polygonSquare() {
    QFETCH(bool, throughHandle);
    QFETCH(QPolygon, points);
    std::vector<TPoint> pts;
    for (const QPoint& p : points)
        pts.push_back(Point(p.x(), p.y()));
    auto bitmap = FilledBitmap(30, 30, kPaper);
    UsePenAndBrush(bitmap->Canvas());
    if (throughHandle)
        QVERIFY(Polygon(bitmap->Canvas()->Handle(), pts.data(), int(pts.size())));
    else
        bitmap->Canvas()->Polygon(pts.data(), int(pts.size()));
    const QImage expected = ImageFrom(30, 30, [](int x, int y) {
        if (x < 10 || x > 20 || y < 10 || y > 20)
            return kPaper;
        return x == 10 || x == 20 || y == 10 || y == 20 ? kInk : kFill;
    });
    const QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestCanvasShapes::polygonTriangle() {
    const TPoint corners[] = {{10, 10}, {30, 10}, {10, 30}};
    auto bitmap = FilledBitmap(40, 40, kPaper);
    TCanvas* canvas = bitmap->Canvas();
    UsePenAndBrush(canvas);
    QVERIFY(!Polygon(canvas->Handle(), corners, 1));
    QCOMPARE(CountOf(bitmap->Image(), kPaper), 40 * 40);
    QVERIFY(Polygon(canvas->Handle(), corners, 3));

    const QImage& image = bitmap->Image();
    QCOMPARE(BoundsWhere(image, [](TColor c) { return c != kPaper; }), QRect(10, 10, 21, 21));
    for (int y = 10; y <= 30; ++y) {
        int last = 0;
        for (int x = 10; x <= 30; ++x) {
            const TColor c = ColorAt(image, x, y);
            last = c != kPaper ? x : last;
            // The pen along the top and left edges; the brush only where the pixel centre is inside.
            QVERIFY2((x != 10 && y != 10) || c == kInk, PixelName(x, y));
            QVERIFY2(c != kFill || (x + 0.5) + (y + 0.5) < 40, PixelName(x, y));
        }
        // The slanted edge closes every row in the pen, on the ideal edge x + y = 40.
        QCOMPARE(ColorAt(image, last, y), kInk);
        QVERIFY2(std::abs(last + y - 40) <= 1, PixelName(last, y));
    }
    QCOMPARE(ColorAt(image, 14, 14), kFill);
    QCOMPARE(ColorAt(image, 12, 25), kFill);
    QCOMPARE(ColorAt(image, 22, 22), kPaper);
}

// A wide pen draws a polyline as one shape: the joint is inverted once, like every other pixel,
// and the pen position stays where it was.
void TestCanvasShapes::widePolylineInvertsEachPixelOnce() {
    auto bitmap = FilledBitmap(40, 40, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen.Width = 3;
    canvas->Pen.Mode = pmNot;
    canvas->MoveTo(1, 1);
    const TPoint corner[3] = {{5, 30}, {20, 20}, {35, 30}};
    canvas->Polyline(corner, 3);
    QCOMPARE(canvas->PenPos().x, 1);
    QCOMPARE(canvas->Pixel(20, 20), clBlack);  // the joint, covered by both segments
    QCOMPARE(canvas->Pixel(20, 21), clBlack);
    QCOMPARE(canvas->Pixel(20, 10), clWhite);
    canvas->Polyline(corner, 3);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            QCOMPARE(canvas->Pixel(x, y), clWhite);
}

QTEST_MAIN(TestCanvasShapes)
#include "tst_canvas_shapes.moc"
