// The image surface: construction, size management, Fill and direct pixel access.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/ComponentRegistry.h>
#include <Tallwick/Exception.h>
#include <Tallwick/GdiCalls.h>
#include <Tallwick/Metafile.h>
#include <Tallwick/Tveximage.h>

#include <QPixmap>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using namespace Tallwick;

namespace {
TBitmap* BitmapOf(TVexImage& image) { return static_cast<TBitmap*>(image.Picture()->Graphic()); }

int CountPixels(TVexImage& image, TColor color) {
    int n = 0;
    TCanvas* canvas = image.Canvas();
    for (int y = 0; y < BitmapOf(image)->Height(); ++y)
        for (int x = 0; x < BitmapOf(image)->Width(); ++x)
            n += canvas->Pixel(x, y) == color;
    return n;
}
}  // namespace

class TestVexImage : public QObject {
    Q_OBJECT
private slots:
    void newSurfaceIs105SquareAndEmpty();
    void fillCreatesBitmapOfControlSize();
    void unownedSurfaceWorksOffScreen();
    void setHeightWidthIgnoresNonPositive_data();
    void setHeightWidthIgnoresNonPositive();
    void publishedSizeLeavesBitmapUntilResize();
    void resizeWithSameSizeKeepsContent();
    void alignedSurfaceKeepsItsPlace();
    void pixelRowWriteReadsBackThroughCanvas_data();
    void pixelRowWriteReadsBackThroughCanvas();
    void pixelSetOutsideWritesNothing_data();
    void pixelSetOutsideWritesNothing();
    void systemColourWrittenRaw();
    void scatteredPixelsLeaveRowSelection();
    void pixelInFollowsClipRegion();
    void pixelsAppearOnScreenOnlyAfterClose();
    void pixelOpenOnEmptyPictureLeavesZeroBitmap();
    void staleRowAfterResizeIsIgnored();
    void otherGraphicReplacedByBitmapAccessor();
    void pixelRatioSet_data();
    void pixelRatioSet();
    void scaledSurfaceSavesControlPixels();
    void graphicPutInAtScale2_data();
    void graphicPutInAtScale2();
    void registersOnTallwick();
};

void TestVexImage::newSurfaceIs105SquareAndEmpty() {
    TVexImage image;
    QCOMPARE(image.Width(), 105);
    QCOMPARE(image.Height(), 105);
    QVERIFY(image.Picture()->Graphic() == nullptr);
    // Visible as a control, though an image without a parent never opens a window of its own.
    QVERIFY(image.Visible());
    QVERIFY(!image.isVisible());
    image.SetVisible(false);
    QVERIFY(!image.Visible());
}

void TestVexImage::fillCreatesBitmapOfControlSize() {
    TVexImage image;
    image.Fill(clRed);
    QVERIFY(BitmapOf(image));
    QCOMPARE(BitmapOf(image)->Width(), 105);
    QCOMPARE(BitmapOf(image)->Height(), 105);
    QCOMPARE(CountPixels(image, clRed), 105 * 105);
    QCOMPARE(image.Canvas()->Pen.Color, clRed);
    QCOMPARE(image.Canvas()->Brush.Color, clRed);
}

void TestVexImage::unownedSurfaceWorksOffScreen() {
    auto* image = new TVexImage(nullptr);
    image->SetHeightWidth(90, 120);
    QCOMPARE(image->Width(), 120);
    QCOMPARE(image->Height(), 90);
    QCOMPARE(BitmapOf(*image)->Width(), 120);
    QCOMPARE(BitmapOf(*image)->Height(), 90);
    image->Canvas()->Brush.Color = clBlue;
    image->Canvas()->FillRect(Rect(10, 10, 20, 20));
    QCOMPARE(image->Canvas()->Pixel(15, 15), clBlue);
    QVERIFY(!image->isVisible());
    delete image;
}

void TestVexImage::setHeightWidthIgnoresNonPositive_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("height 0: width only") << 0 << 50 << QSize(50, 105);
    QTest::newRow("width -1: height only") << 40 << -1 << QSize(105, 40);
    QTest::newRow("both ignored") << 0 << 0 << QSize(105, 105);
    QTest::newRow("both set") << 7 << 9 << QSize(9, 7);
}

void TestVexImage::setHeightWidthIgnoresNonPositive() {
    QFETCH(int, height);
    QFETCH(int, width);
    QFETCH(QSize, expected);
    TVexImage image;
    image.Fill(clWhite);
    image.SetHeightWidth(height, width);
    QCOMPARE(image.size(), expected);
    QCOMPARE(QSize(BitmapOf(image)->Width(), BitmapOf(image)->Height()), expected);
}

