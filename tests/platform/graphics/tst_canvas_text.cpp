// Text on the canvas: faces and sizes, measurement, alignment, background modes and how they
// follow the brush, the prepared text mask, and escapement.
#include <Tallwick/GdiCalls.h>
#include "PixelTools.h"
#include <Tallwick/TextMask.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

using namespace Tallwick;

namespace {
const TColor kBackground = RGB(0, 128, 64);
constexpr TColor kBrush = clYellow;
constexpr TColor kText = clBlack;

void UseFont(TCanvas* canvas, const QString& face, int points, TFontStyles style = 0) {
    canvas->Font.SetName(face);
    canvas->Font.SetSize(points);
    canvas->Font.SetStyle(style);
    canvas->Font.SetColor(kText);
}
}  // namespace

class TestCanvasText : public QObject {
    Q_OBJECT
private slots:
    void faces_data();
    void faces();
    void pointSizes_data();
    void pointSizes();
    void textHeight_data();
    void textHeight();
    void alignment_data();
    void alignment();
    void backgroundModes_data();
    void backgroundModes();
    void backgroundFollowsBrush_data();
    void backgroundFollowsBrush();
    void maskDrawsAsTextOut_data();
    void maskDrawsAsTextOut();
    void escapement();
    void zeroSizeTakesDefaultHeight();
    void fontCopiesAreIndependent_data();
    void fontCopiesAreIndependent();
    void maskCopiesAreIndependent();
};

void TestCanvasText::faces_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "Liberation Serif";
    QTest::newRow("Times new roman") << "Times new roman"
                                     << "Liberation Serif";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("default face") << QString() << "Liberation Sans";
}

void TestCanvasText::faces() {
    QFETCH(QString, face);
    QFETCH(QString, family);
    TFont font;
    if (!face.isNull())
        font.SetName(face);
    QCOMPARE(QFontInfo(font.Resolved()).family(), family);
}

void TestCanvasText::pointSizes_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("height");
    QTest::newRow("8") << 8 << -11;
    QTest::newRow("9") << 9 << -12;
    QTest::newRow("10") << 10 << -13;
    QTest::newRow("14") << 14 << -19;
    QTest::newRow("38") << 38 << -51;
    QTest::newRow("72") << 72 << -96;
}

// Points become a pixel em-height at 96 pixels per inch, rounded; the size reads back.
void TestCanvasText::pointSizes() {
    QFETCH(int, points);
    QFETCH(int, height);
    TFont font;
    font.SetSize(points);
    QCOMPARE(font.Height(), height);
    QCOMPARE(font.Size(), points);
    QCOMPARE(font.Resolved().pixelSize(), -height);
}

void TestCanvasText::textHeight_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::newRow("sans 8") << "MS Sans Serif" << 8;
    QTest::newRow("serif 38") << "Times New Roman" << 38;
    QTest::newRow("serif 100") << "Times New Roman" << 100;
}

