// The image panel: layout with and without scroll bars, forwarded events, bars reachable by users.
#include <Tallwick/Canvas.h>
#include <Tallwick/Tpnlimg.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace Tallwick;

namespace {
QRect InPanel(const TPnlImg& panel, const QWidget* w) { return QRect(w->mapTo(&panel, QPoint(0, 0)), w->size()); }
}  // namespace

class TestPnlImg : public QObject {
    Q_OBJECT
private slots:
    void newPanelIs160WithLoweredBevels();
    void newPanelTakesPixelsAtOnce_data();
    void newPanelTakesPixelsAtOnce();
    void scrollBarGeometry_data();
    void scrollBarGeometry();
    void scrollBarsShowOnScreen();
    void sameScrollBarsValueDoesNothing();
    void scrollBarMovesOnlyRaiseTheirEvent();
    void mouseEventsCarryThePanel_data();
    void mouseEventsCarryThePanel();
    void cursorIsTheImagesCursor();
    void propertiesAnnounceRealChanges();
    void destroyingWithScrollBarsRaisesNothing();
};

void TestPnlImg::newPanelIs160WithLoweredBevels() {
    TPnlImg panel;
    QCOMPARE(panel.size(), QSize(160, 160));
    QCOMPARE(panel.BevelInner(), bvLowered);
    QCOMPARE(panel.BevelOuter(), bvLowered);
    QCOMPARE(panel.BevelWidth(), 1);
    QCOMPARE(panel.Caption(), QStringLiteral(" "));
    QVERIFY(!panel.ScrollBars());
    QVERIFY(!panel.ScrollBarH() && !panel.ScrollBarV());
    QCOMPARE(InPanel(panel, panel.Image()), QRect(2, 2, 156, 156));
    QCOMPARE(panel.Image()->Align(), alClient);
}

void TestPnlImg::newPanelTakesPixelsAtOnce_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QPoint>("pixel");
    for (const bool shown : {false, true}) {
        const char* state = shown ? "shown" : "hidden";
        QTest::addRow("%s, top-left", state) << shown << QPoint(0, 0);
        QTest::addRow("%s, middle", state) << shown << QPoint(77, 40);
        QTest::addRow("%s, bottom-right", state) << shown << QPoint(155, 155);
    }
}

// Never resized: the image already has a bitmap as large as itself, and pixels land in it.
void TestPnlImg::newPanelTakesPixelsAtOnce() {
    QFETCH(bool, shown);
    QFETCH(QPoint, pixel);
    TPnlImg panel;
    if (shown) {
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
    }
    TVexImage* image = panel.Image();
    QCOMPARE(image->Picture()->Bitmap()->Width(), 156);
    QCOMPARE(image->Picture()->Bitmap()->Height(), 156);
    image->PixelOpen();
    image->PixelSet(pixel.x(), pixel.y(), clRed);
    image->PixelClose();
    QCOMPARE(image->Picture()->Bitmap()->Image().pixel(pixel), qRgb(255, 0, 0));
    const QImage shot = panel.grab().toImage();
    QCOMPARE(shot.pixel(pixel + QPoint(2, 2)), qRgb(255, 0, 0));
}

void TestPnlImg::scrollBarGeometry_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("image");
    QTest::addColumn<QRect>("barV");
    QTest::addColumn<QRect>("barH");
    // 13-pixel bars; the bottom one spans the width less the 15-pixel corner.
    QTest::newRow("160 x 160") << QSize(160, 160) << QRect(2, 2, 143, 143) << QRect(145, 2, 13, 143)
                               << QRect(2, 145, 141, 13);
    QTest::newRow("300 x 100") << QSize(300, 100) << QRect(2, 2, 283, 83) << QRect(285, 2, 13, 83)
                               << QRect(2, 85, 281, 13);
}

