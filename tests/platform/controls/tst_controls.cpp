// The framework's controls: the image control with its picture and lazily made bitmap canvas,
// child alignment, and the custom panel's bevels, face and margins.
#include <Tallwick/ControlAlign.h>
#include <Tallwick/CustomPanel.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageControl.h>
#include <Tallwick/Metafile.h>
#include "PixelTools.h"

#include <QApplication>
#include <QPicture>
#include <QtTest>

using namespace Tallwick;

Q_DECLARE_METATYPE(TBevelCut)

namespace {
const TColor kLight = RGB(250, 240, 230);  // palette colours set for these tests
const TColor kDark = RGB(90, 80, 70);
const TColor kFace = RGB(10, 200, 30);

QImage Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }
}  // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void newImage();
    void canvasMakesBitmapOfControlSize();
    void metafileHasNoCanvas();
    void autoSizeFollowsPicture();
    void imageShowsPictureAtTopLeft();
    void clientAlignmentFollowsParent_data();
    void clientAlignmentFollowsParent();
    void panelBevels_data();
    void panelBevels();
    void panelMargins_data();
    void panelMargins();
    void controlsMadeInShownWindowAreVisible();
};

void TestControls::initTestCase() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Light, ColorToQRgb(kLight));
    palette.setColor(QPalette::Dark, ColorToQRgb(kDark));
    QApplication::setPalette(palette);
}

void TestControls::newImage() {
    TImage image;
    QCOMPARE(image.Width(), 105);
    QCOMPARE(image.Height(), 105);
    QCOMPARE(image.Picture()->Graphic(), nullptr);
}

// The first canvas request gives an empty picture a white bitmap of the control's size; later
// requests keep that bitmap whatever the control's size.
void TestControls::canvasMakesBitmapOfControlSize() {
    TImage image;
    image.SetBounds(0, 0, 37, 21);
    TCanvas* canvas = image.Canvas();
    QVERIFY(image.Picture()->HoldsBitmap());
    TBitmap* bitmap = image.Picture()->Bitmap();
    QCOMPARE(canvas->Bitmap(), bitmap);
    QCOMPARE(bitmap->Width(), 37);
    QCOMPARE(bitmap->Height(), 21);
    QCOMPARE(CountOf(bitmap->Image(), clWhite), 37 * 21);
    image.SetBounds(0, 0, 50, 50);
    QCOMPARE(image.Canvas(), canvas);
    QCOMPARE(bitmap->Width(), 37);
}

void TestControls::metafileHasNoCanvas() {
    TImage image;
    image.Picture()->SetGraphic(std::make_unique<TMetafile>(QPicture(), 10, 10));
    try {
        image.Canvas();
        QFAIL("a canvas on a metafile");
    } catch (const EInvalidGraphicOperation& e) {
        QCOMPARE(e.Message, QStringLiteral("Can only modify an image if it contains a bitmap"));
    }
    QVERIFY(!image.Picture()->HoldsBitmap());

    // Asking the picture for its bitmap replaces the metafile with an empty one.
    TBitmap* bitmap = image.Picture()->Bitmap();
    QVERIFY(image.Picture()->HoldsBitmap());
    QCOMPARE(bitmap->Width(), 0);
    QCOMPARE(bitmap->Height(), 0);
    QCOMPARE(image.Canvas()->Bitmap(), bitmap);
    QCOMPARE(bitmap->Width(), 0);
}

void TestControls::autoSizeFollowsPicture() {
    TImage image;
    image.Picture()->Bitmap()->SetSize(33, 44);
    QCOMPARE(image.Width(), 105);
    image.SetAutoSize(true);
    QCOMPARE(image.Width(), 33);
    QCOMPARE(image.Height(), 44);
    image.Picture()->Bitmap()->SetSize(70, 20);
    QCOMPARE(image.Width(), 70);
    QCOMPARE(image.Height(), 20);
    image.SetAutoSize(false);
    image.Picture()->Bitmap()->SetSize(10, 10);
    QCOMPARE(image.Width(), 70);
}

void TestControls::imageShowsPictureAtTopLeft() {
    TImage image;
    image.SetBounds(0, 0, 30, 20);
    image.Canvas()->Brush.Color = clRed;
    image.Canvas()->FillRect(Rect(0, 0, 10, 5));
    const QImage shown = Grab(image);
    QCOMPARE(BoundsOf(shown, clRed), QRect(0, 0, 10, 5));
    QCOMPARE(ColorAt(shown, 29, 19), clWhite);
}

void TestControls::clientAlignmentFollowsParent_data() {
    QTest::addColumn<bool>("shown");
    QTest::newRow("parent shown") << true;
    QTest::newRow("parent hidden") << false;
}

