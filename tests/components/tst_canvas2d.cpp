// The plotting canvas: layout, mapping, axes and labels, world drawing, setters and their signals,
// and the limits that have no mapping.
#include <Tallwick/Bitmap.h>
#include "Canvas2DHost.h"
#include <Tallwick/Canvas.h>
#include <Tallwick/ComponentRegistry.h>
#include <Tallwick/Exception.h>
#include <Tallwick/FormatFloat.h>
#include <Tallwick/GdiCalls.h>
#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Vexutils.h>

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace Tallwick;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every pixel of `text` drawn at (x, y) with `align` in the axis font: the text's own pixels in the
// axis colour, the rest of its box in `background`.
bool TextShownAt(const Plot& plot, int x, int y, unsigned align, const QString& text, TColor background) {
    const TCanvas2D& c = *plot.canvas;
    TBitmap expected;
    expected.SetSize(c.Image()->Width(), c.Image()->Height());
    TCanvas* e = expected.Canvas();
    e->Brush.Color = background;
    e->FillRect(Rect(0, 0, expected.Width(), expected.Height()));
    e->Font.Assign(c.AxisFont());
    SetBkMode(e->Handle(), TRANSPARENT);
    SetTextAlign(e->Handle(), align);
    e->TextOut(x, y, text);
    const int w = e->TextWidth(text), h = e->TextHeight(text);
    // The box of the text, one pixel wider where no tick lies beside it.
    const int left = align == TA_CENTER ? x - w / 2 - 1 : align == TA_RIGHT ? x - w - 1 : x;
    const int right = align == TA_CENTER ? left + w + 2 : align == TA_RIGHT ? x : x + w + 1;
    bool anyInk = false;
    for (int py = y; py < y + h; ++py)
        for (int px = left; px < right; ++px) {
            if (e->Pixel(px, py) != background)
                anyInk = true;
            if (e->Pixel(px, py) != plot.At(px, py)) {
                qWarning("label %s differs at (%d, %d)", qPrintable(text), px, py);
                return false;
            }
        }
    return anyInk;
}
}  // namespace

class TestCanvas2D : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void newComponent();
    void firstRepaintLayout();
    void labelsOnEverySide_data();
    void labelsOnEverySide();
    void yLabelPlacement_data();
    void yLabelPlacement();
    void mappingIdentities_data();
    void mappingIdentities();
    void roundingHalfAwayFromZero_data();
    void roundingHalfAwayFromZero();
    void axesHidden();
    void clipRegionAndDrawRect();
    void lines_data();
    void lines();
    void points_data();
    void points();
    void triangleAndText();
    void marginRule_data();
    void marginRule();
    void formatEvents();
    void propertySignals_data();
    void propertySignals();
    void zoomFactorAndStepsGuards_data();
    void zoomFactorAndStepsGuards();
    void axisFontAndColour();
    void limitsWithoutMapping_data();
    void limitsWithoutMapping();
    void invertedLimitsKeepData();
    void tinyAndEmptySizes_data();
    void tinyAndEmptySizes();
    void hugeMarkCountsStayBounded();
    void adjustOneAxisToTheOther();
    void eventsCarryTheComponent();
    void hourglassDuringDrawAndErrorsInOnDraw();
    void registeredOnPalette();
};

// Labels with English separators, whatever the machine's locale.
void TestCanvas2D::initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

void TestCanvas2D::newComponent() {
    TCanvas2D c;
    QCOMPARE(c.Width(), 160);
    QCOMPARE(c.Height(), 160);
    QCOMPARE(c.BevelInner(), bvLowered);
    QCOMPARE(c.BevelOuter(), bvLowered);
    QCOMPARE(c.BevelWidth(), 2);
    QCOMPARE(c.Align(), alNone);
    QCOMPARE(c.AxisColor(), clWhite);
    QCOMPARE(c.AxisFont().Color(), clWhite);
    QVERIFY(c.AxisShow());
    QCOMPARE(c.AxisXMargin(), 50);
    QCOMPARE(c.AxisYMargin(), 30);
    QVERIFY(c.AxisXMarginAuto() && c.AxisYMarginAuto());
    QCOMPARE(c.AxisXMarks(), 9);
    QCOMPARE(c.AxisYMarks(), 9);
    QCOMPARE(c.AxisXMin(), 0.0);
    QCOMPARE(c.AxisXMax(), 10.0);
    QCOMPARE(c.AxisYMin(), 0.0);
    QCOMPARE(c.AxisYMax(), 10.0);
    QCOMPARE(c.ColorExt(), clBlack);
    QCOMPARE(c.ColorInt(), TColor(0x800000));
    QCOMPARE(c.Format(), QStringLiteral(",0.00"));
    QCOMPARE(c.ZoomAllXMin(), 0.0);
    QCOMPARE(c.ZoomAllXMax(), 10.0);
    QCOMPARE(c.ZoomAllYMin(), 0.0);
    QCOMPARE(c.ZoomAllYMax(), 10.0);
    QCOMPARE(c.ZoomFactor(), 0.5);
    QCOMPARE(c.ZoomSteps(), 5);
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmNone);
    QVERIFY(!c.Busy());
    QVERIFY(!c.OutOfRange());
    QCOMPARE(c.Image()->parentWidget(), &c);
    QCOMPARE(c.ImageCanvas(), c.Image()->Canvas());
    // The Qt face reads the same values.
    QCOMPARE(c.property("AxisColor").value<QColor>(), QColor(255, 255, 255));
    QCOMPARE(c.property("ColorIntValue").toUInt(), 0x800000u);
    QCOMPARE(c.property("Format").toString(), QStringLiteral(",0.00"));
    QCOMPARE(c.property("ZoomSteps").toInt(), 5);
    QCOMPARE(c.property("AxisFont").value<QFont>().pointSize(), 8);
}

