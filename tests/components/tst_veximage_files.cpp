// Picture files and rotation of the image surface: the control takes a loaded picture's size, a
// failed load changes nothing, saved pictures read back, rotation keeps the control's size.
#include <Tallwick/Canvas.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageIO.h>
#include <Tallwick/Metafile.h>
#include "PixelTools.h"
#include <Tallwick/Tveximage.h>
#include "TveximageTesting.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

using namespace Tallwick;

namespace {
const QString kData = QStringLiteral(IMAGEIO_TEST_DATA);

struct Surface : TVexImage {
    const TImageIO* ImageIOObject() const { return TVexImageTesting::ImageIOObject(*this); }
    const TImageProc* ImageProcObject() const { return TVexImageTesting::ImageProcObject(*this); }
};

TBitmap* BitmapOf(TVexImage& image) { return image.Picture()->Bitmap(); }

// A picture with a distinct pixel everywhere, drawn through the canvas.
void PaintPattern(TVexImage& image, int width, int height) {
    image.SetHeightWidth(height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Canvas()->SetPixel(x, y, RGB(x * 5, y * 3, (x + y) * 2));
}

// The file as the picture library reads it into a bitmap of its own.
QImage LibraryPixels(const QString& fileName) {
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(fileName);
    return bitmap.Image().copy();
}

int LargestDifference(const QImage& a, const QImage& b) {
    int largest = a.size() == b.size() ? 0 : 256;
    for (int y = 0; y < a.height() && largest < 256; ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}
}  // namespace

class TestVexImageFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadTakesPictureAndSize_data();
    void loadTakesPictureAndSize();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void saveReadsBack_data();
    void saveReadsBack();
    void savesAMetafilePictureAsItsDrawing();
    void rotateKeepsControlSize_data();
    void rotateKeepsControlSize();
    void libraryObjectsMadeOnFirstUse();
    void cutJpegRefused_data();
    void cutJpegRefused();

private:
    QTemporaryDir FDir;
    QString Temp(const QString& name) const { return FDir.filePath(name); }
};

void TestVexImageFiles::initTestCase() {
    QVERIFY(FDir.isValid());
    QVERIFY(QFile::exists(kData + QStringLiteral("/jpeg-baseline.jpg")));
    // The same photo under a name whose extension is in capitals.
    QVERIFY(QFile::copy(kData + QStringLiteral("/jpeg-baseline.jpg"), Temp(QStringLiteral("PHOTO.JPG"))));
}

// The control takes the picture's size; the bitmap holds what the library reads, at 24 bits.
void TestVexImageFiles::loadTakesPictureAndSize_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("emptyPicture");
    QTest::newRow("JPEG") << kData + "/jpeg-baseline.jpg" << false;
    QTest::newRow("JPEG, extension in capitals") << Temp("PHOTO.JPG") << false;
    QTest::newRow("TIFF") << kData + "/tiff-1bit-packbits.tif" << false;
    QTest::newRow("GIF into an empty picture") << kData + "/gif-plain.gif" << true;
    QTest::newRow("PCX") << kData + "/pcx-24.pcx" << false;
    QTest::newRow("BMP, 8-bit RLE") << kData + "/bmp8-rle.bmp" << true;
    QTest::newRow("WMF") << kData + "/shapes.wmf" << false;
}

