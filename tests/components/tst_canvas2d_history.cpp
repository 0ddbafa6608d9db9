// The plotting canvas's wheel zoom at the pointer and its history of views, driven by real wheel,
// mouse and key events.
#include <Tallwick/Beep.h>
#include "Canvas2DHost.h"
#include <Tallwick/Cursors.h>
#include <Tallwick/Tcanvas2d.h>

#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <functional>

using namespace Tallwick;

namespace {
// The k-th view the script below moves to.
Box ViewNumber(int k) { return k == 0 ? Box{0, 0, 10, 10} : Box{double(k), double(k), k + 5.0, k + 5.0}; }

void Wheel(TCanvas2D& c, QPointF at, QPoint angle, QPoint pixels = {}, bool inverted = false) {
    QWidget* image = c.Image();
    QWheelEvent event(at, image->mapToGlobal(at), pixels, angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      inverted);
    QApplication::sendEvent(image, &event);
}

// Plot with margins held, so that new labels do not move the plot area under the pointer.
struct HeldPlot : Plot {
    HeldPlot() : Plot(200, 180) {
        canvas->SetAxisXMarginAuto(false);
        canvas->SetAxisYMarginAuto(false);
    }
};
}  // namespace

class TestCanvas2DHistory : public QObject {
    Q_OBJECT

private slots:
    void wheel_data();
    void wheel();
    void wheelDuringAnimationCarriesOn();
    void wheelKeepsTheMode();
    void wheelKeepsThePointWhileLabelsChange_data();
    void wheelKeepsThePointWhileLabelsChange();
    void walks_data();
    void walks();
    void atMostHundredViews();
    void stoppedAnimationIsRecorded();
    void walkRefusedDuringAnimation();
    void buttonsKeepTheMode();
};

void TestCanvas2DHistory::wheel_data() {
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<double>("factor");  // of both ranges; 1: nothing happens
    QTest::newRow("a notch away") << QPointF(60, 50) << QPoint(0, 120) << QPoint() << false << 0.5;
    QTest::newRow("a notch toward") << QPointF(130, 120) << QPoint(0, -120) << QPoint() << false << 2.0;
    QTest::newRow("half a notch") << QPointF(100, 70) << QPoint(0, 60) << QPoint() << false << std::sqrt(0.5);
    QTest::newRow("high resolution, 1/8 notch")
        << QPointF(70, 90) << QPoint(0, 15) << QPoint() << false << std::pow(0.5, 0.125);
    QTest::newRow("three notches: at most 4") << QPointF(70, 90) << QPoint(0, 360) << QPoint() << false << 0.25;
    QTest::newRow("five notches toward: at most 4") << QPointF(70, 90) << QPoint(0, -600) << QPoint() << false << 4.0;
    QTest::newRow("touchpad, 15 pixels") << QPointF(110, 60) << QPoint(0, 40) << QPoint(0, 15) << false << 0.5;
    QTest::newRow("touchpad, -5 pixels") << QPointF(110, 60) << QPoint(0, -12) << QPoint(0, -5) << false
                                         << std::pow(2.0, 1 / 3.0);
    QTest::newRow("natural scrolling") << QPointF(60, 50) << QPoint(0, -120) << QPoint() << true << 0.5;
    QTest::newRow("corner of the plot") << QPointF(51, 120) << QPoint(0, 120) << QPoint() << false << 0.5;
    QTest::newRow("on the frame") << QPointF(50, 60) << QPoint(0, 120) << QPoint() << false << 1.0;
    QTest::newRow("in the margin") << QPointF(20, 10) << QPoint(0, 120) << QPoint() << false << 1.0;
    QTest::newRow("sideways only") << QPointF(60, 50) << QPoint(120, 0) << QPoint() << false << 1.0;
}