// Text height is ascent + descent whatever the string, and text drawn from the top stays in it.
void TestCanvasText::textHeight() {
    QFETCH(QString, face);
    QFETCH(int, points);
    auto bitmap = FilledBitmap(400, 220, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    UseFont(canvas, face, points);
    const QFontMetrics metrics(canvas->Font.Resolved());
    QCOMPARE(canvas->TextHeight(QStringLiteral("0")), metrics.ascent() + metrics.descent());
    QCOMPARE(canvas->TextHeight(QStringLiteral("Hg")), canvas->TextHeight(QStringLiteral("0")));
    QCOMPARE(canvas->TextExtent(QStringLiteral("Hg")).y, canvas->TextHeight(QStringLiteral("0")));
    QVERIFY(canvas->TextHeight(QStringLiteral("0")) > canvas->Font.Resolved().pixelSize());

    SetBkMode(canvas->Handle(), TRANSPARENT);
    canvas->TextOut(5, 10, QStringLiteral("Hg"));
    const QRect ink = BoundsOf(bitmap->Image(), kText);
    QVERIFY(!ink.isNull());
    QVERIFY(ink.top() >= 10);
    QVERIFY(ink.bottom() < 10 + canvas->TextHeight(QStringLiteral("Hg")));
}

void TestCanvasText::alignment_data() {
    QTest::addColumn<uint>("align");
    QTest::newRow("left, top") << (TA_LEFT | TA_TOP);
    QTest::newRow("centre, top") << (TA_CENTER | TA_TOP);
    QTest::newRow("right, top") << (TA_RIGHT | TA_TOP);
    QTest::newRow("left, baseline") << (TA_LEFT | TA_BASELINE);
    QTest::newRow("centre, bottom") << (TA_CENTER | TA_BOTTOM);
}

// The reference point is the left, centre or right of the text and its top, baseline or bottom.
void TestCanvasText::alignment() {
    QFETCH(uint, align);
    auto bitmap = FilledBitmap(300, 120, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    UseFont(canvas, QStringLiteral("MS Sans Serif"), 20);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    QCOMPARE(SetTextAlign(canvas->Handle(), align), TA_LEFT | TA_TOP);
    const int x = 150, y = 60;
    canvas->TextOut(x, y, QStringLiteral("Hello"));
    const QRect ink = BoundsOf(bitmap->Image(), kText);
    QVERIFY(!ink.isNull());
    const QFontMetrics metrics(canvas->Font.Resolved());
    const int width = canvas->TextWidth(QStringLiteral("Hello"));

    switch (align & 6) {
    case TA_LEFT: QVERIFY(ink.left() >= x && ink.left() <= x + 3); break;
    case TA_RIGHT: QVERIFY(ink.right() < x && ink.right() >= x - 4); break;
    default: QVERIFY(qAbs((ink.left() + ink.right() + 1) / 2.0 - x) <= 2);
    }
    switch (align & 24) {
    case TA_TOP: QVERIFY(ink.top() >= y && ink.bottom() < y + metrics.ascent()); break;
    case TA_BASELINE: QCOMPARE(ink.bottom(), y - 1); break;
    default: QCOMPARE(ink.bottom(), y - metrics.descent() - 1);
    }
    QVERIFY(ink.width() <= width);
}

void TestCanvasText::backgroundModes_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("transparent") << TRANSPARENT;
    QTest::newRow("opaque") << OPAQUE;
}

// Transparent leaves the background between the glyphs; opaque fills exactly the text cell
// (advance width x text height) with the brush.
void TestCanvasText::backgroundModes() {
    QFETCH(int, mode);
    auto bitmap = FilledBitmap(200, 60, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    UseFont(canvas, QStringLiteral("MS Sans Serif"), 20);
    canvas->Brush.Color = kBrush;
    SetBkMode(canvas->Handle(), mode);
    const QString text = QStringLiteral("Hi there");
    canvas->TextOut(10, 10, text);
    QCOMPARE(canvas->PenPos().x, 10 + canvas->TextWidth(text));

    const QImage& image = bitmap->Image();
    const QRect cell(10, 10, canvas->TextWidth(text), canvas->TextHeight(text));
    QVERIFY(CountOf(image, kText) > 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = ColorAt(image, x, y);
            const TColor behind = mode == OPAQUE && cell.contains(x, y) ? kBrush : kBackground;
            QVERIFY2(c == behind || c == kText, PixelName(x, y));
        }
    }
    QCOMPARE(CountOf(image, kBrush) > 0, mode == OPAQUE);
}

void TestCanvasText::backgroundFollowsBrush_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("mode");
    using L = QStringList;
    QTest::newRow("transparent, brush untouched") << L{"transparent", "text"} << TRANSPARENT;
    QTest::newRow("transparent, then a brush colour") << L{"transparent", "brush", "text"} << OPAQUE;
    QTest::newRow("a brush colour, then transparent") << L{"brush", "transparent", "text"} << TRANSPARENT;
    QTest::newRow("transparent, a fill, then text") << L{"transparent", "fill", "text"} << TRANSPARENT;
    QTest::newRow("transparent, a colour and a fill") << L{"transparent", "brush", "fill", "text"} << OPAQUE;
    QTest::newRow("clear brush") << L{"clear brush", "text"} << TRANSPARENT;
    QTest::newRow("clear brush, then solid") << L{"clear brush", "text", "solid brush", "text"} << OPAQUE;
}

