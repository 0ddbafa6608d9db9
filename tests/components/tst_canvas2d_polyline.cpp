// Polyline against Line: the same plot drawn once with one Polyline call and once with Line for
// each consecutive pair (pairs through a NaN or an infinity left out) must give the same picture,
// pixel by pixel, and the same OutOfRange.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Tveximage.h>

#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace Tallwick;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Series {
    std::vector<double> X, Y;
};
using Maker = std::function<Series()>;
}  // namespace
Q_DECLARE_METATYPE(Maker)

namespace {

Series Wave(int count, double x0, double x1, double noise, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-noise, noise);
    Series s;
    for (int i = 0; i < count; ++i) {
        const double x = x0 + (x1 - x0) * i / std::max(1, count - 1);
        s.X.push_back(x);
        s.Y.push_back(5 + 4 * std::sin(x * 3.7) * std::cos(x * 0.9) + jitter(random));
    }
    return s;
}

Series Scattered(int count, double low, double high, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(low, high);
    Series s;
    for (int i = 0; i < count; ++i) {
        s.X.push_back(value(random));
        s.Y.push_back(value(random));
    }
    return s;
}

// Every `every`-th point gets `bad` on x or y, in turn.
Series WithHoles(Series s, int every, double bad) {
    for (size_t i = every / 2; i < s.X.size(); i += every)
        (i / every % 2 ? s.X : s.Y)[i] = bad;
    return s;
}

// The owner chooses its pen in OnDraw: the repaint of the axes uses the canvas's pen before.
QImage Drawn(TCanvas2D& c, const Series& s, bool polyline, const TPen& pen, bool& outOfRange) {
    c.OnDraw = [&](QObject*) {
        c.ImageCanvas()->Pen = pen;
        if (polyline) {
            c.Polyline(s.X.data(), s.Y.data(), int(s.X.size()));
            return;
        }
        for (size_t i = 1; i < s.X.size(); ++i) {
            const double pair[] = {s.X[i - 1], s.Y[i - 1], s.X[i], s.Y[i]};
            if (std::all_of(std::begin(pair), std::end(pair), [](double v) { return std::isfinite(v); }))
                c.Line(pair[0], pair[1], pair[2], pair[3]);
        }
    };
    c.Draw();
    c.ImageCanvas()->Pen = TPen();
    outOfRange = c.OutOfRange();
    return c.ImageCanvas()->Bitmap()->Image().copy();
}

int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}
}  // namespace

class TestCanvas2DPolyline : public QObject {
    Q_OBJECT

private slots:
    void sameAsLines_data();
    void sameAsLines();
    void nothingToDraw();
};