// Both ranges scale by ZoomFactor^(delta / 120), and the world point under the pointer stays there
// within a pixel; the change is animated in ZoomSteps and recorded.
void TestCanvas2DHistory::wheel() {
    QFETCH(QPointF, at);
    QFETCH(QPoint, angle);
    QFETCH(QPoint, pixels);
    QFETCH(bool, inverted);
    QFETCH(double, factor);
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetAxisXMargin(50);
    c.SetAxisYMargin(30);
    const double wx = c.ScrToValX(int(at.x())), wy = c.ScrToValY(int(at.y()));
    int draws = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    Wheel(c, at, angle, pixels, inverted);
    if (factor == 1.0) {
        QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
        QCOMPARE(draws, 0);
        QVERIFY(!c.CanZoomBack());
        return;
    }
    QCOMPARE(draws, c.ZoomSteps());
    QVERIFY(std::fabs((c.AxisXMax() - c.AxisXMin()) / 10 - factor) < 1e-9);
    QVERIFY(std::fabs((c.AxisYMax() - c.AxisYMin()) / 10 - factor) < 1e-9);
    QVERIFY2(std::fabs(c.ValToScrXD(wx) - at.x()) <= 1, qPrintable(QString::number(c.ValToScrXD(wx))));
    QVERIFY2(std::fabs(c.ValToScrYD(wy) - at.y()) <= 1, qPrintable(QString::number(c.ValToScrYD(wy))));
    QVERIFY(c.CanZoomBack());
    c.ZoomBack();
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
}

// A second turn during the animation zooms on from the view the first was heading to, and the two
// end as one recorded change.
void TestCanvas2DHistory::wheelDuringAnimationCarriesOn() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    const QPointF at(80, 60);
    const double wx = c.ScrToValX(80), wy = c.ScrToValY(60);
    int draws = 0;
    c.OnDraw = [&](QObject*) { ++draws; };
    AfterStep(&c, 2, [&] { Wheel(c, at, QPoint(0, 120)); });
    Wheel(c, at, QPoint(0, 120));
    QCOMPARE(draws, 2 + c.ZoomSteps());
    QVERIFY(std::fabs(c.AxisXMax() - c.AxisXMin() - 2.5) < 1e-9);
    QVERIFY(std::fabs(c.AxisYMax() - c.AxisYMin() - 2.5) < 1e-9);
    QVERIFY(std::fabs(c.ValToScrXD(wx) - 80) <= 1);
    QVERIFY(std::fabs(c.ValToScrYD(wy) - 60) <= 1);
    c.ZoomBack();
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
    QVERIFY(!c.CanZoomBack());
}

void TestCanvas2DHistory::wheelKeepsTheMode() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.ZoomModeSet(TCanvas2D::zmZoomIn);
    Wheel(c, QPointF(100, 80), QPoint(0, 120));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmZoomIn);
    QCOMPARE(c.Image()->Cursor(), crZoomMore);
    QVERIFY(std::fabs(c.AxisXMax() - c.AxisXMin() - 5) < 1e-9);
    c.ZoomModeSet(TCanvas2D::zmPan);
    Wheel(c, QPointF(100, 80), QPoint(0, -120));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmPan);
    QCOMPARE(c.Image()->Cursor(), crPanning);
    QVERIFY(std::fabs(c.AxisXMax() - c.AxisXMin() - 10) < 1e-9);
}

void TestCanvas2DHistory::wheelKeepsThePointWhileLabelsChange_data() {
    QTest::addColumn<Box>("view");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("angle");
    QTest::newRow("0..100, a notch in") << Box{0, 0, 100, 100} << QPointF(90, 70) << 120;
    QTest::newRow("0..100, three notches in") << Box{0, 0, 100, 100} << QPointF(150, 40) << 360;
    QTest::newRow("0..9, a notch out past 10") << Box{0, 0, 9, 9} << QPointF(60, 40) << -120;
    QTest::newRow("negative labels appear") << Box{0, 0, 9, 9} << QPointF(200, 150) << -240;
    QTest::newRow("thousands, separators appear") << Box{0, 0, 800, 800} << QPointF(60, 30) << -120;
}

// With the margins following the labels, the plot area moves as they change width; the world
// point under the pointer stays there within a pixel at every step and at the end.
void TestCanvas2DHistory::wheelKeepsThePointWhileLabelsChange() {
    QFETCH(Box, view);
    QFETCH(QPointF, at);
    QFETCH(int, angle);
    Plot plot(260, 200);
    TCanvas2D& c = *plot.canvas;
    c.AxisChange(view[0], view[1], view[2], view[3], 1);
    QVERIFY(c.Inside(int(at.x()), int(at.y())));
    const int marginBefore = c.AxisXMargin();
    const double wx = c.ScrToValX(int(at.x())), wy = c.ScrToValY(int(at.y()));
    QList<double> driftX, driftY;
    c.OnDraw = [&](QObject*) {
        driftX << std::fabs(c.ValToScrXD(wx) - int(at.x()));
        driftY << std::fabs(c.ValToScrYD(wy) - int(at.y()));
    };
    Wheel(c, at, QPoint(0, angle));
    QCOMPARE(driftX.size(), c.ZoomSteps());
    QVERIFY2(c.AxisXMargin() != marginBefore, "the labels were meant to change width");
    const double factor = std::clamp(std::pow(0.5, angle / 120.0), 0.25, 4.0);
    QVERIFY(std::fabs((c.AxisXMax() - c.AxisXMin()) / (view[2] - view[0]) - factor) < 1e-9);
    for (int i = 0; i < driftX.size(); ++i) {
        QVERIFY2(driftX[i] <= 1, qPrintable(QString("step %1: %2 px across").arg(i + 1).arg(driftX[i])));
        QVERIFY2(driftY[i] <= 1, qPrintable(QString("step %1: %2 px up").arg(i + 1).arg(driftY[i])));
    }
    c.ZoomBack();
    QVERIFY(Near(BoxOf(c), view));
}

