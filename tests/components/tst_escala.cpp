// The colour scale: layout of band and labels, colours of values, marks, setters and edge cases.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/GdiCalls.h>
#include <Tallwick/Tescala.h>

#include <QLocale>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

using namespace Tallwick;

namespace {
constexpr int M = 5, B = 30;

TCanvas* ImageCanvas(TEscala& scale) { return scale.Image()->Canvas(); }
QImage Picture(TEscala& scale) { return scale.Image()->Picture()->Bitmap()->Image(); }

// Width and height of the widest and highest of two labels in the scale's font.
QSize LabelBlock(TEscala& scale, const QString& a, const QString& b) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    TCanvas* c = bitmap.Canvas();
    c->Font.Assign(scale.Font());
    return QSize(std::max(c->TextWidth(a), c->TextWidth(b)), std::max(c->TextHeight(a), c->TextHeight(b)));
}

// The labels as the scale should draw them: on the background, at the given reference points.
QImage ExpectedLabels(TEscala& scale, unsigned align, const QList<QPoint>& at, const QStringList& texts) {
    TBitmap bitmap;
    bitmap.SetSize(scale.Image()->Width(), scale.Image()->Height());
    TCanvas* c = bitmap.Canvas();
    c->Brush.Color = scale.Color();
    c->FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
    c->Font.Assign(scale.Font());
    SetTextAlign(c->Handle(), align);
    for (int i = 0; i < at.size(); ++i)
        c->TextOut(at[i].x(), at[i].y(), texts[i]);
    return bitmap.Image();
}

// Compares a region of the scale's picture with the expected one, pixel by pixel.
bool SameRegion(const QImage& actual, const QImage& expected, const QRect& region, QString* where) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                *where = QStringLiteral("(%1, %2)").arg(x).arg(y);
                return false;
            }
    return true;
}

QStringList VerticalTexts(int n, double max, double min) {
    QStringList texts;
    for (int i = 0; i <= n + 1; ++i)
        texts << QLocale::c().toString(max - i * (max - min) / (n + 1), 'f', 3);
    return texts;
}
}  // namespace

class TestEscala : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void newScaleIsVerticalWhiteToBlack();
    void sixLabelsRightOfTheBand();
    void labelLayouts_data();
    void labelLayouts();
    void horizontalBandRunsMinToMax();
    void valueToColor_data();
    void valueToColor();
    void intervalRoundsValuesDown();
    void emptyRangeNeverDivides();
    void drawMarkVertical();
    void oneAndZeroPixelBands();
    void setMaxMinRules();
    void intervalRules();
    void textIntervalRules();
    void alignmentDocksAndCentres();
    void autoSizeFollowsTheLabels();
    void usersResizeHandlerKeepsTheRedraw();
    void settersAnnounceRealChangesOnly();
    void hostileValuesEndInBoundedTime();
};

void TestEscala::initTestCase() { QLocale::setDefault(QLocale::c()); }

void TestEscala::newScaleIsVerticalWhiteToBlack() {
    TEscala scale;
    const QSize block = LabelBlock(scale, QStringLiteral("100.000"), QStringLiteral("0.000"));
    QCOMPARE(scale.height(), 320);
    QCOMPARE(scale.width(), 50 + block.width());  // 48 wide, then sized to band and labels
    QCOMPARE(scale.Orientation(), TEscala::eoVertical);
    QCOMPARE(scale.BevelOuter(), bvLowered);
    QCOMPARE(scale.BevelInner(), bvNone);
    QCOMPARE(scale.Format(), QStringLiteral(",0.000"));
    QCOMPARE(scale.Font().Name(), QStringLiteral("Times new roman"));
    QCOMPARE(scale.Font().Size(), 8);
    const int w = scale.Image()->Width(), h = scale.Image()->Height();
    QCOMPARE(h, 318);
    QCOMPARE(w, scale.width() - 2);
    TCanvas* c = ImageCanvas(scale);
    const TColor back = ColorToRGB(clBtnFace);
    const int length = h - 2 * M;
    for (int i = 0; i < length; ++i) {
        const TColor expected = scale.ValueToColor((length - i - 1) * 100.0 / (length - 1));
        QCOMPARE(c->Pixel(M, M + i), expected);
        QCOMPARE(c->Pixel(M + B - 1, M + i), expected);
        QCOMPARE(c->Pixel(M - 1, M + i), back);
    }
    QCOMPARE(c->Pixel(M, M), clWhite);
    QCOMPARE(c->Pixel(M, h - M - 1), clBlack);
    QCOMPARE(c->Pixel(M, M - 1), back);
    QCOMPARE(c->Pixel(M, h - M), back);
}