// Client-aligned children fill the parent and follow its size at once, shown or not, through
// nested panels; the parent reports each new size once.
void TestControls::clientAlignmentFollowsParent() {
    QFETCH(bool, shown);
    TCustomPanel parent;
    parent.SetBevelOuter(bvNone);
    parent.SetBounds(0, 0, 200, 150);
    int resizes = 0;
    parent.OnResize = [&resizes](QObject*) { ++resizes; };
    if (shown) {
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
    }
    auto* inner = new TCustomPanel(&parent);  // raised bevel, 1 pixel
    inner->SetAlign(alClient);
    auto* image = new TImage(inner);
    image->SetAlign(alClient);
    QCOMPARE(inner->Align(), alClient);
    QCOMPARE(inner->geometry(), QRect(0, 0, 200, 150));
    QCOMPARE(image->geometry(), QRect(1, 1, 198, 148));

    parent.SetBounds(0, 0, 300, 90);
    QCOMPARE(inner->geometry(), QRect(0, 0, 300, 90));
    QCOMPARE(image->geometry(), QRect(1, 1, 298, 88));
    QCOMPARE(resizes, 1);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(resizes, 1);
}

void TestControls::panelBevels_data() {
    QTest::addColumn<TBevelCut>("outer");
    QTest::addColumn<TBevelCut>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    QTest::newRow("raised") << bvRaised << bvNone << 1 << 0;
    QTest::newRow("raised, lowered inside") << bvRaised << bvLowered << 1 << 0;
    QTest::newRow("wide bevels and a border") << bvRaised << bvLowered << 2 << 1;
    QTest::newRow("lowered") << bvLowered << bvNone << 1 << 0;
    QTest::newRow("no bevels") << bvNone << bvNone << 1 << 0;
}

// From the outside in: the outer bevel (raised: highlight top and left, shadow bottom and right;
// lowered: the other way round), the border in the face colour, the inner bevel, then the face.
void TestControls::panelBevels() {
    QFETCH(TBevelCut, outer);
    QFETCH(TBevelCut, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    TCustomPanel panel;
    panel.SetBounds(0, 0, 40, 30);
    panel.SetBevelOuter(outer);
    panel.SetBevelInner(inner);
    panel.SetBevelWidth(bevelWidth);
    panel.SetBorderWidth(borderWidth);
    panel.SetColor(kFace);

    struct Ring {
        TColor top, bottom;
    };
    std::vector<Ring> rings;
    auto addBevel = [&](TBevelCut cut, int count) {
        for (int i = 0; i < count && cut != bvNone; ++i)
            rings.push_back(cut == bvLowered ? Ring{kDark, kLight} : Ring{kLight, kDark});
    };
    addBevel(outer, bevelWidth);
    rings.insert(rings.end(), size_t(borderWidth), Ring{kFace, kFace});
    addBevel(inner, bevelWidth);
    const QImage expected = ImageFrom(40, 30, [&](int x, int y) {
        TColor c = kFace;
        for (int k = 0; k < int(rings.size()); ++k)
            c = FrameRingPixel(x, y, k, k, 39 - k, 29 - k, rings[k].top, rings[k].bottom, c);
        return c;
    });
    const QString diff = FirstDifference(Grab(panel), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestControls::panelMargins_data() { panelBevels_data(); }

// Aligned children keep clear of the bevels and the border, and follow when these change.
void TestControls::panelMargins() {
    QFETCH(TBevelCut, outer);
    QFETCH(TBevelCut, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    TCustomPanel panel;
    panel.SetBounds(0, 0, 100, 60);
    auto* top = new QWidget(&panel);
    top->resize(10, 12);
    SetControlAlign(top, alTop);
    auto* client = new TImage(&panel);
    client->SetAlign(alClient);
    panel.SetBevelOuter(outer);
    panel.SetBevelInner(inner);
    panel.SetBevelWidth(bevelWidth);
    panel.SetBorderWidth(borderWidth);
    const int inset = borderWidth + (outer != bvNone ? bevelWidth : 0) + (inner != bvNone ? bevelWidth : 0);
    QCOMPARE(top->geometry(), QRect(inset, inset, 100 - 2 * inset, 12));
    QCOMPARE(client->geometry(), QRect(inset, inset + 12, 100 - 2 * inset, 60 - 2 * inset - 12));
}

void TestControls::controlsMadeInShownWindowAreVisible() {
    QWidget form;
    form.resize(200, 100);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TImage image(&form);
    TCustomPanel panel(&form);
    QVERIFY(image.isVisible());
    QVERIFY(panel.isVisible());
    QWidget hiddenForm;
    TImage hiddenImage(&hiddenForm);
    QVERIFY(!hiddenImage.isVisible());
    QVERIFY(hiddenImage.Visible());  // shown with its window
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
