// The gradient progress bar: bar and label pixels in both modes and orientations, stepping,
// setter rules and the 64-bit range arithmetic.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Tvexprogress.h>

#include <QSignalSpy>
#include <QtTest>

using namespace Tallwick;

namespace {
TCanvas* ImageCanvas(TVexProgress& bar) { return bar.Image()->Canvas(); }
QImage Picture(TVexProgress& bar) { return bar.Image()->Picture()->Bitmap()->Image(); }

// Band i of 64 from a to b, as the gradient fill computes it.
int MulDiv(int a, int b, int c) {
    const long long p = 1LL * a * b;
    const long long q = (std::llabs(p) + c / 2) / c;
    return int(p < 0 ? -q : q);
}
TColor Band(TColor a, TColor b, int i, int n = 64) {
    return RGB(GetRValue(a) + MulDiv(i, GetRValue(b) - GetRValue(a), n - 1),
               GetGValue(a) + MulDiv(i, GetGValue(b) - GetGValue(a), n - 1),
               GetBValue(a) + MulDiv(i, GetBValue(b) - GetBValue(a), n - 1));
}

// The colour a horizontal gradient of `extent` pixels from a to b gives at offset x.
TColor GradientAt(TColor a, TColor b, int extent, int x) {
    const int n = std::max(2, std::min(64, extent)), band = extent / n;
    if (band > 0 && x < n * band)
        return Band(a, b, x / band, n);
    return b;
}

QRgb Inverted(QRgb p) { return qRgb(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)); }
}  // namespace

class TestVexProgress : public QObject {
    Q_OBJECT
private slots:
    void newBarIsHalfFilledAquaToNavy();
    void labelIsInvertedAndCentred();
    void endsOfTheRange_data();
    void endsOfTheRange();
    void verticalFillsFromTheBottom();
    void stepping_data();
    void stepping();
    void timerStepsTurnAtTheBounds();
    void setterRules();
    void minAndMaxReclampPosition();
    void percentageIsOfTheRange_data();
    void percentageIsOfTheRange();
    void wideRangesStayExact();
    void usersResizeHandlerKeepsTheRedraw();
};

void TestVexProgress::newBarIsHalfFilledAquaToNavy() {
    TVexProgress bar;
    QCOMPARE(bar.size(), QSize(200, 15));
    QCOMPARE(bar.Image()->Width(), 196);
    QCOMPARE(bar.Image()->Height(), 11);
    QCOMPARE(bar.Position(), 50);
    QCOMPARE(bar.BackColor(), clBtnFace);
    QCOMPARE(bar.Color1(), clAqua);
    QCOMPARE(bar.Color2(), clNavy);
    QCOMPARE(bar.Font().Name(), QStringLiteral("Times New Roman"));
    QCOMPARE(bar.Font().Size(), 8);
    QCOMPARE(bar.Font().Style(), TFontStyles(fsBold | fsItalic));
    QCOMPARE(bar.LabelText(), QStringLiteral("50 %"));
    bar.SetShowValue(false);
    TCanvas* c = ImageCanvas(bar);
    // p = 50 x 196 / 100 = 98: 64 one-pixel bands, then 34 pixels of navy, then the face colour.
    for (int x = 0; x < 196; ++x) {
        const TColor expected = x < 98 ? GradientAt(clAqua, clNavy, 98, x) : ColorToRGB(clBtnFace);
        QCOMPARE(c->Pixel(x, 0), expected);
        QCOMPARE(c->Pixel(x, 10), expected);
    }
    QCOMPARE(c->Pixel(0, 5), clAqua);
    QCOMPARE(c->Pixel(97, 5), clNavy);
}