void TestCanvas2DPolyline::sameAsLines_data() {
    QTest::addColumn<Maker>("make");
    QTest::addColumn<QList<double>>("limits");  // x min, y min, x max, y max
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<bool>("invertingPen");
    QTest::addColumn<bool>("axes");
    QTest::addColumn<bool>("outOfRange");
    QTest::addColumn<int>("minPixels");  // the line is really there
    const QList<double> box{0, 0, 10, 10};
    QTest::newRow("dense") << Maker([] { return Wave(200000, 0, 10, 0.3, 1); }) << box << 1 << false << true << false
                           << 2000;
    QTest::newRow("dense, no noise") << Maker([] { return Wave(50000, 0, 10, 0, 2); }) << box << 1 << false << true
                                     << false << 500;
    QTest::newRow("sparse") << Maker([] { return Wave(40, 0, 10, 0.5, 3); }) << box << 1 << false << true << false
                            << 300;
    QTest::newRow("unsorted x") << Maker([] { return Scattered(3000, 0, 10, 4); }) << box << 1 << false << true << false
                                << 5000;
    QTest::newRow("one column") << Maker([] {
        Series s = Scattered(5000, 0, 10, 5);
        std::fill(s.X.begin(), s.X.end(), 4.2);
        return s;
    }) << box << 1 << false << true
                                << false << 100;
    QTest::newRow("NaN gaps") << Maker([] { return WithHoles(Wave(100000, 0, 10, 0.3, 6), 997, kNaN); }) << box << 1
                              << false << true << false << 2000;
    // Rows shared by many points, and chains ending every few points: the ends of chains are where
    // a reduced run could lose a pixel.
    for (unsigned seed : {21u, 22u, 23u}) {
        QTest::addRow("short chains on few rows, seed %u", seed) << Maker([seed] {
            Series s = WithHoles(Wave(60000, 0, 10, 0.6, seed), 7 + seed % 5, kNaN);
            for (double& y : s.Y)
                y = std::round(y * 4) / 4;
            return s;
        }) << box << 1 << false << true << false << 1000;
    }
    QTest::newRow("infinite gaps") << Maker([] { return WithHoles(Wave(20000, 0, 10, 0.3, 7), 333, -kInf); }) << box
                                   << 1 << false << true << false << 1000;
    QTest::newRow("sparse NaN gaps") << Maker([] { return WithHoles(Wave(60, 0, 10, 0.3, 8), 7, kNaN); }) << box << 1
                                     << false << true << false << 100;
    QTest::newRow("beyond the box") << Maker([] { return Scattered(20000, -15, 25, 9); }) << box << 1 << false << true
                                    << false << 1000;
    QTest::newRow("dense, crossing the box") << Maker([] {
        Series s = Wave(100000, -5, 15, 0.5, 10);
        for (double& y : s.Y)
            y = (y - 5) * 2.5 + 5;
        return s;
    }) << box << 1 << false << true << false << 1000;
    QTest::newRow("out of drawable range") << Maker([] {
        Series s = Wave(30000, 0, 10, 0.3, 11);
        for (size_t i = 500; i < s.Y.size(); i += 1500)
            s.Y[i] = 1e6;
        return s;
    }) << box << 1 << false << true << true << 1000;
    QTest::newRow("out of range, wholly beyond") << Maker([] {
        Series s = Wave(3000, 0, 10, 0.3, 12);
        for (size_t i = 100; i < 110; ++i)
            s.Y[i] = 1e6;  // pairs between two of them are not drawn
        return s;
    }) << box << 1 << false << true << true << 500;
    QTest::newRow("inverted axes") << Maker([] { return Wave(100000, 0, 10, 0.3, 13); }) << QList<double>{10, 10, 0, 0}
                                   << 1 << false << true << false << 2000;
    QTest::newRow("inverted x, beyond") << Maker([] { return Scattered(5000, -5, 15, 14); })
                                        << QList<double>{10, 0, 0, 10} << 1 << false << true << false << 1000;
    QTest::newRow("on half pixels") << Maker([] {
        Series s;
        for (int i = 0; i <= 4000; ++i) {
            s.X.push_back(i * 0.0025);  // a pixel is 0.05 wide in x and y on this plot
            s.Y.push_back((i % 37) * 0.025 + 2);
        }
        return s;
    }) << box << 1 << false << false << false
                                    << 100;
    QTest::newRow("wide pen") << Maker([] { return Wave(100000, 0, 10, 0.3, 15); }) << box << 3 << false << true
                              << false << 4000;
    QTest::newRow("inverting pen") << Maker([] { return Wave(5000, 0, 10, 0.3, 16); }) << box << 1 << true << true
                                   << false << 200;
    QTest::newRow("axes hidden") << Maker([] { return Scattered(3000, -1, 11, 17); }) << box << 1 << false << false
                                 << false << 5000;
    QTest::newRow("far from the box") << Maker([] { return Wave(10000, 1e9, 1e9 + 10, 0.3, 18); })
                                      << QList<double>{1e9, 0, 1e9 + 10, 10} << 1 << false << true << false << 1000;
}

