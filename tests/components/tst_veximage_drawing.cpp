// Shapes of the image surface: shaded balls, circles and ellipses by centre, shapes ORed into the
// picture, bevelled fills; the scratch bitmap's size; the copy mode left behind.
#include <Tallwick/Canvas.h>
#include <Tallwick/Frame3D.h>
#include "PixelTools.h"
#include <Tallwick/Tveximage.h>
#include "TveximageTesting.h"
#include <Tallwick/Vexutils.h>

#include <QtTest>
#include <climits>

using namespace Tallwick;

namespace {
struct Surface : TVexImage {
    QSize Scratch() {
        const TBitmap* scratch = TVexImageTesting::WorkBitmap(*this);
        return QSize(scratch->Width(), scratch->Height());
    }
};

TBitmap* BitmapOf(TVexImage& image) { return image.Picture()->Bitmap(); }
const QImage& Pixels(TVexImage& image) { return BitmapOf(image)->Image(); }

TColor Grey(int v) { return RGB(v, v, v); }

// Every pixel differs from its neighbours, so that a misplaced pixel shows.
void PaintPattern(TVexImage& image, int width, int height) {
    image.SetHeightWidth(height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Canvas()->SetPixel(x, y, RGB(x * 7 + y, y * 5 + 3 * x, (x ^ y) * 3));
}

// `before` ORed with `color` wherever `mask` is white.
QImage Ored(const QImage& before, const QImage& mask, TColor color) {
    QImage result = before.copy();
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            if (ColorAt(mask, x, y) == clWhite)
                result.setPixel(x, y, result.pixel(x, y) | ColorToQRgb(color));
    return result;
}

#define COMPARE_IMAGES(actual, expected)                                   \
    do {                                                                   \
        const QString difference_ = FirstDifference((actual), (expected)); \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));          \
    } while (false)
}  // namespace

class TestVexImageDrawing : public QObject {
    Q_OBJECT
private slots:
    void ball3DRingsShadeTowardInner_data();
    void ball3DRingsShadeTowardInner();
    void ball3DNarrowBoxDrawsNothing_data();
    void ball3DNarrowBoxDrawsNothing();
    void ball3DLargeProductsDoNotOverflow();
    void ball3DHugeStepsEndQuickly_data();
    void ball3DHugeStepsEndQuickly();
    void ball3DSkipsOnlyHiddenRings_data();
    void ball3DSkipsOnlyHiddenRings();
    void ellipseByCentre_data();
    void ellipseByCentre();
    void rectTransOrsPerChannel_data();
    void rectTransOrsPerChannel();
    void ellipseTransOrsInsideOnly_data();
    void ellipseTransOrsInsideOnly();
    void fillTransCoversControlArea();
    void transparentShapesEarlyReturnsAndCopyMode_data();
    void transparentShapesEarlyReturnsAndCopyMode();
    void scratchHoldsVisiblePartOnly_data();
    void scratchHoldsVisiblePartOnly();
    void rect3DBevels_data();
    void rect3DBevels();
    void fill3DCoversControlArea();
};

// Ball3D (0, 0, 100, 100, black, white): ring i covers (i, i, 100 - i, 100 - i) in grey
// 255 i / 50; with offset ring i also moves i / 3 right and up.
void TestVexImageDrawing::ball3DRingsShadeTowardInner_data() {
    QTest::addColumn<bool>("offset");
    QTest::addColumn<int>("form");  // 0: explicit steps 50, 1: steps computed, 2: rectangle value
    QTest::newRow("steps 50") << false << 0;
    QTest::newRow("steps computed") << false << 1;
    QTest::newRow("rectangle value") << false << 2;
    QTest::newRow("offset") << true << 1;
}

void TestVexImageDrawing::ball3DRingsShadeTowardInner() {
    QFETCH(bool, offset);
    QFETCH(int, form);
    TVexImage image;
    image.SetHeightWidth(100, 100);
    image.Fill(clRed);
    if (form == 0)
        image.Ball3D(0, 0, 100, 100, clBlack, clWhite, offset, 50);
    else if (form == 1)
        image.Ball3D(0, 0, 100, 100, clBlack, clWhite, offset);
    else
        image.Ball3D(Rect(0, 0, 100, 100), clBlack, clWhite, offset);
    for (int i = 0; i < 50; ++i) {
        const int s = offset ? i / 3 : 0;
        const QRect ring = BoundsOf(Pixels(image), Grey(255 * i / 50));
        QCOMPARE(ring, QRect(QPoint(i + s, i - s), QPoint(99 - i + s, 99 - i - s)));
    }
    if (offset)
        QCOMPARE(BoundsOf(Pixels(image), Grey(153)), QRect(QPoint(40, 20), QPoint(79, 59)));
    else
        QCOMPARE(ColorAt(Pixels(image), 50, 50), Grey(249));
    QCOMPARE(ColorAt(Pixels(image), 0, 0), clRed);  // outside the first ring
    QCOMPARE(image.Canvas()->Pen.Color, Grey(249));
    QCOMPARE(image.Canvas()->Brush.Color, Grey(249));
}