void TestEscala::sixLabelsRightOfTheBand() {
    TEscala scale;
    const QStringList texts = VerticalTexts(4, 100, 0);
    QCOMPARE(texts, (QStringList{"100.000", "80.000", "60.000", "40.000", "20.000", "0.000"}));
    const QSize block = LabelBlock(scale, texts.first(), texts.last());
    const int h = scale.Image()->Height();
    TBitmap probe;
    probe.Canvas()->Font.Assign(scale.Font());
    const int h0 = probe.Canvas()->TextHeight(QStringLiteral("0"));
    QList<QPoint> at;
    for (int i = 0; i <= 5; ++i)
        at << QPoint(M + B + block.width() + 6, (h - 2 * M - h0) * i / 5 + M);
    const QImage expected = ExpectedLabels(scale, TA_RIGHT | TA_TOP, at, texts);
    QString where;
    QVERIFY2(SameRegion(Picture(scale), expected, QRect(M + B, 0, scale.Image()->Width() - M - B, h), &where),
             qPrintable(where));
    // Each label really is there: its box holds more than the background.
    for (int i = 0; i <= 5; ++i) {
        const QRect box(at[i].x() - block.width(), at[i].y(), block.width(), block.height());
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ink += Picture(scale).pixel(x, y) != ColorToQRgb(clBtnFace);
        QVERIFY2(ink > 10, qPrintable(texts[i]));
    }
}

void TestEscala::labelLayouts_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("textInterval");
    QTest::newRow("vertical, inverse") << int(TEscala::eoVertical) << int(TEscala::epInverse) << 4;
    QTest::newRow("vertical, two labels") << int(TEscala::eoVertical) << int(TEscala::epNormal) << 0;
    QTest::newRow("horizontal, normal") << int(TEscala::eoHorizontal) << int(TEscala::epNormal) << 4;
    QTest::newRow("horizontal, inverse") << int(TEscala::eoHorizontal) << int(TEscala::epInverse) << 2;
}