// After the first repaint (from the first layout) the image lies inside the two bevels and the
// margins follow the labels: the widest end label of y plus 6, the height of "0" plus 6.
void TestCanvas2D::firstRepaintLayout() {
    QWidget window;
    auto* c = new TCanvas2D(&window);
    QSignalSpy draws(c, &TCanvas2D::drawRequested);
    QCOMPARE(draws.count(), 0);  // construction draws nothing
    window.resize(200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(draws.count() >= 1);
    QCOMPARE(c->Image()->geometry(), QRect(4, 4, 152, 152));
    QCOMPARE(c->Image()->Picture()->Width(), 152);
    QCOMPARE(c->Image()->Picture()->Height(), 152);
    TCanvas* canvas = c->ImageCanvas();
    QCOMPARE(canvas, c->Image()->Canvas());  // the same canvas after the resize
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->Font.Assign(c->AxisFont());
    const int widest =
        std::max(probe.Canvas()->TextWidth(QStringLiteral("10.00")), probe.Canvas()->TextWidth(QStringLiteral("0.00")));
    QCOMPARE(c->AxisXMargin(), widest + 6);
    QCOMPARE(c->AxisYMargin(), probe.Canvas()->TextHeight(QStringLiteral("0")) + 6);
    const int mx = c->AxisXMargin(), my = c->AxisYMargin();
    // Frame on columns mx and W - mx, rows my and H - my; plot interior navy; margin band black.
    QCOMPARE(ImagePixel(*c, mx, 76), clWhite);
    QCOMPARE(ImagePixel(*c, 152 - mx, 76), clWhite);
    QCOMPARE(ImagePixel(*c, 76, my), clWhite);
    QCOMPARE(ImagePixel(*c, 76, 152 - my), clWhite);
    QCOMPARE(ImagePixel(*c, mx + 1, my + 1), clNavy);
    QCOMPARE(ImagePixel(*c, 151 - mx, 151 - my), clNavy);
    QCOMPARE(ImagePixel(*c, mx - 1, 80), clBlack);  // row 76 carries the tick of y = 5
    QCOMPARE(ImagePixel(*c, 153 - mx, 80), clBlack);
    // Ticks of the 11 x marks: 2 pixels above the top of the frame, 2 below the bottom.
    for (int i = 0; i <= 10; ++i) {
        const int sx = c->ValToScrX(i);
        QCOMPARE(ImagePixel(*c, sx, my - 2), clWhite);
        QCOMPARE(ImagePixel(*c, sx, my - 1), clWhite);
        QCOMPARE(ImagePixel(*c, sx, 152 - my + 1), clWhite);
        QCOMPARE(ImagePixel(*c, sx, 152 - my + 2), clWhite);
        QCOMPARE(ImagePixel(*c, sx, 152 - my + 3), clBlack);  // LineTo leaves out its end pixel
    }
}

// On a large plot the labels do not overlap, so every one can be compared with the text itself.
void TestCanvas2D::labelsOnEverySide_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("default") << ",0.00" << 0.0 << 10.0 << QStringList{"0.00", "1.00", "2.00", "3.00", "4.00", "5.00",
                                                                      "6.00", "7.00", "8.00", "9.00", "10.00"};
    QTest::newRow("thousands") << ",0" << 0.0 << 10000.0
                               << QStringList{"0",     "1,000", "2,000", "3,000", "4,000", "5,000",
                                              "6,000", "7,000", "8,000", "9,000", "10,000"};
    QTest::newRow("negative") << "0.0" << -5.0 << 5.0 << QStringList{"-5.0", "-4.0", "-3.0", "-2.0", "-1.0", "0.0",
                                                                     "1.0",  "2.0",  "3.0",  "4.0",  "5.0"};
}

void TestCanvas2D::labelsOnEverySide() {
    QFETCH(QString, format);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QStringList, texts);
    Plot plot(904, 704);
    TCanvas2D& c = *plot.canvas;
    c.SetFormat(format);
    c.SetAxisXMin(min);
    c.SetAxisXMax(max);
    c.SetAxisYMin(min);
    c.SetAxisYMax(max);
    const int W = 896, H = 696, mx = c.AxisXMargin(), my = c.AxisYMargin();
    const int h = c.ImageCanvas()->TextHeight(QStringLiteral("0"));
    for (int i = 0; i <= 10; ++i) {
        const double v = min + (max - min) * i / 10;
        const QString& text = texts[i];
        QCOMPARE(FormatFloat(format, v), text);
        const int sx = c.ValToScrX(v), sy = c.ValToScrY(v);
        QVERIFY2(TextShownAt(plot, sx, my - 3 - h, TA_CENTER, text, clBlack), qPrintable("top " + text));
        QVERIFY2(TextShownAt(plot, sx, H - my + 4, TA_CENTER, text, clBlack), qPrintable("bottom " + text));
        const int top = i == 0 ? sy - 2 * h / 3 : i == 10 ? sy - h / 3 : sy - h / 2;
        QVERIFY2(TextShownAt(plot, mx - 3, top, TA_RIGHT, text, clBlack), qPrintable("left " + text));
        QVERIFY2(TextShownAt(plot, W - mx + 4, top, TA_LEFT, text, clBlack), qPrintable("right " + text));
        QCOMPARE(plot.At(mx - 2, sy), clWhite);  // ticks
        QCOMPARE(plot.At(W - mx + 2, sy), clWhite);
        QCOMPARE(plot.At(mx - 3, sy), clBlack);  // LineTo leaves out its end pixel
    }
}