void TestVexImageFiles::loadTakesPictureAndSize() {
    QFETCH(QString, file);
    QFETCH(bool, emptyPicture);
    const QImage expected = LibraryPixels(file);
    QVERIFY(!expected.isNull());
    TVexImage image;
    if (!emptyPicture)
        PaintPattern(image, 30, 20);
    image.LoadFromFile(file);
    QCOMPARE(image.size(), expected.size());
    QCOMPARE(BitmapOf(image)->PixelFormat(), pf24bit);
    const QString difference = FirstDifference(BitmapOf(image)->Image(), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// A file that cannot be read leaves the picture (its graphic, bitmap, pixels, pixel format) and
// the control's size exactly as they were, and says why.
void TestVexImageFiles::failedLoadChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");  // null: no such file
    QTest::addColumn<int>("picture");         // 0 bitmap, 1 empty, 2 metafile
    QTest::addColumn<QString>("message");     // a part of it
    QTest::newRow("missing file") << "missing.bmp" << QByteArray() << 0 << "Cannot open file";
    QTest::newRow("corrupt BMP") << "bad.bmp" << QByteArray("BM not a bitmap at all") << 0 << "bad.bmp";
    QTest::newRow("corrupt JPEG") << "bad.jpg" << QByteArray("\xFF\xD8\xFF garbage", 12) << 0 << "bad.jpg";
    QTest::newRow("corrupt TIFF") << "bad.tif" << QByteArray("II*\0garbage", 11) << 0 << "unrecognized TIFF";
    QTest::newRow("corrupt GIF, empty picture") << "bad.gif" << QByteArray("GIF89a") << 1 << "unrecognized GIF";
    QTest::newRow("corrupt PCX, metafile picture") << "bad.pcx" << QByteArray("\x0A\x05") << 2 << "unrecognized PCX";
    QTest::newRow("empty WMF") << "bad.wmf" << QByteArray("") << 0 << "unrecognized WMF or EMF";
}

void TestVexImageFiles::failedLoadChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, picture);
    QFETCH(QString, message);
    if (!content.isNull()) {
        QFile file(Temp(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    TVexImage image;
    image.resize(77, 55);
    TGraphic* graphic = nullptr;
    QImage pixels;
    unsigned generation = 0;
    if (picture == 0) {
        PaintPattern(image, 40, 30);
        pixels = BitmapOf(image)->Image().copy();
        generation = BitmapOf(image)->Generation();
    } else if (picture == 2) {
        image.Picture()->SetGraphic(std::make_unique<TMetafile>(QPicture(), 10, 10));
    }
    graphic = image.Picture()->Graphic();
    const QSize size = image.size();
    try {
        image.LoadFromFile(Temp(name));
        QFAIL("no error raised");
    } catch (const Exception& e) {
        QVERIFY2(e.Message.contains(message), qPrintable(e.Message));
    }
    QCOMPARE(image.size(), size);
    QCOMPARE(image.Picture()->Graphic(), graphic);
    if (picture == 0) {
        QCOMPARE(BitmapOf(image)->Generation(), generation);
        QCOMPARE(BitmapOf(image)->PixelFormat(), pfDevice);
        QVERIFY(BitmapOf(image)->Image() == pixels);
    }
}

// Saved, then loaded into a new surface: the same pixels (JPEG within its loss), the control
// taking the picture's size.
void TestVexImageFiles::saveReadsBack_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tolerance");  // largest channel difference: JPEG at quality 50 blurs the ring edges
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("BMP") << "out.bmp" << 0 << QByteArray("BM");
    QTest::newRow("PCX") << "out.pcx" << 0 << QByteArray("\x0A");
    QTest::newRow("TIFF, not BMP under that name") << "out.tif" << 0 << QByteArray("II*");
    QTest::newRow("GIF, few colours") << "out.gif" << 0 << QByteArray("GIF8");
    QTest::newRow("JPEG, capitals") << "OUT.JPEG" << 64 << QByteArray("\xFF\xD8");
    QTest::newRow("any other name: BMP") << "out.picture" << 0 << QByteArray("BM");
}

void TestVexImageFiles::saveReadsBack() {
    QFETCH(QString, name);
    QFETCH(int, tolerance);
    QFETCH(QByteArray, magic);
    TVexImage image;
    image.SetHeightWidth(45, 64);
    image.Fill(clNavy);
    image.Ball3D(4, 4, 40, 40, clNavy, clYellow, true);
    if (tolerance == 0 && !name.endsWith(QLatin1String(".gif")))
        PaintPattern(image, 64, 45);  // more colours than a GIF holds, more detail than JPEG keeps
    const QImage drawn = BitmapOf(image)->Image().copy();
    image.SaveToFile(Temp(name));
    QFile file(Temp(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(magic.size()) == magic);
    TVexImage loaded;
    loaded.LoadFromFile(Temp(name));
    QCOMPARE(loaded.size(), QSize(64, 45));
    QVERIFY2(LargestDifference(BitmapOf(loaded)->Image(), drawn) <= tolerance,
             qPrintable(QString::number(LargestDifference(BitmapOf(loaded)->Image(), drawn))));
    QCOMPARE(BitmapOf(image)->PixelFormat(), pf24bit);  // saving set the format
}

// A picture holding a metafile is written as its drawing and then holds that drawing as its
// bitmap: neither the file nor the picture comes out empty.
void TestVexImageFiles::savesAMetafilePictureAsItsDrawing() {
    QPicture recording;
    {
        QPainter painter(&recording);
        painter.fillRect(QRect(0, 0, 30, 20), Qt::white);
        painter.fillRect(QRect(5, 5, 10, 10), Qt::red);
    }
    TVexImage image;
    image.Picture()->SetGraphic(std::make_unique<TMetafile>(recording, 30, 20));
    image.SaveToFile(Temp(QStringLiteral("metafile.bmp")));
    const QImage saved = LibraryPixels(Temp(QStringLiteral("metafile.bmp")));
    QCOMPARE(saved.size(), QSize(30, 20));
    QCOMPARE(CountOf(saved, clRed), 100);
    QVERIFY(image.Picture()->HoldsBitmap());
    const QString difference = FirstDifference(BitmapOf(image)->Image(), saved);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// Rotate turns the bitmap counter-clockwise; the control keeps its size.
void TestVexImageFiles::rotateKeepsControlSize_data() {
    QTest::addColumn<int>("angle");
    QTest::addColumn<QSize>("bitmapSize");
    QTest::addColumn<QPoint>("redGoesTo");  // where the red top-left block's corner ends; (-1, -1): not checked
    QTest::newRow("90") << 90 << QSize(100, 200) << QPoint(0, 199);
    QTest::newRow("-90") << -90 << QSize(100, 200) << QPoint(99, 0);
    QTest::newRow("180") << 180 << QSize(200, 100) << QPoint(199, 99);
    QTest::newRow("360") << 360 << QSize(200, 100) << QPoint(0, 0);
    QTest::newRow("45 enlarges") << 45 << QSize(213, 213) << QPoint(-1, -1);
}

void TestVexImageFiles::rotateKeepsControlSize() {
    QFETCH(int, angle);
    QFETCH(QSize, bitmapSize);
    QFETCH(QPoint, redGoesTo);
    TVexImage image;
    image.SetHeightWidth(100, 200);
    image.Fill(clBlue);
    image.Canvas()->Brush.Color = clRed;
    image.Canvas()->FillRect(Rect(0, 0, 10, 10));
    image.Rotate(angle);
    QCOMPARE(image.size(), QSize(200, 100));
    const QSize actual(BitmapOf(image)->Width(), BitmapOf(image)->Height());
    QVERIFY2(std::abs(actual.width() - bitmapSize.width()) <= 2 && std::abs(actual.height() - bitmapSize.height()) <= 2,
             qPrintable(QStringLiteral("%1 x %2").arg(actual.width()).arg(actual.height())));
    const QImage& pixels = BitmapOf(image)->Image();
    if (redGoesTo.x() >= 0) {
        QCOMPARE(actual, bitmapSize);
        QCOMPARE(ColorAt(pixels, redGoesTo.x(), redGoesTo.y()), clRed);
        QCOMPARE(CountOf(pixels, clRed), 100);
    } else {
        QCOMPARE(ColorAt(pixels, 0, 0), clWhite);  // uncovered corners
        QCOMPARE(ColorAt(pixels, actual.width() / 2, actual.height() / 2), clBlue);
    }
}

// Neither library object exists before a picture is first loaded, saved or rotated.
void TestVexImageFiles::libraryObjectsMadeOnFirstUse() {
    Surface image;
    image.Fill(clGreen);
    QVERIFY(!image.ImageIOObject() && !image.ImageProcObject());
    image.Rotate(90);
    QVERIFY(!image.ImageIOObject() && image.ImageProcObject());
    image.SaveToFile(Temp(QStringLiteral("first.bmp")));
    QVERIFY(image.ImageIOObject());
}

// A photograph-like picture of 320 x 240 (smooth shades and fine detail) as JPEG, baseline or
// progressive, written by Qt's own writer: large enough that every cut below falls in picture data.
namespace {
// Written with libjpeg itself: Qt's own JPEG plugin is not in every build (the Windows one).
QByteArray JpegOfPhoto(bool progressive) {
    constexpr int kWidth = 320, kHeight = 240;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &data, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(kWidth * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            row[x * 3] = static_cast<unsigned char>(x * 255 / 319);
            row[x * 3 + 1] = static_cast<unsigned char>(y * 255 / 239);
            row[x * 3 + 2] = static_cast<unsigned char>((x * y + x * 7 + y * 13) % 256);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    free(data);
    return bytes;
}
}  // namespace

void TestVexImageFiles::cutJpegRefused_data() {
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("percent");     // of the file kept
    QTest::addColumn<bool>("endMarker");  // FF D9 put after the cut
    for (bool progressive : {false, true})
        for (int percent : {20, 50, 80})
            for (bool endMarker : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1 cut at %2 %%3")
                                             .arg(QLatin1String(progressive ? "progressive" : "baseline"))
                                             .arg(percent)
                                             .arg(QLatin1String(endMarker ? ", end marker added" : ""))))
                    << progressive << percent << endMarker;
}

// A JPEG whose picture data stops early is refused, by the surface and tallwick-convert alike,
// whether or not it ends with an end-of-image marker; it is never shown with a grey lower part.
void TestVexImageFiles::cutJpegRefused() {
    QFETCH(bool, progressive);
    QFETCH(int, percent);
    QFETCH(bool, endMarker);
    const QByteArray whole = JpegOfPhoto(progressive);
    QVERIFY(whole.size() > 10000);
    QVERIFY(progressive == (whole.count("\xFF\xDA") > 1));  // scans: progressive ones are several
    const QString path = Temp(QStringLiteral("cut.jpg")), out = Temp(QStringLiteral("cut.png"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(whole.left(whole.size() * percent / 100) + (endMarker ? QByteArray("\xFF\xD9") : QByteArray()));
    file.close();
    TVexImage image;
    PaintPattern(image, 30, 20);
    try {
        image.LoadFromFile(path);
        QFAIL("a cut JPEG was loaded");
    } catch (const Exception& e) {
        QVERIFY2(e.Message.startsWith(QStringLiteral("Corrupt JPEG file ") + QDir::toNativeSeparators(path)),
                 qPrintable(e.Message));
    }
    QCOMPARE(image.size(), QSize(30, 20));
    QFile::remove(out);
    QProcess convert;
    convert.start(QStringLiteral(TALLWICK_CONVERT), {path, out});
    QVERIFY(convert.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(convert.readAllStandardError());
    QCOMPARE(convert.exitCode(), 1);
    QVERIFY2(err.contains(QLatin1String("Corrupt JPEG file")), qPrintable(err));
    QVERIFY(!QFile::exists(out));
}

QTEST_MAIN(TestVexImageFiles)
#include "tst_veximage_files.moc"