void TestVexImage::publishedSizeLeavesBitmapUntilResize() {
    TVexImage image;
    image.Fill(clGreen);
    image.resize(60, 30);
    QCOMPARE(BitmapOf(image)->Width(), 105);
    QCOMPARE(BitmapOf(image)->Height(), 105);
    image.Resize();
    QCOMPARE(BitmapOf(image)->Width(), 60);
    QCOMPARE(BitmapOf(image)->Height(), 30);
    QCOMPARE(image.Canvas()->Pixel(59, 29), clGreen);  // the kept top-left content
}

void TestVexImage::resizeWithSameSizeKeepsContent() {
    TVexImage image;
    image.Fill(clBlack);
    image.Canvas()->SetPixel(3, 4, clAqua);
    const unsigned generation = BitmapOf(image)->Generation();
    image.Resize();
    QCOMPARE(BitmapOf(image)->Generation(), generation);  // not even reallocated
    QCOMPARE(image.Canvas()->Pixel(3, 4), clAqua);
}

void TestVexImage::alignedSurfaceKeepsItsPlace() {
    QWidget form;
    form.resize(200, 150);
    form.show();  // a hidden window takes its new size only when shown
    TVexImage image(&form);
    image.SetAlign(alClient);
    QCOMPARE(image.size(), QSize(200, 150));
    image.Fill(clRed);
    form.resize(300, 170);
    QTRY_COMPARE(image.size(), QSize(300, 170));
    QCOMPARE(BitmapOf(image)->Width(), 200);  // alignment resizes the control only
    image.SetWidth(50);                       // the aligned control snaps back
    QCOMPARE(image.Width(), 300);
    QCOMPARE(BitmapOf(image)->Width(), 300);
}

void TestVexImage::pixelRowWriteReadsBackThroughCanvas_data() {
    QTest::addColumn<TColor>("color");
    QTest::newRow("red 0x40 green 0x80 blue 0xFF") << TColor(0xFF8040);
    QTest::newRow("pure red") << clRed;
    QTest::newRow("pure blue") << clBlue;
    QTest::newRow("black") << clBlack;
    QTest::newRow("odd grey") << TColor(0x7F7F7F);
}

void TestVexImage::pixelRowWriteReadsBackThroughCanvas() {
    QFETCH(TColor, color);
    TVexImage image;
    image.Fill(clWhite);
    image.PixelOpen();
    image.PixelRowSet(3);
    image.PixelSet(5, color);
    QCOMPARE(image.Canvas()->Pixel(5, 3), color);
    QCOMPARE(CountPixels(image, clWhite), 105 * 105 - (color == clWhite ? 0 : 1));
    // The stored word: blue, green, red in memory order (and the opaque high byte).
    const std::uint32_t word = BitmapOf(image)->ScanLine(3)[5];
    QCOMPARE(word & 0xFFFFFF, std::uint32_t((GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color)));
    QCOMPARE(BitmapOf(image)->PixelFormat(), pf32bit);
}

void TestVexImage::pixelSetOutsideWritesNothing_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("x");
    QTest::newRow("x = -1") << 2 << -1;
    QTest::newRow("x = width") << 2 << 105;
    QTest::newRow("row -1, x inside") << -1 << 5;
    QTest::newRow("row = height") << 105 << 5;
}

void TestVexImage::pixelSetOutsideWritesNothing() {
    QFETCH(int, row);
    QFETCH(int, x);
    TVexImage image;
    image.Fill(clWhite);
    image.PixelOpen();
    image.PixelRowSet(row);
    image.PixelSet(x, clBlack);
    image.PixelSet(x, row, clBlack);
    QCOMPARE(CountPixels(image, clWhite), 105 * 105);
}

void TestVexImage::systemColourWrittenRaw() {
    TVexImage image;
    image.Fill(clWhite);
    image.PixelOpen();
    image.PixelRowSet(0);
    image.PixelSet(0, cl3DHighlight);
    QCOMPARE(image.Canvas()->Pixel(0, 0), TColor(0x000014));  // red 0x14, not the palette's highlight
}

void TestVexImage::scatteredPixelsLeaveRowSelection() {
    TVexImage image;
    image.Fill(clWhite);
    image.PixelOpen();
    image.PixelRowSet(10);
    image.PixelSet(7, 20, clRed);
    image.PixelSet(8, clBlue);  // still row 10
    QCOMPARE(image.Canvas()->Pixel(7, 20), clRed);
    QCOMPARE(image.Canvas()->Pixel(8, 10), clBlue);
    QCOMPARE(image.Canvas()->Pixel(8, 20), clWhite);
}

