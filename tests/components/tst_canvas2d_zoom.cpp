// The plotting canvas's interaction: animated axis changes, zoom in and out, pan, the modes with
// their cursors and rubber bands, and what happens while an animation runs. Driven by real mouse
// events on the component's image.
#include <Tallwick/Beep.h>
#include <Tallwick/Bitmap.h>
#include "Canvas2DHost.h"
#include <Tallwick/Cursors.h>
#include <Tallwick/Exception.h>
#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Vexutils.h>

#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace Tallwick;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Box Between(const Box& a, const Box& b, double t) {
    Box r;
    for (int i = 0; i < 4; ++i)
        r << a[i] + (b[i] - a[i]) * t;
    return r;
}
QImage Picture(const TCanvas2D& c) { return c.ImageCanvas()->Bitmap()->Image().copy(); }
}  // namespace

class TestCanvas2DZoom : public QObject {
    Q_OBJECT

private slots:
    void axisChange_data();
    void axisChange();
    void zoomByClicks_data();
    void zoomByClicks();
    void panDrag();
    void releaseWithoutPressIsIgnored();
    void zoomRectangleFollowsAndErases();
    void panLineFollowsAndErases();
    void modesAndCursors_data();
    void modesAndCursors();
    void rightPressOutsideAnimationLeavesMode();
    void rightPressDuringAnimation();
    void leftPressDuringAnimationDoesNothing();
    void nestedChangesAreRefused();
    void outOfRangeStepReturnsToStart();
    void outOfRangeStartDoesNotStick();
    void zoomAll_data();
    void zoomAll();
    void deletionDuringAnimation_data();
    void deletionDuringAnimation();
    void errorInOnDrawDuringZoom();
};

void TestCanvas2DZoom::axisChange_data() {
    QTest::addColumn<Box>("target");
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("draws");
    QTest::newRow("five steps") << Box{2, 3, 4, 8} << 5 << false << 5;
    QTest::newRow("one step") << Box{2, 3, 4, 8} << 1 << false << 1;
    QTest::newRow("zero steps") << Box{2, 3, 4, 8} << 0 << false << 0;
    QTest::newRow("negative steps") << Box{2, 3, 4, 8} << -2 << false << 0;
    QTest::newRow("x min = max") << Box{5, 0, 5, 10} << 5 << true << 0;
    QTest::newRow("y min = max") << Box{0, 3, 10, 3} << 5 << true << 0;
    QTest::newRow("inverted") << Box{10, 0, 0, 10} << 5 << true << 0;
    QTest::newRow("wider than 1e20") << Box{0, 0, 2e20, 10} << 5 << true << 0;
    QTest::newRow("lower than 1e-20") << Box{0, 1, 10, 1 + 1e-21} << 5 << true << 0;
    QTest::newRow("1e20 wide, 1e-20 high") << Box{0, 0, 1e20, 1e-20} << 1 << false << 1;
    QTest::newRow("NaN") << Box{kNaN, 0, 10, 10} << 5 << true << 0;
    QTest::newRow("infinite") << Box{0, 0, kInf, 10} << 5 << true << 0;
    QTest::newRow("both infinite") << Box{-kInf, 0, kInf, 10} << 5 << true << 0;
}

// The steps run from the current box to the target in equal parts, the last exactly on it.
void TestCanvas2DZoom::axisChange() {
    QFETCH(Box, target);
    QFETCH(int, steps);
    QFETCH(bool, refused);
    QFETCH(int, draws);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    BeepCounter beeps;
    QList<Box> seen;
    c.OnDraw = [&](QObject*) { seen << BoxOf(c); };
    c.AxisChange(target[0], target[1], target[2], target[3], steps);
    QCOMPARE(beeps.count, refused ? 1 : 0);
    QCOMPARE(seen.size(), draws);
    const Box start{0, 0, 10, 10};
    for (int i = 1; i < draws; ++i)
        QVERIFY2(Near(seen[i - 1], Between(start, target, double(i) / steps)), qPrintable(QString::number(i)));
    QCOMPARE(BoxOf(c), draws > 0 ? target : start);
    QVERIFY(!c.Busy());
    QCOMPARE(c.Image()->Cursor(), crDefault);
}

