// Glyph strips with their transparent key colour, and the speed button that places a glyph at
// its margin.
#include <Tallwick/Glyph.h>
#include <Tallwick/SpeedButton.h>

#include <QtTest>

using namespace Tallwick;

class TestGlyphs : public QObject {
    Q_OBJECT

private slots:
    void transparentKeyFromBottomLeft_data();
    void transparentKeyFromBottomLeft();
    void stripCutIntoModes();
    void unreadableFileGivesEmptyIcon();
    void speedButtonGlyphAtMargin_data();
    void speedButtonGlyphAtMargin();
};

void TestGlyphs::transparentKeyFromBottomLeft_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("numGlyphs");
    QTest::addColumn<QSize>("size");
    QTest::newRow("bulb") << ":/bulb.bmp" << 2 << QSize(16, 16);
    QTest::newRow("uk") << ":/flag-uk.bmp" << 1 << QSize(27, 16);
    QTest::newRow("galicia") << ":/flag-galicia.bmp" << 1 << QSize(27, 16);
    QTest::newRow("spain") << ":/flag-spain.bmp" << 1 << QSize(27, 16);
}

// Every pixel of the key colour becomes transparent, every other pixel keeps its colour.
void TestGlyphs::transparentKeyFromBottomLeft() {
    QFETCH(QString, path);
    QFETCH(int, numGlyphs);
    QFETCH(QSize, size);
    const QImage strip = QImage(path).convertToFormat(QImage::Format_RGB32);
    const QRgb key = strip.pixel(0, strip.height() - 1);
    const QIcon icon = LoadGlyph(path, numGlyphs);
    QCOMPARE(icon.availableSizes().value(0), size);
    const QImage normal = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    int transparent = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb source = strip.pixel(x, y);
            const QRgb shown = normal.pixel(x, y);
            if (source == key) {
                QCOMPARE(qAlpha(shown), 0);
                ++transparent;
            } else {
                QCOMPARE(shown, source);
            }
        }
    QVERIFY(transparent >= 1);
    QCOMPARE(qAlpha(normal.pixel(0, size.height() - 1)), 0);
}

// The bulb's right half is its disabled image.
void TestGlyphs::stripCutIntoModes() {
    const QImage strip = QImage(":/bulb.bmp").convertToFormat(QImage::Format_RGB32);
    const QIcon icon = LoadGlyph(":/bulb.bmp", 2);
    const QImage disabled =
        icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = strip.pixel(0, 15);
    int compared = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb source = strip.pixel(16 + x, y);
            if (source == key)
                QCOMPARE(qAlpha(disabled.pixel(x, y)), 0);
            else {
                QCOMPARE(disabled.pixel(x, y), source);
                ++compared;
            }
        }
    QVERIFY(compared > 20);
}

void TestGlyphs::unreadableFileGivesEmptyIcon() {
    QVERIFY(LoadGlyph(":/no-such-picture.bmp").isNull());
    QVERIFY(GlyphIcon(QImage(), 1).isNull());
}

void TestGlyphs::speedButtonGlyphAtMargin_data() {
    QTest::addColumn<bool>("down");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("up") << false << QPoint(2, 5);
    QTest::newRow("down") << true << QPoint(3, 6);
}

// 34 x 26 with a 27 x 16 glyph at margin 2: the glyph's pixels at (2, 5), one further when down.
void TestGlyphs::speedButtonGlyphAtMargin() {
    QFETCH(bool, down);
    QFETCH(QPoint, origin);
    TSpeedButton button;
    button.setGeometry(300, 300, 34, 26);
    button.SetGlyph(LoadGlyph(":/flag-spain.bmp"));
    button.SetMargin(2);
    button.SetDown(down);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.GlyphRect(), QRect(origin, QSize(27, 16)));
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage flag = QImage(":/flag-spain.bmp").convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 15; ++y)  // the bottom row holds the transparent corner
        for (int x = 0; x < 27; ++x)
            QCOMPARE(shown.pixel(origin + QPoint(x, y)), flag.pixel(x, y));
}

QTEST_MAIN(TestGlyphs)
#include "tst_glyphs.moc"