void TestEscala::labelLayouts() {
    QFETCH(int, orientation);
    QFETCH(int, position);
    QFETCH(int, textInterval);
    TEscala scale;
    scale.SetBounds(0, 0, 400, 320);
    scale.SetOrientation(TEscala::TEscalaOrientation(orientation));
    scale.SetPosition(TEscala::TEscalaPosition(position));
    scale.SetTextInterval(textInterval);
    const int n = textInterval;
    const QSize block = LabelBlock(scale, QStringLiteral("100.000"), QStringLiteral("0.000"));
    const int w = scale.Image()->Width(), h = scale.Image()->Height();
    const bool normal = position == TEscala::epNormal;
    QList<QPoint> at;
    QStringList texts;
    QRect labels, band;
    unsigned align;
    if (orientation == TEscala::eoVertical) {
        QCOMPARE(scale.width(), 50 + block.width());
        TBitmap probe;
        probe.Canvas()->Font.Assign(scale.Font());
        const int h0 = probe.Canvas()->TextHeight(QStringLiteral("0"));
        texts = VerticalTexts(n, 100, 0);
        for (int i = 0; i <= n + 1; ++i)
            at << QPoint(normal ? M + B + block.width() + 6 : M + block.width() + 1,
                         (h - 2 * M - h0) * i / (n + 1) + M);
        align = TA_RIGHT | TA_TOP;
        const int bandX = normal ? M : M + block.width() + 5;
        band = QRect(bandX, M, B, h - 2 * M);
        labels = normal ? QRect(M + B, 0, w - M - B, h) : QRect(0, 0, bandX, h);
    } else {
        QCOMPARE(scale.height(), 50 + block.height());
        for (int i = 0; i <= n + 1; ++i) {
            texts << QLocale::c().toString(i * 100.0 / (n + 1), 'f', 3);
            at << QPoint((w - 2 * M) * i / (n + 1) + M, normal ? M + B + 5 : M);
        }
        align = TA_CENTER | TA_TOP;
        const int bandY = normal ? M : M + block.height() + 5;
        band = QRect(M, bandY, w - 2 * M, B);
        labels = normal ? QRect(0, M + B, w, h - M - B) : QRect(0, 0, w, bandY);
    }
    QString where;
    QVERIFY2(SameRegion(Picture(scale), ExpectedLabels(scale, align, at, texts), labels, &where), qPrintable(where));
    // The band: black at Minimum's end, white at Maximum's.
    TCanvas* c = ImageCanvas(scale);
    if (orientation == TEscala::eoVertical) {
        QCOMPARE(c->Pixel(band.left(), band.top()), clWhite);
        QCOMPARE(c->Pixel(band.right(), band.bottom()), clBlack);
    } else {
        QCOMPARE(c->Pixel(band.left(), band.top()), clBlack);
        QCOMPARE(c->Pixel(band.right(), band.bottom()), clWhite);
    }
}

void TestEscala::horizontalBandRunsMinToMax() {
    TEscala scale;
    scale.SetAutoSize(false);
    scale.SetBounds(0, 0, 262, 80);
    scale.SetOrientation(TEscala::eoHorizontal);
    scale.SetGraduation(TEscala::egThree);
    const int length = scale.Image()->Width() - 2 * M;
    QCOMPARE(length, 250);
    TCanvas* c = ImageCanvas(scale);
    for (int i = 0; i < length; ++i)
        QCOMPARE(c->Pixel(M + i, M + B - 1), scale.ValueToColor(i * 100.0 / (length - 1)));
    QCOMPARE(c->Pixel(M, M), RGB(0, 0, 255));
    QCOMPARE(c->Pixel(M + length - 1, M), RGB(255, 0, 0));
}

void TestEscala::valueToColor_data() {
    QTest::addColumn<int>("graduation");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("color");
    const int two = TEscala::egTwo, three = TEscala::egThree;
    QTest::newRow("two: 0 black") << two << 0.0 << RGB(0, 0, 0);
    QTest::newRow("two: below black") << two << -7.0 << RGB(0, 0, 0);
    QTest::newRow("two: 25 grey 64") << two << 25.0 << RGB(64, 64, 64);
    QTest::newRow("two: 50 grey 127") << two << 50.0 << RGB(127, 127, 127);
    QTest::newRow("two: 100 white") << two << 100.0 << RGB(255, 255, 255);
    QTest::newRow("two: above white") << two << 1e9 << RGB(255, 255, 255);
    QTest::newRow("two: NaN black") << two << std::nan("") << RGB(0, 0, 0);
    QTest::newRow("three: 0 blue") << three << 0.0 << RGB(0, 0, 255);
    QTest::newRow("three: 25") << three << 25.0 << RGB(0, 75, 163);  // q 128
    QTest::newRow("three: 50 q 255") << three << 50.0 << RGB(0, 150, 70);
    QTest::newRow("three: 50.1 q 256") << three << 50.1 << RGB(70, 150, 0);
    QTest::newRow("three: 75") << three << 75.0 << RGB(162, 75, 0);  // q 383
    QTest::newRow("three: 100 red") << three << 100.0 << RGB(255, 0, 0);
    QTest::newRow("three: -inf blue") << three << -HUGE_VAL << RGB(0, 0, 255);
}