// Zoom in: the rectangle's area around the world point under its centre; zoom out: 1 / ZoomFactor
// times the box around the clicked point. The press raises OnMouseDown after the whole animation.
void TestCanvas2DZoom::zoomByClicks_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QPoint>("click");
    QTest::newRow("in, 0.5") << 1 << 0.5 << QPoint(60, 70);
    QTest::newRow("in, 0.25") << 1 << 0.25 << QPoint(100, 40);
    QTest::newRow("out, 0.5") << -1 << 0.5 << QPoint(60, 70);
    QTest::newRow("out, 0.8") << -1 << 0.8 << QPoint(120, 110);
}

void TestCanvas2DZoom::zoomByClicks() {
    QFETCH(int, mode);
    QFETCH(double, factor);
    QFETCH(QPoint, click);
    Plot plot(200, 180);
    TCanvas2D& c = *plot.canvas;
    c.SetZoomFactor(factor);
    c.ZoomModeSet(mode);
    QTest::mouseMove(c.Image(), click);
    const double cx = c.ScrToValX(click.x()), cy = c.ScrToValY(click.y());
    const double scale = mode == 1 ? factor : 1 / factor;
    const double wx = 10 * scale, wy = 10 * scale;
    int draws = 0;
    Box boxAtMouseDown;
    c.OnDraw = [&](QObject*) { ++draws; };
    c.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { boxAtMouseDown = BoxOf(c); };
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, click);
    const Box expected{cx - 0.5 * wx, cy - 0.5 * wy, cx - 0.5 * wx + wx, cy - 0.5 * wy + wy};
    QVERIFY(Near(BoxOf(c), expected));
    QCOMPARE(BoxOf(c), expected);
    QCOMPARE(boxAtMouseDown, expected);
    QCOMPARE(draws, 5);
    QCOMPARE(int(c.ZoomMode()), mode);
    QCOMPARE(c.Image()->Cursor(), mode == 1 ? crZoomMore : crZoomLess);
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, click);
}

// A drag from (100, 50) to (110, 40) moves the box left by the world width of 10 pixels and down by
// the world height of 10 pixels: the world point under the press ends under the release.
void TestCanvas2DZoom::panDrag() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    // Margins held, so that the labels of the new box do not move the plot area.
    c.SetAxisXMarginAuto(false);
    c.SetAxisYMarginAuto(false);
    c.ZoomModeSet(2);
    const double dx = c.ScrToValX(110) - c.ScrToValX(100), dy = c.ScrToValY(40) - c.ScrToValY(50);
    QVERIFY(dx > 0 && dy > 0);
    const double underPressX = c.ScrToValX(100), underPressY = c.ScrToValY(50);
    int draws = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(100, 50));
    QTest::mouseMove(c.Image(), QPoint(105, 45));
    QTest::mouseMove(c.Image(), QPoint(110, 40));
    QCOMPARE(draws, 0);
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(110, 40));
    QCOMPARE(draws, 5);
    QCOMPARE(BoxOf(c), (Box{0 - dx, 0 - dy, 10 - dx, 10 - dy}));
    QVERIFY(std::fabs(c.ScrToValX(110) - underPressX) < 1e-12);
    QVERIFY(std::fabs(c.ScrToValY(40) - underPressY) < 1e-12);
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmPan);
    QCOMPARE(c.Image()->Cursor(), crPanning);
}

// A release in pan mode pans only after a press in pan mode.
void TestCanvas2DZoom::releaseWithoutPressIsIgnored() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.ZoomModeSet(2);
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(c.Image(), QPoint(80, 80));
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(80, 80));
    const Box afterFirst = BoxOf(c);
    QVERIFY(afterFirst != (Box{0, 0, 10, 10}));
    int draws = 0, releases = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    c.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { ++releases; };
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(draws, 0);
    QCOMPARE(BoxOf(c), afterFirst);
    QCOMPARE(releases, 1);  // the event itself is still raised
}

