// CreateRotatedFont: the logical font it builds from a canvas font, and how a canvas font takes
// it and gives it up again.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/RotatedFont.h>

#include <QtTest>

using namespace Tallwick;

Q_DECLARE_METATYPE(TFontPitch)

class TestRotatedFont : public QObject {
    Q_OBJECT
private slots:
    void logicalFontFromCanvasFont_data();
    void logicalFontFromCanvasFont();
    void faceNameCutTo31Characters();
    void canvasFontTakesTheTurnedFont();
    void settingAPropertyEndsTheTurn_data();
    void settingAPropertyEndsTheTurn();
    void turnedFontTurnsText();
};

void TestRotatedFont::logicalFontFromCanvasFont_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("charset");
    QTest::addColumn<TFontPitch>("pitch");
    QTest::addColumn<int>("escapement");
    QTest::addColumn<QString>("expectedFace");
    QTest::addColumn<int>("expectedWeight");
    QTest::addColumn<int>("expectedPitch");
    QTest::newRow("plain") << "Arial" << -16 << 0 << 1 << fpDefault << 450 << "Arial" << 400 << 0;
    QTest::newRow("bold") << "Arial" << -16 << int(fsBold) << 1 << fpDefault << 900 << "Arial" << 700 << 0;
    QTest::newRow("italic, underline, strike-out")
        << "Times New Roman" << 20 << int(fsItalic | fsUnderline | fsStrikeOut) << 0 << fpVariable << 3599
        << "Times New Roman" << 400 << 2;
    QTest::newRow("fixed pitch, other charset")
        << "Courier New" << -11 << 0 << 204 << fpFixed << 0 << "Courier New" << 400 << 1;
    QTest::newRow("Default face") << "Default" << -13 << 0 << 1 << fpDefault << -900 << "MS Sans Serif" << 400 << 0;
    QTest::newRow("default face in other case")
        << "dEFAULT" << -13 << int(fsBold) << 1 << fpDefault << 10 << "MS Sans Serif" << 700 << 0;
}

void TestRotatedFont::logicalFontFromCanvasFont() {
    QFETCH(QString, face);
    QFETCH(int, height);
    QFETCH(int, style);
    QFETCH(int, charset);
    QFETCH(TFontPitch, pitch);
    QFETCH(int, escapement);
    QFETCH(QString, expectedFace);
    QFETCH(int, expectedWeight);
    QFETCH(int, expectedPitch);
    TFont font;
    font.SetName(face);
    font.SetHeight(height);
    font.SetStyle(TFontStyles(style));
    font.SetCharset(TFontCharset(charset));
    font.SetPitch(pitch);
    const Tallwick::HFONT handle = CreateRotatedFont(font, escapement);
    QVERIFY(handle);
    QCOMPARE(handle->lfHeight, height);
    QCOMPARE(handle->lfWidth, 0);
    QCOMPARE(handle->lfEscapement, escapement);
    QCOMPARE(handle->lfOrientation, 0);
    QCOMPARE(handle->lfWeight, expectedWeight);
    QCOMPARE(handle->lfItalic, bool(style & fsItalic));
    QCOMPARE(handle->lfUnderline, bool(style & fsUnderline));
    QCOMPARE(handle->lfStrikeOut, bool(style & fsStrikeOut));
    QCOMPARE(int(handle->lfCharSet), charset);
    QCOMPARE(int(handle->lfOutPrecision), 0);
    QCOMPARE(int(handle->lfClipPrecision), 0);
    QCOMPARE(int(handle->lfQuality), 0);
    QCOMPARE(int(handle->lfPitchAndFamily), expectedPitch);
    QCOMPARE(handle->lfFaceName, expectedFace);
}

void TestRotatedFont::faceNameCutTo31Characters() {
    TFont font;
    font.SetName(QString(40, QLatin1Char('F')));
    QCOMPARE(CreateRotatedFont(font, 0)->lfFaceName, QString(31, QLatin1Char('F')));
}

// The canvas font reads face, height, style, character set and pitch back from the turned font;
// its colour stays; the handle it gives afterwards carries the escapement.
void TestRotatedFont::canvasFontTakesTheTurnedFont() {
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetSize(14);
    font.SetStyle(fsBold | fsUnderline);
    font.SetCharset(238);
    font.SetColor(clRed);
    TFont turned;
    turned.SetColor(clLime);
    turned.SetHandle(CreateRotatedFont(font, 450));
    QCOMPARE(turned.Name(), QStringLiteral("Arial"));
    QCOMPARE(turned.Height(), font.Height());
    QCOMPARE(turned.Size(), 14);
    QCOMPARE(turned.Style(), TFontStyles(fsBold | fsUnderline));
    QCOMPARE(int(turned.Charset()), 238);
    QCOMPARE(turned.Color(), clLime);
    QCOMPARE(turned.Orientation(), 450);
    QCOMPARE(turned.Handle()->lfEscapement, 450);
    turned.SetHandle(nullptr);  // changes nothing
    QCOMPARE(turned.Orientation(), 450);
    TFont copy;
    copy.Assign(turned);  // a copy shares the turned font
    QCOMPARE(copy.Orientation(), 450);
}

// Setting the face, size, height, style, character set or pitch builds the plain font again;
// the colour does not.
void TestRotatedFont::settingAPropertyEndsTheTurn_data() {
    QTest::addColumn<int>("property");
    QTest::addColumn<bool>("ends");
    QTest::newRow("face") << 0 << true;
    QTest::newRow("size") << 1 << true;
    QTest::newRow("height") << 2 << true;
    QTest::newRow("style") << 3 << true;
    QTest::newRow("character set") << 4 << true;
    QTest::newRow("pitch") << 5 << true;
    QTest::newRow("colour") << 6 << false;
}

void TestRotatedFont::settingAPropertyEndsTheTurn() {
    QFETCH(int, property);
    QFETCH(bool, ends);
    TFont font;
    font.SetHandle(CreateRotatedFont(font, 900));
    QCOMPARE(font.Orientation(), 900);
    switch (property) {
    case 0: font.SetName(QStringLiteral("Arial")); break;
    case 1: font.SetSize(20); break;
    case 2: font.SetHeight(-20); break;
    case 3: font.SetStyle(fsItalic); break;
    case 4: font.SetCharset(0); break;
    case 5: font.SetPitch(fpFixed); break;
    default: font.SetColor(clBlue); break;
    }
    QCOMPARE(font.Orientation(), ends ? 0 : 900);
}

// Put into a canvas, the turned font turns text: at 900 tenths it runs upward from its
// reference point.
void TestRotatedFont::turnedFontTurnsText() {
    TBitmap bitmap;
    bitmap.SetSize(100, 200);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush.Style = bsClear;
    canvas->Font.SetName(QStringLiteral("Arial"));
    canvas->Font.SetSize(16);
    canvas->Font.SetColor(clBlack);
    const int width = canvas->TextWidth(QStringLiteral("Upward"));
    canvas->Font.SetHandle(CreateRotatedFont(canvas->Font, 900));
    canvas->TextOut(30, 150, QStringLiteral("Upward"));
    QRect ink;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x)
            if (canvas->Pixel(x, y) == clBlack)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(ink.height() > 2 * ink.width());
    QVERIFY(ink.bottom() <= 150 && ink.top() >= 150 - width);
    QVERIFY(ink.left() >= 30);
}

QTEST_MAIN(TestRotatedFont)
#include "tst_rotatedfont.moc"
