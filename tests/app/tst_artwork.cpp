// Checks the pictures compiled into the program: the exact BMP layout the glyph and logo loaders
// rely on, the transparent-colour keys, and that each picture shows what it should.

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QtTest>

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kOlive = qRgb(128, 128, 0);

QByteArray readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

template <typename T>
T field(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QImage loadResource(const QString& path) {
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

int luminance(QRgb c) { return qGray(c); }

// A rough name for a flag colour, robust against the glyphs' shading.
QString colourName(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 170 && g > 170 && b > 170)
        return "white";
    if (r > 170 && g > 130 && b < 90)
        return "yellow";
    if (r > 130 && g < 80 && b < 90)
        return "red";
    if (b > 80 && r < 60 && b > g)
        return "blue";
    return "other";
}

bool isGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }

}  // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void fileHeader_data();
    void fileHeader();
    void transparentKey_data();
    void transparentKey();
    void flagKeyOnlyInCorner_data();
    void flagKeyOnlyInCorner();
    void flagColours_data();
    void flagColours();
    void bulbImagesShareOutline();
    void bulbDisabledIsGreyAndNormalIsYellow();
    void logoHasContrastWhenScaled_data();
    void logoHasContrastWhenScaled();
    void logoBrightestNearStarBurst();
};

void TestArtwork::fileHeader_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("logo") << ":/logo.bmp" << 600 << 450 << 24;
    QTest::newRow("flag-uk") << ":/flag-uk.bmp" << 27 << 16 << 24;
    QTest::newRow("flag-galicia") << ":/flag-galicia.bmp" << 27 << 16 << 24;
    QTest::newRow("flag-spain") << ":/flag-spain.bmp" << 27 << 16 << 24;
    QTest::newRow("bulb") << ":/bulb.bmp" << 32 << 16 << 4;
}

// The stored file itself, not what a decoder makes of it: bit depth and compression are
// properties of the resource that a decoded QImage no longer shows.
void TestArtwork::fileHeader() {
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bitsPerPixel);
    const QByteArray bytes = readResource(path);
    QVERIFY2(bytes.size() >= 54, qPrintable(path));
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(field<quint32>(bytes, 2), quint32(bytes.size()));
    QCOMPARE(field<quint32>(bytes, 14), quint32(40));  // BITMAPINFOHEADER
    QCOMPARE(field<qint32>(bytes, 18), width);
    QCOMPARE(field<qint32>(bytes, 22), height);  // positive: rows stored bottom-up
    QCOMPARE(field<quint16>(bytes, 26), quint16(1));
    QCOMPARE(int(field<quint16>(bytes, 28)), bitsPerPixel);
    QCOMPARE(field<quint32>(bytes, 30), quint32(0));  // BI_RGB, uncompressed
    const int rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const quint32 pixelOffset = field<quint32>(bytes, 10);
    QCOMPARE(quint32(bytes.size()) - pixelOffset, quint32(rowBytes * height));
    if (bitsPerPixel == 4)
        QCOMPARE(pixelOffset, quint32(54 + 16 * 4));  // a full 16-entry palette

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(width, height));
}

void TestArtwork::transparentKey_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<uint>("key");
    QTest::newRow("flag-uk") << ":/flag-uk.bmp" << uint(kBlack);
    QTest::newRow("flag-galicia") << ":/flag-galicia.bmp" << uint(kBlack);
    QTest::newRow("flag-spain") << ":/flag-spain.bmp" << uint(kBlack);
    QTest::newRow("bulb") << ":/bulb.bmp" << uint(kOlive);
}

// Glyph buttons take the bottom-left pixel as the colour to leave out.
void TestArtwork::transparentKey() {
    QFETCH(QString, path);
    QFETCH(uint, key);
    const QImage image = loadResource(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.pixel(0, image.height() - 1), QRgb(key));
}

void TestArtwork::flagKeyOnlyInCorner_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("flag-uk") << ":/flag-uk.bmp";
    QTest::newRow("flag-galicia") << ":/flag-galicia.bmp";
    QTest::newRow("flag-spain") << ":/flag-spain.bmp";
}

// Any other pure black pixel would punch a hole into the flag.
void TestArtwork::flagKeyOnlyInCorner() {
    QFETCH(QString, path);
    const QImage image = loadResource(path);
    QVERIFY(!image.isNull());
    int keyed = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            keyed += image.pixel(x, y) == kBlack ? 1 : 0;
    QCOMPARE(keyed, 1);
}