// The zoom rectangle is drawn inverted at the image centre, follows the pointer, and leaves the
// picture exactly as it was when the mode ends.
void TestCanvas2DZoom::zoomRectangleFollowsAndErases() {
    Plot plot(200, 200);
    TCanvas2D& c = *plot.canvas;
    const QImage clean = Picture(c);
    c.ZoomModeSet(1);
    const int hw = RoundToInt(c.ClientWidthGet() * 0.5 * 0.5), hh = RoundToInt(c.ClientHeightGet() * 0.5 * 0.5);
    const int cx = 192 / 2, cy = 192 / 2;
    QCOMPARE(plot.At(cx, cy - hh), clNavy ^ 0xFFFFFF);  // the top edge, inverted
    QCOMPARE(plot.At(cx - hw, cy), clNavy ^ 0xFFFFFF);  // the left edge
    QCOMPARE(plot.At(cx, cy), clNavy);
    QTest::mouseMove(c.Image(), QPoint(80, 90));
    QCOMPARE(plot.At(cx, cy - hh), clNavy);  // erased at the old place
    QCOMPARE(plot.At(80, 90 - hh), clNavy ^ 0xFFFFFF);
    // A repaint in the mode puts the rectangle back onto the fresh picture.
    c.Draw();
    QCOMPARE(plot.At(80, 90 - hh), clNavy ^ 0xFFFFFF);
    c.ZoomModeSet(0);
    QCOMPARE(Picture(c), clean);
}

void TestCanvas2DZoom::panLineFollowsAndErases() {
    Plot plot(200, 200);
    TCanvas2D& c = *plot.canvas;
    const QImage clean = Picture(c);
    c.ZoomModeSet(2);
    QCOMPARE(Picture(c), clean);  // pan mode draws nothing by itself
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(60, 100));
    QTest::mouseMove(c.Image(), QPoint(120, 100));
    QCOMPARE(plot.At(90, 100), clNavy ^ 0xFFFFFF);
    QTest::mouseMove(c.Image(), QPoint(60, 130));
    QCOMPARE(plot.At(90, 100), clNavy);
    QCOMPARE(plot.At(60, 115), clNavy ^ 0xFFFFFF);
    // Leaving the mode in the middle of a drag erases the line and forgets the drag.
    c.ZoomModeSet(0);
    QCOMPARE(Picture(c), clean);
    c.ZoomModeSet(2);
    int draws = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(60, 130));
    QCOMPARE(draws, 0);
}

void TestCanvas2DZoom::modesAndCursors_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("zoom in") << 1 << crZoomMore << true;
    QTest::newRow("zoom out") << -1 << crZoomLess << true;
    QTest::newRow("pan") << 2 << crPanning << true;
    QTest::newRow("none") << 0 << crDefault << false;  // already the mode
    QTest::newRow("no such mode") << 5 << crDefault << false;
    QTest::newRow("another") << -2 << crDefault << false;
}

void TestCanvas2DZoom::modesAndCursors() {
    QFETCH(int, mode);
    QFETCH(int, cursor);
    QFETCH(bool, accepted);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    QSignalSpy changed(&c, &TCanvas2D::ZoomModeChanged);
    c.ZoomModeSet(mode);
    QCOMPARE(changed.count(), accepted ? 1 : 0);
    QCOMPARE(int(c.ZoomMode()), accepted ? mode : 0);
    QCOMPARE(c.Image()->Cursor(), cursor);
    // The library's own pictures, with their hot spots.
    QCOMPARE(c.Image()->cursor().shape(), accepted ? Qt::BitmapCursor : Qt::ArrowCursor);
    if (accepted) {
        QCOMPARE(c.Image()->cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(c.Image()->cursor().hotSpot(), cursor == crPanning ? QPoint(16, 16) : QPoint(12, 12));
    }
    c.ZoomModeSet(0);
    QCOMPARE(c.Image()->Cursor(), crDefault);
}

// Out of an animation a right press ends the mode (erasing the rectangle), and OnMouseDown follows.
void TestCanvas2DZoom::rightPressOutsideAnimationLeavesMode() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    const QImage clean = Picture(c);
    c.ZoomModeSet(1);
    TMouseButton button = mbLeft;
    c.OnMouseDown = [&](QObject*, TMouseButton b, TShiftState, int, int) { button = b; };
    QTest::mousePress(c.Image(), Qt::RightButton, {}, QPoint(76, 76));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmNone);
    QCOMPARE(button, mbRight);
    QCOMPARE(Picture(c), clean);
    QTest::mouseRelease(c.Image(), Qt::RightButton, {}, QPoint(76, 76));
}