void TestEscala::valueToColor() {
    QFETCH(int, graduation);
    QFETCH(double, value);
    QFETCH(int, color);
    TEscala scale;
    scale.SetGraduation(TEscala::TEscalaGraduation(graduation));
    QCOMPARE(scale.ValueToColor(value), color);
}

void TestEscala::intervalRoundsValuesDown() {
    TEscala scale;
    scale.SetInterval(10);
    QCOMPARE(scale.Interval(), 10.0);
    QCOMPARE(scale.ValueToColor(57), scale.ValueToColor(50));
    QVERIFY(scale.ValueToColor(60) != scale.ValueToColor(57));
    scale.SetGradColor1(clRed);
    scale.SetGradColor2(clBlue);
    QCOMPARE(scale.ValueToColor(9.9), clBlue);
}

// Maximum equal to Minimum: nothing divides by zero, and the last picture stays.
void TestEscala::emptyRangeNeverDivides() {
    TEscala scale;
    const QImage before = Picture(scale);
    scale.SetMinimum(100);
    QCOMPARE(scale.Minimum(), 100.0);
    QCOMPARE(Picture(scale), before);
    QCOMPARE(scale.ValueToColor(100), clBlack);  // the colour of Minimum
    scale.SetGraduation(TEscala::egThree);
    QCOMPARE(scale.ValueToColor(50), RGB(0, 0, 255));
    scale.DrawMarkVertical(100);
    QCOMPARE(ImageCanvas(scale)->Pixel(2, 159), ColorToRGB(clBtnFace));
    // Maximum below Minimum: the old picture stays too.
    scale.SetMaximum(-1);
    QCOMPARE(scale.Maximum(), -1.0);
    scale.SetBandWidth(10);
    QCOMPARE(Picture(scale), before);
}

void TestEscala::drawMarkVertical() {
    TEscala scale;
    TCanvas* c = ImageCanvas(scale);
    const TColor back = ColorToRGB(clBtnFace);
    const int h = scale.Image()->Height();
    // y = H - M - round(0.5 * (H - 2M)) = 318 - 5 - 154
    scale.DrawMarkVertical(50);
    QCOMPARE(h - M - 154, 159);
    QCOMPARE(c->Pixel(1, 159), clBlack);
    QCOMPARE(c->Pixel(2, 159), clBlack);
    QCOMPARE(c->Pixel(2, 100), back);
    QCOMPARE(c->Pen.Width, 1);
    scale.DrawMarkVertical(100);
    QCOMPARE(c->Pixel(2, 159), back);  // the strip is cleared first
    QCOMPARE(c->Pixel(2, h - M - 308), clBlack);
    scale.DrawMarkVertical(100.5);  // outside: only cleared
    QCOMPARE(c->Pixel(2, h - M - 308), back);
    scale.DrawMarkVertical(std::nan(""));
    QCOMPARE(c->Pixel(M, M), clWhite);  // the band is left alone
    // Inverse: the mark goes right of the band, to the image's right edge.
    scale.SetPosition(TEscala::epInverse);
    const QSize block = LabelBlock(scale, QStringLiteral("100.000"), QStringLiteral("0.000"));
    scale.DrawMarkVertical(0);
    const int x1 = block.width() + M + B + 7;
    QCOMPARE(c->Pixel(x1, h - M), clBlack);
    QCOMPARE(c->Pixel(scale.Image()->Width() - 2, h - M), clBlack);
}

// A band exactly one pixel long stands for the whole range (the middle value); shorter, none.
void TestEscala::oneAndZeroPixelBands() {
    TEscala scale;
    scale.SetAutoSize(false);
    scale.SetBounds(0, 0, 100, 2 * M + 1 + 2);
    QCOMPARE(scale.Image()->Height(), 2 * M + 1);
    QCOMPARE(ImageCanvas(scale)->Pixel(M, M), RGB(127, 127, 127));
    scale.SetBounds(0, 0, 100, 2 * M + 2);
    QCOMPARE(ImageCanvas(scale)->Pixel(M, M - 1), ColorToRGB(clBtnFace));
    QCOMPARE(ImageCanvas(scale)->Pixel(M, M), ColorToRGB(clBtnFace));
    // An image below 5 pixels shows only the background.
    scale.SetBounds(0, 0, 100, 6);
    QCOMPARE(ImageCanvas(scale)->Pixel(1, 1), ColorToRGB(clBtnFace));
}

