// Colours (0x00BBGGRR, system colours through the application palette) and bitmaps (resizing,
// empty sizes, row access, failure to allocate).
#include <Tallwick/Exception.h>
#include "PixelTools.h"

#include <QApplication>
#include <QPalette>
#include <QtTest>

using namespace Tallwick;

enum class BitmapChange { Grow, Shrink, Empty, AssignImage, AssignBitmap };
Q_DECLARE_METATYPE(BitmapChange)

class TestColorBitmap : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void plainColours_data();
    void plainColours();
    void systemColours_data();
    void systemColours();
    void resizeKeepsTopLeft();
    void emptySizes_data();
    void emptySizes();
    void rowsAreTopDownRgbWords();
    void hugeSizeFailsCleanly_data();
    void hugeSizeFailsCleanly();
    void imageAndCanvasOutliveChanges_data();
    void imageAndCanvasOutliveChanges();
};

// Distinct palette colours, so that a system colour resolved through the wrong role shows.
void TestColorBitmap::initTestCase() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Light, QColor(250, 240, 230));
    palette.setColor(QPalette::Dark, QColor(90, 80, 70));
    palette.setColor(QPalette::Button, QColor(170, 160, 150));
    QApplication::setPalette(palette);
}

void TestColorBitmap::plainColours_data() {
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("rgb");
    QTest::addColumn<QRgb>("pixel");
    QTest::newRow("plain") << TColor(0x00563412) << TColor(0x563412) << qRgb(0x12, 0x34, 0x56);
    QTest::newRow("high byte 1") << TColor(0x01ABCDEF) << TColor(0xABCDEF) << qRgb(0xEF, 0xCD, 0xAB);
    QTest::newRow("high byte 0x7F") << TColor(0x7F102030) << TColor(0x102030) << qRgb(0x30, 0x20, 0x10);
    QTest::newRow("red") << clRed << TColor(0x0000FF) << qRgb(255, 0, 0);
    QTest::newRow("navy") << clNavy << TColor(0x800000) << qRgb(0, 0, 128);
}

void TestColorBitmap::plainColours() {
    QFETCH(TColor, color);
    QFETCH(TColor, rgb);
    QFETCH(QRgb, pixel);
    QCOMPARE(ColorToRGB(color), rgb);
    QCOMPARE(ColorToQRgb(color), pixel);
    QCOMPARE(QRgbToColor(pixel), rgb);
    QCOMPARE(RGB(GetRValue(color), GetGValue(color), GetBValue(color)), rgb);
}

void TestColorBitmap::systemColours_data() {
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("rgb");
    QTest::newRow("3-D highlight") << TColor(0x80000014) << RGB(250, 240, 230);
    QTest::newRow("button shadow") << TColor(0x80000010) << RGB(90, 80, 70);
    QTest::newRow("button face") << TColor(0x8000000F) << RGB(170, 160, 150);
}

void TestColorBitmap::systemColours() {
    QFETCH(TColor, color);
    QFETCH(TColor, rgb);
    QVERIFY(IsSystemColor(color));
    QCOMPARE(ColorToRGB(color), rgb);
    auto bitmap = FilledBitmap(2, 2, color);
    QCOMPARE(bitmap->Canvas()->Pixel(1, 1), rgb);
}

// Growing keeps the old pixels at the top-left and makes the new area white; pixels cut off by
// shrinking do not come back.
void TestColorBitmap::resizeKeepsTopLeft() {
    auto bitmap = FilledBitmap(4, 3, clRed);
    bitmap->Canvas()->SetPixel(3, 2, clBlue);
    int changes = 0;
    bitmap->OnChange = [&changes] { ++changes; };
    bitmap->SetSize(6, 5);
    QCOMPARE(changes, 1);
    QImage expected = ImageFrom(6, 5, [](int x, int y) {
        if (x == 3 && y == 2)
            return clBlue;
        return x < 4 && y < 3 ? clRed : clWhite;
    });
    QString diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    bitmap->SetSize(2, 2);
    bitmap->SetWidth(5);
    bitmap->SetHeight(4);
    QCOMPARE(bitmap->Width(), 5);
    QCOMPARE(bitmap->Height(), 4);
    expected = ImageFrom(5, 4, [](int x, int y) { return x < 2 && y < 2 ? clRed : clWhite; });
    diff = FirstDifference(bitmap->Image(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestColorBitmap::emptySizes_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("keptWidth");
    QTest::addColumn<int>("keptHeight");
    QTest::newRow("0 x 5") << 0 << 5 << 0 << 5;
    QTest::newRow("5 x 0") << 5 << 0 << 5 << 0;
    QTest::newRow("0 x 0") << 0 << 0 << 0 << 0;
    QTest::newRow("negative width") << -3 << 4 << 0 << 4;
}

// An empty bitmap can be drawn on and drawn with: nothing happens, nothing crashes.
void TestColorBitmap::emptySizes() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, keptWidth);
    QFETCH(int, keptHeight);
    auto bitmap = FilledBitmap(3, 3, clRed);
    bitmap->SetSize(width, height);
    QVERIFY(bitmap->Empty());
    QCOMPARE(bitmap->Width(), keptWidth);
    QCOMPARE(bitmap->Height(), keptHeight);

    TCanvas* canvas = bitmap->Canvas();
    canvas->Rectangle(0, 0, 5, 5);
    canvas->Ellipse(0, 0, 5, 5);
    canvas->FillRect(Rect(0, 0, 5, 5));
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 4);
    canvas->SetPixel(0, 0, clBlue);
    canvas->TextOut(0, 0, QStringLiteral("text"));
    canvas->Draw(0, 0, *FilledBitmap(2, 2, clBlue));
    QCOMPARE(canvas->Pixel(0, 0), -1);
    QVERIFY(!canvas->PtVisible(0, 0));

    auto target = FilledBitmap(4, 4, clWhite);
    target->Canvas()->Draw(0, 0, *bitmap);
    target->Canvas()->StretchDraw(Rect(0, 0, 4, 4), *bitmap);
    QCOMPARE(CountOf(target->Image(), clWhite), 16);

    bitmap->SetSize(3, 2);
    QCOMPARE(CountOf(bitmap->Image(), clWhite), 6);
}