// Glyph pixels invert what lies beneath; everything else is the bar itself.
void TestVexProgress::labelIsInvertedAndCentred() {
    TVexProgress bar;
    bar.SetShowValue(false);
    const QImage plain = Picture(bar);
    bar.SetShowValue(true);
    const QImage labelled = Picture(bar);
    TBitmap scratch;
    scratch.SetSize(1, 1);
    TCanvas* probe = scratch.Canvas();
    probe->Font.Assign(bar.Font());
    const int tw = probe->TextWidth(QStringLiteral("50 %")), th = probe->TextHeight(QStringLiteral("50 %"));
    const QRect box((196 - tw) / 2, (11 - th) / 2, tw, th);
    int inverted = 0, left = 196, right = -1;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 196; ++x) {
            const QRgb a = plain.pixel(x, y), b = labelled.pixel(x, y);
            if (a == b)
                continue;
            QCOMPARE(b, Inverted(a));
            QVERIFY2(box.contains(x, y), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            ++inverted;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    QVERIFY(inverted > 20);
    // Centred: the ink stands about as far from the left as from the right of the image.
    QVERIFY(std::abs(left - (195 - right)) <= 4);
    QVERIFY(left < 98 && right > 98);  // over both the gradient and the background
}

void TestVexProgress::endsOfTheRange_data() {
    QTest::addColumn<bool>("timer");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("ordinary at Min: background only")
        << false << 0 << int(ColorToRGB(clBtnFace)) << int(ColorToRGB(clBtnFace));
    QTest::newRow("ordinary at Max: one gradient") << false << 100 << int(clAqua) << int(clNavy);
    QTest::newRow("timer at Min: navy to aqua") << true << 0 << int(clNavy) << int(clAqua);
    QTest::newRow("timer at Max: aqua to navy") << true << 100 << int(clAqua) << int(clNavy);
}

void TestVexProgress::endsOfTheRange() {
    QFETCH(bool, timer);
    QFETCH(int, position);
    QFETCH(int, left);
    QFETCH(int, right);
    TVexProgress bar;
    bar.SetShowValue(false);
    bar.SetIsTimer(timer);
    bar.SetPosition(position);
    QCOMPARE(ImageCanvas(bar)->Pixel(0, 5), left);
    QCOMPARE(ImageCanvas(bar)->Pixel(195, 5), right);
}

void TestVexProgress::verticalFillsFromTheBottom() {
    TVexProgress bar;
    bar.SetShowValue(false);
    bar.SetOrientation(TVexProgress::vpoVertical);
    bar.SetBounds(0, 0, 20, 200);
    QCOMPARE(bar.Image()->Height(), 196);
    TCanvas* c = ImageCanvas(bar);
    // Rows 98 .. 195 filled: navy at the top of the filled part, aqua at the bottom.
    QCOMPARE(c->Pixel(5, 0), ColorToRGB(clBtnFace));
    QCOMPARE(c->Pixel(5, 97), ColorToRGB(clBtnFace));
    QCOMPARE(c->Pixel(5, 98), clNavy);
    QCOMPARE(c->Pixel(5, 98 + 63), clAqua);
    QCOMPARE(c->Pixel(5, 195), clAqua);
    QCOMPARE(c->Pixel(5, 98 + 10), Band(clNavy, clAqua, 10));
    // Timer mode: aqua at the top, navy at the position, aqua at the bottom.
    bar.SetIsTimer(true);
    QCOMPARE(c->Pixel(5, 0), clAqua);
    QCOMPARE(c->Pixel(5, 97), clNavy);
    QCOMPARE(c->Pixel(5, 98), clNavy);
    QCOMPARE(c->Pixel(5, 195), clAqua);
}

void TestVexProgress::stepping_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("to");
    QTest::newRow("up to Max") << 95 << 10 << 100;
    QTest::newRow("down to Min") << 5 << -10 << 0;
    QTest::newRow("inside") << 40 << 7 << 47;
    QTest::newRow("huge up") << 40 << INT_MAX << 100;
    QTest::newRow("huge down") << 40 << INT_MIN << 0;
}

void TestVexProgress::stepping() {
    QFETCH(int, from);
    QFETCH(int, delta);
    QFETCH(int, to);
    TVexProgress bar;
    bar.SetPosition(from);
    bar.StepIt(delta);
    QCOMPARE(bar.Position(), to);
    bar.SetPosition(from);
    bar.StepIt();
    QCOMPARE(bar.Position(), std::min(from + 1, 100));
}

void TestVexProgress::timerStepsTurnAtTheBounds() {
    TVexProgress bar;
    bar.SetIsTimer(true);
    bar.SetPosition(95);
    bar.StepIt(10);
    QCOMPARE(bar.Position(), 105);
    QCOMPARE(bar.StepDirection(), -1);
    QCOMPARE(bar.LabelText(), QStringLiteral("105 %"));
    bar.StepIt(10);
    QCOMPARE(bar.Position(), 95);
    bar.SetPosition(3);
    bar.StepIt(10);  // 3 - 10 <= 0: turns up again
    QCOMPARE(bar.Position(), -7);
    QCOMPARE(bar.StepDirection(), 1);
    bar.StepIt(10);
    QCOMPARE(bar.Position(), 3);
    // Past a bound the bar still paints: Color2 meets Color1 beyond the end.
    bar.SetShowValue(false);
    bar.SetPosition(100);
    bar.StepIt(INT_MAX);
    QCOMPARE(bar.Position(), INT_MAX);
    bar.StepIt(INT_MAX);
    QCOMPARE(bar.Position(), INT_MAX - INT_MAX);
}