void TestEscala::setMaxMinRules() {
    TEscala scale;
    QSignalSpy max(&scale, &TEscala::MaximumChanged), min(&scale, &TEscala::MinimumChanged);
    const QImage before = Picture(scale);
    scale.SetMaxMin(10, 10);
    scale.SetMaxMin(5, 10);
    scale.SetMaxMin(100, 0);
    QCOMPARE(max.count() + min.count(), 0);
    QCOMPARE(Picture(scale), before);
    scale.SetInterval(50);
    QSignalSpy interval(&scale, &TEscala::IntervalChanged);
    scale.SetMaxMin(30, 0);
    QCOMPARE(scale.Maximum(), 30.0);
    QCOMPARE(scale.Interval(), 0.0);  // the range became smaller than the interval
    QCOMPARE(max.count(), 1);
    QCOMPARE(min.count(), 0);
    QCOMPARE(interval.count(), 1);
    QCOMPARE(ImageCanvas(scale)->Pixel(M, M), clWhite);
}

void TestEscala::intervalRules() {
    TEscala scale;
    QSignalSpy spy(&scale, &TEscala::IntervalChanged);
    scale.SetInterval(-1);
    scale.SetInterval(100);
    scale.SetInterval(std::nan(""));
    QCOMPARE(scale.Interval(), 0.0);
    QCOMPARE(spy.count(), 0);
    scale.SetInterval(20);
    QCOMPARE(spy.count(), 1);
    scale.SetMaximum(10);  // range 10 < 20
    QCOMPARE(scale.Interval(), 0.0);
    QCOMPARE(spy.count(), 2);
    scale.SetMinimum(5);
    QCOMPARE(spy.count(), 2);
}

void TestEscala::textIntervalRules() {
    TEscala scale;
    QSignalSpy spy(&scale, &TEscala::TextIntervalChanged);
    scale.SetTextInterval(-1);
    QCOMPARE(scale.TextInterval(), 4);
    scale.SetTextInterval(INT_MAX);
    QCOMPARE(scale.TextInterval(), TEscala::kMaxTextInterval);
    scale.SetTextInterval(0);
    QCOMPARE(spy.count(), 2);
}