void TestPnlImg::scrollBarGeometry() {
    QFETCH(QSize, size);
    QFETCH(QRect, image);
    QFETCH(QRect, barV);
    QFETCH(QRect, barH);
    TPnlImg panel;
    panel.SetBounds(0, 0, size.width(), size.height());
    int resized = 0;
    int bitmapWidthSeen = 0;
    panel.OnResize = [&](QObject* sender) {
        QCOMPARE(sender, &panel);
        bitmapWidthSeen = panel.Image()->Picture()->Bitmap()->Width();
        ++resized;
    };
    QSignalSpy spy(&panel, &TPnlImg::resized);
    panel.SetScrollBars(true);
    QCOMPARE(resized, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(bitmapWidthSeen, image.width());  // Resize ran before OnResize
    QCOMPARE(InPanel(panel, panel.Image()), image);
    QCOMPARE(InPanel(panel, panel.ScrollBarV()), barV);
    QCOMPARE(InPanel(panel, panel.ScrollBarH()), barH);
    QCOMPARE(panel.ScrollBarH()->minimum(), 0);
    QCOMPARE(panel.ScrollBarH()->maximum(), 100);
    QCOMPARE(panel.ScrollBarV()->singleStep(), 1);
    QCOMPARE(panel.ScrollBarV()->pageStep(), 10);
    QCOMPARE(panel.ScrollBarV()->focusPolicy(), Qt::NoFocus);
    panel.SetScrollBars(false);
    QCOMPARE(resized, 2);
    QVERIFY(!panel.ScrollBarH() && !panel.ScrollBarV());
    QCOMPARE(InPanel(panel, panel.Image()), QRect(2, 2, size.width() - 4, size.height() - 4));
    QCOMPARE(panel.Image()->Picture()->Bitmap()->Width(), size.width() - 4);
}

// The panel as drawn: bevels at the edge, the image's pixels inside, the bars right and below.
void TestPnlImg::scrollBarsShowOnScreen() {
    TPnlImg panel;
    panel.Image()->Fill(clRed);
    panel.SetScrollBars(true);
    panel.Image()->Fill(clRed);
    const QImage shot = panel.grab().toImage();
    QCOMPARE(shot.size(), QSize(160, 160));
    const QRgb red = qRgb(255, 0, 0);
    QCOMPARE(shot.pixel(0, 0), ColorToQRgb(clBtnShadow));  // lowered: shadow at top-left
    QCOMPARE(shot.pixel(159, 159), ColorToQRgb(clBtnHighlight));
    QCOMPARE(shot.pixel(2, 2), red);
    QCOMPARE(shot.pixel(144, 144), red);
    QVERIFY(shot.pixel(150, 60) != red);   // vertical bar
    QVERIFY(shot.pixel(60, 150) != red);   // horizontal bar
    QVERIFY(shot.pixel(150, 150) != red);  // corner
}

void TestPnlImg::sameScrollBarsValueDoesNothing() {
    TPnlImg panel;
    int resized = 0;
    panel.OnResize = [&](QObject*) { ++resized; };
    QSignalSpy spy(&panel, &TPnlImg::ScrollBarsChanged);
    panel.SetScrollBars(false);
    QCOMPARE(resized, 0);
    panel.SetScrollBars(true);
    QScrollBar* bar = panel.ScrollBarH();
    panel.SetScrollBars(true);
    QCOMPARE(resized, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(panel.ScrollBarH(), bar);
}

void TestPnlImg::scrollBarMovesOnlyRaiseTheirEvent() {
    TPnlImg panel;
    panel.SetScrollBars(true);
    panel.Image()->Fill(clLime);
    const QImage before = panel.Image()->Picture()->Bitmap()->Image();
    QList<QObject*> h, v;
    panel.OnScrollBarHChange = [&](QObject* s) { h << s; };
    panel.OnScrollBarVChange = [&](QObject* s) { v << s; };
    QSignalSpy hs(&panel, &TPnlImg::scrollBarHChanged), vs(&panel, &TPnlImg::scrollBarVChanged);
    panel.ScrollBarH()->setValue(30);
    QCOMPARE(h, QList<QObject*>{&panel});
    QVERIFY(v.isEmpty());
    panel.ScrollBarV()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(panel.ScrollBarV()->value(), 10);
    QCOMPARE(v, QList<QObject*>{&panel});
    QCOMPARE(hs.count(), 1);
    QCOMPARE(vs.count(), 1);
    QCOMPARE(hs.at(0).at(0).value<QObject*>(), &panel);
    QCOMPARE(panel.Image()->Picture()->Bitmap()->Image(), before);
}

void TestPnlImg::mouseEventsCarryThePanel_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("left") << Qt::LeftButton << int(mbLeft);
    QTest::newRow("right") << Qt::RightButton << int(mbRight);
    QTest::newRow("middle") << Qt::MiddleButton << int(mbMiddle);
}

void TestPnlImg::mouseEventsCarryThePanel() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, expected);
    TPnlImg panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QList<QObject*> senders;
    QList<QPoint> downs, ups;
    int clicks = 0;
    panel.OnMouseDown = [&](QObject* s, TMouseButton b, TShiftState, int x, int y) {
        senders << s;
        QCOMPARE(int(b), expected);
        downs << QPoint(x, y);
    };
    panel.OnMouseUp = [&](QObject* s, TMouseButton, TShiftState, int x, int y) {
        senders << s;
        ups << QPoint(x, y);
    };
    panel.OnClick = [&](QObject* s) {
        senders << s;
        ++clicks;
    };
    QSignalSpy pressed(&panel, &TPnlImg::mousePressed), clicked(&panel, &TPnlImg::clicked);
    QTest::mouseClick(panel.Image(), button, Qt::NoModifier, QPoint(17, 23));
    QCOMPARE(downs, QList<QPoint>{QPoint(17, 23)});  // image coordinates, unchanged
    QCOMPARE(ups, QList<QPoint>{QPoint(17, 23)});
    QCOMPARE(clicks, button == Qt::LeftButton ? 1 : 0);
    for (QObject* s : senders)
        QCOMPARE(s, &panel);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).value<QObject*>(), &panel);
    QCOMPARE(pressed.at(0).at(3).toInt(), 17);
    QCOMPARE(clicked.count(), clicks);
}