void TestVexImageDrawing::ball3DNarrowBoxDrawsNothing_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("steps");
    QTest::newRow("1 pixel, steps computed") << 1 << 11 << 0;
    QTest::newRow("1 pixel, rectangle value") << 2 << 11 << 0;
    QTest::newRow("x2 = x1, explicit steps 5") << 0 << 10 << 5;
    QTest::newRow("x2 = x1, explicit steps INT_MAX") << 0 << 10 << INT_MAX;
    QTest::newRow("x2 = x1, steps computed") << 1 << 10 << 0;
    QTest::newRow("negative steps") << 0 << 60 << -3;
}

// Nothing is drawn, and pen and brush are left alone.
void TestVexImageDrawing::ball3DNarrowBoxDrawsNothing() {
    QFETCH(int, form);
    QFETCH(int, x2);
    QFETCH(int, steps);
    TVexImage image;
    image.Fill(clRed);
    if (form == 0)
        image.Ball3D(10, 10, x2, 60, clBlack, clWhite, true, steps);
    else if (form == 1)
        image.Ball3D(10, 10, x2, 60, clBlack, clWhite, true);
    else
        image.Ball3D(Rect(10, 10, x2, 60), clBlack, clWhite, true);
    QCOMPARE(CountOf(Pixels(image), clRed), 105 * 105);
    QCOMPARE(image.Canvas()->Pen.Color, clRed);
}

// i (y2 - y1) passes 2^31 from ring 2 on. Ring i's top is i x 20 million pixels down, so only
// the first ring's tip reaches the picture, a line one or two pixels wide down the middle, in the
// outer colour. (In 32 bits, ring 2's top would wrap to about 3 million pixels above the picture,
// and its grey would fill most of it.)
void TestVexImageDrawing::ball3DLargeProductsDoNotOverflow() {
    TVexImage image;
    image.Fill(clRed);
    image.Ball3D(0, 0, 100, 2000000000, clBlack, clWhite, false, 50);
    const QImage& pixels = Pixels(image);
    const QRect drawn = BoundsWhere(pixels, [](TColor c) { return c != clRed; });
    QVERIFY(drawn.left() >= 48 && drawn.right() <= 51);
    QCOMPARE(BoundsOf(pixels, clBlack), drawn);
}

// Rings beyond the middle grow again; with more steps than any picture needs, the last ring
// covers the whole picture and the earlier ones are not drawn at all.
void TestVexImageDrawing::ball3DHugeStepsEndQuickly_data() {
    QTest::addColumn<bool>("offset");
    QTest::addColumn<TRect>("box");
    QTest::addColumn<bool>("covered");  // the last ring covers the picture
    QTest::newRow("centred") << false << Rect(0, 0, 100, 100) << true;
    QTest::newRow("offset") << true << Rect(0, 0, 100, 100) << true;
    QTest::newRow("flat, offset") << true << Rect(0, 0, 1000, 1) << false;
    QTest::newRow("a third as high, offset") << true << Rect(0, 0, 300, 100) << false;
    QTest::newRow("3 x 1, offset") << true << Rect(0, 0, 3, 1) << false;
    QTest::newRow("tall and thin") << false << Rect(50, 0, 51, 1000000) << false;
}

void TestVexImageDrawing::ball3DHugeStepsEndQuickly() {
    QFETCH(bool, offset);
    QFETCH(TRect, box);
    QFETCH(bool, covered);
    TVexImage image;
    image.Fill(clRed);
    image.Ball3D(box.Left, box.Top, box.Right, box.Bottom, clBlue, clYellow, offset, INT_MAX);
    const TColor last = BlendColor(clBlue, clYellow, INT_MAX - 1, INT_MAX);
    if (covered)
        QCOMPARE(CountOf(Pixels(image), last), 105 * 105);
    QCOMPARE(image.Canvas()->Pen.Color, last);  // (a walk through every ring runs into the test's time limit)
}