// A script of steps: "1", "2", ... change the view to that numbered view through AxisChange;
// "set 7" sets the limits to view 7 directly; "all" shows all; "back" and "forward" call the
// routines; "alt-left", "alt-right", "button-back" and "button-forward" are real input.
void TestCanvas2DHistory::walks_data() {
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("canBack");
    QTest::addColumn<bool>("canForward");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("announced");  // ZoomHistoryChanged signals
    auto s = [](const char* text) { return QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts); };
    QTest::newRow("nothing yet") << s("") << 0 << false << false << 0 << 0;
    QTest::newRow("nowhere to go") << s("back forward") << 0 << false << false << 2 << 0;
    QTest::newRow("one change") << s("1") << 1 << true << false << 0 << 1;
    QTest::newRow("back") << s("1 2 back") << 1 << true << true << 0 << 2;
    QTest::newRow("back to the start") << s("1 2 back back") << 0 << false << true << 0 << 3;
    QTest::newRow("back and forward") << s("1 2 back back forward forward") << 2 << true << false << 0 << 5;
    QTest::newRow("past the end") << s("1 back back") << 0 << false << true << 1 << 2;
    QTest::newRow("new view drops those ahead") << s("1 2 3 back back 4") << 4 << true << false << 0 << 3;
    QTest::newRow("then back") << s("1 2 3 back back 4 back back") << 0 << false << true << 0 << 5;
    QTest::newRow("limits set directly are not recorded") << s("1 set 7 back") << 0 << false << true << 0 << 2;
    QTest::newRow("a change after setting starts from there") << s("1 set 7 2 back") << 7 << true << true << 0 << 2;
    QTest::newRow("show all is recorded") << s("1 2 all back") << 2 << true << true << 0 << 2;
    QTest::newRow("Alt+Left") << s("1 2 alt-left") << 1 << true << true << 0 << 2;
    QTest::newRow("Alt+Right") << s("1 2 alt-left alt-left alt-right") << 1 << true << true << 0 << 4;
    QTest::newRow("back button") << s("1 2 button-back button-back") << 0 << false << true << 0 << 3;
    QTest::newRow("forward button") << s("1 2 button-back button-back button-forward") << 1 << true << true << 0 << 4;
    QTest::newRow("forward button at the end") << s("1 button-forward") << 1 << true << false << 1 << 1;
}

void TestCanvas2DHistory::walks() {
    QFETCH(QStringList, script);
    QFETCH(int, view);
    QFETCH(bool, canBack);
    QFETCH(bool, canForward);
    QFETCH(int, beeps);
    QFETCH(int, announced);
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetZoomAllXMax(12);  // view "all" is told apart by its own box
    c.SetZoomAllYMax(12);
    c.setFocus();
    BeepCounter beeper;
    QSignalSpy changed(&c, &TCanvas2D::ZoomHistoryChanged);
    QStringList pending = script;
    while (!pending.isEmpty()) {
        const QString step = pending.takeFirst();
        bool number = false;
        const int k = step.toInt(&number);
        if (number) {
            const Box b = ViewNumber(k);
            c.AxisChange(b[0], b[1], b[2], b[3], 3);
        } else if (step == QLatin1String("set")) {
            const Box b = ViewNumber(pending.takeFirst().toInt());
            c.SetAxisXMin(b[0]);
            c.SetAxisYMin(b[1]);
            c.SetAxisXMax(b[2]);
            c.SetAxisYMax(b[3]);
        } else if (step == QLatin1String("all")) {
            c.ZoomAll();
        } else if (step == QLatin1String("back")) {
            c.ZoomBack();
        } else if (step == QLatin1String("forward")) {
            c.ZoomForward();
        } else if (step == QLatin1String("alt-left")) {
            QTest::keyClick(&c, Qt::Key_Left, Qt::AltModifier);
        } else if (step == QLatin1String("alt-right")) {
            QTest::keyClick(&c, Qt::Key_Right, Qt::AltModifier);
        } else if (step == QLatin1String("button-back")) {
            QTest::mouseClick(c.Image(), Qt::BackButton, {}, QPoint(90, 90));
        } else if (step == QLatin1String("button-forward")) {
            QTest::mouseClick(c.Image(), Qt::ForwardButton, {}, QPoint(90, 90));
        } else {
            QFAIL(qPrintable(step));
        }
    }
    QCOMPARE(BoxOf(c), ViewNumber(view));
    QCOMPARE(c.CanZoomBack(), canBack);
    QCOMPARE(c.CanZoomForward(), canForward);
    QCOMPARE(beeper.count, beeps);
    QCOMPARE(changed.count(), announced);
}

