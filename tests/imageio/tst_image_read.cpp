// Reading pictures made by other programs: each must come out as the pixels ImageMagick decodes
// from the same file; and what a failed read leaves behind, with its message.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageIO.h>
#include "ImageTools.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Tallwick;

class TestImageRead : public QObject {
    Q_OBJECT
private slots:
    void readsLikeImageMagick_data();
    void readsLikeImageMagick();
    void extensionCaseDoesNotMatter();
    void badFiles_data();
    void badFiles();
    void alphaOnWhite_data();
    void alphaOnWhite();
    void failedLoadLeavesBitmap();
    void missingOrFolder_data();
    void missingOrFolder();

private:
    QTemporaryDir FDir;
};

static QString Data(const QString& name) { return QStringLiteral(IMAGEIO_TEST_DATA "/") + name; }

void TestImageRead::readsLikeImageMagick_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tolerance");
    // Lossless formats must match exactly. JPEG: both decoders are libjpeg's, but the colour
    // conversion and upsampling paths may round differently, so each channel may differ by 2;
    // CMYK is converted by each program its own way (ImageMagick through a colour profile-free
    // formula of its own), hence the wider allowance there.
    for (const char* f : {"bmp1.bmp",
                          "bmp4.bmp",
                          "bmp4-rle.bmp",
                          "bmp8.bmp",
                          "bmp8-rle.bmp",
                          "bmp16.bmp",
                          "bmp24.bmp",
                          "bmp24-topdown.bmp",
                          "bmp24-os2.bmp",
                          "bmp32.bmp",
                          "tiff-none.tif",
                          "tiff-lzw.tif",
                          "tiff-packbits.tif",
                          "tiff-gray8.tif",
                          "tiff-bw.tif",
                          "tiff-g3.tif",
                          "tiff-g4.tif",
                          "tiff-1bit-packbits.tif",
                          "gif-plain.gif",
                          "gif-interlaced.gif",
                          "gif-giftool-interlaced.gif",
                          "gif-transparent.gif",
                          "pcx-1.pcx",
                          "pcx-8.pcx",
                          "pcx-24.pcx"})
        QTest::newRow(f) << QString::fromLatin1(f) << 0;
    // The palette holds 16-bit colours; libtiff keeps the high byte, ImageMagick rounds.
    QTest::newRow("tiff-palette.tif") << QStringLiteral("tiff-palette.tif") << 1;
    for (const char* f : {"jpeg-baseline.jpg", "jpeg-progressive.jpg", "jpeg-gray.jpg"})
        QTest::newRow(f) << QString::fromLatin1(f) << 2;
    QTest::newRow("jpeg-cmyk.jpg") << QStringLiteral("jpeg-cmyk.jpg") << 3;
}

void TestImageRead::readsLikeImageMagick() {
    QFETCH(QString, file);
    QFETCH(int, tolerance);
    const QImage expected(Data(file + QStringLiteral(".png")));
    QVERIFY(!expected.isNull());
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(Data(file));
    QCOMPARE(bitmap.Width(), expected.width());
    QCOMPARE(bitmap.Height(), expected.height());
    QCOMPARE(bitmap.PixelFormat(), pf24bit);
    const ImageDifference d = Compare(bitmap.Image(), expected.convertToFormat(QImage::Format_RGB32));
    QVERIFY2(d.Max <= tolerance, Describe(d).constData());
}

void TestImageRead::extensionCaseDoesNotMatter() {
    const QString upper = FDir.filePath(QStringLiteral("PHOTO.JPG"));
    QVERIFY(QFile::copy(Data(QStringLiteral("jpeg-baseline.jpg")), upper));
    TBitmap bitmap;
    bitmap.SetSize(5, 5);
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(upper);  // as BMP it would fail
    QCOMPARE(bitmap.Width(), 37);
    QCOMPARE(bitmap.Height(), 29);
}

