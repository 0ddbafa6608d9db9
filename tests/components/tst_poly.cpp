// The contour polygons: vertices, contour walk, drawing, manual vertices, events and edge cases.
#include <Tallwick/Canvas.h>
#include <Tallwick/Random.h>
#include <Tallwick/Tpoly.h>

#include <QSignalSpy>
#include <QtTest>
#include <cmath>

using namespace Tallwick;

Q_DECLARE_METATYPE(TPoint)

namespace {
// The default panel: 160 x 160 with two 1-pixel bevels, so the image is 156 x 156.
struct Square {
    TPoly poly;
    int xc, yc;
    double r;
    explicit Square(double rotation = 0) {
        poly.SetCount(4);
        poly.SetRotation(rotation);
        xc = poly.ValueXc();
        yc = poly.ValueYc();
        r = poly.ValueR();
    }
};

TColor ImagePixel(TPoly& poly, int x, int y) { return poly.Image()->Canvas()->Pixel(x, y); }
}  // namespace

class TestPoly : public QObject {
    Q_OBJECT
private slots:
    void centreAndRadiusOfTheDefaultImage();
    void squareVertices_data();
    void squareVertices();
    void edgeLengthsAndContour();
    void contourPoints_data();
    void contourPoints();
    void drawsFilledOutlinedPolygon();
    void beforeDrawRunsOnceAfterThePolygon();
    void manualVerticesFromHandlerAndSignal();
    void manualVertexLeftUnwrittenKeepsAutomaticPlace();
    void noPolygon_data();
    void noPolygon();
    void zeroLengthContour();
    void indicesWrapModuloCount();
    void hostileValuesStayBounded();
    void initialCountComesFromTheProgramGenerator();
    void settersAnnounceRealChangesOnly();
    void resizeRedrawsAndKeepsUsersResizeHandler();
};

void TestPoly::centreAndRadiusOfTheDefaultImage() {
    TPoly poly;
    QCOMPARE(poly.Image()->Width(), 156);
    QCOMPARE(poly.ValueXc(), 78);
    QCOMPARE(poly.ValueYc(), 78);
    QCOMPARE(poly.ValueR(), 156 * 0.45);
    QVERIFY(poly.Count() >= 4 && poly.Count() <= 13);
    QCOMPARE(poly.ColorBack(), clBlack);
    QCOMPARE(poly.ColorBrush(), clBlue);
    QCOMPARE(poly.ColorPen(), clWhite);
    QCOMPARE(poly.WidthPen(), 2);
    QVERIFY(!poly.Manual());
    QVERIFY(!poly.IsCountStored() || poly.Count() != TPoly::kStoredCount);
}

void TestPoly::squareVertices_data() {
    QTest::addColumn<double>("rotation");
    QTest::addColumn<QList<QPoint>>("vertices");
    // 78 - 70.2 = 7.8 truncates to 7; at 270 degrees the cosine is a tiny negative number.
    QTest::newRow("upright") << 0.0 << QList<QPoint>{{148, 78}, {78, 148}, {7, 78}, {77, 7}};
    QTest::newRow("on its corners") << 45.0 << QList<QPoint>{{127, 127}, {28, 127}, {28, 28}, {127, 28}};
}

void TestPoly::squareVertices() {
    QFETCH(double, rotation);
    QFETCH(QList<QPoint>, vertices);
    Square s(rotation);
    for (int i = 0; i < 4; ++i) {
        const TPoint p = s.poly.PointValue(i, s.xc, s.yc, s.r);
        QCOMPARE(QPoint(p.x, p.y), vertices[i]);
    }
}

void TestPoly::edgeLengthsAndContour() {
    Square s;
    const double expected[] = {98.99, 99.70, 99.70, 100.41};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(std::fabs(s.poly.ContLenI(i, s.xc, s.yc, s.r) - expected[i]) < 0.005, qPrintable(QString::number(i)));
    QVERIFY(std::fabs(s.poly.ContLen(s.xc, s.yc, s.r) - 398.81) < 0.01);
}