// MarkYDrawText places a label by its value: YMin 2h/3 above the tick, YMax h/3, others h/2.
void TestCanvas2D::yLabelPlacement_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("thirds");  // 4: 2h/3, 2: h/3, 3: h/2 (in sixths of h, for the row)
    QTest::newRow("YMin") << 0.0 << 4;
    QTest::newRow("YMax") << 10.0 << 2;
    QTest::newRow("inner") << 5.0 << 3;
    QTest::newRow("outside") << 12.0 << 3;
}

void TestCanvas2D::yLabelPlacement() {
    QFETCH(double, value);
    QFETCH(int, thirds);
    Plot plot(400, 400);
    TCanvas2D& c = *plot.canvas;
    TCanvas* canvas = c.ImageCanvas();
    SelectClipRgn(canvas->Handle(), nullptr);
    canvas->Brush.Color = clBlack;
    canvas->FillRect(Rect(0, 0, 396, 396));
    canvas->Font.Assign(c.AxisFont());
    SetBkMode(canvas->Handle(), TRANSPARENT);
    SetTextAlign(canvas->Handle(), TA_LEFT | TA_TOP);
    c.MarkYDrawText(100, 200, value, QStringLiteral("label"));
    const int h = canvas->TextHeight(QStringLiteral("label"));
    const int top = thirds == 4 ? 200 - (2 * h) / 3 : thirds == 2 ? 200 - h / 3 : 200 - h / 2;
    QVERIFY(TextShownAt(plot, 100, top, TA_LEFT, QStringLiteral("label"), clBlack));
}

void TestCanvas2D::mappingIdentities_data() {
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<bool>("show");
    QTest::newRow("default") << 0.0 << 10.0 << 0.0 << 10.0 << true;
    QTest::newRow("negative") << -3.5 << -1.25 << -100.0 << 250.0 << true;
    QTest::newRow("small") << 1e-6 << 2e-6 << 5.0 << 5.001 << true;
    QTest::newRow("large") << -1e12 << 1e12 << 0.0 << 1e15 << true;
    QTest::newRow("hidden axes") << 0.0 << 10.0 << 0.0 << 10.0 << false;
    QTest::newRow("hidden, negative") << -7.0 << 3.0 << -2.0 << -1.0 << false;
}

void TestCanvas2D::mappingIdentities() {
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    QFETCH(bool, show);
    Plot plot(300, 200);
    TCanvas2D& c = *plot.canvas;
    c.SetAxisShow(show);
    c.SetAxisXMin(xmin);
    c.SetAxisXMax(xmax);
    c.SetAxisYMin(ymin);
    c.SetAxisYMax(ymax);
    const int W = 292, H = 192;
    const int mx = show ? c.AxisXMargin() : 0, my = show ? c.AxisYMargin() : 0;
    QCOMPARE(c.ValToScrX(xmin), mx);
    QCOMPARE(c.ValToScrX(xmax), W - mx);
    QCOMPARE(c.ValToScrY(ymax), my);
    QCOMPARE(c.ValToScrY(ymin), H - my);
    QCOMPARE(c.ScrToValX(mx), xmin);
    QCOMPARE(c.ScrToValY(H - my), ymin);
    QCOMPARE(c.ValToScrXD(xmin), double(mx));
    QCOMPARE(c.ValToScrYD(ymin), double(H - my));
    QCOMPARE(c.ClientWidthGet(), W - 2 * mx);
    QCOMPARE(c.ClientHeightGet(), H - 2 * my);
    // Round trips through the pixel of a world value land within half a pixel.
    const double x = xmin + (xmax - xmin) * 0.3, y = ymin + (ymax - ymin) * 0.7;
    QVERIFY(std::fabs(c.ScrToValX(c.ValToScrX(x)) - x) <= 0.5 * (xmax - xmin) / (W - 2 * mx) * 1.0000001);
    QVERIFY(std::fabs(c.ScrToValY(c.ValToScrY(y)) - y) <= 0.5 * (ymax - ymin) / (H - 2 * my) * 1.0000001);
    QCOMPARE(c.ScrToValXS(mx), FormatFloat(c.Format(), xmin));
    QCOMPARE(c.ScrToValYS(H - my), FormatFloat(c.Format(), ymin));
}

// The pixel of a world value is rounded as RoundToInt rounds, also next to the halves.
void TestCanvas2D::roundingHalfAwayFromZero_data() {
    QTest::addColumn<double>("x");
    for (double x : {0.5, 1.5, 2.5, -0.5, -1.5, 0.49999999999999994, std::nextafter(2.5, 0.0), std::nextafter(2.5, 3.0),
                     -0.49999999999999994, std::nextafter(-2.5, 0.0), 100.0, 151.5})
        QTest::addRow("%.17g", x) << x;
}

void TestCanvas2D::roundingHalfAwayFromZero() {
    QFETCH(double, x);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisShow(false);
    c.SetAxisXMax(152);  // one world unit per pixel
    c.SetAxisYMax(152);
    QCOMPARE(c.ValToScrX(x), RoundToInt((x - 0) / (152 - 0) * 152));
    QCOMPARE(c.ValToScrY(x), 152 - RoundToInt((x - 0) / (152 - 0) * 152));
    c.ImageCanvas()->Pen.Color = clRed;
    c.Line(x, 10, x, 20);  // Line maps as ValToScrX does
    const int sx = c.ValToScrX(x);
    if (x >= 0 && sx < 152)  // left of XMin both ends are: not drawn at all
        QCOMPARE(plot.At(sx, 152 - 15), clRed);
}