void TestPnlImg::cursorIsTheImagesCursor() {
    TPnlImg panel;
    QCOMPARE(panel.GetCursor(), crDefault);
    QSignalSpy spy(&panel, &TPnlImg::CursorChanged);
    panel.SetCursor(crCross);
    QCOMPARE(panel.Image()->Cursor(), crCross);
    QCOMPARE(panel.property("Cursor").toInt(), crCross);
    panel.SetCursor(crCross);
    QCOMPARE(spy.count(), 1);
}

void TestPnlImg::propertiesAnnounceRealChanges() {
    TPnlImg panel;
    QSignalSpy bw(&panel, &TPnlImg::BevelWidthChanged), outer(&panel, &TPnlImg::BevelOuterChanged);
    panel.SetBevelWidth(1);
    panel.SetBevelWidth(0);  // refused by the panel
    QCOMPARE(bw.count(), 0);
    QVERIFY(panel.setProperty("BevelWidth", 3));
    QCOMPARE(bw.count(), 1);
    QCOMPARE(InPanel(panel, panel.Image()), QRect(6, 6, 148, 148));
    QCOMPARE(panel.Image()->Picture()->Bitmap()->Width(), 148);
    panel.SetBevelOuter(bvNone);
    panel.SetBevelOuter(bvNone);
    QCOMPARE(outer.count(), 1);
    QCOMPARE(InPanel(panel, panel.Image()), QRect(3, 3, 154, 154));
}

// The bars go first, without a resize event reaching a handler of a half-destroyed owner.
void TestPnlImg::destroyingWithScrollBarsRaisesNothing() {
    auto* panel = new TPnlImg;
    panel->SetScrollBars(true);
    QPointer<QScrollBar> bar = panel->ScrollBarV();
    int resized = 0;
    panel->OnResize = [&](QObject*) { ++resized; };
    delete panel;
    QCOMPARE(resized, 0);
    QVERIFY(bar.isNull());
}

QTEST_MAIN(TestPnlImg)
#include "tst_pnlimg.moc"