// Rings skipped because they stay away from the picture, or lie under a last ring that covers
// it, change nothing: the picture is that of every ring drawn in turn through the canvas.
void TestVexImageDrawing::ball3DSkipsOnlyHiddenRings_data() {
    QTest::addColumn<TRect>("box");
    QTest::addColumn<bool>("offset");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("kind");  // 0 plain, 1 clear brush, 2 inverting pen
    QTest::newRow("beyond the middle") << Rect(0, 0, 100, 80) << false << 400 << 1 << 0;
    QTest::newRow("offset, flying away") << Rect(0, 0, 100, 80) << true << 3000 << 1 << 0;
    QTest::newRow("flat, offset") << Rect(-50, 40, 200, 41) << true << 5000 << 1 << 0;
    QTest::newRow("far left, growing in") << Rect(-900, 10, -700, 90) << false << 3000 << 1 << 0;
    QTest::newRow("tall, offset") << Rect(40, -500, 60, 600) << true << 4000 << 1 << 0;
    QTest::newRow("wide pen") << Rect(0, 0, 100, 80) << true << 600 << 7 << 0;
    QTest::newRow("clear brush") << Rect(0, 0, 100, 80) << false << 300 << 1 << 1;
    QTest::newRow("inverting pen") << Rect(10, 10, 90, 70) << true << 500 << 2 << 2;
    QTest::newRow("reversed box") << Rect(100, 80, 0, 0) << true << 700 << 1 << 0;
}

void TestVexImageDrawing::ball3DSkipsOnlyHiddenRings() {
    QFETCH(TRect, box);
    QFETCH(bool, offset);
    QFETCH(int, steps);
    QFETCH(int, penWidth);
    QFETCH(int, kind);
    auto reference = FilledBitmap(105, 105, clRed);
    TVexImage image;
    image.Fill(clRed);
    for (TCanvas* canvas : {reference->Canvas(), image.Canvas()}) {
        canvas->Pen.Width = penWidth;
        canvas->Brush.Style = kind == 1 ? bsClear : bsSolid;
        canvas->Pen.Mode = kind == 2 ? pmNot : pmCopy;
    }
    TCanvas* canvas = reference->Canvas();
    for (long long i = 0; i < steps; ++i) {
        const long long d = i * (box.Bottom - box.Top) / (box.Right - box.Left), s = offset ? i / 3 : 0;
        canvas->Pen.Color = BlendColor(clNavy, clYellow, int(i), steps);
        canvas->Brush.Color = canvas->Pen.Color;
        canvas->Ellipse(int(box.Left + i + s), int(box.Top + d - s), int(box.Right - i + s), int(box.Bottom - d - s));
    }
    image.Ball3D(box.Left, box.Top, box.Right, box.Bottom, clNavy, clYellow, offset, steps);
    COMPARE_IMAGES(Pixels(image), reference->Image());
    QCOMPARE(image.Canvas()->Pen.Color, canvas->Pen.Color);
}

void TestVexImageDrawing::ellipseByCentre_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("rx");
    QTest::addColumn<int>("ry");
    QTest::addColumn<TRect>("box");
    QTest::newRow("circle") << 50 << 40 << 20 << -1 << Rect(30, 20, 70, 60);
    QTest::newRow("ellipse") << 50 << 40 << 30 << 10 << Rect(20, 30, 80, 50);
    QTest::newRow("negative radius") << 50 << 40 << -10 << -1 << Rect(40, 30, 60, 50);
    QTest::newRow("beyond the int range") << INT_MAX << 40 << 10 << -1 << Rect(5000, 30, 5010, 50);
}

// Ellipse by centre and radius draws the canvas ellipse of the box around the centre.
void TestVexImageDrawing::ellipseByCentre() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, rx);
    QFETCH(int, ry);
    QFETCH(TRect, box);
    auto reference = FilledBitmap(105, 105, clWhite);
    TVexImage image;
    image.Fill(clWhite);
    for (TCanvas* canvas : {reference->Canvas(), image.Canvas()}) {
        canvas->Pen.Color = clBlue;
        canvas->Pen.Width = 3;
        canvas->Brush.Color = clLime;
    }
    reference->Canvas()->Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    if (ry < 0)
        image.Ellipse(x, y, rx);
    else
        image.Ellipse(x, y, rx, ry);
    COMPARE_IMAGES(Pixels(image), reference->Image());
}

