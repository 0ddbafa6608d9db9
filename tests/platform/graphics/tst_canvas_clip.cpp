// Clipping: a clip rectangle, set on the canvas or selected as a region through the device
// handle, stops every drawing call at its edge; reading pixels and PtVisible honour it.
#include <Tallwick/GdiCalls.h>
#include "PixelTools.h"
#include <Tallwick/TextMask.h>

#include <QtTest>

using namespace Tallwick;

namespace {
const QRect kClip(15, 15, 30, 30);  // in a 60 x 60 bitmap

// Draws with one canvas call (or a few of the same kind) across the whole bitmap.
void DrawAcross(const QString& call, TCanvas* canvas) {
    canvas->Pen.Color = clBlue;
    canvas->Pen.Width = 1;
    canvas->Brush.Color = clRed;
    canvas->Font.SetSize(30);
    canvas->Font.SetColor(clBlack);
    if (call == QLatin1String("SetPixel")) {
        for (int y = -2; y < 62; ++y)
            for (int x = -2; x < 62; ++x)
                canvas->SetPixel(x, y, clGreen);
    } else if (call.endsWith(QLatin1String("LineTo"))) {
        canvas->Pen.Width = call.startsWith(QLatin1String("wide")) ? 5 : 1;
        const int lines[][4] = {{0, 0, 60, 60}, {0, 30, 60, 30}, {30, 0, 30, 60}, {59, 0, 0, 59}};
        for (const auto& l : lines) {
            canvas->MoveTo(l[0], l[1]);
            canvas->LineTo(l[2], l[3]);
        }
    } else if (call == QLatin1String("Rectangle")) {
        canvas->Rectangle(20, 5, 40, 55);
    } else if (call == QLatin1String("FillRect")) {
        canvas->FillRect(Rect(0, 0, 60, 60));
    } else if (call == QLatin1String("Ellipse")) {
        canvas->Ellipse(0, 0, 60, 60);
    } else if (call == QLatin1String("Polygon")) {
        const TPoint corners[] = {{0, 0}, {60, 10}, {10, 60}};
        canvas->Polygon(corners, 3);
    } else if (call == QLatin1String("TextOut")) {
        canvas->TextOut(0, 5, QStringLiteral("WWWW"));
        canvas->TextOut(0, 30, QStringLiteral("MMMM"));
    } else if (call == QLatin1String("TextOutMask")) {
        TTextMask mask;
        mask.Update(canvas->Font, QStringLiteral("WWWW"));
        canvas->TextOutMask(0, 5, mask);
        canvas->TextOutMask(0, 30, mask);
    } else if (call == QLatin1String("Draw")) {
        canvas->Draw(0, 0, *FilledBitmap(60, 60, clGreen));
    } else if (call == QLatin1String("StretchDraw")) {
        canvas->StretchDraw(Rect(0, 0, 60, 60), *FilledBitmap(2, 2, clGreen));
    } else {
        QFAIL("unknown drawing call");
    }
}

int ChangedPixels(const QImage& image, bool insideClip) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (kClip.contains(x, y) == insideClip && ColorAt(image, x, y) != clWhite)
                ++n;
    return n;
}
}  // namespace

class TestCanvasClip : public QObject {
    Q_OBJECT
private slots:
    void everyCallStopsAtTheClip_data();
    void everyCallStopsAtTheClip();
    void selectedRegionIsCopied();
    void regionOutsideTheBitmap();
    void visibility_data();
    void visibility();
};

void TestCanvasClip::everyCallStopsAtTheClip_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("asRegion");
    const char* calls[] = {"SetPixel", "LineTo",  "wide LineTo", "Rectangle", "FillRect",   "Ellipse",
                           "Polygon",  "TextOut", "TextOutMask", "Draw",      "StretchDraw"};
    for (const char* call : calls) {
        QTest::addRow("%s, clip rectangle", call) << QString::fromLatin1(call) << false;
        QTest::addRow("%s, clip region", call) << QString::fromLatin1(call) << true;
    }
}