void TestCanvas2DPolyline::sameAsLines() {
    QFETCH(Maker, make);
    QFETCH(QList<double>, limits);
    QFETCH(int, penWidth);
    QFETCH(bool, invertingPen);
    QFETCH(bool, axes);
    QFETCH(bool, outOfRange);
    QFETCH(int, minPixels);
    const Series s = make();
    TCanvas2D c;
    c.SetBounds(0, 0, 208, 208);  // a 200 x 200 image
    c.SetAxisShow(axes);
    c.SetAxisXMin(limits[0]);
    c.SetAxisYMin(limits[1]);
    c.SetAxisXMax(limits[2]);
    c.SetAxisYMax(limits[3]);
    TPen pen;
    pen.Color = clYellow;
    pen.Width = penWidth;
    pen.Mode = invertingPen ? pmNot : pmCopy;
    // At scale 2 (a screen of ratio 2) the rims of the lines are smoothed, and where the segments
    // of one pixel column meet they may mix differently: the same pixels are drawn, and a few in a
    // hundred may hold another mix.
    for (int scale : {1, 2}) {
        c.Image()->SetPixelRatio(scale);
        bool linesOut = false, polylineOut = false;
        const QImage lines = Drawn(c, s, false, pen, linesOut);
        const QImage polyline = Drawn(c, s, true, pen, polylineOut);
        QCOMPARE(linesOut, outOfRange);
        QCOMPARE(polylineOut, linesOut);
        bool blankOut = false;
        const QImage blank = Drawn(c, Series{}, false, pen, blankOut);
        if (!invertingPen)
            QVERIFY2(CountPixels(lines, 0xFFFF00) >= minPixels * scale * scale,
                     qPrintable(QString::number(CountPixels(lines, 0xFFFF00))));
        int differ = 0, inked = 0, elsewhere = 0;
        QPoint firstDifference;
        for (int y = 0; y < lines.height(); ++y)
            for (int x = 0; x < lines.width(); ++x) {
                const bool byLines = lines.pixel(x, y) != blank.pixel(x, y);
                inked += byLines;
                elsewhere += byLines != (polyline.pixel(x, y) != blank.pixel(x, y));
                if (lines.pixel(x, y) != polyline.pixel(x, y) && differ++ == 0)
                    firstDifference = QPoint(x, y);
            }
        const QString report = QStringLiteral("at scale %1, %2 pixels differ of %5 inked, the first at (%3, %4)")
                                   .arg(scale)
                                   .arg(differ)
                                   .arg(firstDifference.x())
                                   .arg(firstDifference.y())
                                   .arg(inked);
        QCOMPARE(elsewhere, 0);
        if (scale == 1 || invertingPen)
            QVERIFY2(differ == 0, qPrintable(report));
        else
            QVERIFY2(differ * 25 <= inked, qPrintable(report));
    }
}

// Fewer than two points or a missing array draw nothing and leave OutOfRange alone.
void TestCanvas2DPolyline::nothingToDraw() {
    TCanvas2D c;
    c.SetBounds(0, 0, 108, 108);
    const double x[] = {1, 9, 1e9}, y[] = {1, 9, 1e9};
    c.Draw();
    const QImage before = c.ImageCanvas()->Bitmap()->Image().copy();
    c.ImageCanvas()->Pen.Color = clYellow;
    c.Polyline(x, y, 1);
    c.Polyline(x, y, 0);
    c.Polyline(x, y, -5);
    c.Polyline(nullptr, y, 2);
    c.Polyline(x, nullptr, 2);
    QCOMPARE(c.ImageCanvas()->Bitmap()->Image(), before);
    QVERIFY(!c.OutOfRange());
    c.Polyline(x + 1, y + 1, 2);  // 9,9 to 1e9: beyond the drawable range
    QVERIFY(c.OutOfRange());
    c.Polyline(x, y, 2);
    QVERIFY(c.ImageCanvas()->Bitmap()->Image() != before);
}

QTEST_MAIN(TestCanvas2DPolyline)
#include "tst_canvas2d_polyline.moc"