void TestImageRead::badFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");  // %1 stands for the file's path
    const QByteArray junk("this is not a picture at all, just some text that fills a few dozen bytes....");
    QByteArray jpeg;
    QFile f(Data(QStringLiteral("jpeg-baseline.jpg")));
    if (f.open(QIODevice::ReadOnly))
        jpeg = f.readAll();
    QByteArray bmp;
    QFile b(Data(QStringLiteral("bmp24.bmp")));
    if (b.open(QIODevice::ReadOnly))
        bmp = b.readAll();
    QTest::newRow("tiff junk") << "a.tif" << junk << "unrecognized TIFF";
    QTest::newRow("tiff empty") << "a.tiff" << QByteArray() << "unrecognized TIFF";
    QTest::newRow("pcx junk") << "a.pcx" << junk << "unrecognized PCX";
    QTest::newRow("pcx truncated") << "a.pcx" << QByteArray(junk).replace(0, 1, "\x0a").leftJustified(130, 'x')
                                   << "unrecognized PCX";
    QTest::newRow("gif junk") << "a.gif" << junk << "unrecognized GIF";
    QTest::newRow("gif header only") << "a.gif" << QByteArray("GIF89a\x10\0\x10\0\0\0\0", 13) << "unrecognized GIF";
    QTest::newRow("wmf junk") << "a.wmf" << junk << "unrecognized WMF or EMF";
    QTest::newRow("emf empty") << "a.emf" << QByteArray() << "unrecognized WMF or EMF";
    QTest::newRow("jpeg junk") << "a.jpg" << junk << "Corrupt JPEG file %1: Not a JPEG file: starts with 0x74 0x68";
    QTest::newRow("jpeg truncated") << "a.jpeg" << jpeg.left(jpeg.size() / 2)
                                    << "Corrupt JPEG file %1: Premature end of JPEG file";
    QTest::newRow("jpeg empty") << "a.jpg" << QByteArray() << "Corrupt JPEG file %1: empty file";
    QTest::newRow("bmp junk") << "a.bmp" << junk << "Corrupt BMP file %1: not a BMP file";
    QTest::newRow("bmp truncated") << "a.bmp" << bmp.left(bmp.size() - 40)
                                   << "Corrupt BMP file %1: the file is truncated";
    QTest::newRow("other extension junk") << "a.png" << junk << "Corrupt BMP file %1: not a BMP file";
    // Another format under a name read as BMP is named for what it is.
    QTest::newRow("png picture") << "a.png" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16)
                                 << "%1 is a PNG picture, which is not read here";
    QTest::newRow("jpeg named bmp") << "a.bmp" << jpeg << "%1 is a JPEG picture: give it the extension .jpg to read it";
    QTest::newRow("gif without extension") << "a" << QByteArray("GIF89a\x10\0\x10\0\0\0\0", 13)
                                           << "%1 is a GIF picture: give it the extension .gif to read it";
    // A well-formed header over the bound says so rather than blaming the file.
    const auto bmpHeader = [](int width, int height, int bits, int compression) {
        return "BM" + Le32(54 + 64) + Le32(0) + Le32(54) + Le32(40) + Le32(quint32(width)) + Le32(quint32(height)) +
               Le16(1) + Le16(bits) + Le32(quint32(compression)) + Le32(0) + Le32(2835) + Le32(2835) + Le32(0) +
               Le32(0) + QByteArray(64, '\0');
    };
    QTest::newRow("bmp over the bound") << "a.bmp" << bmpHeader(11586, 11586, 24, 0)
                                        << "%1 is too large: 11586 x 11586 pixels, more than the 134217728 pixels a "
                                           "picture may have";
    // Run-length files cut short, 4-bit as 8-bit.
    for (const char* cut : {"bmp4-rle.bmp", "bmp8-rle.bmp"}) {
        QFile rle(Data(QString::fromLatin1(cut)));
        QByteArray whole = rle.open(QIODevice::ReadOnly) ? rle.readAll() : QByteArray();
        QTest::newRow(qPrintable(QStringLiteral("%1 cut short").arg(QLatin1String(cut))))
            << "a.bmp" << whole.left(whole.size() * 2 / 3) << "Corrupt BMP file %1: the file is truncated";
    }
    QFile wmf(Data(QStringLiteral("shapes.wmf")));
    const QByteArray metafile = wmf.open(QIODevice::ReadOnly) ? wmf.readAll() : QByteArray();
    QTest::newRow("wmf named bmp") << "a.bmp" << metafile
                                   << "%1 is a WMF or EMF picture: give it the extension .wmf to read it";
}