// The device context takes its background mode from the brush whenever a changed brush is
// realised (by drawing, or by asking for the handle); a mode set afterwards lasts until the brush
// changes again.
void TestCanvasText::backgroundFollowsBrush() {
    QFETCH(QStringList, steps);
    QFETCH(int, mode);
    auto bitmap = FilledBitmap(200, 60, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    UseFont(canvas, QStringLiteral("MS Sans Serif"), 20);
    canvas->Brush.Color = kBrush;
    canvas->FillRect(Rect(0, 0, 0, 0));  // realise the yellow brush first
    for (const QString& step : steps) {
        if (step == QLatin1String("transparent"))
            SetBkMode(canvas->Handle(), TRANSPARENT);
        else if (step == QLatin1String("brush"))
            canvas->Brush.Color = RGB(255, 255, 1);
        else if (step == QLatin1String("clear brush"))
            canvas->Brush.Style = bsClear;
        else if (step == QLatin1String("solid brush"))
            canvas->Brush.Style = bsSolid;
        else if (step == QLatin1String("fill"))
            canvas->FillRect(Rect(0, 0, 0, 0));
        else if (step == QLatin1String("text"))
            canvas->TextOut(10, 10, QStringLiteral("Hi there"));
    }
    QCOMPARE(canvas->BkMode(), mode);
    const int background = CountOf(bitmap->Image(), RGB(255, 255, 1)) + CountOf(bitmap->Image(), kBrush);
    QCOMPARE(background > 0, mode == OPAQUE && canvas->Brush.Style == bsSolid);
}

void TestCanvasText::maskDrawsAsTextOut_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::addColumn<uint>("style");
    QTest::addColumn<uint>("align");
    QTest::addColumn<int>("mode");
    const QString sans = QStringLiteral("MS Sans Serif"), serif = QStringLiteral("Times New Roman");
    QTest::newRow("8 pt") << "Hello, World" << sans << 8 << 0u << TA_LEFT << OPAQUE;
    QTest::newRow("14 pt date") << "Monday, 07 December 2025" << serif << 14 << 0u << TA_LEFT << TRANSPARENT;
    QTest::newRow("38 pt time, centred") << "12:34:56" << serif << 38 << 0u << TA_CENTER << TRANSPARENT;
    QTest::newRow("48 pt italic") << "fly jig" << serif << 48 << uint(fsItalic) << TA_LEFT << TRANSPARENT;
    QTest::newRow("72 pt") << "Wg" << sans << 72 << 0u << TA_LEFT << OPAQUE;
    QTest::newRow("100 pt bold") << "Agq" << serif << 100 << uint(fsBold) << TA_CENTER << TRANSPARENT;
}

// The prepared mask puts down exactly the pixels TextOut would, at every size (glyphs above
// 64 pixels are drawn as paths), with alignment and background mode alike.
void TestCanvasText::maskDrawsAsTextOut() {
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(int, points);
    QFETCH(uint, style);
    QFETCH(uint, align);
    QFETCH(int, mode);
    auto direct = FilledBitmap(10, 10, kBackground);
    UseFont(direct->Canvas(), face, points, style);
    const int w = direct->Canvas()->TextWidth(text) + 3 * points;
    const int h = direct->Canvas()->TextHeight(text) + 3 * points;
    direct = FilledBitmap(w, h, kBackground);
    auto masked = FilledBitmap(w, h, kBackground);
    TTextMask mask;
    for (TBitmap* bitmap : {direct.get(), masked.get()}) {
        TCanvas* canvas = bitmap->Canvas();
        UseFont(canvas, face, points, style);
        canvas->Brush.Color = kBrush;
        SetBkMode(canvas->Handle(), mode);
        SetTextAlign(canvas->Handle(), align | TA_TOP);
    }
    const int x = align == TA_CENTER ? w / 2 : 3 * points / 2, y = 3 * points / 2;
    direct->Canvas()->TextOut(x, y, text);
    mask.Update(masked->Canvas()->Font, text);
    QCOMPARE(mask.Width(), direct->Canvas()->TextWidth(text));
    QCOMPARE(mask.Height(), direct->Canvas()->TextHeight(text));
    masked->Canvas()->TextOutMask(x, y, mask);

    QVERIFY(CountOf(direct->Image(), kText) > 0);
    const QString diff = FirstDifference(masked->Image(), direct->Image());
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(masked->Canvas()->PenPos().x, direct->Canvas()->PenPos().x);
}