// Without axes the margins play no part: no frame, no marks, no clip; the whole image is ColorInt.
void TestCanvas2D::axesHidden() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisShow(false);
    const int W = 152, H = 152;
    QCOMPARE(c.ValToScrX(c.AxisXMax()), W);
    QCOMPARE(c.ValToScrY(c.AxisYMax()), 0);
    QVERIFY(c.DrawRectGet() == Rect(0, 0, W - 1, H - 1));
    QVERIFY(c.Inside(W, H));
    QVERIFY(c.Inside(0, 0));
    QVERIFY(!c.Inside(W + 1, 5));
    QVERIFY(!c.Inside(-1, 5));
    QVERIFY(!c.ImageCanvas()->HasClipRect());
    for (int y = 0; y < H; y += 3)
        for (int x = 0; x < W; x += 3)
            QCOMPARE(plot.At(x, y), clNavy);
    c.ImageCanvas()->Pen.Color = clRed;
    c.Line(0, 0, 10, 0);                // the bottom row is drawable without axes
    QCOMPARE(plot.At(5, 151), clNavy);  // y = 0 maps to row 152, just outside the image
    c.Line(0, 5, 10, 5);
    QCOMPARE(plot.At(0, 76), clRed);
    QCOMPARE(plot.At(151, 76), clRed);
}

void TestCanvas2D::clipRegionAndDrawRect() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    const int mx = c.AxisXMargin(), my = c.AxisYMargin(), W = 152, H = 152;
    QVERIFY(c.DrawRectGet() == Rect(mx + 1, my + 1, W - mx - 1, H - my - 1));
    // The clip stays selected after Draw: plot interior only, frame excluded.
    QVERIFY(c.ImageCanvas()->HasClipRect());
    QVERIFY(c.ImageCanvas()->ClipRect() == Rect(mx + 1, my + 1, W - mx, H - my));
    QVERIFY(c.Inside(mx + 1, my + 1));
    QVERIFY(!c.Inside(mx, my + 1));
    QVERIFY(!c.Inside(W - mx, my + 1));
    QVERIFY(c.Inside(W - mx - 1, H - my - 1));
    QVERIFY(!c.Inside(W - mx - 1, H - my));
}

// Lines: early rejection, cutting at the frame, and the drawable range.
void TestCanvas2D::lines_data() {
    QTest::addColumn<QList<double>>("segment");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("outOfRange");
    QTest::newRow("inside") << QList<double>{2, 5, 8, 5} << true << false;
    QTest::newRow("crossing the plot") << QList<double>{-5, 5.3, 15, 5.3} << true << false;
    QTest::newRow("both left") << QList<double>{-5, 5, -1, 7} << false << false;
    QTest::newRow("both right") << QList<double>{11, 5, 20, 7} << false << false;
    QTest::newRow("both below") << QList<double>{2, -1, 8, -3} << false << false;
    QTest::newRow("both above") << QList<double>{2, 11, 8, 30} << false << false;
    QTest::newRow("beyond the range") << QList<double>{5, 5, 5000, 5} << false << true;
    QTest::newRow("ends far apart") << QList<double>{-500, 5, 500, 5} << false << true;
    QTest::newRow("NaN end") << QList<double>{5, 5, kNaN, 5} << false << true;
    QTest::newRow("end beyond the int range") << QList<double>{5, 5, 1e300, 5} << false << true;
    QTest::newRow("infinite end") << QList<double>{5, 5, 5, -kInf} << false << true;
}

void TestCanvas2D::lines() {
    QFETCH(QList<double>, segment);
    QFETCH(bool, drawn);
    QFETCH(bool, outOfRange);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    bool lastOutOfRange = true;
    c.OnDraw = [&](QObject*) {
        c.ImageCanvas()->Pen.Color = clRed;
        c.Line(segment[0], segment[1], segment[2], segment[3]);
        lastOutOfRange = c.OutOfRange();
    };
    c.Draw();
    QCOMPARE(lastOutOfRange, outOfRange);
    const int mx = c.AxisXMargin(), row = c.ValToScrY(segment[1]);
    const bool redInside = plot.At(c.ValToScrX(5), row) == clRed;
    QCOMPARE(redInside, drawn);
    if (QTest::currentDataTag() == QLatin1String("crossing the plot")) {
        QCOMPARE(plot.At(mx + 1, row), clRed);    // first pixel inside
        QCOMPARE(plot.At(mx, row), clWhite);      // the frame is not drawn over
        QCOMPARE(plot.At(mx - 1, row), clBlack);  // nor the margin
        QCOMPARE(plot.At(151 - mx, row), clRed);
        QCOMPARE(plot.At(152 - mx, row), clWhite);
    }
}

// Points: one pixel, a disc, and the tests at the edge of the axis box.
void TestCanvas2D::points_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("painted");  // pixels of row y = 5 turned red inside the plot
    QTest::newRow("one pixel") << 5.0 << 0 << 1;
    QTest::newRow("negative radius") << 5.0 << -4 << 1;
    QTest::newRow("disc of radius 3") << 5.0 << 3 << 7;
    QTest::newRow("on XMax, cut by the clip") << 10.0 << 3 << 3;
    QTest::newRow("on XMax, one pixel on the frame") << 10.0 << 0 << 0;
    QTest::newRow("just beyond XMax") << std::nextafter(10.0, 11.0) << 3 << 0;
    QTest::newRow("on XMin") << 0.0 << 3 << 3;
    QTest::newRow("NaN") << kNaN << 3 << 0;
}

