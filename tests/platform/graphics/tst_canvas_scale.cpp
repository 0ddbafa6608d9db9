// A canvas drawing in logical pixels onto a bitmap of device pixels: what the logical grid says
// exactly comes out as the scale-1 picture enlarged block for block; text, curves, slanted edges
// and stretched pictures come out at device resolution; pixel access and clipping stay logical.
#include "PixelTools.h"
#include "../../support/UniformBlocks.h"

#include <QPolygonF>
#include <QtTest>

namespace {
using Drawing = std::function<void(TCanvas*)>;
constexpr int kW = 40, kH = 24;

// The drawing on a logical kW x kH picture at `scale`, on white.
QImage Drawn(const Drawing& draw, int scale) {
    TBitmap bitmap;
    bitmap.SetSize(kW * scale, kH * scale);
    TCanvas* canvas = bitmap.Canvas();
    canvas->SetScale(scale);
    canvas->Brush.Color = clWhite;
    canvas->FillRect(Rect(0, 0, kW, kH));
    draw(canvas);
    return bitmap.Image().copy();
}

QImage Enlarged(const QImage& image, int k) {
    return image.scaled(image.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The share of logical pixels whose block's top-left device pixel has the scale-1 colour.
double Agreement(const QImage& logical, const QImage& device, int k) {
    int same = 0;
    for (int y = 0; y < logical.height(); ++y)
        for (int x = 0; x < logical.width(); ++x)
            same += logical.pixel(x, y) == device.pixel(x * k, y * k);
    return double(same) / (logical.width() * logical.height());
}

std::shared_ptr<TBitmap> Checker(int side) {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->SetSize(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            bitmap->Canvas()->SetPixel(x, y, (x + y) % 2 ? clBlack : clYellow);
    return bitmap;
}
}  // namespace

Q_DECLARE_METATYPE(Drawing)
Q_DECLARE_METATYPE(TPoint)

class TestCanvasScale : public QObject {
    Q_OBJECT

private slots:
    void onTheLogicalGrid_data();
    void onTheLogicalGrid();
    void atDeviceResolution_data();
    void atDeviceResolution();
    void slantedHairlines_data();
    void slantedHairlines();
    void devicePixelPolygons_data();
    void devicePixelPolygons();
    void edgesTakeTheirShare_data();
    void edgesTakeTheirShare();
    void sharedEdgesLeaveNoSeam_data();
    void sharedEdgesLeaveNoSeam();
    void pixelAccessIsLogical();
    void scaleIsBounded();
};

void TestCanvasScale::onTheLogicalGrid_data() {
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<int>("scale");
    const auto rows = [](const char* name, Drawing draw) {
        for (int scale : {2, 3})
            QTest::newRow(qPrintable(QString("%1, x%2").arg(name).arg(scale))) << draw << scale;
    };
    rows("rectangle", [](TCanvas* c) {
        c->Pen.Color = clRed;
        c->Brush.Color = clBlue;
        c->Rectangle(2, 3, 15, 11);
    });
    rows("rectangle, wide pen", [](TCanvas* c) {
        c->Pen.Width = 3;
        c->Brush.Color = clLime;
        c->Rectangle(5, 4, 30, 20);
    });
    rows("filled box, inverted order", [](TCanvas* c) {
        c->Brush.Color = clNavy;
        c->FillRect(Rect(30, 20, 3, 1));
    });
    rows("one-pixel lines along the axes", [](TCanvas* c) {
        c->Pen.Color = clMaroon;
        c->MoveTo(1, 1);
        for (TPoint p : {Point(38, 1), Point(38, 22), Point(1, 22), Point(1, 5), Point(30, 5)})
            c->LineTo(p.x, p.y);
        const TPoint box[] = {Point(4, 8), Point(20, 8), Point(20, 18), Point(4, 18)};
        c->Polyline(box, 4);
    });
    rows("inverting pen over a box", [](TCanvas* c) {
        c->Brush.Color = clTeal;
        c->FillRect(Rect(0, 0, 20, 24));
        c->Pen.Mode = pmNot;
        c->MoveTo(0, 12);
        c->LineTo(40, 12);
        c->MoveTo(10, 0);
        c->LineTo(10, 24);
    });
    rows("single pixels", [](TCanvas* c) {
        for (int i = 0; i < 20; ++i)
            c->SetPixel(i * 2, i, RGB(10 * i, 0, 200));
    });
    rows("clipped box and line", [](TCanvas* c) {
        c->SetClipRect(Rect(4, 4, 17, 13));
        c->Brush.Color = clPurple;
        c->FillRect(Rect(0, 0, 40, 24));
        c->MoveTo(0, 6);
        c->LineTo(39, 6);
    });
    rows("bitmap copied", [](TCanvas* c) { c->Draw(3, 2, *Checker(9)); });
    rows("bitmap copied, or-ed", [](TCanvas* c) {
        c->CopyMode = cmSrcPaint;
        c->Draw(-2, 20, *Checker(9));
    });
}

// The scaled picture is the scale-1 picture with each pixel a block.
void TestCanvasScale::onTheLogicalGrid() {
    QFETCH(Drawing, draw);
    QFETCH(int, scale);
    const QImage logical = Drawn(draw, 1), device = Drawn(draw, scale);
    QCOMPARE(device.size(), logical.size() * scale);
    QCOMPARE(device, Enlarged(logical, scale));
}

void TestCanvasScale::atDeviceResolution_data() {
    QTest::addColumn<Drawing>("draw");
    // With the scale-1 picture, at least; the smoothed edges of curves and slanted lines read back
    // as blends.
    QTest::addColumn<double>("agreement");
    QTest::newRow("text") << Drawing([](TCanvas* c) {
        c->Font.SetName(QStringLiteral("Liberation Sans"));
        c->Font.SetSize(10);
        c->TextOut(2, 4, QStringLiteral("Sharp 0.5"));
    }) << 0.9;
    QTest::newRow("text, right-aligned") << Drawing([](TCanvas* c) {
        c->SetTextAlign(TA_RIGHT | TA_BOTTOM);
        c->TextOut(38, 22, QStringLiteral("-1,234"));
    }) << 0.9;
    QTest::newRow("ellipse") << Drawing([](TCanvas* c) {
        c->Brush.Color = clRed;
        c->Ellipse(2, 2, 37, 22);
    }) << 0.85;
    QTest::newRow("ellipse, wide pen, no brush") << Drawing([](TCanvas* c) {
        c->Pen.Width = 2;
        c->Brush.Style = bsClear;
        c->Ellipse(4, 1, 30, 20);
    }) << 0.85;
    QTest::newRow("slanted polygon") << Drawing([](TCanvas* c) {
        c->Pen.Style = psClear;
        c->Brush.Color = clGreen;
        const TPoint triangle[] = {Point(1, 22), Point(20, 1), Point(38, 17)};
        c->Polygon(triangle, 3);
    }) << 0.9;
    QTest::newRow("wide slanted line") << Drawing([](TCanvas* c) {
        c->Pen.Width = 3;
        c->MoveTo(2, 20);
        c->LineTo(37, 3);
    }) << 0.85;
    QTest::newRow("one-pixel slanted lines") << Drawing([](TCanvas* c) {
        c->Pen.Color = clMaroon;
        c->MoveTo(1, 1);
        for (TPoint p : {Point(20, 5), Point(37, 21), Point(3, 22), Point(30, 2)})
            c->LineTo(p.x, p.y);
    }) << 0.85;
    QTest::newRow("clipped slanted line") << Drawing([](TCanvas* c) {
        c->SetClipRect(Rect(4, 4, 17, 13));
        c->MoveTo(0, 0);
        c->LineTo(39, 23);
    }) << 0.95;
    QTest::newRow("slanted polygon outline") << Drawing([](TCanvas* c) {
        c->Brush.Style = bsClear;
        const TPoint triangle[] = {Point(1, 22), Point(20, 1), Point(38, 17)};
        c->Polygon(triangle, 3);
    }) << 0.9;
    QTest::newRow("large picture stretched small")
        << Drawing([](TCanvas* c) { c->StretchDraw(Rect(5, 2, 25, 22), *Checker(40)); }) << 0.0;
}

// Not an enlargement: the blocks are not all uniform; read back logically it is still (nearly) the
// scale-1 picture; and its size and place are those of the scale-1 picture.
void TestCanvasScale::atDeviceResolution() {
    QFETCH(Drawing, draw);
    QFETCH(double, agreement);
    const QImage logical = Drawn(draw, 1), device = Drawn(draw, 2);
    const double uniform = UniformBlocks(device, qRgb(255, 255, 255));
    QVERIFY2(uniform < 0.9, qPrintable(QString("%1 of the blocks uniform").arg(uniform)));
    const double same = Agreement(logical, device, 2);
    QVERIFY2(same >= agreement, qPrintable(QString("%1 of the pixels agree").arg(same)));
    const auto inked = [](TColor c) { return c != clWhite; };
    const QRect one = BoundsWhere(logical, inked), two = BoundsWhere(device, inked);
    QVERIFY(!one.isNull());
    QVERIFY2(std::abs(two.left() - 2 * one.left()) <= 2 && std::abs(two.top() - 2 * one.top()) <= 2 &&
                 std::abs(two.right() - (2 * one.right() + 1)) <= 3 &&
                 std::abs(two.bottom() - (2 * one.bottom() + 1)) <= 3,
             qPrintable(QString("(%1, %2, %3, %4) at scale 2 for (%5, %6, %7, %8)")
                            .arg(two.left())
                            .arg(two.top())
                            .arg(two.right())
                            .arg(two.bottom())
                            .arg(one.left())
                            .arg(one.top())
                            .arg(one.right())
                            .arg(one.bottom())));
}

void TestCanvasScale::slantedHairlines_data() {
    QTest::addColumn<TPoint>("from");
    QTest::addColumn<TPoint>("to");
    QTest::addColumn<int>("scale");
    for (int scale : {2, 3}) {
        const auto row = [scale](const char* name, TPoint a, TPoint b) {
            QTest::newRow(qPrintable(QString("%1, x%2").arg(name).arg(scale))) << a << b << scale;
        };
        row("shallow", Point(2, 3), Point(37, 17));
        row("steep, backwards", Point(30, 22), Point(21, 1));
        row("diagonal", Point(0, 23), Point(23, 0));
        row("far beyond the bitmap", Point(-100000, -60000), Point(100040, 60024));
    }
}

// A one-pixel slanted line at scale k: a band k device pixels thick across its major axis, so
// every device column (or row) it crosses holds k pixels' worth of ink, at least k - 1 of them
// wholly black and the two it cuts in shares of grey, finer than the blocks; its end pixel's block
// is left out; drawn twice with an inverting pen it leaves nothing, so each pixel is inverted once.
void TestCanvasScale::slantedHairlines() {
    QFETCH(TPoint, from);
    QFETCH(TPoint, to);
    QFETCH(int, scale);
    const auto line = [&](TCanvas* c) {
        c->MoveTo(from.x, from.y);
        c->LineTo(to.x, to.y);
    };
    const QImage device = Drawn(line, scale);
    const auto black = [](TColor c) { return c == clBlack; };
    QVERIFY(!BoundsWhere(device, black).isNull());
    QVERIFY(UniformBlocks(device, qRgb(255, 255, 255)) < 0.9);
    const bool shallow = std::abs(to.x - from.x) > std::abs(to.y - from.y);  // a diagonal steps by rows
    const int across = shallow ? device.width() : device.height();
    const int side = shallow ? device.height() : device.width();
    for (int i = 0; i < across; ++i) {
        const auto at = [&](int j) { return ColorAt(device, shallow ? i : j, shallow ? j : i); };
        int solid = 0;
        double ink = 0;
        for (int j = 0; j < side; ++j) {
            solid += black(at(j));
            ink += (255 - GetRValue(at(j))) / 255.0;
        }
        const bool cut = at(0) != clWhite || at(side - 1) != clWhite;
        QVERIFY2(ink == 0 || cut || (solid >= scale - 1 && std::abs(ink - scale) < 0.05),
                 qPrintable(QString("%1 pixels' ink across at %2, %3 black").arg(ink).arg(i).arg(solid)));
    }
    if (to.x >= 0 && to.x < kW && to.y >= 0 && to.y < kH)
        QCOMPARE(ColorAt(device, to.x * scale + scale / 2, to.y * scale + scale / 2), clWhite);
    const QImage twice = Drawn(
        [&](TCanvas* c) {
            c->Pen.Mode = pmNot;
            line(c);
            line(c);
        },
        scale);
    QVERIFY(BoundsWhere(twice, [](TColor c) { return c != clWhite; }).isNull());
}

// A write sets the whole block, a read gives the block's top-left device pixel; the clip rectangle,
// visibility and the canvas's extent are logical.
void TestCanvasScale::pixelAccessIsLogical() {
    TBitmap bitmap;
    bitmap.SetSize(2 * kW, 2 * kH);
    TCanvas* c = bitmap.Canvas();
    c->SetScale(2);
    c->SetPixel(3, 4, clRed);
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            QCOMPARE(ColorAt(bitmap.Image(), 6 + dx, 8 + dy), clRed);
    bitmap.ScanLine(9)[7] = ColorToQRgb(clLime) | 0xFF000000u;
    QCOMPARE(c->Pixel(3, 4), clRed);
    bitmap.ScanLine(8)[6] = ColorToQRgb(clBlue) | 0xFF000000u;
    QCOMPARE(c->Pixel(3, 4), clBlue);
    QCOMPARE(c->ClipRect(), Rect(0, 0, kW, kH));
    QVERIFY(c->PtVisible(kW - 1, kH - 1));
    QVERIFY(!c->PtVisible(kW, 0));
    QCOMPARE(c->Pixel(kW, 0), TColor(-1));
    c->SetClipRect(Rect(5, 5, 10, 10));
    QCOMPARE(c->ClipRect(), Rect(5, 5, 10, 10));
    QCOMPARE(c->Pixel(3, 4), TColor(-1));
    c->SetPixel(4, 4, clRed);  // outside the clip: nothing
    QCOMPARE(ColorAt(bitmap.Image(), 8, 8), clWhite);
    QVERIFY(c->PtVisible(9, 9));
    QVERIFY(!c->PtVisible(10, 9));
}

void TestCanvasScale::scaleIsBounded() {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    TCanvas* c = bitmap.Canvas();
    c->SetScale(0);
    QCOMPARE(c->Scale(), 1);
    c->SetScale(-5);
    QCOMPARE(c->Scale(), 1);
    c->SetScale(1000);
    QCOMPARE(c->Scale(), TCanvas::kMaxScale);
    // Far-away ends at the largest scale: a one-pixel line across logical row 1 fills that row's
    // blocks, a pen wider than the bitmap everything.
    bitmap.SetSize(4 * TCanvas::kMaxScale, 4 * TCanvas::kMaxScale);
    c->Brush.Color = clWhite;
    c->FillRect(Rect(0, 0, 4, 4));
    c->MoveTo(INT_MIN, 1);
    c->LineTo(INT_MAX, 1);
    QCOMPARE(BoundsWhere(bitmap.Image(), [](TColor p) { return p == clBlack; }),
             QRect(0, TCanvas::kMaxScale, 4 * TCanvas::kMaxScale, TCanvas::kMaxScale));
    c->Pen.Width = 1 << 29;
    c->Pen.Color = clRed;
    c->MoveTo(INT_MIN / 2, INT_MIN / 2);
    c->LineTo(INT_MAX / 2, INT_MAX / 2);
    QCOMPARE(BoundsWhere(bitmap.Image(), [](TColor p) { return p != clRed; }), QRect());
    // Shapes reaching far beyond the bitmap are drawn in time bounded by the bitmap: an ellipse and
    // a triangle round it cover it whole.
    c->Pen.Width = 1;
    c->Brush.Color = clBlue;
    c->Ellipse(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2);
    QCOMPARE(BoundsWhere(bitmap.Image(), [](TColor p) { return p != clBlue; }), QRect());
    // Beyond the int range in device pixels, wholly below or right of the bitmap: nothing drawn.
    const QImage before = bitmap.Image().copy();
    c->Pen.Width = 3;
    c->Ellipse(0, INT_MAX / 2, 3, INT_MAX);
    c->Ellipse(INT_MAX / 2, 0, INT_MAX, 3);
    c->MoveTo(0, INT_MAX / 2);
    c->LineTo(3, INT_MAX);
    c->Pen.Width = 1;
    QCOMPARE(bitmap.Image(), before);
    c->Brush.Color = clLime;
    const TPoint around[] = {Point(INT_MIN, INT_MIN), Point(INT_MAX, 2), Point(2, INT_MAX)};
    c->Polygon(around, 3);
    QCOMPARE(BoundsWhere(bitmap.Image(), [](TColor p) { return p != clLime; }), QRect());
}

void TestCanvasScale::devicePixelPolygons_data() {
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<QRect>("bounds");  // of what is not white, in device pixels
    QTest::addColumn<bool>("smooth");   // some pixel is a mix of the colour and white
    const auto square = [](TCanvas* c) {
        const TPoint corners[] = {Point(3, 3), Point(3, 21), Point(21, 21), Point(21, 3)};
        c->PolygonAtDevicePixels(corners, 4);
    };
    QTest::newRow("square off the blocks, no pen") << Drawing([&](TCanvas* c) {
        c->Pen.Style = psClear;
        square(c);
    }) << QRect(3, 3, 18, 18) << false;
    QTest::newRow("square off the blocks, pen") << Drawing(square) << QRect(3, 3, 20, 20) << false;
    QTest::newRow("slanted triangle") << Drawing([](TCanvas* c) {
        c->Pen.Style = psClear;
        const TPoint corners[] = {Point(1, 1), Point(40, 7), Point(9, 33)};
        c->PolygonAtDevicePixels(corners, 3);
    }) << QRect(1, 1, 39, 32) << true;
    QTest::newRow("inverting pen, twice") << Drawing([&](TCanvas* c) {
        c->Brush.Style = bsClear;
        c->Pen.Mode = pmNot;
        square(c);
        square(c);
    }) << QRect() << false;
}

// A polygon with its corners in device pixels lies where they say, between the blocks too, with
// edges straight along the axes and smoothed across them.
void TestCanvasScale::devicePixelPolygons() {
    QFETCH(Drawing, draw);
    QFETCH(QRect, bounds);
    QFETCH(bool, smooth);
    const QImage device = Drawn(
        [&](TCanvas* c) {
            c->Brush.Color = clBlack;
            draw(c);
        },
        2);
    QCOMPARE(BoundsWhere(device, [](TColor c) { return c != clWhite; }), bounds);
    const bool mixed = !BoundsWhere(device, [](TColor c) { return c != clWhite && c != clBlack; }).isNull();
    QCOMPARE(mixed, smooth);
}

void TestCanvasScale::edgesTakeTheirShare_data() {
    QTest::addColumn<QList<TPoint>>("corners");  // in device pixels, at scale 2
    QTest::newRow("slanted triangle") << QList<TPoint>{Point(1, 1), Point(40, 7), Point(9, 33)};
    QTest::newRow("shallow sliver") << QList<TPoint>{Point(2, 3), Point(44, 9), Point(3, 8)};
    QTest::newRow("steep quadrilateral") << QList<TPoint>{Point(10, 1), Point(16, 2), Point(13, 40), Point(8, 44)};
}

// Black on white, each pixel against its share of the polygon counted on a 16 x 16 grid: a pixel
// whose centre is inside is black, one the polygon misses is white, and one whose centre is
// outside takes the share it is covered (within the four sample rows' reach).
void TestCanvasScale::edgesTakeTheirShare() {
    QFETCH(QList<TPoint>, corners);
    const QImage device = Drawn(
        [&](TCanvas* c) {
            c->Pen.Style = psClear;
            c->Brush.Color = clBlack;
            c->PolygonAtDevicePixels(corners.data(), int(corners.size()));
        },
        2);
    QPolygonF shape;
    for (TPoint p : corners)
        shape << QPointF(p.x, p.y);
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x) {
            int in = 0;
            for (int i = 0; i < 16; ++i)
                for (int j = 0; j < 16; ++j)
                    in += shape.containsPoint(QPointF(x + (i + 0.5) / 16, y + (j + 0.5) / 16), Qt::OddEvenFill);
            const double share = in / 256.0, ink = 1 - qRed(device.pixel(x, y)) / 255.0;
            const QString where = QString("(%1, %2): share %3, ink %4").arg(x).arg(y).arg(share).arg(ink);
            if (shape.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill))
                QVERIFY2(ink == 1, qPrintable(where));
            else
                QVERIFY2(std::abs(ink - share) <= 0.2, qPrintable(where));
        }
}

void TestCanvasScale::sharedEdgesLeaveNoSeam_data() {
    QTest::addColumn<QList<TPoint>>("corners");  // the fan's hub, then its rim in order
    QTest::addColumn<int>("scale");
    for (int scale : {2, 3}) {
        const QString x = QString(", x%1").arg(scale);
        QTest::newRow(qPrintable("square cut on its diagonal" + x))
            << QList<TPoint>{Point(4, 4), Point(4, 20), Point(36, 20), Point(36, 4), Point(4, 4)} << scale;
        QTest::newRow(qPrintable("fan round a point" + x))
            << QList<TPoint>{Point(17, 11), Point(2, 2),   Point(15, 1), Point(37, 3), Point(38, 13),
                             Point(30, 22), Point(11, 21), Point(1, 15), Point(2, 2)}
            << scale;
    }
}

// Polygons that share an edge, drawn one after the other over black, cover it between them: the
// pixels the edge cuts mix the two fills and take nothing from what lay below.
void TestCanvasScale::sharedEdgesLeaveNoSeam() {
    QFETCH(QList<TPoint>, corners);
    QFETCH(int, scale);
    const TColor fills[] = {RGB(255, 0, 0), RGB(200, 0, 0)};
    const QImage device = Drawn(
        [&](TCanvas* c) {
            c->Brush.Color = clBlack;
            c->FillRect(Rect(0, 0, kW, kH));
            c->Pen.Style = psClear;
            for (int i = 1; i + 1 < corners.size(); ++i) {
                c->Brush.Color = fills[i % 2];
                const TPoint triangle[] = {corners[0], corners[i], corners[i + 1]};
                c->Polygon(triangle, 3);
            }
        },
        scale);
    // Inside the rim (by more than a pixel) every pixel is one of the fills or a mix of them.
    QPolygonF rim;
    for (int i = 1; i < corners.size(); ++i)
        rim << QPointF(corners[i].x, corners[i].y) * scale;
    const auto inside = [&](double x, double y) {
        for (double dx : {-1.5, 1.5})
            for (double dy : {-1.5, 1.5})
                if (!rim.containsPoint(QPointF(x + 0.5 + dx, y + 0.5 + dy), Qt::OddEvenFill))
                    return false;
        return true;
    };
    int mixed = 0;
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x) {
            const QRgb p = device.pixel(x, y);
            QVERIFY2(qGreen(p) == 0 && qBlue(p) == 0, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
            if (inside(x, y))
                QVERIFY2(qRed(p) >= 200, qPrintable(QString("(%1, %2) is %3").arg(x).arg(y).arg(qRed(p))));
            mixed += qRed(p) > 200 && qRed(p) < 255;
        }
    QVERIFY(mixed > 0);  // the shared edges are smoothed, not hard
}

QTEST_MAIN(TestCanvasScale)
#include "tst_canvas_scale.moc"