// During an animation a right press stops it after the current step, leaving that step's box, and
// does not change the mode.
void TestCanvas2DZoom::rightPressDuringAnimation() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.ZoomModeSet(-1);
    const QPoint click(70, 60);
    const double cx = c.ScrToValX(click.x()), cy = c.ScrToValY(click.y());
    const Box target{cx - 10, cy - 10, cx + 10, cy + 10};
    int draws = 0, rightPresses = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    c.OnMouseDown = [&](QObject*, TMouseButton b, TShiftState, int, int) { rightPresses += b == mbRight; };
    AfterStep(&c, 2, [&] {
        QVERIFY(c.Busy());
        QTest::mousePress(c.Image(), Qt::RightButton, {}, QPoint(20, 20));
        QTest::mouseRelease(c.Image(), Qt::RightButton, {}, QPoint(20, 20));
    });
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, click);
    QCOMPARE(draws, 2);
    QVERIFY(Near(BoxOf(c), Between(Box{0, 0, 10, 10}, target, 0.4)));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmZoomOut);
    QCOMPARE(c.Image()->Cursor(), crZoomLess);
    QCOMPARE(rightPresses, 1);
    QVERIFY(!c.Busy());
    // The next click zooms again, from the intermediate box.
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, click);
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, click);
    QCOMPARE(draws, 7);
}

void TestCanvas2DZoom::leftPressDuringAnimationDoesNothing() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.ZoomModeSet(1);
    int draws = 0, presses = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    c.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    AfterStep(&c, 1, [&] {
        QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(30, 30));
    });
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(76, 76));
    QCOMPARE(draws, 5);    // one zoom, not two
    QCOMPARE(presses, 1);  // the press during the animation raised nothing
    QCOMPARE(c.AxisXMax() - c.AxisXMin(), 5.0);
}

// While one change runs, every other is refused with a beep: AxisChange, ZoomAll, ZoomMore.
void TestCanvas2DZoom::nestedChangesAreRefused() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    BeepCounter beeps;
    bool tried = false;
    c.OnDraw = [&](QObject*) {
        if (tried || !c.Busy())
            return;
        tried = true;
        c.AxisChange(-50, -50, 50, 50, 3);
        c.AxisChange(0, 0, 1, 1, -50, -50, 50, 50, 3);
        c.ZoomAll();
        c.ZoomMore();
        c.ZoomLess(10, 10);
        c.Pan();
    };
    c.AxisChange(1, 2, 3, 4, 4);
    QVERIFY(tried);
    QCOMPARE(beeps.count, 6);
    QCOMPARE(BoxOf(c), (Box{1, 2, 3, 4}));
}

// A step whose drawing leaves the drawable range is replaced by the start box and ends the change;
// later changes work.
void TestCanvas2DZoom::outOfRangeStepReturnsToStart() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    QList<Box> seen;
    c.OnDraw = [&](QObject*) {
        seen << BoxOf(c);
        c.Line(5, 5, 500, 5);  // in range at the start, not when zoomed in far enough
    };
    c.Draw();
    QVERIFY(!c.OutOfRange());
    seen.clear();
    c.AxisChange(4.9, 4.9, 5.1, 5.1, 5);
    QVERIFY(seen.size() >= 2);
    QCOMPARE(seen.last(), (Box{0, 0, 10, 10}));
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
    QVERIFY(!c.OutOfRange());
    QVERIFY(!c.Busy());
    c.AxisChange(-10, -10, 20, 20, 2);
    QCOMPARE(BoxOf(c), (Box{-10, -10, 20, 20}));
}

// When even the start box draws out of range, going back to it cannot help: the change proceeds,
// so the view never gets stuck.
void TestCanvas2DZoom::outOfRangeStartDoesNotStick() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.OnDraw = [&](QObject*) { c.Line(5, 5, 1e6, 5); };
    c.Draw();
    QVERIFY(c.OutOfRange());
    c.AxisChange(-10, -10, 20, 20, 3);
    QCOMPARE(BoxOf(c), (Box{-10, -10, 20, 20}));
    c.ZoomAll();
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
}