void TestVexProgress::setterRules() {
    TVexProgress bar;
    QSignalSpy max(&bar, &TVexProgress::MaxChanged), min(&bar, &TVexProgress::MinChanged),
        pos(&bar, &TVexProgress::PositionChanged);
    const QImage before = Picture(bar);
    bar.SetMax(0);
    bar.SetMax(-5);
    bar.SetMin(100);
    bar.SetMin(200);
    bar.SetPosition(50);
    QCOMPARE(max.count() + min.count() + pos.count(), 0);
    QCOMPARE(Picture(bar), before);
    bar.SetPosition(1000);
    QCOMPARE(bar.Position(), 100);
    bar.SetPosition(-1000);
    QCOMPARE(bar.Position(), 0);
    QCOMPARE(pos.count(), 2);
    QSignalSpy color(&bar, &TVexProgress::Color1Changed);
    bar.SetColor1Value(uint(clAqua));
    QCOMPARE(color.count(), 0);
    bar.SetColor1QColor(QColor(255, 0, 0));
    QCOMPARE(color.count(), 1);
    QCOMPARE(bar.Color1(), clRed);
}

void TestVexProgress::minAndMaxReclampPosition() {
    TVexProgress bar;
    QSignalSpy pos(&bar, &TVexProgress::PositionChanged);
    bar.SetMax(40);
    QCOMPARE(bar.Position(), 40);
    bar.SetMin(-10);
    QCOMPARE(bar.Position(), 40);
    bar.SetMin(39);
    QCOMPARE(bar.Position(), 40);
    bar.SetMax(1000);
    bar.SetMin(500);
    QCOMPARE(bar.Position(), 500);
    QCOMPARE(pos.count(), 2);
    QCOMPARE(bar.LabelText(), QStringLiteral("0 %"));
}

void TestVexProgress::percentageIsOfTheRange_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::newRow("0 to 100, 50") << 0 << 100 << 50 << "50 %";
    QTest::newRow("50 to 150 at Min") << 50 << 150 << 50 << "0 %";
    QTest::newRow("50 to 150 at Max") << 50 << 150 << 150 << "100 %";
    QTest::newRow("Max 0") << -100 << 0 << -50 << "50 %";
    QTest::newRow("Max 0 at Max") << -100 << 0 << 0 << "100 %";
    QTest::newRow("full int range") << INT_MIN << INT_MAX << 0 << "50 %";
    QTest::newRow("truncated") << 0 << 3 << 2 << "66 %";
}

void TestVexProgress::percentageIsOfTheRange() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, position);
    QFETCH(QString, label);
    TVexProgress bar;
    bar.SetMax(INT_MAX);
    bar.SetMin(min);
    bar.SetMax(max);
    bar.SetPosition(position);
    QCOMPARE(bar.LabelText(), label);
}

// A range wider than 10 million: the filled part is computed in 64 bits.
void TestVexProgress::wideRangesStayExact() {
    TVexProgress bar;
    bar.SetShowValue(false);
    bar.SetMax(2000000000);
    bar.SetMin(-2000000000);
    bar.SetPosition(1000000000);  // 3/4 of the range: p = 147
    TCanvas* c = ImageCanvas(bar);
    QCOMPARE(c->Pixel(146, 5), clNavy);
    QCOMPARE(c->Pixel(147, 5), ColorToRGB(clBtnFace));
    bar.SetOrientation(TVexProgress::vpoVertical);
    bar.SetBounds(0, 0, 20, 204);  // image 200 high: p = 150
    QCOMPARE(c->Pixel(5, 49), ColorToRGB(clBtnFace));
    QCOMPARE(c->Pixel(5, 50), clNavy);
}

void TestVexProgress::usersResizeHandlerKeepsTheRedraw() {
    TVexProgress bar;
    bar.SetShowValue(false);
    int calls = 0;
    bar.OnResize = [&](QObject* sender) {
        QCOMPARE(sender, &bar);
        ++calls;
    };
    bar.SetBounds(0, 0, 104, 20);
    QVERIFY(calls >= 1);
    QCOMPARE(bar.Image()->Width(), 100);
    QCOMPARE(ImageCanvas(bar)->Pixel(49, 5), clNavy);
    QCOMPARE(ImageCanvas(bar)->Pixel(50, 5), ColorToRGB(clBtnFace));
}

QTEST_MAIN(TestVexProgress)
#include "tst_vexprogress.moc"
