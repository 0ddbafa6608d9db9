// Text operations of the image surface: inverted text, rotated text and text around a centre,
// with the turned font they leave on the canvas.
#include <Tallwick/Canvas.h>
#include <Tallwick/GdiCalls.h>
#include "PixelTools.h"
#include <Tallwick/Tveximage.h>
#include "TveximageTesting.h"

#include <QtTest>
#include <climits>
#include <cmath>

using namespace Tallwick;

namespace {
TBitmap* BitmapOf(TVexImage& image) { return image.Picture()->Bitmap(); }

// A picture whose every pixel differs from its neighbours, so that a misplaced pixel shows.
void PaintPattern(TVexImage& image, int width, int height) {
    image.SetHeightWidth(height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Canvas()->SetPixel(x, y, RGB(x * 7 + y, y * 5 + 3 * x, (x ^ y) * 3));
}

void UseFont(TCanvas* canvas, const QString& face, int points, TFontStyles style, int escapement = 0) {
    canvas->Font.SetName(face);
    canvas->Font.SetSize(points);
    canvas->Font.SetStyle(style);
    canvas->Font.SetOrientation(escapement);
}

// The glyph pixels of `text` drawn at (x, y), top-left aligned, in a copy of `font`: white on black
// over a bitmap of the given size, clipped to `clip`.
QImage GlyphMask(const TFont& font, int width, int height, int x, int y, const QString& text, const TRect& clip) {
    auto bitmap = FilledBitmap(width, height, clBlack);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font.Assign(font);
    canvas->Font.SetColor(clWhite);
    canvas->SetClipRect(clip);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    SetTextAlign(canvas->Handle(), TA_LEFT | TA_TOP);
    canvas->TextOut(x, y, text);
    return bitmap->Image().copy();
}

// `before` with every pixel under the mask inverted.
QImage Inverted(const QImage& before, const QImage& mask) {
    QImage result = before.copy();
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            if (ColorAt(mask, x, y) == clWhite)
                result.setPixel(x, y, result.pixel(x, y) ^ 0x00FFFFFFu);
    return result;
}
}  // namespace

class TestVexImageText : public QObject {
    Q_OBJECT
private slots:
    void textOutInvInvertsGlyphPixelsOnly_data();
    void textOutInvInvertsGlyphPixelsOnly();
    void textOutInvTwiceRestores_data();
    void textOutInvTwiceRestores();
    void textOutInvLeavesCanvasStateAndCopyMode();
    void textOutInvScratchCoversVisiblePartOnly_data();
    void textOutInvScratchCoversVisiblePartOnly();
    void textOutInvFarAwayUnderMemoryLimit();
    void textOutRotEscapement_data();
    void textOutRotEscapement();
    void textOutRotDrawsAsTurnedCanvasText_data();
    void textOutRotDrawsAsTurnedCanvasText();
    void canvasKeepsTurnedFont();
    void textOutRotAnchorOutsideDrawsNothing_data();
    void textOutRotAnchorOutsideDrawsNothing();
    void textOutAxialAnchors_data();
    void textOutAxialAnchors();
};

// Rows: where the text goes, its font, a clip rectangle; the picture is 160 x 90.
void TestVexImageText::textOutInvInvertsGlyphPixelsOnly_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("escapement");
    QTest::addColumn<TRect>("clip");
    const TRect all = Rect(0, 0, 160, 90);
    QTest::newRow("inside") << 10 << 20 << "Progress 42 %" << 0 << 0 << all;
    QTest::newRow("bold italic") << 5 << 40 << "Wavy" << int(fsBold | fsItalic) << 0 << all;
    QTest::newRow("underlined, struck out") << 20 << 10 << "lines" << int(fsUnderline | fsStrikeOut) << 0 << all;
    QTest::newRow("cut at the left and top") << -17 << -6 << "Outside" << 0 << 0 << all;
    QTest::newRow("cut at the right and bottom") << 120 << 75 << "Outside" << 0 << 0 << all;
    QTest::newRow("cut by a clip rectangle") << 10 << 20 << "Clipped text" << 0 << 0 << Rect(30, 25, 70, 60);
    QTest::newRow("turned a quarter") << 60 << 85 << "Upward" << 0 << 900 << all;
    QTest::newRow("turned 30 degrees") << 20 << 70 << "Slanted" << 0 << 300 << all;
    QTest::newRow("upside down, cut") << 40 << 10 << "Under" << 0 << 1800 << all;
    QTest::newRow("turned 270 degrees") << 100 << 5 << "Down" << int(fsBold) << 2700 << all;
}