void TestCanvasClip::everyCallStopsAtTheClip() {
    QFETCH(QString, call);
    QFETCH(bool, asRegion);
    auto bitmap = FilledBitmap(60, 60, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    if (asRegion) {
        Tallwick::HRGN region = CreateRectRgn(kClip.left(), kClip.top(), kClip.right() + 1, kClip.bottom() + 1);
        QCOMPARE(SelectClipRgn(canvas->Handle(), region), 2);  // a simple region
        DeleteObject(region);
    } else {
        canvas->SetClipRect(Rect(kClip.left(), kClip.top(), kClip.right() + 1, kClip.bottom() + 1));
    }
    DrawAcross(call, canvas);
    QCOMPARE(ChangedPixels(bitmap->Image(), false), 0);
    QVERIFY(ChangedPixels(bitmap->Image(), true) > 0);

    // Without the clip the same call reaches beyond it.
    if (asRegion)
        SelectClipRgn(canvas->Handle(), nullptr);
    else
        canvas->ClearClipRect();
    DrawAcross(call, canvas);
    QVERIFY(ChangedPixels(bitmap->Image(), false) > 0);
}

// The canvas keeps its own copy of a selected region, as a device context does.
void TestCanvasClip::selectedRegionIsCopied() {
    auto bitmap = FilledBitmap(20, 20, clWhite);
    Tallwick::HRGN region = CreateRectRgn(12, 12, 2, 2);  // corners in any order
    SelectClipRgn(bitmap->Canvas()->Handle(), region);
    QVERIFY(DeleteObject(region));
    bitmap->Canvas()->Brush.Color = clRed;
    bitmap->Canvas()->FillRect(Rect(0, 0, 20, 20));
    QCOMPARE(BoundsOf(bitmap->Image(), clRed), QRect(2, 2, 10, 10));
}

void TestCanvasClip::regionOutsideTheBitmap() {
    auto bitmap = FilledBitmap(20, 20, clWhite);
    Tallwick::HRGN region = CreateRectRgn(30, 30, 40, 40);
    QCOMPARE(SelectClipRgn(bitmap->Canvas()->Handle(), region), 1);  // a null region
    DeleteObject(region);
    bitmap->Canvas()->Brush.Color = clRed;
    bitmap->Canvas()->FillRect(Rect(0, 0, 40, 40));
    bitmap->Canvas()->Ellipse(0, 0, 40, 40);
    QCOMPARE(CountOf(bitmap->Image(), clWhite), 400);
}

void TestCanvasClip::visibility_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("visibleWithClip");
    QTest::addColumn<bool>("visibleWithout");
    QTest::newRow("inside the clip") << QPoint(20, 30) << true << true;
    QTest::newRow("clip's top-left pixel") << QPoint(15, 15) << true << true;
    QTest::newRow("clip's bottom-right pixel") << QPoint(44, 44) << true << true;
    QTest::newRow("just right of the clip") << QPoint(45, 30) << false << true;
    QTest::newRow("just below the clip") << QPoint(30, 45) << false << true;
    QTest::newRow("left of the clip") << QPoint(14, 20) << false << true;
    QTest::newRow("last pixel of the bitmap") << QPoint(59, 59) << false << true;
    QTest::newRow("outside the bitmap") << QPoint(60, 10) << false << false;
    QTest::newRow("negative") << QPoint(-1, 20) << false << false;
}

// PtVisible follows the clip; Pixel gives -1 wherever PtVisible says no.
void TestCanvasClip::visibility() {
    QFETCH(QPoint, point);
    QFETCH(bool, visibleWithClip);
    QFETCH(bool, visibleWithout);
    auto bitmap = FilledBitmap(60, 60, RGB(1, 2, 3));
    TCanvas* canvas = bitmap->Canvas();
    QCOMPARE(PtVisible(canvas->Handle(), point.x(), point.y()), visibleWithout);
    QCOMPARE(canvas->Pixel(point.x(), point.y()), visibleWithout ? RGB(1, 2, 3) : -1);
    canvas->SetClipRect(Rect(15, 15, 45, 45));
    QCOMPARE(PtVisible(canvas->Handle(), point.x(), point.y()), visibleWithClip);
    QCOMPARE(canvas->Pixel(point.x(), point.y()), visibleWithClip ? RGB(1, 2, 3) : -1);
}

QTEST_MAIN(TestCanvasClip)
#include "tst_canvas_clip.moc"