void TestPoly::contourPoints_data() {
    QTest::addColumn<double>("f");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("nearest");
    QTest::newRow("start") << 0.0 << QPoint(148, 78) << 0;
    QTest::newRow("0.1, t 0.597") << 0.1 << QPoint(119, 106) << 0;
    QTest::newRow("0.125, t 0.496") << 0.125 << QPoint(112, 113) << 1;
    QTest::newRow("0.25, just past vertex 1") << 0.25 << QPoint(77, 147) << 1;
    // Fractions outside 0 .. 1 wrap: 1 is the start again, not vertex 1.
    QTest::newRow("1 wraps to start") << 1.0 << QPoint(148, 78) << 0;
    QTest::newRow("1.125 wraps") << 1.125 << QPoint(112, 113) << 1;
    QTest::newRow("-0.875 wraps") << -0.875 << QPoint(112, 113) << 1;
    QTest::newRow("NaN is the start") << std::nan("") << QPoint(148, 78) << 0;
    QTest::newRow("infinity is the start") << HUGE_VAL << QPoint(148, 78) << 0;
    // A hair before the end of the last edge: vertex 0, less a truncated hair.
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << QPoint(147, 77) << 0;
}

void TestPoly::contourPoints() {
    QFETCH(double, f);
    QFETCH(QPoint, point);
    QFETCH(int, nearest);
    Square s;
    const TPoint p = s.poly.ContPoint(f, s.xc, s.yc, s.r);
    QCOMPARE(QPoint(p.x, p.y), point);
    QCOMPARE(s.poly.ContPointGet(f, s.xc, s.yc, s.r), nearest);
}

void TestPoly::drawsFilledOutlinedPolygon() {
    Square s(45);
    QCOMPARE(ImagePixel(s.poly, 78, 78), clBlue);  // inside
    QCOMPARE(ImagePixel(s.poly, 3, 3), clBlack);   // background
    QCOMPARE(ImagePixel(s.poly, 150, 78), clBlack);
    QCOMPARE(ImagePixel(s.poly, 78, 28), clWhite);     // top edge, in the 2-pixel pen
    QCOMPARE(ImagePixel(s.poly, 28, 78), clWhite);     // left edge
    QCOMPARE(s.poly.Image()->Canvas()->Pen.Width, 1);  // pen width back to 1
    s.poly.SetColorBack(clRed);
    s.poly.SetColorBrush(clLime);
    QCOMPARE(ImagePixel(s.poly, 3, 3), clRed);
    QCOMPARE(ImagePixel(s.poly, 78, 78), clLime);
}