void TestCanvas2DZoom::zoomAll_data() {
    QTest::addColumn<Box>("all");
    QTest::addColumn<bool>("refused");
    QTest::newRow("stored view") << Box{-1, -2, 3, 4} << false;
    QTest::newRow("equal x limits") << Box{3, -2, 3, 4} << true;
    QTest::newRow("inverted y limits") << Box{-1, 4, 3, -2} << true;
    QTest::newRow("NaN") << Box{-1, kNaN, 3, 4} << true;
    QTest::newRow("too wide") << Box{-1e21, 0, 1e21, 4} << true;
}

void TestCanvas2DZoom::zoomAll() {
    QFETCH(Box, all);
    QFETCH(bool, refused);
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.AxisChange(2, 2, 3, 3, 1);
    c.ZoomModeSet(1);
    c.SetZoomAllXMin(all[0]);
    c.SetZoomAllYMin(all[1]);
    c.SetZoomAllXMax(all[2]);
    c.SetZoomAllYMax(all[3]);
    BeepCounter beeps;
    int draws = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    c.ZoomAll();
    QCOMPARE(beeps.count, refused ? 1 : 0);
    QCOMPARE(draws, refused ? 0 : 1);
    if (refused)
        QCOMPARE(BoxOf(c), (Box{2, 2, 3, 3}));
    else
        QCOMPARE(BoxOf(c), all);
    QCOMPARE(c.ZoomMode(), refused ? TCanvas2D::zmZoomIn : TCanvas2D::zmNone);
}

// The component may be deleted by something the event loop runs between two steps.
void TestCanvas2DZoom::deletionDuringAnimation_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("AxisChange from code") << "code";
    QTest::newRow("zoom-in click") << "zoom in";
    QTest::newRow("zoom-out click") << "zoom out";
    QTest::newRow("pan drag") << "pan";
}

void TestCanvas2DZoom::deletionDuringAnimation() {
    QFETCH(QString, how);
    Plot plot;
    QPointer<TCanvas2D> c = plot.canvas;
    QPointer<TVexImage> image = c->Image();
    int presses = 0;
    c->OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    c->OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    AfterStep(c, 2, [&] { delete c.data(); });
    if (how == QLatin1String("code")) {
        c->AxisChange(1, 1, 2, 2, 5);
    } else if (how == QLatin1String("pan")) {
        c->ZoomModeSet(2);
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(50, 50));
        presses = 0;
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(70, 70));
    } else {
        c->ZoomModeSet(how == QLatin1String("zoom in") ? 1 : -1);
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(50, 50));
    }
    QVERIFY(c.isNull());
    QVERIFY(image.isNull());
    QCOMPARE(presses, 0);  // no event from a deleted component
    QVERIFY(plot.window.isVisible());
}

// An error from the owner's OnDraw in the middle of a zoom becomes a warning; the busy state and the
// mode's cursor are back, and the next zoom works.
void TestCanvas2DZoom::errorInOnDrawDuringZoom() {
    Plot plot;
    TCanvas2D& c = *plot.canvas;
    c.ZoomModeSet(-1);
    int draws = 0;
    c.OnDraw = [&](QObject*) {
        if (++draws == 2)
            throw Exception(QStringLiteral("owner drawing failed"));
    };
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("owner drawing failed")));
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(76, 76));
    QCOMPARE(draws, 2);
    QVERIFY(!c.Busy());
    QCOMPARE(c.Image()->Cursor(), crZoomLess);
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmZoomOut);
    QTest::mouseRelease(c.Image(), Qt::LeftButton, {}, QPoint(76, 76));
    const double width = c.AxisXMax() - c.AxisXMin();
    QTest::mousePress(c.Image(), Qt::LeftButton, {}, QPoint(76, 76));
    QCOMPARE(draws, 7);
    QVERIFY(std::fabs((c.AxisXMax() - c.AxisXMin()) - 2 * width) < 1e-9);
}

QTEST_MAIN(TestCanvas2DZoom)
#include "tst_canvas2d_zoom.moc"