void TestVexImageText::textOutInvInvertsGlyphPixelsOnly() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(int, escapement);
    QFETCH(TRect, clip);
    TVexImage image;
    PaintPattern(image, 160, 90);
    TCanvas* canvas = image.Canvas();
    UseFont(canvas, QStringLiteral("Arial"), 14, TFontStyles(style), escapement);
    canvas->SetClipRect(clip);
    const QImage before = BitmapOf(image)->Image().copy();
    const QImage mask = GlyphMask(canvas->Font, 160, 90, x, y, text, clip);
    QVERIFY(CountOf(mask, clWhite) > 10);
    image.TextOutInv(x, y, text);
    const QString difference = FirstDifference(BitmapOf(image)->Image(), Inverted(before, mask));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestVexImageText::textOutInvTwiceRestores_data() {
    QTest::addColumn<int>("escapement");
    QTest::addColumn<int>("x");
    QTest::newRow("upright") << 0 << 12;
    QTest::newRow("turned 45 degrees") << 450 << 12;
    QTest::newRow("half outside") << 0 << -30;
}

void TestVexImageText::textOutInvTwiceRestores() {
    QFETCH(int, escapement);
    QFETCH(int, x);
    TVexImage image;
    PaintPattern(image, 120, 80);
    UseFont(image.Canvas(), QStringLiteral("Times New Roman"), 18, fsBold, escapement);
    const QImage before = BitmapOf(image)->Image().copy();
    image.TextOutInv(x, 40, QStringLiteral("Twice 100 %"));
    QVERIFY(BitmapOf(image)->Image() != before);
    image.TextOutInv(x, 40, QStringLiteral("Twice 100 %"));
    const QString difference = FirstDifference(BitmapOf(image)->Image(), before);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// The canvas keeps its font (colour included), pen and brush, and its copy mode ends as plain
// copy whatever it was before, also when the text lies wholly outside the picture.
void TestVexImageText::textOutInvLeavesCanvasStateAndCopyMode() {
    for (const int x : {10, 5000}) {
        TVexImage image;
        image.Fill(clSilver);
        TCanvas* canvas = image.Canvas();
        canvas->Font.SetColor(clRed);
        canvas->Font.SetSize(11);
        canvas->Pen.Color = clGreen;
        canvas->Brush.Color = clNavy;
        canvas->CopyMode = cmSrcPaint;
        image.TextOutInv(x, 10, QStringLiteral("state"));
        QCOMPARE(canvas->Font.Color(), clRed);
        QCOMPARE(canvas->Font.Size(), 11);
        QCOMPARE(canvas->Pen.Color, clGreen);
        QCOMPARE(canvas->Brush.Color, clNavy);
        QCOMPARE(canvas->CopyMode, cmSrcCopy);
        QCOMPARE(CountOf(BitmapOf(image)->Image(), clSilver) < 105 * 105, x == 10);
    }
}

// The scratch bitmap holds only the visible part of the text's cell: nothing for text far away,
// the cut cell for text across an edge, the turned cell's extent for turned text.
void TestVexImageText::textOutInvScratchCoversVisiblePartOnly_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("escapement");
    QTest::addColumn<QSize>("scratch");  // -1: the text's own width or height
    QTest::newRow("inside") << 10 << 10 << 0 << QSize(-1, -1);
    QTest::newRow("far right") << 2000000000 << 10 << 0 << QSize(0, 0);
    QTest::newRow("far left") << -2147483647 << 10 << 0 << QSize(0, 0);
    QTest::newRow("far below") << 10 << 2147483647 << 0 << QSize(0, 0);
    QTest::newRow("across the right edge") << 90 << 10 << 0 << QSize(10, -1);
    QTest::newRow("across the top edge") << 10 << -5 << 0 << QSize(-1, -6);
    QTest::newRow("far away, turned") << -1000000 << -1000000 << 900 << QSize(0, 0);
}

void TestVexImageText::textOutInvScratchCoversVisiblePartOnly() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, escapement);
    QFETCH(QSize, scratch);
    TVexImage image;
    image.SetHeightWidth(60, 100);
    UseFont(image.Canvas(), QStringLiteral("Arial"), 10, 0, escapement);
    const QString text = QStringLiteral("scratch");
    const int width = image.Canvas()->TextWidth(text), height = image.Canvas()->TextHeight(text);
    image.TextOutInv(x, y, text);
    const QSize expected(scratch.width() == -1 ? width : scratch.width(), scratch.height() == -1   ? height
                                                                          : scratch.height() == -6 ? height - 5
                                                                                                   : scratch.height());
    const TBitmap* scratchBitmap = TVexImageTesting::WorkBitmap(image);
    QCOMPARE(QSize(scratchBitmap->Width(), scratchBitmap->Height()), expected);
}

