// Writing: every format we write is read back by ImageMagick to our pixels (JPEG: to the pixels
// our own reader decodes from the same file), TIFF names get TIFF, and failures keep old files.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageIO.h>
#include "ImageTools.h"

#include <QPainter>
#include <cmath>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tallwick;

class TestImageWrite : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readBackByImageMagick_data();
    void readBackByImageMagick();
    void readBackByUs_data();
    void readBackByUs();
    void magicBytes_data();
    void magicBytes();
    void gifQuantisesToAtMost256();
    void jpegQuality50();
    void cannotCreate();
    void emptyPicture();
    void metafileNamesRefused_data();
    void metafileNamesRefused();
    void gifQuantiserLikeImageMagick();

private:
    static void Picture(TBitmap& bitmap, int colours);
    QTemporaryDir FDir;
};

// A 61 x 43 picture: with colours <= 256 flat patches of that many colours, else a smooth field.
void TestImageWrite::Picture(TBitmap& bitmap, int colours) {
    bitmap.SetSize(61, 43);
    for (int y = 0; y < 43; ++y)
        for (int x = 0; x < 61; ++x) {
            const int i = (x / 4 + y / 4 * 16) % std::max(colours, 1);
            const std::uint32_t flat = 0xFF000000u | std::uint32_t(i * 37 % 256) << 16 |
                                       std::uint32_t(i * 91 % 256) << 8 | std::uint32_t(255 - i);
            const std::uint32_t smooth =
                0xFF000000u | std::uint32_t(x * 4) << 16 | std::uint32_t(y * 5) << 8 | std::uint32_t((x * y) % 256);
            bitmap.ScanLine(y)[x] = colours <= 256 ? flat : smooth;
        }
}

void TestImageWrite::initTestCase() {
    if (ImageMagick().isEmpty())
        QSKIP("ImageMagick's convert is not installed (scripts/install-deps installs it)");
}

void TestImageWrite::readBackByImageMagick_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("colours");
    for (const char* name : {"a.bmp", "a.tif", "a.TIFF", "a.pcx", "a.gif", "a.anything"}) {
        QTest::newRow(QByteArray(name) + " 200 colours") << QString::fromLatin1(name) << 200;
        QTest::newRow(QByteArray(name) + " 2 colours") << QString::fromLatin1(name) << 2;
        if (QByteArray(name) != "a.gif")
            QTest::newRow(QByteArray(name) + " smooth") << QString::fromLatin1(name) << 100000;
    }
}

void TestImageWrite::readBackByImageMagick() {
    QFETCH(QString, name);
    QFETCH(int, colours);
    TBitmap bitmap;
    Picture(bitmap, colours);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(name);
    io.SaveToFile(path);
    QCOMPARE(bitmap.PixelFormat(), pf24bit);
    const QImage theirs = DecodeWithImageMagick(path);
    QVERIFY(!theirs.isNull());
    const ImageDifference d = Compare(theirs, bitmap.Image());
    QVERIFY2(d.Max == 0, Describe(d).constData());
}

void TestImageWrite::readBackByUs_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"b.jpg", "b.JPEG", "b.bmp", "b.tif", "b.pcx", "b.gif"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Our reader reads our file; where the format is lossy, like ImageMagick within 2 per channel.
void TestImageWrite::readBackByUs() {
    QFETCH(QString, name);
    TBitmap bitmap;
    Picture(bitmap, 100000);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(name);
    io.SaveToFile(path);
    TBitmap back;
    TImageIO reader;
    reader.SetAttachedBitmap(&back);
    reader.LoadFromFile(path);
    QCOMPARE(back.Width(), 61);
    QCOMPARE(back.Height(), 43);
    const QImage theirs = DecodeWithImageMagick(path);
    const ImageDifference d = Compare(theirs, back.Image());
    QVERIFY2(d.Max <= 2, Describe(d).constData());
}

void TestImageWrite::magicBytes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("tif is TIFF") << "c.tif" << QByteArray("II*\0", 4);
    QTest::newRow("TIFF is TIFF") << "c.TIFF" << QByteArray("II*\0", 4);
    QTest::newRow("jpg") << "c.jpg" << QByteArray("\xFF\xD8\xFF");
    QTest::newRow("gif") << "c.gif" << QByteArray("GIF8");
    QTest::newRow("pcx") << "c.pcx" << QByteArray("\x0A\x05\x01\x08");
    QTest::newRow("png name is BMP") << "c.png" << QByteArray("BM");
    QTest::newRow("no extension is BMP") << "c" << QByteArray("BM");
}

void TestImageWrite::magicBytes() {
    QFETCH(QString, name);
    QFETCH(QByteArray, magic);
    TBitmap bitmap;
    Picture(bitmap, 3);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.SaveToFile(FDir.filePath(name));
    QFile f(FDir.filePath(name));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(magic.size()), magic);
}