// RectTrans ORs the colour into every pixel of the box, channel by channel.
void TestVexImageDrawing::rectTransOrsPerChannel_data() {
    QTest::addColumn<TRect>("box");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("background");  // -1: a pattern of colours
    QTest::newRow("red 0x80 over black") << Rect(10, 10, 20, 30) << TColor(0x80) << clBlack;
    QTest::newRow("red 0x80 over white") << Rect(10, 10, 20, 30) << TColor(0x80) << clWhite;
    QTest::newRow("blue and green bits over a pattern") << Rect(5, 7, 90, 60) << TColor(0x410C00) << TColor(-1);
    QTest::newRow("cut at the edges") << Rect(-20, -5, 30, 300) << TColor(0x010203) << TColor(-1);
    QTest::newRow("system colour") << Rect(0, 0, 50, 50) << clBtnShadow << clBlack;
}

void TestVexImageDrawing::rectTransOrsPerChannel() {
    QFETCH(TRect, box);
    QFETCH(TColor, color);
    QFETCH(TColor, background);
    TVexImage image;
    if (background == -1)
        PaintPattern(image, 105, 105);
    else
        image.Fill(background);
    const QImage before = Pixels(image).copy();
    const QImage mask = ImageFrom(105, 105, [&](int x, int y) {
        return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom ? clWhite : clBlack;
    });
    image.RectTrans(box.Left, box.Top, box.Right, box.Bottom, color);
    COMPARE_IMAGES(Pixels(image), Ored(before, mask, color));
    if (background == clBlack && color == 0x80)
        QCOMPARE(BoundsOf(Pixels(image), TColor(0x80)), QRect(QPoint(10, 10), QPoint(19, 29)));
    QCOMPARE(image.Canvas()->CopyMode, cmSrcCopy);
}

// EllipseTrans ORs the colour into the inside of the ellipse inscribed in the box; its one-pixel
// outline is left as it was.
void TestVexImageDrawing::ellipseTransOrsInsideOnly_data() {
    QTest::addColumn<TRect>("box");
    QTest::addColumn<TRect>("clip");
    const TRect all = Rect(0, 0, 105, 105);
    QTest::newRow("inside") << Rect(10, 20, 90, 70) << all;
    QTest::newRow("cut at the top-left") << Rect(-40, -30, 50, 60) << all;
    QTest::newRow("cut at the bottom-right") << Rect(60, 70, 160, 130) << all;
    QTest::newRow("clip rectangle") << Rect(10, 20, 90, 70) << Rect(40, 0, 70, 50);
    QTest::newRow("tiny") << Rect(50, 50, 53, 52) << all;
}

void TestVexImageDrawing::ellipseTransOrsInsideOnly() {
    QFETCH(TRect, box);
    QFETCH(TRect, clip);
    const TColor color = RGB(0x21, 0x90, 0x04);
    Surface image;
    PaintPattern(image, 105, 105);
    image.Canvas()->SetClipRect(clip);
    const QImage before = Pixels(image).copy();
    auto mask = FilledBitmap(105, 105, clBlack);
    mask->Canvas()->SetClipRect(clip);
    mask->Canvas()->Pen.Color = clBlack;
    mask->Canvas()->Brush.Color = clWhite;
    mask->Canvas()->Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    image.EllipseTrans(box.Left, box.Top, box.Right, box.Bottom, color);
    COMPARE_IMAGES(Pixels(image), Ored(before, mask->Image(), color));
    QCOMPARE(image.Canvas()->CopyMode, cmSrcCopy);
}

// FillTrans covers the control's area, not the whole bitmap when the bitmap is larger.
void TestVexImageDrawing::fillTransCoversControlArea() {
    TVexImage image;
    image.SetHeightWidth(50, 80);
    image.Fill(clBlack);
    image.resize(60, 30);
    image.FillTrans(RGB(0x10, 0x20, 0x40));
    QCOMPARE(BoundsOf(Pixels(image), RGB(0x10, 0x20, 0x40)), QRect(0, 0, 60, 30));
    QCOMPARE(CountOf(Pixels(image), clBlack), 80 * 50 - 60 * 30);
    QCOMPARE(image.Canvas()->CopyMode, cmSrcCopy);
}