void TestVexImage::pixelInFollowsClipRegion() {
    TVexImage image;
    image.Fill(clWhite);
    QVERIFY(image.PixelIn(0, 0));
    QVERIFY(image.PixelIn(104, 104));
    QVERIFY(!image.PixelIn(105, 0));
    image.PixelOpen();  // selects row 0
    Tallwick::HRGN region = CreateRectRgn(10, 10, 50, 50);
    SelectClipRgn(image.Canvas()->Handle(), region);
    DeleteObject(region);
    QVERIFY(!image.PixelIn(5, 20));
    QVERIFY(image.PixelIn(10, 10));
    QVERIFY(!image.PixelIn(50, 20));
    // A row whose column 0 lies outside the clip area cannot be selected: its writes go nowhere,
    // and never into the previously selected row.
    image.PixelRowSet(20);
    image.PixelSet(20, clRed);
    SelectClipRgn(image.Canvas()->Handle(), nullptr);
    QCOMPARE(CountPixels(image, clWhite), 105 * 105);
    QVERIFY(image.PixelIn(5, 20));
}

void TestVexImage::pixelsAppearOnScreenOnlyAfterClose() {
    QWidget form;
    form.resize(120, 120);
    TVexImage image(&form);
    image.Fill(clBlack);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(20);
    image.PixelOpen();
    image.PixelRowSet(6);
    for (int x = 0; x < 20; ++x)
        image.PixelSet(x, clWhite);
    // What the window shows is what the control last painted: still black.
    auto onScreen = [&] { return form.screen()->grabWindow(form.winId()).toImage(); };
    QImage before = onScreen();
    QCOMPARE(before.pixel(5, 6) & 0xFFFFFF, 0u);
    image.PixelClose();
    QImage after = onScreen();
    QCOMPARE(after.pixel(5, 6) & 0xFFFFFF, 0xFFFFFFu);
}

void TestVexImage::pixelOpenOnEmptyPictureLeavesZeroBitmap() {
    TVexImage image;
    image.PixelOpen();
    QVERIFY(BitmapOf(image));
    QCOMPARE(BitmapOf(image)->Width(), 0);
    QCOMPARE(BitmapOf(image)->Height(), 0);
    image.PixelSet(0, clRed);
    image.PixelSet(1, 1, clRed);
    image.Fill(clRed);  // the canvas is the 0 x 0 bitmap's: still no size
    QCOMPARE(BitmapOf(image)->Width(), 0);
    image.Resize();
    QCOMPARE(BitmapOf(image)->Width(), 105);
    QCOMPARE(BitmapOf(image)->Height(), 105);
}

void TestVexImage::staleRowAfterResizeIsIgnored() {
    TVexImage image;
    image.Fill(clWhite);
    image.PixelOpen();
    image.PixelRowSet(2);
    image.SetHeightWidth(40, 40);
    image.PixelSet(3, clRed);  // the row address belonged to the old bitmap
    QCOMPARE(CountPixels(image, clRed), 0);
    image.PixelRowSet(2);
    image.PixelSet(3, clRed);
    QCOMPARE(image.Canvas()->Pixel(3, 2), clRed);
}

void TestVexImage::otherGraphicReplacedByBitmapAccessor() {
    TVexImage image;
    image.Picture()->SetGraphic(std::make_unique<TMetafile>(QPicture(), 10, 10));
    try {
        image.Fill(clRed);
        QFAIL("drawing on a metafile must fail");
    } catch (const EInvalidGraphicOperation& e) {
        QCOMPARE(e.Message, QStringLiteral("Can only modify an image if it contains a bitmap"));
    }
    image.SetHeightWidth(20, 30);  // the bitmap accessor discards the metafile
    QCOMPARE(BitmapOf(image)->Width(), 30);
    image.Fill(clRed);
    QCOMPARE(CountPixels(image, clRed), 20 * 30);
}

void TestVexImage::pixelRatioSet_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("byName");  // TImage::SetPixelRatio: the caller draws bitmap pixels
    QTest::addColumn<int>("scale");    // the canvas scale that follows
    QTest::newRow("whole ratio 2") << 2.0 << false << 2;
    QTest::newRow("whole ratio 3") << 3.0 << false << 3;
    QTest::newRow("fractional 1.5") << 1.5 << false << 1;
    QTest::newRow("2, bitmap pixels by name") << 2.0 << true << 1;
}