void TestArtwork::flagColours_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("colour");
    QTest::newRow("spain top band") << ":/flag-spain.bmp" << QPoint(13, 1) << "red";
    QTest::newRow("spain upper middle") << ":/flag-spain.bmp" << QPoint(5, 4) << "yellow";
    QTest::newRow("spain lower middle") << ":/flag-spain.bmp" << QPoint(20, 11) << "yellow";
    QTest::newRow("spain bottom band") << ":/flag-spain.bmp" << QPoint(13, 13) << "red";
    QTest::newRow("galicia band at centre") << ":/flag-galicia.bmp" << QPoint(13, 8) << "blue";
    QTest::newRow("galicia band near hoist") << ":/flag-galicia.bmp" << QPoint(2, 1) << "blue";
    QTest::newRow("galicia field top right") << ":/flag-galicia.bmp" << QPoint(22, 3) << "white";
    QTest::newRow("galicia field bottom left") << ":/flag-galicia.bmp" << QPoint(4, 12) << "white";
    QTest::newRow("uk upright cross") << ":/flag-uk.bmp" << QPoint(13, 2) << "red";
    QTest::newRow("uk crossbar") << ":/flag-uk.bmp" << QPoint(3, 8) << "red";
    QTest::newRow("uk cross border") << ":/flag-uk.bmp" << QPoint(11, 2) << "white";
    QTest::newRow("uk field upper hoist") << ":/flag-uk.bmp" << QPoint(7, 1) << "blue";
    QTest::newRow("uk field lower fly") << ":/flag-uk.bmp" << QPoint(20, 14) << "blue";
}

void TestArtwork::flagColours() {
    QFETCH(QString, path);
    QFETCH(QPoint, at);
    QFETCH(QString, colour);
    const QImage image = loadResource(path);
    QVERIFY(!image.isNull());
    QCOMPARE(colourName(image.pixel(at)), colour);
}

// The greyed image must cover exactly the pixels of the normal one, or the disabled button
// would show a different shape.
void TestArtwork::bulbImagesShareOutline() {
    const QImage image = loadResource(":/bulb.bmp");
    QCOMPARE(image.size(), QSize(32, 16));
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool normal = image.pixel(x, y) != kOlive;
            const bool greyed = image.pixel(16 + x, y) != kOlive;
            QVERIFY2(normal == greyed, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            drawn += normal ? 1 : 0;
        }
    }
    QVERIFY(drawn > 60 && drawn < 200);  // a bulb, neither empty nor filling the glyph
}

void TestArtwork::bulbDisabledIsGreyAndNormalIsYellow() {
    const QImage image = loadResource(":/bulb.bmp");
    QCOMPARE(image.size(), QSize(32, 16));
    int yellow = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            yellow += colourName(image.pixel(x, y)) == "yellow" ? 1 : 0;
            const QRgb greyed = image.pixel(16 + x, y);
            QVERIFY2(greyed == kOlive || isGrey(greyed), qPrintable(QString("pixel %1,%2").arg(16 + x).arg(y)));
        }
    }
    QVERIFY(yellow >= 20);
}

void TestArtwork::logoHasContrastWhenScaled_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("full size") << QSize(600, 450);
    QTest::newRow("full screen 1024 x 768") << QSize(204, 153);
    QTest::newRow("preview 152 x 112") << QSize(29, 22);
}

// The saver shows the logo at a fifth of the screen height, and a tiny copy in the preview;
// it must stay a picture, not a flat patch, at every size.
void TestArtwork::logoHasContrastWhenScaled() {
    QFETCH(QSize, size);
    const QImage logo = loadResource(":/logo.bmp");
    QVERIFY(!logo.isNull());
    const QImage scaled = logo.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int darkest = 255, brightest = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            const QRgb c = scaled.pixel(x, y);
            darkest = std::min(darkest, luminance(c));
            brightest = std::max(brightest, luminance(c));
            colours.insert(c);
        }
    }
    QVERIFY2(brightest - darkest > 150, qPrintable(QString("%1..%2").arg(darkest).arg(brightest)));
    QVERIFY(colours.size() > scaled.width() * scaled.height() / 10);
}

// The star burst sits in the upper middle: the brightest patch must be there, not in a corner
// or behind the title. Averaging 15 x 15 blocks keeps single white stars from winning.
void TestArtwork::logoBrightestNearStarBurst() {
    const QImage logo = loadResource(":/logo.bmp");
    QVERIFY(!logo.isNull());
    const QImage blocks = logo.scaled(40, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPoint brightestAt;
    int brightest = -1;
    for (int y = 0; y < blocks.height(); ++y) {
        for (int x = 0; x < blocks.width(); ++x) {
            if (luminance(blocks.pixel(x, y)) > brightest) {
                brightest = luminance(blocks.pixel(x, y));
                brightestAt = QPoint(x, y);
            }
        }
    }
    QVERIFY2(QRect(16, 7, 8, 7).contains(brightestAt),
             qPrintable(QString("brightest block at %1,%2").arg(brightestAt.x()).arg(brightestAt.y())));
    QVERIFY(brightest > 200);
    QVERIFY(luminance(blocks.pixel(0, 0)) < 60);
    QVERIFY(luminance(blocks.pixel(39, 0)) < 60);
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
