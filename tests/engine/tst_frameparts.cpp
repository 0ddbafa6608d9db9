// The frame's shortcuts against the canvas calls they stand for: every star stamp against DrawDot,
// every composed shadow against its copies drawn one by one with TextOutMask.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include "ShadowText.h"
#include "SpanPainter.h"
#include "StarStamps.h"
#include <Tallwick/TextMask.h>
#include <Tallwick/Vexutils.h>

#include <QTest>

using namespace Tallwick;

namespace {
constexpr TColor kBack = 0x203040;

void Blank(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush.Color = kBack;
    bitmap.Canvas()->FillRect(Rect(0, 0, width, height));
}
}  // namespace

class TestFrameParts : public QObject {
    Q_OBJECT
private slots:
    void stampsMatchDrawDot_data();
    void stampsMatchDrawDot();
    void stampsKeepToTheClipRect();
    void shadowMatchesCopies_data();
    void shadowMatchesCopies();
    void linesOfOneShadowInterleave_data();
    void linesOfOneShadowInterleave();
};

void TestFrameParts::stampsMatchDrawDot_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("inside") << 40 << 30;
    QTest::newRow("top-left corner") << 0 << 0;
    QTest::newRow("bottom-right corner") << 79 << 59;
    QTest::newRow("left of the bitmap") << -3 << 20;
    QTest::newRow("below the bitmap") << 20 << 62;
    QTest::newRow("far outside") << -500 << 9000;
}

void TestFrameParts::stampsMatchDrawDot() {
    QFETCH(int, x);
    QFETCH(int, y);
    TStarStamps stamps;
    stamps.Prepare(40);
    QCOMPARE(stamps.MaxSize(), 40);
    for (int size = -2; size <= 40; ++size) {
        TBitmap expected, stamped;
        Blank(expected, 80, 60);
        Blank(stamped, 80, 60);
        DrawDot(expected.Canvas(), x, y, size, clYellow);
        TSpanPainter painter(stamped.Canvas());
        stamps.Draw(painter, x, y, size, ColorToQRgb(clYellow) | 0xFF000000u);
        painter.End();
        QVERIFY2(stamped.Image() == expected.Image(), qPrintable(QStringLiteral("size %1").arg(size)));
    }
}

void TestFrameParts::stampsKeepToTheClipRect() {
    TStarStamps stamps;
    stamps.Prepare(12);
    TBitmap expected, stamped;
    Blank(expected, 50, 50);
    Blank(stamped, 50, 50);
    expected.Canvas()->SetClipRect(Rect(10, 12, 30, 33));
    stamped.Canvas()->SetClipRect(Rect(10, 12, 30, 33));
    for (int i = 0; i < 50; i += 3) {
        DrawDot(expected.Canvas(), i, 50 - i, 12, clRed);
        TSpanPainter painter(stamped.Canvas());
        stamps.Draw(painter, i, 50 - i, 12, ColorToQRgb(clRed) | 0xFF000000u);
    }
    QVERIFY(stamped.Image() == expected.Image());
}

void TestFrameParts::shadowMatchesCopies_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("date, 38 points, 8 copies") << "Saturday, 01 June 2024" << 38 << 7 << QPoint(300, 100);
    QTest::newRow("time, 54 points, 14 copies") << "13:05:09" << 54 << 13 << QPoint(300, 100);
    QTest::newRow("one copy") << "Wednesday" << 20 << 0 << QPoint(300, 100);
    QTest::newRow("cut at the left and top") << "Wednesday, 31 December" << 40 << 5 << QPoint(20, -10);
    QTest::newRow("cut at the right and bottom") << "Wednesday, 31 December" << 40 << 9 << QPoint(560, 190);
    QTest::newRow("wholly outside") << "00:00:00" << 30 << 3 << QPoint(-900, 100);
    QTest::newRow("empty text") << "" << 30 << 3 << QPoint(300, 100);
    QTest::newRow("tiny font") << "Monday, 07 December 2025" << 5 << 1 << QPoint(75, 50);
}

void TestFrameParts::shadowMatchesCopies() {
    QFETCH(QString, text);
    QFETCH(int, points);
    QFETCH(int, depth);
    QFETCH(QPoint, at);
    const TColor back = clBlue, front = 0xB4B4B4;
    TBitmap expected, composed;
    Blank(expected, 600, 220);
    Blank(composed, 600, 220);
    TCanvas* canvas = expected.Canvas();
    canvas->Font.SetName(QStringLiteral("Times new roman"));
    canvas->Font.SetSize(points);
    canvas->SetBkMode(TRANSPARENT);
    canvas->SetTextAlign(TA_CENTER | TA_TOP);
    TTextMask mask;
    mask.Update(canvas->Font, text);
    for (int i = 0; i <= depth; ++i) {
        canvas->Font.SetColor(BlendColor(back, front, i, depth));
        canvas->TextOutMask(at.x() - i, at.y() + i, mask);
    }
    TShadowText shadow;
    QVERIFY(!shadow.BuiltFor(depth, back, front));
    shadow.Build(mask, depth, back, front);
    QVERIFY(shadow.BuiltFor(depth, back, front));
    QVERIFY(!shadow.BuiltFor(depth + 1, back, front));
    TSpanPainter painter(composed.Canvas());
    shadow.Draw(painter, at.x(), at.y());
    painter.End();
    QVERIFY(composed.Image() == expected.Image());
}

void TestFrameParts::linesOfOneShadowInterleave_data() {
    QTest::addColumn<int>("gap");  // from the first line's cell top to the second's
    QTest::addColumn<int>("depth");
    QTest::newRow("apart") << 40 << 5;
    QTest::newRow("first line's trail over the second") << 12 << 9;
    QTest::newRow("on top of each other") << 0 << 4;
    QTest::newRow("second line above the first") << -6 << 7;
}

// Copy i of every line comes before copy i + 1 of any: where the first line's deeper copies reach
// the second line's earlier ones, the first line is on top.
void TestFrameParts::linesOfOneShadowInterleave() {
    QFETCH(int, gap);
    QFETCH(int, depth);
    const TColor back = clBlue, front = 0xB4B4B4;
    const QPoint at(150, 60);
    TBitmap expected, composed;
    Blank(expected, 300, 160);
    Blank(composed, 300, 160);
    TCanvas* canvas = expected.Canvas();
    canvas->Font.SetName(QStringLiteral("Times new roman"));
    canvas->Font.SetSize(14);
    canvas->SetBkMode(TRANSPARENT);
    canvas->SetTextAlign(TA_CENTER | TA_TOP);
    TTextMask first, second;
    first.Update(canvas->Font, QStringLiteral("Saturday, 01 July 2023"));
    second.Update(canvas->Font, QStringLiteral("23:59:58"));
    for (int i = 0; i <= depth; ++i) {
        canvas->Font.SetColor(BlendColor(back, front, i, depth));
        canvas->TextOutMask(at.x() - i, at.y() + i, first);
        canvas->TextOutMask(at.x() + 5 - i, at.y() + gap + i, second);
    }
    TShadowText shadow;
    shadow.Build({{&first, 0, 0}, {&second, 5, gap}}, depth, back, front);
    TSpanPainter painter(composed.Canvas());
    shadow.Draw(painter, at.x(), at.y());
    painter.End();
    QVERIFY(composed.Image() == expected.Image());
}

QTEST_MAIN(TestFrameParts)
#include "tst_frameparts.moc"