// Under a 600 MB address-space limit, text placed where a scratch bitmap of its whole extent
// would have to reach from the picture to it allocates nothing large.
void TestVexImageText::textOutInvFarAwayUnderMemoryLimit() {
    TVexImage image;
    image.Fill(clWhite);
    image.Canvas()->Font.SetSize(400);
    image.Canvas()->Font.SetOrientation(450);
    const QString text(2000, QLatin1Char('W'));
    image.TextOutInv(-1000000, -1000000, text);
    image.TextOutInv(-30000, 30000, text);
    QCOMPARE(CountOf(BitmapOf(image)->Image(), clWhite), 105 * 105);
    QCOMPARE(image.Canvas()->CopyMode, cmSrcCopy);
}

// Angle in degrees -> escapement in tenths, counter-clockwise.
void TestVexImageText::textOutRotEscapement_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("escapement");
    QTest::newRow("-90") << -90.0 << 2700;
    QTest::newRow("720") << 720.0 << 0;
    QTest::newRow("45.04") << 45.04 << 450;
    QTest::newRow("45.05 rounds up") << 45.05 << 451;
    QTest::newRow("-30") << -30.0 << 3300;
    QTest::newRow("-390") << -390.0 << 3300;
    QTest::newRow("-360") << -360.0 << 3600;
    QTest::newRow("359.96") << 359.96 << 3600;
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("1e300") << 1e300 << int(std::round(std::fmod(1e300, 360.0) * 10));
    QTest::newRow("-1e300") << -1e300 << int(std::round((std::fmod(-1e300, 360.0) + 360) * 10));
    QTest::newRow("not a number") << qQNaN() << 0;
    QTest::newRow("infinite") << qInf() << 0;
    QTest::newRow("minus infinite") << -qInf() << 0;
}

void TestVexImageText::textOutRotEscapement() {
    QFETCH(double, angle);
    QFETCH(int, escapement);
    TVexImage image;
    image.Fill(clWhite);
    image.TextOutRot(20, 20, angle, QStringLiteral("x"));
    QCOMPARE(image.Canvas()->Font.Orientation(), escapement);
    QVERIFY(escapement >= 0 && escapement <= 3600);
}

// TextOutRot draws what the canvas draws with the font turned by that escapement, with the
// canvas's alignment and background mode.
void TestVexImageText::textOutRotDrawsAsTurnedCanvasText_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("escapement");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("bkMode");
    QTest::newRow("-90: turned 270") << -90.0 << 2700 << int(TA_LEFT | TA_TOP) << TRANSPARENT;
    QTest::newRow("720: upright") << 720.0 << 0 << int(TA_LEFT | TA_TOP) << TRANSPARENT;
    QTest::newRow("720, opaque") << 720.0 << 0 << int(TA_LEFT | TA_TOP) << OPAQUE;
    QTest::newRow("45.04") << 45.04 << 450 << int(TA_LEFT | TA_TOP) << TRANSPARENT;
    QTest::newRow("90, centred on the baseline") << 90.0 << 900 << int(TA_CENTER | TA_BASELINE) << TRANSPARENT;
    QTest::newRow("135, right and bottom") << 135.0 << 1350 << int(TA_RIGHT | TA_BOTTOM) << TRANSPARENT;
}

void TestVexImageText::textOutRotDrawsAsTurnedCanvasText() {
    QFETCH(double, angle);
    QFETCH(int, escapement);
    QFETCH(int, align);
    QFETCH(int, bkMode);
    const QString text = QStringLiteral("Turned text");
    auto reference = FilledBitmap(140, 140, clSilver);
    TVexImage image;
    image.SetHeightWidth(140, 140);
    image.Fill(clSilver);
    for (TCanvas* canvas : {reference->Canvas(), image.Canvas()}) {
        UseFont(canvas, QStringLiteral("Arial"), 12, fsBold);
        canvas->Font.SetColor(clNavy);
        canvas->Brush.Color = clYellow;
        SetBkMode(canvas->Handle(), bkMode);
        SetTextAlign(canvas->Handle(), unsigned(align));
    }
    reference->Canvas()->Font.SetOrientation(escapement);
    reference->Canvas()->TextOut(70, 70, text);
    image.TextOutRot(70, 70, angle, text);
    QCOMPARE(image.Canvas()->Font.Orientation(), escapement);
    QCOMPARE(image.Canvas()->Font.Color(), clNavy);
    QCOMPARE(image.Canvas()->Font.Style(), TFontStyles(fsBold));
    QVERIFY(CountOf(BitmapOf(image)->Image(), clNavy) > 20);
    const QString difference = FirstDifference(BitmapOf(image)->Image(), reference->Image());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// After TextOutRot at 90 degrees, plain canvas text comes out turned by 90 degrees too, until the
// font's size is set.
void TestVexImageText::canvasKeepsTurnedFont() {
    const QString text = QStringLiteral("Still turned");
    auto reference = FilledBitmap(120, 120, clWhite);
    UseFont(reference->Canvas(), QStringLiteral("Arial"), 10, 0, 900);
    reference->Canvas()->Font.SetColor(clBlack);
    SetBkMode(reference->Canvas()->Handle(), TRANSPARENT);
    reference->Canvas()->TextOut(60, 110, text);
    TVexImage image;
    image.SetHeightWidth(120, 120);
    image.Fill(clWhite);
    TCanvas* canvas = image.Canvas();
    UseFont(canvas, QStringLiteral("Arial"), 10, 0);
    canvas->Font.SetColor(clBlack);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    image.TextOutRot(500, 500, 90, text);  // anchor outside: nothing drawn, the font still turns
    QCOMPARE(CountOf(BitmapOf(image)->Image(), clWhite), 120 * 120);
    canvas->TextOut(60, 110, text);
    const QString difference = FirstDifference(BitmapOf(image)->Image(), reference->Image());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    canvas->Font.SetSize(10);
    QCOMPARE(canvas->Font.Orientation(), 0);
}

void TestVexImageText::textOutRotAnchorOutsideDrawsNothing_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("left of the picture") << -1 << 30;
    QTest::newRow("right of it") << 100 << 30;
    QTest::newRow("below it") << 30 << 60;
    QTest::newRow("outside the clip rectangle") << 5 << 5;
    QTest::newRow("far away") << INT_MIN << INT_MAX;
}

