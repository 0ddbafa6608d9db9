// Text operations of the image surface: inverted text, rotated text and text around a centre,
// with the turned font they leave on the canvas.
#include "Canvas.h"
#include "GdiCalls.h"
#include "PixelTools.h"
#include "Tveximage.h"

#include <QtTest>

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
    struct Probe : TVexImage {
        using TVexImage::WorkBitmap;
    } image;
    image.SetHeightWidth(60, 100);
    UseFont(image.Canvas(), QStringLiteral("Arial"), 10, 0, escapement);
    const QString text = QStringLiteral("scratch");
    const int width = image.Canvas()->TextWidth(text), height = image.Canvas()->TextHeight(text);
    image.TextOutInv(x, y, text);
    const QSize expected(scratch.width() == -1 ? width : scratch.width(),
                         scratch.height() == -1 ? height : scratch.height() == -6 ? height - 5 : scratch.height());
    QCOMPARE(QSize(image.WorkBitmap()->Width(), image.WorkBitmap()->Height()), expected);
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

QTEST_MAIN(TestVexImageText)
#include "tst_veximage_text.moc"