void TestEscala::alignmentDocksAndCentres() {
    QWidget parent;
    parent.resize(400, 300);
    auto* scale = new TEscala(&parent);
    scale->SetOrientation(TEscala::eoHorizontal);
    scale->SetAlignment(TEscala::eaLeft);
    QCOMPARE(scale->Orientation(), TEscala::eoVertical);
    QCOMPARE(scale->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(scale->height(), 300);
    scale->SetAlignment(TEscala::eaTop);
    QCOMPARE(scale->Orientation(), TEscala::eoHorizontal);
    QCOMPARE(scale->width(), 400);
    const QSize block = LabelBlock(*scale, QStringLiteral("100.000"), QStringLiteral("0.000"));
    QCOMPARE(scale->height(), 50 + block.height());
    scale->SetAlignment(TEscala::eaCentered);
    scale->SetOrientation(TEscala::eoVertical);
    scale->SetBounds(0, 0, 60, 200);
    QCOMPARE(scale->geometry().topLeft(), QPoint((400 - scale->width()) / 2, 50));
    parent.resize(600, 500);  // centred again only at the next redraw
    QCOMPARE(scale->y(), 50);
    scale->Draw();
    QCOMPARE(scale->geometry().topLeft(), QPoint((600 - scale->width()) / 2, 150));
    // Without a parent the centring alignments leave the position alone.
    TEscala alone;
    alone.move(7, 9);
    alone.SetAlignment(TEscala::eaCentered);
    QCOMPARE(alone.pos(), QPoint(7, 9));
}

void TestEscala::autoSizeFollowsTheLabels() {
    TEscala scale;
    scale.SetFormat(QStringLiteral("0"));
    const QSize block = LabelBlock(scale, QStringLiteral("100"), QStringLiteral("0"));
    QCOMPARE(scale.width(), 50 + block.width());
    scale.SetAutoSize(false);
    scale.SetBounds(0, 0, 48, 320);
    QCOMPARE(scale.width(), 48);
}

// The scale redraws on resize, and a user's OnResize handler is called as well.
void TestEscala::usersResizeHandlerKeepsTheRedraw() {
    TEscala scale;
    scale.SetAutoSize(false);
    int calls = 0;
    scale.OnResize = [&](QObject* sender) {
        QCOMPARE(sender, &scale);
        ++calls;
    };
    scale.SetBounds(0, 0, 120, 200);
    QVERIFY(calls >= 1);
    QCOMPARE(scale.Image()->Height(), 198);
    QCOMPARE(ImageCanvas(scale)->Pixel(M, 198 - M - 1), clBlack);
    QCOMPARE(ImageCanvas(scale)->Pixel(M, 198 - M), ColorToRGB(clBtnFace));
}

void TestEscala::settersAnnounceRealChangesOnly() {
    TEscala scale;
    QSignalSpy color(&scale, &TEscala::ColorChanged), font(&scale, &TEscala::FontChanged),
        grad(&scale, &TEscala::GradColor1Changed), fmt(&scale, &TEscala::FormatChanged);
    scale.SetColorValue(uint(clBtnFace));
    scale.SetGradColor1(clWhite);
    scale.SetFormat(QStringLiteral(",0.000"));
    scale.SetFontQFont(scale.FontQFont());
    QCOMPARE(color.count() + font.count() + grad.count() + fmt.count(), 0);
    scale.SetColorQColor(QColor(0, 0, 255));
    QCOMPARE(color.count(), 1);
    QCOMPARE(scale.Color(), clBlue);
    QCOMPARE(ImageCanvas(scale)->Pixel(1, 1), clBlue);  // the background is redrawn
    QVERIFY(scale.setProperty("GradColor1Value", uint(clRed)));
    QCOMPARE(ImageCanvas(scale)->Pixel(M, M), clRed);
    QCOMPARE(grad.count(), 1);
    const int before = scale.width();
    QFont bigger = scale.FontQFont();
    bigger.setPointSize(16);
    QVERIFY(scale.setProperty("Font", bigger));
    QCOMPARE(font.count(), 1);
    QCOMPARE(scale.Font().Size(), 16);
    QVERIFY(scale.width() > before);
    QCOMPARE(scale.property("Alignment").toInt(), int(TEscala::eaNone));
}

void TestEscala::hostileValuesEndInBoundedTime() {
    TEscala scale;
    scale.SetMargin(INT_MAX);
    QCOMPARE(scale.Margin(), TEscala::kMaxPixels);
    scale.SetMargin(-4);
    QCOMPARE(scale.Margin(), 0);
    scale.SetBandWidth(INT_MIN);
    QCOMPARE(scale.BandWidth(), 0);
    scale.SetBandWidth(30);
    scale.SetMargin(5);
    scale.SetMaxMin(1e308, -1e308);  // the range overflows to infinity
    QCOMPARE(scale.ValueToColor(0), scale.ValueToColor(-1e308));
    scale.SetMaxMin(1e-300, 0);
    scale.SetInterval(1e-310);
    QCOMPARE(scale.ValueToColor(1e-300), clWhite);
    scale.SetTextInterval(INT_MAX);
    QCOMPARE(scale.TextInterval(), TEscala::kMaxTextInterval);
}

QTEST_MAIN(TestEscala)
#include "tst_escala.moc"