// A whole ratio set on the surface maps its control pixels onto the larger bitmap, so a fill of
// the control fills the bitmap (it filled the top-left quarter only); by name, or at a fractional
// ratio, the canvas takes bitmap pixels, as the saver draws. Either way Resize() keeps the ratio.
void TestVexImage::pixelRatioSet() {
    QFETCH(double, ratio);
    QFETCH(bool, byName);
    QFETCH(int, scale);
    TVexImage image;
    image.SetHeightWidth(30, 40);
    image.Fill(clWhite);
    if (byName)
        image.TImage::SetPixelRatio(ratio);
    else
        image.SetPixelRatio(ratio);
    image.Resize();
    QCOMPARE(image.PixelRatio(), ratio);
    QCOMPARE(image.CanvasScale(), scale);
    const QImage& bitmap = image.Picture()->Bitmap()->Image();
    QCOMPARE(bitmap.size(), QSize(int(std::ceil(40 * ratio)), int(std::ceil(30 * ratio))));
    image.Canvas()->Brush.Color = clRed;
    image.Canvas()->FillRect(Rect(0, 0, 40, 30));
    const bool fills = scale > 1;
    QCOMPARE(QRgbToColor(bitmap.pixel(bitmap.width() - 1, bitmap.height() - 1)), fills ? clRed : clWhite);
    QCOMPARE(QRgbToColor(bitmap.pixel(39, 29)), clRed);
    QCOMPARE(image.Canvas()->Pixel(39, 29), clRed);
}

// A surface drawn at scale 2 saves the picture of its control pixels (the file a screen of ratio
// 1 gives); loaded into another surface of scale 2, the file's pixels are control pixels again.
void TestVexImage::scaledSurfaceSavesControlPixels() {
    TVexImage image;
    image.SetPixelRatio(2);
    image.SetHeightWidth(20, 30);
    image.Fill(clNavy);
    image.Canvas()->Brush.Color = clYellow;
    image.Canvas()->FillRect(Rect(3, 4, 10, 12));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("saved.bmp"));
    image.SaveToFile(file);
    const QImage saved(file);
    QCOMPARE(saved.size(), QSize(30, 20));
    QCOMPARE(QRgbToColor(saved.pixel(3, 4)), clYellow);
    QCOMPARE(QRgbToColor(saved.pixel(10, 12)), clNavy);
    QCOMPARE(image.Picture()->Width(), 60);  // the surface itself keeps its device pixels
    TVexImage loaded;
    loaded.SetPixelRatio(2);
    loaded.LoadFromFile(file);
    QCOMPARE(loaded.CanvasScale(), 1);
    QCOMPARE(loaded.Width(), 30);
    QCOMPARE(loaded.Picture()->Width(), 30);
    QCOMPARE(loaded.Canvas()->Pixel(9, 11), clYellow);
}

void TestVexImage::graphicPutInAtScale2_data() {
    QTest::addColumn<QSize>("size");   // of a bitmap put in; empty: drawing on the control's own
    QTest::addColumn<bool>("pixmap");  // put in as the designer's pixmap property rather than a graphic
    QTest::addColumn<int>("scale");    // the canvas scale after it
    QTest::newRow("picture of control pixels") << QSize(30, 20) << false << 1;
    QTest::newRow("larger picture") << QSize(200, 90) << false << 1;
    QTest::newRow("pixmap property") << QSize(30, 20) << true << 1;
    QTest::newRow("picture of the device pixels") << QSize(60, 40) << false << 2;
    QTest::newRow("drawing only") << QSize() << false << 2;
}

// On a surface of scale 2 a picture put in from outside shows at its own size in control pixels,
// as a loaded file does, not at half of it; one of exactly the device pixels, and drawing, keep
// the scale.
void TestVexImage::graphicPutInAtScale2() {
    QFETCH(QSize, size);
    QFETCH(bool, pixmap);
    QFETCH(int, scale);
    TVexImage image;
    image.SetPixelRatio(2);
    image.SetHeightWidth(20, 30);
    image.Fill(clNavy);
    if (size.isValid()) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        if (pixmap) {
            image.SetPicturePixmap(QPixmap::fromImage(picture));
        } else {
            auto bitmap = std::make_unique<TBitmap>();
            bitmap->Assign(picture);
            image.Picture()->SetGraphic(std::move(bitmap));
        }
    }
    image.Canvas()->Ellipse(2, 2, 9, 9);
    QCOMPARE(image.CanvasScale(), scale);
    QCOMPARE(image.Canvas()->Scale(), scale);
    QCOMPARE(image.Picture()->Width(), size.isValid() ? size.width() : 60);
    QCOMPARE(image.Canvas()->Pixel(20, 15), size.isValid() ? clYellow : clNavy);
}

void TestVexImage::registersOnTallwick() {
    TVexImage::Register();
    QVERIFY(RegisteredComponents("Tallwick").contains("TVexImage"));
}

QTEST_MAIN(TestVexImage)
#include "tst_veximage.moc"