void TestPoly::beforeDrawRunsOnceAfterThePolygon() {
    Square s;
    int calls = 0;
    TColor centre = -1;
    s.poly.OnBeforeDraw = [&](QObject* sender, int xc, int yc, double r) {
        QCOMPARE(sender, &s.poly);
        QCOMPARE(xc, 78);
        QCOMPARE(yc, 78);
        QCOMPARE(r, 70.2);
        centre = ImagePixel(s.poly, xc, yc);
        ++calls;
    };
    QSignalSpy spy(&s.poly, &TPoly::aboutToDraw);
    s.poly.Draw();
    QCOMPARE(calls, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(centre, clBlue);
}

void TestPoly::manualVerticesFromHandlerAndSignal() {
    Square s;
    QList<int> asked;
    s.poly.OnGetPointValue = [&](QObject* sender, int i, int, int, double, TPoint* P) {
        QCOMPARE(sender, &s.poly);
        asked << i;
        *P = Point(10 + 20 * i, 10);
    };
    // A connected slot runs after the handler and may answer as well.
    connect(&s.poly, &TPoly::pointValueRequested, this, [](QObject*, int i, int, int, double, TPoint* P) {
        if (i == 3)
            P->y = 50;
    });
    s.poly.SetManual(true);
    QCOMPARE(asked, (QList<int>{0, 1, 2, 3}));  // once per vertex in Draw
    const TPoint p = s.poly.PointValue(3, s.xc, s.yc, s.r);
    QCOMPARE(QPoint(p.x, p.y), QPoint(70, 50));
    asked.clear();
    QCOMPARE(s.poly.ContLenI(0, s.xc, s.yc, s.r), 20.0);
    QCOMPARE(asked, (QList<int>{0, 1}));  // both ends of the edge, asked again each time
}

void TestPoly::manualVertexLeftUnwrittenKeepsAutomaticPlace() {
    Square s;
    s.poly.OnGetPointValue = [](QObject*, int i, int, int, double, TPoint* P) {
        if (i == 0)
            *P = Point(1, 2);
    };
    s.poly.SetManual(true);
    TPoint p = s.poly.PointValue(0, s.xc, s.yc, s.r);
    QCOMPARE(QPoint(p.x, p.y), QPoint(1, 2));
    p = s.poly.PointValue(1, s.xc, s.yc, s.r);
    QCOMPARE(QPoint(p.x, p.y), QPoint(78, 148));
    // No handler at all: the automatic square.
    s.poly.OnGetPointValue = nullptr;
    p = s.poly.PointValue(2, s.xc, s.yc, s.r);
    QCOMPARE(QPoint(p.x, p.y), QPoint(7, 78));
}

void TestPoly::noPolygon_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("0") << 0;
    QTest::newRow("-3") << -3;
    QTest::newRow("INT_MIN") << INT_MIN;
}

void TestPoly::noPolygon() {
    QFETCH(int, count);
    TPoly poly;
    poly.SetCount(count);
    QCOMPARE(poly.Count(), count);
    const int xc = poly.ValueXc(), yc = poly.ValueYc();
    QCOMPARE(ImagePixel(poly, xc, yc), clBlack);  // only the background
    QCOMPARE(poly.ContLenI(0, xc, yc, 70), 0.0);
    QCOMPARE(poly.ContLen(xc, yc, 70), 0.0);
    const TPoint p = poly.ContPoint(0.5, xc, yc, 70);
    QCOMPARE(QPoint(p.x, p.y), QPoint(xc, yc));
    QCOMPARE(poly.ContPointGet(0.5, xc, yc, 70), -1);
}

// Every vertex on one pixel: the contour has length 0 and the walk ends on vertex 0.
void TestPoly::zeroLengthContour() {
    TPoly poly;
    poly.SetCount(5);
    poly.SetRotation(0);
    const TPoint c = poly.ContPoint(0.3, 40, 40, 0.0);
    QCOMPARE(QPoint(c.x, c.y), QPoint(40, 40));
    QCOMPARE(poly.ContPointGet(0.3, 40, 40, 0.0), 0);
    // One vertex: its only edge has length 0.
    poly.SetCount(1);
    QCOMPARE(poly.ContLen(40, 40, 30.0), 0.0);
    const TPoint p = poly.ContPoint(0.7, 40, 40, 30.0);
    QCOMPARE(QPoint(p.x, p.y), QPoint(70, 40));
    QCOMPARE(poly.ContPointGet(0.7, 40, 40, 30.0), 0);
    // An image too small to separate the vertices.
    poly.SetCount(6);
    poly.SetBounds(0, 0, 5, 5);
    QCOMPARE(poly.Image()->Width(), 1);
    const TPoint q = poly.ContPoint(0.5, poly.ValueXc(), poly.ValueYc(), poly.ValueR());
    QCOMPARE(QPoint(q.x, q.y), QPoint(0, 0));
}