// Colour 0 and boxes with a negative width or height return at once: picture and copy mode are
// left alone. Everything else (a zero-sized box too) ends with the copy mode at SRCCOPY.
void TestVexImageDrawing::transparentShapesEarlyReturnsAndCopyMode_data() {
    QTest::addColumn<int>("shape");  // 0 RectTrans, 1 EllipseTrans, 2 FillTrans
    QTest::addColumn<TRect>("box");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<bool>("returnsEarly");
    for (int shape = 0; shape < 2; ++shape) {
        const char* name = shape == 0 ? "RectTrans" : "EllipseTrans";
        QTest::addRow("%s, x2 < x1", name) << shape << Rect(30, 10, 29, 40) << clWhite << true;
        QTest::addRow("%s, y2 < y1", name) << shape << Rect(10, 30, 40, 20) << clWhite << true;
        QTest::addRow("%s, colour 0", name) << shape << Rect(10, 10, 40, 40) << clBlack << true;
        QTest::addRow("%s, zero width", name) << shape << Rect(10, 10, 10, 40) << clWhite << false;
        QTest::addRow("%s, far away", name) << shape << Rect(9000, 9000, 9100, 9100) << clWhite << false;
        QTest::addRow("%s, drawn", name) << shape << Rect(10, 10, 40, 40) << clWhite << false;
    }
    QTest::newRow("FillTrans, colour 0") << 2 << TRect() << clBlack << true;
    QTest::newRow("FillTrans, drawn") << 2 << TRect() << clWhite << false;
}

void TestVexImageDrawing::transparentShapesEarlyReturnsAndCopyMode() {
    QFETCH(int, shape);
    QFETCH(TRect, box);
    QFETCH(TColor, color);
    QFETCH(bool, returnsEarly);
    TVexImage image;
    image.Fill(clGray);
    image.Canvas()->CopyMode = cmSrcAnd;
    if (shape == 0)
        image.RectTrans(box.Left, box.Top, box.Right, box.Bottom, color);
    else if (shape == 1)
        image.EllipseTrans(box.Left, box.Top, box.Right, box.Bottom, color);
    else
        image.FillTrans(color);
    QCOMPARE(image.Canvas()->CopyMode, returnsEarly ? cmSrcAnd : cmSrcCopy);
    const bool drawn = QTest::currentDataTag() == QByteArray("FillTrans, drawn") ||
                       QByteArray(QTest::currentDataTag()).endsWith(", drawn");
    QCOMPARE(CountOf(Pixels(image), clGray) < 105 * 105, drawn);
}

// The scratch bitmap takes the size of the visible part of the box, so a box of any size or
// place allocates at most the picture's size.
void TestVexImageDrawing::scratchHoldsVisiblePartOnly_data() {
    QTest::addColumn<int>("shape");  // 0 RectTrans, 1 EllipseTrans
    QTest::addColumn<TRect>("box");
    QTest::addColumn<QSize>("scratch");
    QTest::addColumn<int>("ored");  // pixels changed
    for (int shape = 0; shape < 2; ++shape) {
        const char* name = shape == 0 ? "RectTrans" : "EllipseTrans";
        QTest::addRow("%s, inside", name) << shape << Rect(10, 20, 30, 25) << QSize(20, 5) << -1;
        QTest::addRow("%s, whole int range", name)
            << shape << Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX) << QSize(105, 105) << 105 * 105;
        QTest::addRow("%s, huge, around the picture", name)
            << shape << Rect(-2000000000, -2000000000, 2000000000, 2000000000) << QSize(105, 105) << 105 * 105;
        QTest::addRow("%s, far right and below", name)
            << shape << Rect(5000, 5000, INT_MAX, INT_MAX) << QSize(0, 0) << 0;
        QTest::addRow("%s, far left and above", name) << shape << Rect(INT_MIN, INT_MIN, -1, -1) << QSize(0, 0) << 0;
        QTest::addRow("%s, a corner reaching in", name)
            << shape << Rect(INT_MIN, INT_MIN, 30, 40) << QSize(30, 40) << (shape == 0 ? 30 * 40 : 0);
    }
}

void TestVexImageDrawing::scratchHoldsVisiblePartOnly() {
    QFETCH(int, shape);
    QFETCH(TRect, box);
    QFETCH(QSize, scratch);
    QFETCH(int, ored);
    Surface image;
    image.Fill(clBlack);
    if (shape == 0)
        image.RectTrans(box.Left, box.Top, box.Right, box.Bottom, clWhite);
    else
        image.EllipseTrans(box.Left, box.Top, box.Right, box.Bottom, clWhite);
    QCOMPARE(image.Scratch(), scratch);
    if (ored >= 0)
        QCOMPARE(CountOf(Pixels(image), clWhite), ored);
    QCOMPARE(image.Canvas()->CopyMode, cmSrcCopy);
}