// The anchor alone decides: text anchored outside the clipping area is not drawn even where its
// glyphs would reach into the picture.
void TestVexImageText::textOutRotAnchorOutsideDrawsNothing() {
    QFETCH(int, x);
    QFETCH(int, y);
    TVexImage image;
    image.SetHeightWidth(60, 100);
    image.Fill(clWhite);
    image.Canvas()->SetClipRect(Rect(0, 10, 100, 60));
    image.Canvas()->Font.SetSize(20);
    image.Canvas()->Font.SetColor(clBlack);
    image.TextOutRot(x, y, 180, QStringLiteral("WWWWWWWW"));
    QCOMPARE(CountOf(BitmapOf(image)->Image(), clWhite), 100 * 60);
    QCOMPARE(image.Canvas()->Font.Orientation(), 1800);
}

// TextOutAxial anchors the text on the circle or ellipse and turns it by angle + 270 degrees.
void TestVexImageText::textOutAxialAnchors_data() {
    QTest::addColumn<int>("rx");
    QTest::addColumn<int>("ry");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<int>("escapement");
    QTest::newRow("circle, 90: above, upright") << 50 << 50 << 90.0 << QPoint(100, 50) << 0;
    QTest::newRow("circle, 0: right, running down") << 50 << 50 << 0.0 << QPoint(150, 100) << 2700;
    QTest::newRow("circle, 180: left, running up") << 50 << 50 << 180.0 << QPoint(50, 100) << 900;
    QTest::newRow("circle, 45: turned 315") << 50 << 50 << 45.0 << QPoint(135, 65) << 3150;
    QTest::newRow("ellipse, 90") << 80 << 30 << 90.0 << QPoint(100, 70) << 0;
    QTest::newRow("ellipse, 270: below, upside down") << 80 << 30 << 270.0 << QPoint(100, 130) << 1800;
    QTest::newRow("ellipse, 0.4 rounds the turn") << 80 << 30 << 0.4 << QPoint(180, 100) << 2700;
}

void TestVexImageText::textOutAxialAnchors() {
    QFETCH(int, rx);
    QFETCH(int, ry);
    QFETCH(double, angle);
    QFETCH(QPoint, anchor);
    QFETCH(int, escapement);
    const QString text = QStringLiteral("Axial");
    auto reference = FilledBitmap(200, 200, clWhite);
    TVexImage image;
    image.SetHeightWidth(200, 200);
    image.Fill(clWhite);
    for (TCanvas* canvas : {reference->Canvas(), image.Canvas()}) {
        UseFont(canvas, QStringLiteral("Arial"), 11, 0);
        canvas->Font.SetColor(clBlack);
        SetBkMode(canvas->Handle(), TRANSPARENT);
    }
    reference->Canvas()->Font.SetOrientation(escapement);
    reference->Canvas()->TextOut(anchor.x(), anchor.y(), text);
    if (rx == ry)
        image.TextOutAxial(100, 100, rx, angle, text);
    else
        image.TextOutAxial(100, 100, rx, ry, angle, text);
    QCOMPARE(image.Canvas()->Font.Orientation(), escapement);
    const QString difference = FirstDifference(BitmapOf(image)->Image(), reference->Image());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestVexImageText)
#include "tst_veximage_text.moc"