// An escapement of 900 tenths turns the text a quarter counter-clockwise about its reference
// point: it runs upward from there, its top to the left.
void TestCanvasText::escapement() {
    auto bitmap = FilledBitmap(120, 220, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    UseFont(canvas, QStringLiteral("MS Sans Serif"), 20);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    const QString text = QStringLiteral("Vertical");
    const int width = canvas->TextWidth(text), height = canvas->TextHeight(text);
    canvas->Font.SetOrientation(900);
    canvas->TextOut(40, 180, text);
    const QRect ink = BoundsOf(bitmap->Image(), kText);
    QVERIFY(!ink.isNull());
    QVERIFY(ink.height() > 2 * ink.width());
    QVERIFY(ink.left() >= 40 && ink.right() < 40 + height);
    QVERIFY(ink.bottom() <= 180 && ink.top() >= 180 - width);
}

// A surface under 20 pixels high asks for a 0-point font: the font mapper's default height, not
// a one-pixel font.
void TestCanvasText::zeroSizeTakesDefaultHeight() {
    auto bitmap = FilledBitmap(100, 40, kBackground);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font.SetName(QStringLiteral("Times new roman"));
    canvas->Font.SetSize(12);
    const int twelvePoints = canvas->TextHeight(QStringLiteral("0"));
    canvas->Font.SetSize(0);
    QCOMPARE(canvas->Font.Height(), 0);
    QCOMPARE(canvas->TextHeight(QStringLiteral("0")), twelvePoints);
    QVERIFY(twelvePoints > 10);
}

void TestCanvasText::fontCopiesAreIndependent_data() {
    QTest::addColumn<int>("method");
    QTest::newRow("copy construction") << 0;
    QTest::newRow("assignment") << 1;
    QTest::newRow("Assign") << 2;
}

// A copy holds the whole font (turned, resolved) and keeps it when the original changes.
void TestCanvasText::fontCopiesAreIndependent() {
    QFETCH(int, method);
    TFont original;
    original.SetName(QStringLiteral("Times New Roman"));
    original.SetSize(14);
    original.SetStyle(fsBold);
    original.SetColor(clRed);
    original.SetOrientation(450);
    const QString key = original.Key();
    const int pixelSize = original.Resolved().pixelSize();
    const TFont copied = [&] {
        if (method == 0)
            return TFont(original);
        TFont result;
        if (method == 1)
            result = original;
        else
            result.Assign(original);
        return result;
    }();
    original.SetName(QStringLiteral("Arial"));
    original.SetSize(30);
    original.SetStyle(fsItalic);
    original.SetColor(clBlue);
    QCOMPARE(copied.Name(), QStringLiteral("Times New Roman"));
    QCOMPARE(copied.Size(), 14);
    QCOMPARE(copied.Style(), TFontStyles(fsBold));
    QCOMPARE(copied.Color(), clRed);
    QCOMPARE(copied.Orientation(), 450);
    QCOMPARE(copied.Key(), key);
    QCOMPARE(copied.Resolved().pixelSize(), pixelSize);
    TFont& alias = original;
    original = alias;  // assigning a font to itself keeps it
    QCOMPARE(original.Name(), QStringLiteral("Arial"));
}

// A copied mask keeps its text, sizes and spans when the original is prepared for other text.
void TestCanvasText::maskCopiesAreIndependent() {
    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetSize(12);
    TTextMask original;
    original.Update(font, QStringLiteral("Wg"));
    const TTextMask copied(original);
    TTextMask assigned;
    assigned = original;
    const int width = original.Width(), height = original.Height();
    const size_t spans = original.Spans().size();
    QVERIFY(spans > 0);
    original.Update(font, QStringLiteral("a much longer line"));
    QVERIFY(original.Width() > width);
    for (const TTextMask* mask : {&copied, static_cast<const TTextMask*>(&assigned)}) {
        QCOMPARE(mask->Text(), QStringLiteral("Wg"));
        QCOMPARE(mask->Width(), width);
        QCOMPARE(mask->Height(), height);
        QCOMPARE(mask->Spans().size(), spans);
    }
}

QTEST_MAIN(TestCanvasText)
#include "tst_canvas_text.moc"