void TestCanvas2D::points() {
    QFETCH(double, x);
    QFETCH(int, radius);
    QFETCH(int, painted);
    Plot plot(300, 300);
    TCanvas2D& c = *plot.canvas;
    c.OnDraw = [&](QObject*) {
        c.ImageCanvas()->Pen.Color = clRed;
        c.ImageCanvas()->Brush.Color = clRed;
        c.Point(x, 5, radius);
    };
    c.Draw();
    const int row = c.ValToScrY(5);
    int count = 0;
    for (int px = 0; px < 296; ++px)
        count += plot.At(px, row) == clRed;
    QCOMPARE(count, painted);
    QCOMPARE(plot.At(c.ValToScrX(10), row), clWhite);  // the frame stays
    if (radius == 3 && painted == 7) {
        const int sx = c.ValToScrX(x);
        QCOMPARE(plot.At(sx, row - 3), clRed);
        QCOMPARE(plot.At(sx, row + 3), clRed);
        QCOMPARE(plot.At(sx, row - 4), clNavy);
        QCOMPARE(plot.At(sx - 4, row), clNavy);
    }
}

void TestCanvas2D::triangleAndText() {
    Plot plot(300, 300);
    TCanvas2D& c = *plot.canvas;
    bool outOfRange = false;
    c.OnDraw = [&](QObject*) {
        c.ImageCanvas()->Pen.Color = clLime;
        c.ImageCanvas()->Brush.Color = clLime;
        c.Triangle(1, 1, 9, 1, 5, 9);
        c.ImageCanvas()->Font.SetColor(clYellow);
        c.TextOutA(2, 8, 3, -4, QStringLiteral("Wq"));
        c.TextOutA(12, 8, 0, 0, QStringLiteral("Wq"));  // outside the axis box: nothing
        c.Triangle(1, 1, 9, 1, 5, 1e6);                 // visible but beyond the drawable range
        outOfRange = c.OutOfRange();
    };
    c.Draw();
    QVERIFY(outOfRange);
    QCOMPARE(plot.At(c.ValToScrX(5), c.ValToScrY(3)), clLime);
    QCOMPARE(plot.At(c.ValToScrX(1.5), c.ValToScrY(8)), clNavy);
    // The text's box starts at the point's pixel shifted by (3, -4).
    const int x0 = c.ValToScrX(2) + 3, y0 = c.ValToScrY(8) - 4;
    int yellow = 0, yellowBefore = 0;
    for (int y = y0 - 10; y < y0 + 20; ++y)
        for (int x = x0 - 10; x < x0 + 40; ++x) {
            if (plot.At(x, y) != clYellow)
                continue;
            ++yellow;
            yellowBefore += x < x0 || y < y0;
        }
    QVERIFY(yellow > 10);
    QCOMPARE(yellowBefore, 0);
    int yellowElsewhere = 0;
    for (int y = 0; y < 296; ++y)
        for (int x = c.ValToScrX(8); x < 296; ++x)
            yellowElsewhere += plot.At(x, y) == clYellow;
    QCOMPARE(yellowElsewhere, 0);
}

// AxisXMargin is stored only below half the image size minus 20; the control repaints either way.
void TestCanvas2D::marginRule_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("notifications");
    QTest::newRow("x 80 on 152: 80 >= 56") << true << false << 80 << false << 0;
    QTest::newRow("x 56 on 152: the limit") << true << false << 56 << false << 0;
    QTest::newRow("x 55 on 152") << true << false << 55 << true << 1;
    QTest::newRow("x 10") << true << false << 10 << true << 1;
    QTest::newRow("y 56 on 152") << false << false << 56 << false << 0;
    QTest::newRow("y 40") << false << false << 40 << true << 1;
    // Stored, then the repaint measures the labels again: no net change, no announcement.
    QTest::newRow("x 40, automatic") << true << true << 40 << false << 0;
    QTest::newRow("y 40, automatic") << false << true << 40 << false << 0;
    QTest::newRow("x 80, automatic") << true << true << 80 << false << 0;
}

void TestCanvas2D::marginRule() {
    QFETCH(bool, horizontal);
    QFETCH(bool, automatic);
    QFETCH(int, value);
    QFETCH(bool, stored);
    QFETCH(int, notifications);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisXMarginAuto(automatic);
    c.SetAxisYMarginAuto(automatic);
    const int before = horizontal ? c.AxisXMargin() : c.AxisYMargin();
    QSignalSpy draws(&c, &TCanvas2D::drawRequested);
    QSignalSpy changes(&c, horizontal ? &TCanvas2D::AxisXMarginChanged : &TCanvas2D::AxisYMarginChanged);
    if (horizontal)
        c.SetAxisXMargin(value);
    else
        c.SetAxisYMargin(value);
    QCOMPARE(draws.count(), 1);
    const int after = horizontal ? c.AxisXMargin() : c.AxisYMargin();
    QCOMPARE(after, stored ? value : before);  // automatic: the labels decide again at the repaint
    QCOMPARE(changes.count(), notifications);
    if (stored) {
        const int W = 152;
        QCOMPARE(horizontal ? c.ValToScrX(c.AxisXMin()) : c.ValToScrY(c.AxisYMax()), value);
        QCOMPARE(horizontal ? plot.At(value, 76) : plot.At(76, value), clWhite);
        QCOMPARE(horizontal ? plot.At(W - value, 76) : plot.At(76, W - value), clWhite);
    }
}

// The same text raises nothing; another repaints first, then raises OnChangeFormat and its signal.
void TestCanvas2D::formatEvents() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    QStringList log;
    c.OnDraw = [&](QObject* sender) { log << (sender == &c ? "draw" : "draw?"); };
    c.OnChangeFormat = [&](QObject* sender) { log << (sender == &c ? "format " + c.Format() : "format?"); };
    connect(&c, &TCanvas2D::formatRequested, this, [&](QObject* sender) { log << (sender == &c ? "signal" : "?"); });
    connect(&c, &TCanvas2D::FormatChanged, this, [&] { log << "changed"; });
    c.SetFormat(QStringLiteral(",0.00"));
    QCOMPARE(log, QStringList());
    c.SetFormat(QStringLiteral("0.0"));
    QCOMPARE(log, (QStringList{"draw", "changed", "format 0.0", "signal"}));
    log.clear();
    c.setProperty("Format", QStringLiteral("0.0"));
    QCOMPARE(log, QStringList());
    QCOMPARE(c.ScrToValXS(c.ValToScrX(5)), QStringLiteral("5.0"));
}