void TestPoly::indicesWrapModuloCount() {
    Square s;
    QList<int> asked;
    for (int i : {4, -1, -4, 7, INT_MAX, INT_MIN}) {
        const TPoint p = s.poly.PointValue(i, s.xc, s.yc, s.r);
        const int w = ((i % 4) + 4) % 4;
        const TPoint q = s.poly.PointValue(w, s.xc, s.yc, s.r);
        QCOMPARE(QPoint(p.x, p.y), QPoint(q.x, q.y));
        QCOMPARE(s.poly.ContLenI(i, s.xc, s.yc, s.r), s.poly.ContLenI(w, s.xc, s.yc, s.r));
    }
    s.poly.OnGetPointValue = [&](QObject*, int i, int, int, double, TPoint*) { asked << i; };
    s.poly.SetManual(true);
    asked.clear();
    s.poly.ContPoint(1.0, s.xc, s.yc, s.r);
    for (int i : asked)
        QVERIFY(i >= 0 && i < 4);  // the handler is never asked for vertex Count
}

void TestPoly::hostileValuesStayBounded() {
    TPoly poly;
    poly.SetCount(INT_MAX);
    QCOMPARE(poly.Count(), 65536);
    poly.SetRotation(std::nan(""));
    poly.SetRotation(HUGE_VAL);
    poly.SetRotation(1e300);
    poly.SetCount(4);
    poly.SetRotation(0);
    const TPoint p = poly.ContPoint(0.5, 0, 0, 1e300);
    Q_UNUSED(p);
    const TPoint q = poly.PointValue(1, INT_MAX, INT_MAX, 1e12);
    QCOMPARE(q.x, INT_MAX);
    poly.SetWidthPen(-5);
    poly.SetWidthPen(100000);
    poly.SetWidthPen(2);
    QCOMPARE(poly.Count(), 4);
}

void TestPoly::initialCountComesFromTheProgramGenerator() {
    for (std::uint32_t seed : {1u, 42u, 12345u, 99999u}) {
        Randomize(seed);
        const int expected = Random() % 10 + 4;
        Randomize(seed);
        TPoly poly;
        QCOMPARE(poly.Count(), expected);
    }
}

void TestPoly::settersAnnounceRealChangesOnly() {
    TPoly poly;
    QSignalSpy count(&poly, &TPoly::CountChanged), back(&poly, &TPoly::ColorBackChanged),
        rotation(&poly, &TPoly::RotationChanged), manual(&poly, &TPoly::ManualChanged);
    int draws = 0;
    poly.OnBeforeDraw = [&](QObject*, int, int, double) { ++draws; };
    poly.SetCount(poly.Count());
    poly.SetColorBack(poly.ColorBack());
    poly.SetRotation(0);
    poly.SetManual(false);
    QCOMPARE(draws, 0);
    poly.SetCount(poly.Count() + 1);
    poly.SetColorBackValue(uint(clBtnFace));
    poly.SetRotation(10);
    poly.SetManual(true);
    QCOMPARE(draws, 4);
    QCOMPARE(count.count(), 1);
    QCOMPARE(back.count(), 1);
    QCOMPARE(poly.ColorBack(), clBtnFace);
    QCOMPARE(rotation.count(), 1);
    QCOMPARE(manual.count(), 1);
    poly.SetCount(TPoly::kStoredCount);
    QVERIFY(!poly.IsCountStored());
}

void TestPoly::resizeRedrawsAndKeepsUsersResizeHandler() {
    TPoly poly;
    poly.SetCount(4);
    int resized = 0;
    poly.OnResize = [&](QObject* sender) {
        QCOMPARE(sender, &poly);
        ++resized;
    };
    poly.SetBounds(0, 0, 104, 84);
    QCOMPARE(poly.Image()->Width(), 100);
    QCOMPARE(poly.Image()->Picture()->Bitmap()->Width(), 100);
    QVERIFY(resized >= 1);
    // Redrawn at the new size: the centre moved to (50, 40) and is inside the polygon.
    QCOMPARE(ImagePixel(poly, 50, 40), clBlue);
    QCOMPARE(ImagePixel(poly, 99, 0), clBlack);
}

QTEST_MAIN(TestPoly)
#include "tst_poly.moc"