void TestImageWrite::gifQuantisesToAtMost256() {
    TBitmap bitmap;
    Picture(bitmap, 100000);
    for (int y = 0; y < 10; ++y)  // a white patch must stay white, not the quantiser's 248
        for (int x = 0; x < 10; ++x)
            bitmap.ScanLine(y)[x] = 0xFFFFFFFFu;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(QStringLiteral("smooth.gif"));
    io.SaveToFile(path);
    const QImage theirs = DecodeWithImageMagick(path);
    QSet<QRgb> colours;
    long long error = 0, cubeError = 0;
    // A fixed 6 x 6 x 6 colour cube (216 colours) as the yardstick a quantiser must beat.
    const auto cube = [](int v) { return (v * 5 + 127) / 255 * 51; };
    for (int y = 0; y < theirs.height(); ++y)
        for (int x = 0; x < theirs.width(); ++x) {
            const QRgb p = theirs.pixel(x, y), q = bitmap.Image().pixel(x, y);
            colours.insert(p);
            error += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
            cubeError += std::abs(cube(qRed(q)) - qRed(q)) + std::abs(cube(qGreen(q)) - qGreen(q)) +
                         std::abs(cube(qBlue(q)) - qBlue(q));
        }
    QVERIFY(colours.size() <= 256);
    QVERIFY(colours.size() > 64);  // a real quantiser uses the palette
    QCOMPARE(theirs.pixel(5, 5), qRgb(255, 255, 255));
    QVERIFY2(error < cubeError, QByteArray::number(error) + " >= " + QByteArray::number(cubeError));
}

void TestImageWrite::jpegQuality50() {
    TBitmap bitmap;
    Picture(bitmap, 100000);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(QStringLiteral("q.jpg"));
    io.SaveToFile(path);
    QProcess p;
    p.start(ImageMagick(), {path, QStringLiteral("-format"), QStringLiteral("%Q"), QStringLiteral("info:")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.readAllStandardOutput().trimmed(), QByteArray("50"));
}

// A file that cannot be created gives the message, and an existing file survives a failed write.
void TestImageWrite::cannotCreate() {
    TBitmap bitmap;
    Picture(bitmap, 3);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(QStringLiteral("no-such-folder/x.bmp"));
    try {
        io.SaveToFile(path);
        QFAIL("no exception");
    } catch (const EFCreateError& e) {
        QCOMPARE(e.Message, QStringLiteral("Cannot create file %1: No such file or directory").arg(path));
    }
    QDir(FDir.path()).mkdir(QStringLiteral("locked"));
    const QString kept = FDir.filePath(QStringLiteral("locked/kept.gif"));
    WriteBytes(kept, "old contents");
    QFile::setPermissions(FDir.filePath(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(FDir.filePath(QStringLiteral("locked"))).isWritable())
        QSKIP("running with rights that ignore folder permissions");
    QVERIFY_THROWS_EXCEPTION(EFCreateError, io.SaveToFile(kept));
    QFile f(kept);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old contents"));
}

void TestImageWrite::emptyPicture() {
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    const QString path = FDir.filePath(QStringLiteral("empty.bmp"));
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphicOperation, io.SaveToFile(path));
    QVERIFY(!QFile::exists(path));
}

void TestImageWrite::metafileNamesRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existing");
    QTest::newRow("wmf name") << "c.wmf" << false;
    QTest::newRow("EMF name") << "c.EMF" << false;
    QTest::newRow("existing wmf") << "kept.wmf" << true;
}

// WMF and EMF are read only: nothing is written, an existing file is left alone, and the bitmap
// keeps its pixel format.
void TestImageWrite::metafileNamesRefused() {
    QFETCH(QString, name);
    QFETCH(bool, existing);
    const QString path = FDir.filePath(name);
    QFile::remove(path);
    if (existing)
        WriteBytes(path, "old drawing");
    TBitmap bitmap;
    Picture(bitmap, 3);
    bitmap.SetPixelFormat(pf32bit);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    try {
        io.SaveToFile(path);
        QFAIL("no exception");
    } catch (const EInvalidGraphicOperation& e) {
        QCOMPARE(e.Message, QStringLiteral("Cannot save WMF or EMF: these formats are read only"));
    }
    QCOMPARE(bitmap.PixelFormat(), pf32bit);
    QCOMPARE(QFile::exists(path), existing);
    if (existing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old drawing"));
    }
}

namespace {
double Psnr(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99;
}
}  // namespace

// A photo-like picture written as GIF loses no more than ImageMagick's own 256-colour reduction
// without dithering does (1 dB PSNR at most), measured here in the same run.
void TestImageWrite::gifQuantiserLikeImageMagick() {
    const QString photo = FDir.filePath(QStringLiteral("plasma.ppm")), theirs = FDir.filePath(QStringLiteral("im.gif")),
                  ours = FDir.filePath(QStringLiteral("ours.gif"));
    QProcess p;
    p.start(ImageMagick(),
            {QStringLiteral("-seed"), QStringLiteral("42"), QStringLiteral("-size"), QStringLiteral("640x480"),
             QStringLiteral("plasma:fractal"), QStringLiteral("-blur"), QStringLiteral("0x1"), photo});
    QVERIFY(p.waitForFinished(120000) && p.exitCode() == 0);
    p.start(ImageMagick(), {photo, QStringLiteral("-dither"), QStringLiteral("None"), QStringLiteral("-colors"),
                            QStringLiteral("256"), theirs});
    QVERIFY(p.waitForFinished(120000) && p.exitCode() == 0);
    TBitmap bitmap;
    bitmap.Assign(QImage(photo));
    QCOMPARE(bitmap.Width(), 640);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.SaveToFile(ours);
    const double psnrOurs = Psnr(DecodeWithImageMagick(ours), bitmap.Image());
    const double psnrTheirs = Psnr(DecodeWithImageMagick(theirs), bitmap.Image());
    qInfo("GIF PSNR: ours %.2f dB, ImageMagick %.2f dB", psnrOurs, psnrTheirs);
    QVERIFY2(psnrOurs >= psnrTheirs - 1.0,
             qPrintable(QStringLiteral("%1 dB against %2 dB").arg(psnrOurs).arg(psnrTheirs)));
}

QTEST_GUILESS_MAIN(TestImageWrite)
#include "tst_image_write.moc"