// Each property through the Qt face: one NOTIFY per real change (with the repaint the setter
// rules ask for), none for an equal value.
void TestCanvas2D::propertySignals_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");
    QTest::newRow("AxisColor") << QByteArray("AxisColor") << QVariant(QColor(1, 2, 3)) << true;
    QTest::newRow("AxisColorValue") << QByteArray("AxisColorValue") << QVariant(0x8000000Fu) << true;
    QTest::newRow("AxisShow") << QByteArray("AxisShow") << QVariant(false) << true;
    QTest::newRow("AxisXMarginAuto") << QByteArray("AxisXMarginAuto") << QVariant(false) << true;
    QTest::newRow("AxisXMarks") << QByteArray("AxisXMarks") << QVariant(4) << true;
    QTest::newRow("AxisXMax") << QByteArray("AxisXMax") << QVariant(20.0) << true;
    QTest::newRow("AxisXMin") << QByteArray("AxisXMin") << QVariant(-2.5) << true;
    QTest::newRow("AxisYMarginAuto") << QByteArray("AxisYMarginAuto") << QVariant(false) << true;
    QTest::newRow("AxisYMarks") << QByteArray("AxisYMarks") << QVariant(0) << true;
    QTest::newRow("AxisYMax") << QByteArray("AxisYMax") << QVariant(1.0) << true;
    QTest::newRow("AxisYMin") << QByteArray("AxisYMin") << QVariant(-1.0) << true;
    QTest::newRow("ColorExt") << QByteArray("ColorExt") << QVariant(QColor(Qt::green)) << true;
    QTest::newRow("ColorIntValue") << QByteArray("ColorIntValue") << QVariant(0x123456u) << true;
    QTest::newRow("Format") << QByteArray("Format") << QVariant(QStringLiteral("0.000")) << true;
    QTest::newRow("ZoomAllXMax") << QByteArray("ZoomAllXMax") << QVariant(3.0) << false;
    QTest::newRow("ZoomAllXMin") << QByteArray("ZoomAllXMin") << QVariant(1.0) << false;
    QTest::newRow("ZoomAllYMax") << QByteArray("ZoomAllYMax") << QVariant(3.0) << false;
    QTest::newRow("ZoomAllYMin") << QByteArray("ZoomAllYMin") << QVariant(1.0) << false;
    QTest::newRow("ZoomFactor") << QByteArray("ZoomFactor") << QVariant(0.25) << false;
    QTest::newRow("ZoomSteps") << QByteArray("ZoomSteps") << QVariant(12) << false;
    QTest::newRow("ZoomMode") << QByteArray("ZoomMode") << QVariant::fromValue(TCanvas2D::zmPan) << false;
    QTest::newRow("AxisFont") << QByteArray("AxisFont") << QVariant(QFont(QStringLiteral("Liberation Serif"), 14))
                              << true;
}

void TestCanvas2D::propertySignals() {
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    const QMetaProperty property = c.metaObject()->property(c.metaObject()->indexOfProperty(name));
    QVERIFY(property.isValid());
    QVERIFY(property.hasNotifySignal());
    QSignalSpy notify(&c, property.notifySignal());
    QSignalSpy draws(&c, &TCanvas2D::drawRequested);
    QVERIFY(property.write(&c, value));
    QCOMPARE(notify.count(), 1);
    QCOMPARE(draws.count(), repaints ? 1 : 0);
    QCOMPARE(property.read(&c), value);
    QVERIFY(property.write(&c, property.read(&c)));
    QCOMPARE(notify.count(), 1);
    // The axis font always repaints (its setter copies whatever it is given).
    QCOMPARE(draws.count(), name == "AxisFont" ? 2 : repaints ? 1 : 0);
}

void TestCanvas2D::zoomFactorAndStepsGuards_data() {
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("keptFactor");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("keptSteps");
    QTest::newRow("inside") << 0.75 << 0.75 << 1 << 1;
    QTest::newRow("zero") << 0.0 << 0.5 << 0 << 5;
    QTest::newRow("one") << 1.0 << 0.5 << -3 << 5;
    QTest::newRow("negative") << -0.5 << 0.5 << -1 << 5;
    QTest::newRow("NaN") << kNaN << 0.5 << 1000 << 1000;
}

void TestCanvas2D::zoomFactorAndStepsGuards() {
    QFETCH(double, factor);
    QFETCH(double, keptFactor);
    QFETCH(int, steps);
    QFETCH(int, keptSteps);
    TCanvas2D c;
    QSignalSpy draws(&c, &TCanvas2D::drawRequested);
    c.SetZoomFactor(factor);
    c.SetZoomSteps(steps);
    QCOMPARE(c.ZoomFactor(), keptFactor);
    QCOMPARE(c.ZoomSteps(), keptSteps);
    QCOMPARE(draws.count(), 0);
}