// Rect3D fills the box and bevels it with the frame routine: raised with the 3-D highlight on the
// top and left and the shadow on the right and bottom, sunken the other way round. However wide
// the bevel, only rings that reach the picture cost anything, and the result is that of the
// frame routine run ring by ring.
void TestVexImageDrawing::rect3DBevels_data() {
    QTest::addColumn<TRect>("box");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("raised");
    QTest::addColumn<TRect>("frameBox");  // the reference frame's box and width
    QTest::addColumn<int>("frameWidth");
    QTest::newRow("raised, 2") << Rect(10, 15, 80, 60) << 2 << true << Rect(10, 15, 80, 60) << 2;
    QTest::newRow("sunken, 3") << Rect(10, 15, 80, 60) << 3 << false << Rect(10, 15, 80, 60) << 3;
    QTest::newRow("width 0: fill only") << Rect(10, 15, 80, 60) << 0 << true << Rect(10, 15, 80, 60) << 0;
    QTest::newRow("wider than the box") << Rect(20, 20, 40, 30) << 30 << true << Rect(20, 20, 40, 30) << 30;
    QTest::newRow("cut at the edges") << Rect(-10, 90, 50, 200) << 4 << false << Rect(-10, 90, 50, 200) << 4;
    QTest::newRow("width INT_MAX") << Rect(0, 0, 105, 105) << INT_MAX << true << Rect(0, 0, 105, 105) << 300;
    QTest::newRow("huge box, width INT_MAX") << Rect(-2000000000, -2000000000, 2000000000, 2000000000) << INT_MAX
                                             << false << Rect(-105, -105, 105, 105) << 300;
    QTest::newRow("far away") << Rect(5000, 5000, 6000, 6000) << 50 << true << Rect(5000, 5000, 6000, 6000) << 50;
    QTest::newRow("reversed box") << Rect(80, 60, 10, 15) << 3 << true << Rect(80, 60, 10, 15) << 3;
    QTest::newRow("reversed, wide") << Rect(90, 90, 10, 5) << 70 << false << Rect(90, 90, 10, 5) << 70;
}

void TestVexImageDrawing::rect3DBevels() {
    QFETCH(TRect, box);
    QFETCH(int, width);
    QFETCH(bool, raised);
    QFETCH(TRect, frameBox);
    QFETCH(int, frameWidth);
    const TColor face = RGB(90, 120, 150);
    const TColor top = raised ? cl3DHighlight : clBtnShadow, bottom = raised ? clBtnShadow : cl3DHighlight;
    auto reference = FilledBitmap(105, 105, clBlack);
    reference->Canvas()->Brush.Color = face;
    reference->Canvas()->FillRect(box);
    Frame3D(reference->Canvas(), frameBox, top, bottom, frameWidth);
    TVexImage image;
    image.Fill(clBlack);
    image.Canvas()->Pen.Width = 4;
    image.Rect3D(box.Left, box.Top, box.Right, box.Bottom, face, width, raised);
    COMPARE_IMAGES(Pixels(image), reference->Image());
    QCOMPARE(image.Canvas()->Brush.Color, face);
    QCOMPARE(image.Canvas()->Pen.Width, 1);
    QCOMPARE(image.Canvas()->Pen.Color, width > 0 ? bottom : clBlack);
    if (width > 0 && width < 5 && box.Left >= 0 && box.Top >= 0)
        QCOMPARE(ColorAt(Pixels(image), box.Left, box.Top + 1), ColorToRGB(top));
}

void TestVexImageDrawing::fill3DCoversControlArea() {
    TVexImage image;
    image.SetHeightWidth(40, 60);
    image.Fill(clBlack);
    image.Fill3D(clSilver, 2, false);
    auto reference = FilledBitmap(60, 40, clSilver);
    TRect box = Rect(0, 0, 60, 40);
    Frame3D(reference->Canvas(), box, clBtnShadow, cl3DHighlight, 2);
    COMPARE_IMAGES(Pixels(image), reference->Image());
    image.Rect3D(Rect(5, 5, 20, 20), clRed, 1, true);
    QCOMPARE(ColorAt(Pixels(image), 5, 5), ColorToRGB(cl3DHighlight));
    QCOMPARE(ColorAt(Pixels(image), 19, 19), ColorToRGB(clBtnShadow));
    QCOMPARE(ColorAt(Pixels(image), 10, 10), clRed);
}

QTEST_MAIN(TestVexImageDrawing)
#include "tst_veximage_drawing.moc"