void TestImageRead::badFiles() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = FDir.filePath(name);
    WriteBytes(path, bytes);
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    try {
        io.LoadFromFile(path);
        QFAIL("no exception");
    } catch (const Exception& e) {
        // Paths are shown as the system writes them (backslashes on Windows).
        const QString shown = QDir::toNativeSeparators(path);
        QCOMPARE(e.Message, message.contains(QLatin1String("%1")) ? message.arg(shown) : message);
        QVERIFY(!e.Message.contains(QLatin1Char('\n')));
    }
}

void TestImageRead::alphaOnWhite_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("alpha");  // ImageMagick's -define for TIFF's kind of alpha, or none
    QTest::newRow("tiff unassociated alpha") << "alpha.tif"
                                             << "tiff:alpha=unassociated";
    QTest::newRow("tiff associated alpha") << "alpha.tiff"
                                           << "tiff:alpha=associated";
    QTest::newRow("gif transparency") << "alpha.gif" << QString();
}

// Half-transparent and transparent pixels come out on white: (119, 193, 85) at alpha 128 as
// (187, 224, 170), transparent as white, opaque as it is.
void TestImageRead::alphaOnWhite() {
    if (ImageMagick().isEmpty())
        QSKIP("ImageMagick's convert is not installed (scripts/install-deps installs it)");
    QFETCH(QString, name);
    QFETCH(QString, alpha);
    const QString path = FDir.filePath(name);
    const bool gif = alpha.isEmpty();
    QStringList args = {QStringLiteral("-size"),
                        QStringLiteral("1x1"),
                        gif ? QStringLiteral("xc:rgb(119,193,85)") : QStringLiteral("xc:rgba(119,193,85,0.50196)"),
                        QStringLiteral("xc:none"),
                        QStringLiteral("xc:rgb(20,40,60)"),
                        QStringLiteral("+append")};
    if (!gif)
        args << QStringLiteral("-define") << alpha;
    args << path;
    QProcess p;
    p.start(ImageMagick(), args);
    QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(path);
    QCOMPARE(bitmap.Image().size(), QSize(3, 1));
    const QRgb half = bitmap.Image().pixel(0, 0);
    const QRgb expected = gif ? qRgb(119, 193, 85) : qRgb(187, 224, 170);
    QVERIFY2(std::abs(qRed(half) - qRed(expected)) <= 1 && std::abs(qGreen(half) - qGreen(expected)) <= 1 &&
                 std::abs(qBlue(half) - qBlue(expected)) <= 1,
             qPrintable(QColor(half).name()));
    QCOMPARE(QColor(bitmap.Image().pixel(1, 0)).name(), QStringLiteral("#ffffff"));
    QCOMPARE(QColor(bitmap.Image().pixel(2, 0)).name(), QColor(20, 40, 60).name());
}

// A failed load changes nothing: size, pixels and the pixel format the bitmap had.
void TestImageRead::failedLoadLeavesBitmap() {
    const QString path = FDir.filePath(QStringLiteral("broken.gif"));
    WriteBytes(path, "GIF89a broken");
    TBitmap bitmap;
    bitmap.SetSize(7, 3);
    bitmap.SetPixelFormat(pf32bit);
    bitmap.ScanLine(1)[2] = 0xFF123456;
    const QImage before = bitmap.Image().copy();
    int changes = 0;
    bitmap.OnChange = [&changes] { ++changes; };
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    QVERIFY_THROWS_EXCEPTION(Exception, io.LoadFromFile(path));
    QCOMPARE(bitmap.Image(), before);
    QCOMPARE(bitmap.PixelFormat(), pf32bit);
    QCOMPARE(changes, 0);
}

void TestImageRead::missingOrFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing jpeg") << "nothing-here.jpg";
    QTest::newRow("missing bmp") << "nothing-here.bmp";
    QTest::newRow("folder") << "folder.gif";
}

void TestImageRead::missingOrFolder() {
    QFETCH(QString, name);
    const QString path = FDir.filePath(name);
    QDir(FDir.path()).mkdir(QStringLiteral("folder.gif"));
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    try {
        io.LoadFromFile(path);
        QFAIL("no exception");
    } catch (const EFOpenError& e) {
        QCOMPARE(e.Message, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
    }
}

QTEST_GUILESS_MAIN(TestImageRead)
#include "tst_image_read.moc"