// SetAxisFont takes the font's colour as the axis colour; SetAxisColor colours the font.
void TestCanvas2D::axisFontAndColour() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    QSignalSpy colour(&c, &TCanvas2D::AxisColorChanged), font(&c, &TCanvas2D::AxisFontChanged);
    TFont f;
    f.SetName(QStringLiteral("Liberation Serif"));
    f.SetSize(11);
    f.SetColor(clYellow);
    c.SetAxisFont(f);
    QCOMPARE(c.AxisColor(), clYellow);
    QCOMPARE(c.AxisFont().Name(), QStringLiteral("Liberation Serif"));
    QCOMPARE(colour.count(), 1);
    QCOMPARE(font.count(), 1);
    QCOMPARE(plot.At(c.AxisXMargin(), 76), clYellow);  // frame in the new colour
    c.SetAxisColor(clRed);
    QCOMPARE(c.AxisFont().Color(), clRed);
    QCOMPARE(colour.count(), 2);
    QCOMPARE(font.count(), 1);
    c.setProperty("AxisFont", QFont(QStringLiteral("Liberation Sans"), 9, QFont::Bold));
    QCOMPARE(c.AxisFont().Size(), 9);
    QCOMPARE(c.AxisFont().Style(), TFontStyles(fsBold));
    QCOMPARE(c.AxisColor(), clRed);  // Designer's font carries no colour
}

// Limits without a mapping, and plot areas without width or height: the background only, world
// drawing draws nothing, and nothing divides by zero.
void TestCanvas2D::limitsWithoutMapping_data() {
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::newRow("x min = max") << 5.0 << 5.0 << 0.0 << 10.0;
    QTest::newRow("y min = max") << 0.0 << 10.0 << -1.0 << -1.0;
    QTest::newRow("NaN") << kNaN << 10.0 << 0.0 << 10.0;
    QTest::newRow("infinite") << 0.0 << 10.0 << -kInf << 10.0;
    QTest::newRow("range overflows") << -1.7e308 << 1.7e308 << 0.0 << 10.0;
}

void TestCanvas2D::limitsWithoutMapping() {
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    int draws = 0;
    c.OnDraw = [&](QObject*) {
        ++draws;
        c.ImageCanvas()->Pen.Color = clRed;
        c.ImageCanvas()->Brush.Color = clRed;
        c.Line(0, 0, 10, 10);
        c.Line(5, 5, 5, 5);
        c.Point(5, 5, 3);
        c.Triangle(0, 0, 10, 0, 5, 10);
        c.TextOutA(5, 5, 0, 0, QStringLiteral("x"));
    };
    c.SetAxisXMin(xmin);
    c.SetAxisXMax(xmax);
    c.SetAxisYMin(ymin);
    c.SetAxisYMax(ymax);
    QVERIFY(draws >= 1);
    draws = 0;
    c.Draw();
    QCOMPARE(draws, 1);  // the owner is still asked to draw
    QVERIFY(!c.MappingValid());
    QVERIFY(!c.OutOfRange());
    for (int y = 0; y < 152; ++y)
        for (int x = 0; x < 152; ++x)
            QCOMPARE(plot.At(x, y), clBlack);
    // Mapping calls give values, no traps: pixels far outside the drawable range.
    const int sx = c.ValToScrX(5), sy = c.ValToScrY(5);
    QVERIFY(std::abs(sx) > 8191 || std::abs(sy) > 8191 || QTest::currentDataTag() == QLatin1String("range overflows"));
    (void)c.ScrToValX(10);
    (void)c.ScrToValY(10);
    (void)c.ScrToValXS(10);
    c.AxisXAdjustToY();
    c.AxisYAdjustToX();
    c.ZoomModeSet(1);
    c.ZoomModeSet(0);
}

// Limits set inverted: the axis runs the other way and data inside the limits is still drawn.
void TestCanvas2D::invertedLimitsKeepData() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisXMin(10);
    c.SetAxisXMax(0);
    bool outOfRange = true;
    c.OnDraw = [&](QObject*) {
        c.ImageCanvas()->Pen.Color = clRed;
        c.ImageCanvas()->Brush.Color = clRed;
        c.Line(2, 5, 3, 5);
        c.Point(8, 8, 0);
        outOfRange = c.OutOfRange();
    };
    c.Draw();
    QVERIFY(!outOfRange);
    QVERIFY(c.PointCheckIn(2, 5));
    QVERIFY(!c.PointCheckIn(11, 5));
    QVERIFY(c.ValToScrX(2) > c.ValToScrX(3));  // x grows to the left
    QCOMPARE(plot.At(c.ValToScrX(2.5), c.ValToScrY(5)), clRed);
    QCOMPARE(plot.At(c.ValToScrX(8), c.ValToScrY(8)), clRed);
    QCOMPARE(c.ValToScrX(10), c.AxisXMargin());
}

void TestCanvas2D::tinyAndEmptySizes_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("0 x 0") << 0 << 0;
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("8 x 8: image 0 x 0") << 8 << 8;
    QTest::newRow("40 x 300: no plot width") << 40 << 300;
    QTest::newRow("300 x 40: no plot height") << 300 << 40;
}

void TestCanvas2D::tinyAndEmptySizes() {
    QFETCH(int, width);
    QFETCH(int, height);
    Plot plot(width, height);
    TCanvas2D& c = *plot.canvas;
    int draws = 0;
    c.OnDraw = [&](QObject*) {
        ++draws;
        c.Line(0, 0, 10, 10);
        c.Point(5, 5, 2);
        c.Triangle(0, 0, 10, 0, 5, 10);
    };
    c.Draw();
    QCOMPARE(draws, 1);
    QCOMPARE(c.Image()->Width(), std::max(0, width - 8));
    QVERIFY(!c.MappingValid());
    if (c.ClientWidthGet() <= 0)
        QCOMPARE(c.ScrToValX(3), c.AxisXMin());
    if (c.ClientHeightGet() <= 0)
        QCOMPARE(c.ScrToValY(3), c.AxisYMin());
    c.ZoomModeSet(1);
    QTest::mouseMove(c.Image(), QPoint(0, 0));
    c.ZoomModeSet(0);
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmNone);
}