// The oldest views go first: after 150 changes, 99 walks back reach the 51st view, and no further.
void TestCanvas2DHistory::atMostHundredViews() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.SetZoomSteps(1);
    for (int k = 1; k <= 150; ++k) {
        const Box b = ViewNumber(k);
        c.AxisChange(b[0], b[1], b[2], b[3], 1);
    }
    int walks = 0;
    while (c.CanZoomBack()) {
        c.ZoomBack();
        ++walks;
    }
    QCOMPARE(walks, TCanvas2D::kHistoryViews - 1);
    QCOMPARE(BoxOf(c), ViewNumber(51));
}

// A right press stops an animation where it is; that view is recorded, after the view it left.
void TestCanvas2DHistory::stoppedAnimationIsRecorded() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    AfterStep(&c, 2, [&] { QTest::mousePress(c.Image(), Qt::RightButton, {}, QPoint(90, 90)); });
    c.AxisChange(2, 2, 4, 4, 5);
    const Box stopped = BoxOf(c);
    QVERIFY2(Near(stopped, (Box{0.8, 0.8, 7.6, 7.6})), qPrintable(QString::number(stopped[2])));
    QTest::mouseRelease(c.Image(), Qt::RightButton, {}, QPoint(90, 90));
    QVERIFY(c.CanZoomBack());
    c.ZoomBack();
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
    c.ZoomForward();
    QCOMPARE(BoxOf(c), stopped);
}

// While an animation runs, walks are refused with the beep, from the routines, keys and buttons.
void TestCanvas2DHistory::walkRefusedDuringAnimation() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.AxisChange(1, 1, 6, 6, 1);
    c.setFocus();
    BeepCounter beeper;
    AfterStep(&c, 1, [&] {
        c.ZoomBack();
        QTest::keyClick(&c, Qt::Key_Left, Qt::AltModifier);
        QTest::mouseClick(c.Image(), Qt::BackButton, {}, QPoint(90, 90));
    });
    c.AxisChange(2, 2, 4, 4, 3);
    QCOMPARE(beeper.count, 3);
    QCOMPARE(BoxOf(c), (Box{2, 2, 4, 4}));
    c.ZoomBack();
    QCOMPARE(BoxOf(c), (Box{1, 1, 6, 6}));
}

// The back and forward buttons neither leave the zoom mode nor count as a press of another button.
void TestCanvas2DHistory::buttonsKeepTheMode() {
    HeldPlot plot;
    TCanvas2D& c = *plot.canvas;
    c.AxisChange(1, 1, 6, 6, 1);
    c.ZoomModeSet(TCanvas2D::zmZoomOut);
    int presses = 0;
    c.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    QTest::mouseClick(c.Image(), Qt::BackButton, {}, QPoint(90, 90));
    QCOMPARE(BoxOf(c), (Box{0, 0, 10, 10}));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmZoomOut);
    QCOMPARE(c.Image()->Cursor(), crZoomLess);
    QTest::mouseClick(c.Image(), Qt::ForwardButton, {}, QPoint(90, 90));
    QCOMPARE(BoxOf(c), (Box{1, 1, 6, 6}));
    QCOMPARE(c.ZoomMode(), TCanvas2D::zmZoomOut);
    QCOMPARE(presses, 0);
}

QTEST_MAIN(TestCanvas2DHistory)
#include "tst_canvas2d_history.moc"