// Row words are 0xFFRRGGBB, top row first, and a row word and the pixel describe one colour.
void TestColorBitmap::rowsAreTopDownRgbWords() {
    auto bitmap = FilledBitmap(3, 2, clWhite);
    bitmap->Canvas()->SetPixel(2, 1, RGB(0x12, 0x34, 0x56));
    QCOMPARE(bitmap->ScanLine(1)[2], 0xFF123456u);
    QCOMPARE(bitmap->ScanLine(0)[2], 0xFFFFFFFFu);
    bitmap->ScanLine(0)[1] = 0xFFABCDEFu;
    QCOMPARE(bitmap->Canvas()->Pixel(1, 0), RGB(0xAB, 0xCD, 0xEF));
    QCOMPARE(bitmap->Image().pixel(1, 0), 0xFFABCDEFu);

    bitmap->SetPixelFormat(pf24bit);
    QCOMPARE(bitmap->PixelFormat(), pf24bit);
    QCOMPARE(bitmap->ScanLine(1)[2], 0xFF123456u);
}

void TestColorBitmap::hugeSizeFailsCleanly_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("200000 x 200000") << 200000 << 200000;
    QTest::newRow("2000000000 x 2") << 2000000000 << 2;
    QTest::newRow("50000 x 50000") << 50000 << 50000;
}

// A size whose pixels cannot be had raises the out-of-memory error and leaves the bitmap as it
// was (whatever the system's memory overcommit policy).
void TestColorBitmap::hugeSizeFailsCleanly() {
    QFETCH(int, width);
    QFETCH(int, height);
    auto bitmap = FilledBitmap(5, 5, clBlue);
    QVERIFY_THROWS_EXCEPTION(EOutOfMemory, bitmap->SetSize(width, height));
    QCOMPARE(bitmap->Width(), 5);
    QCOMPARE(bitmap->Height(), 5);
    QCOMPARE(CountOf(bitmap->Image(), clBlue), 25);
}

void TestColorBitmap::imageAndCanvasOutliveChanges_data() {
    QTest::addColumn<BitmapChange>("change");
    QTest::addColumn<int>("linePixels");  ///< of the clipped line drawn afterwards
    QTest::newRow("grow") << BitmapChange::Grow << 2;
    QTest::newRow("shrink past the clip") << BitmapChange::Shrink << 0;
    QTest::newRow("empty") << BitmapChange::Empty << 0;
    QTest::newRow("assign a picture") << BitmapChange::AssignImage << 2;
    QTest::newRow("assign a bitmap") << BitmapChange::AssignBitmap << 2;
}

// The image reference and the canvas belong to the bitmap for its lifetime: kept across new
// pixels, they still reach the bitmap's current pixels, and the canvas keeps its clip and pen.
void TestColorBitmap::imageAndCanvasOutliveChanges() {
    QFETCH(BitmapChange, change);
    QFETCH(int, linePixels);
    auto bitmap = FilledBitmap(4, 3, clRed);
    QImage* const image = &bitmap->Image();
    TCanvas* const canvas = bitmap->Canvas();
    canvas->SetClipRect(Rect(1, 1, 3, 3));
    canvas->MoveTo(2, 1);
    const unsigned generation = bitmap->Generation();
    switch (change) {
    case BitmapChange::Grow: bitmap->SetSize(6, 5); break;
    case BitmapChange::Shrink: bitmap->SetSize(1, 2); break;
    case BitmapChange::Empty: bitmap->SetSize(0, 0); break;
    case BitmapChange::AssignImage: bitmap->Assign(ImageFrom(5, 5, [](int, int) { return clLime; })); break;
    case BitmapChange::AssignBitmap: bitmap->Assign(*FilledBitmap(5, 5, clLime)); break;
    }
    QVERIFY(bitmap->Generation() != generation);
    QCOMPARE(&bitmap->Image(), image);
    QCOMPARE(&std::as_const(*bitmap).Image(), image);
    QCOMPARE(image->size(), QSize(bitmap->Width(), bitmap->Height()));
    QCOMPARE(bitmap->Canvas(), canvas);
    QCOMPARE(canvas->Bitmap(), bitmap.get());
    QVERIFY(canvas->HasClipRect());
    canvas->Pen.Color = clBlue;
    canvas->LineTo(2, 4);
    QCOMPARE(CountOf(*image, clBlue), linePixels);
    QCOMPARE(canvas->PenPos().y, 4);
}

QTEST_MAIN(TestColorBitmap)
#include "tst_color_bitmap.moc"