// A mark count beyond the plot width draws one mark per pixel: bounded time for any count.
void TestCanvas2D::hugeMarkCountsStayBounded() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisXMarks(std::numeric_limits<int>::max());
    c.SetAxisYMarks(std::numeric_limits<int>::max());
    const int mx = c.AxisXMargin(), my = c.AxisYMargin();
    for (int x = mx; x <= 152 - mx; ++x)
        QCOMPARE(plot.At(x, my - 2), clWhite);
    for (int y = my; y <= 152 - my; ++y)
        QCOMPARE(plot.At(mx - 2, y), clWhite);
    c.SetAxisXMarks(-5);
    QCOMPARE(plot.At(c.ValToScrX(5), my - 2), clBlack);  // only the two end marks
    QCOMPARE(plot.At(mx, my - 2), clWhite);
}

void TestCanvas2D::adjustOneAxisToTheOther() {
    Plot plot(300, 200);
    TCanvas2D& c = *plot.canvas;
    const double w = c.ClientWidthGet(), h = c.ClientHeightGet();
    QSignalSpy draws(&c, &TCanvas2D::drawRequested);
    c.AxisXAdjustToY();
    QCOMPARE(c.AxisXMax(), 0 + 10 * w / h);
    c.AxisYAdjustToX();
    QCOMPARE(c.AxisYMax(), 0 + c.AxisXMax() * h / w);
    QCOMPARE(draws.count(), 2);
}

// Sender of every event is the component; each handler runs before its signal. Mouse positions
// are those of the image.
void TestCanvas2D::eventsCarryTheComponent() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    QStringList log;
    c.OnMouseDown = [&](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        log << QStringLiteral("down %1 %2 %3 %4 %5").arg(s == &c).arg(int(b)).arg(bool(sh & ssShift)).arg(x).arg(y);
    };
    c.OnMouseMove = [&](QObject* s, TShiftState, int x, int y) {
        log << QStringLiteral("move %1 %2 %3").arg(s == &c).arg(x).arg(y);
    };
    c.OnMouseUp = [&](QObject* s, TMouseButton b, TShiftState, int x, int y) {
        log << QStringLiteral("up %1 %2 %3 %4").arg(s == &c).arg(int(b)).arg(x).arg(y);
    };
    c.OnDblClick = [&](QObject* s) { log << QStringLiteral("dbl %1").arg(s == &c); };
    c.OnResize = [&](QObject* s) { log << QStringLiteral("resize %1").arg(s == &c); };
    connect(&c, &TCanvas2D::mousePressed, this, [&](QObject* s, TMouseButton, TShiftState, int x, int) {
        log << QStringLiteral("pressed %1 %2").arg(s == &c).arg(x);
    });
    connect(&c, &TCanvas2D::mouseMoved, this,
            [&](QObject*, TShiftState, int x, int) { log << QStringLiteral("moved %1").arg(x); });
    connect(&c, &TCanvas2D::mouseReleased, this,
            [&](QObject*, TMouseButton, TShiftState, int x, int) { log << QStringLiteral("released %1").arg(x); });
    connect(&c, &TCanvas2D::doubleClicked, this, [&](QObject* s) { log << QStringLiteral("doubled %1").arg(s == &c); });
    connect(&c, &TCanvas2D::resized, this, [&](QObject* s) { log << QStringLiteral("resized %1").arg(s == &c); });
    QTest::mousePress(c.Image(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::mouseMove(c.Image(), QPoint(31, 41));
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(31, 41));
    QCOMPARE(log, (QStringList{"down 1 0 1 30 40", "pressed 1 30", "move 1 31 41", "moved 31", "up 1 0 31 41",
                               "released 31"}));
    log.clear();
    QTest::mouseDClick(c.Image(), Qt::LeftButton, {}, QPoint(31, 41));
    const int dbl = log.indexOf(QStringLiteral("dbl 1"));
    QVERIFY(dbl >= 0);
    QCOMPARE(log.value(dbl + 1), QStringLiteral("doubled 1"));
    log.clear();
    c.SetBounds(0, 0, 180, 170);
    QCOMPARE(log, (QStringList{"resize 1", "resized 1"}));
    QCOMPARE(c.Image()->geometry(), QRect(4, 4, 172, 162));
}

// The hourglass shows on the image while Draw runs; an error in OnDraw leaves the cursor as it was.
void TestCanvas2D::hourglassDuringDrawAndErrorsInOnDraw() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.Image()->SetCursor(crCross);
    TCursor during = crDefault;
    c.OnDraw = [&](QObject*) { during = c.Image()->Cursor(); };
    c.Draw();
    QCOMPARE(during, crHourGlass);
    QCOMPARE(c.Image()->Cursor(), crCross);
    c.OnDraw = [&](QObject*) { throw Exception(QStringLiteral("owner failed")); };
    QVERIFY_THROWS_EXCEPTION(Exception, c.Draw());
    QCOMPARE(c.Image()->Cursor(), crCross);
    // From a resize (a Qt entry point) the error becomes a warning and the component goes on.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("owner failed")));
    c.SetBounds(0, 0, 170, 170);
    QCOMPARE(c.Image()->Cursor(), crCross);
    c.OnDraw = nullptr;
    c.Draw();
    QCOMPARE(plot.At(c.AxisXMargin(), 80), clWhite);
}

void TestCanvas2D::registeredOnPalette() {
    TCanvas2D::Register();
    QVERIFY(RegisteredComponents(QStringLiteral("Tallwick")).contains(QStringLiteral("TCanvas2D")));
}

QTEST_MAIN(TestCanvas2D)
#include "tst_canvas2d.moc"
