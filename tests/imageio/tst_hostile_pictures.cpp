// Files that claim huge pictures or end early: tallwick-convert, under a 2 GB address-space limit,
// must refuse each with a message and exit status 1, quickly, without crashing. Pictures at the
// pixel bound are read.
#include "ImageTools.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include "PcxHeader.h"

class TestHostilePictures : public QObject {
    Q_OBJECT
private slots:
    void refused_data();
    void refused();
    void pixelBoundEdge_data();
    void pixelBoundEdge();

private:
    struct TRun {
        int Status;
        QString Err;
        qint64 Ms;
    };
    // tallwick-convert IN OUT ARGS... under the address-space limit.
    static TRun Convert(const QString& in, const QString& out, const QStringList& args = {});

    QTemporaryDir FDir;
};

namespace {
QByteArray DataFile(const char* name) {
    QFile f(QStringLiteral(IMAGEIO_TEST_DATA "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Bmp(qint32 width, qint32 height, int bits, int compression) {
    QByteArray info = Le32(40) + Le32(quint32(width)) + Le32(quint32(height)) + Le16(1) + Le16(bits) +
                      Le32(quint32(compression)) + Le32(0) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
    QByteArray pixels(256, '\x11');
    return "BM" + Le32(quint32(54 + pixels.size())) + Le32(0) + Le32(54) + info + pixels;
}

// The dimensions of the frame header (SOF0) of a real JPEG file replaced.
QByteArray JpegSized(int width, int height) {
    QByteArray jpeg = DataFile("jpeg-baseline.jpg");
    const int sof = jpeg.indexOf("\xFF\xC0");
    if (sof < 0)
        return jpeg;
    qToBigEndian<quint16>(quint16(height), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + sof + 7);
    return jpeg;
}

// A little-endian TIFF with one directory of (tag, type, value) entries of type SHORT or LONG.
QByteArray Tiff(const QList<std::array<quint32, 3>>& entries) {
    QByteArray t = "II*\0" + Le32(8) + Le16(int(entries.size()));
    for (const auto& e : entries)
        t += Le16(int(e[0])) + Le16(int(e[1])) + Le32(1) + (e[1] == 3 ? Le16(int(e[2])) + Le16(0) : Le32(e[2]));
    return t + Le32(0) + QByteArray(64, '\x80');
}

// A black-and-white page, group 4 fax compressed, of the given size with one strip of 60 bytes.
QByteArray FaxTiff(quint32 width, quint32 height) {
    return Tiff({{256, 4, width},
                 {257, 4, height},
                 {258, 3, 1},
                 {259, 3, 4},
                 {262, 3, 0},
                 {273, 4, 100},
                 {277, 3, 1},
                 {279, 4, 60}});
}
// A run-length PCX of one colour, runs of 63 bytes going on across lines: palette entry 0, 0x336699,
// in one 8-bit plane, or grey 0x808080 in three.
QByteArray FlatPcx(int width, int height, int planes) {
    const int bytesPerLine = (width + 1) & ~1;
    const qint64 bytes = qint64(bytesPerLine) * planes * height;
    QByteArray pcx = PcxHeader(width - 1, height - 1, bytesPerLine, planes).left(128);
    pcx += QByteArray(planes == 1 ? "\xFF\x00" : "\xFF\x80", 2).repeated(int((bytes + 62) / 63));
    if (planes == 1)
        pcx += '\x0C' + QByteArray("\x33\x66\x99", 3) + QByteArray(255 * 3, '\0');
    return pcx;
}

QByteArray Gif(int screenW, int screenH, int w, int h) {
    return "GIF89a" + Le16(screenW) + Le16(screenH) + QByteArray("\x80\0\0", 3) + QByteArray(6, '\xFF') + "," +
           Le16(0) + Le16(0) + Le16(w) + Le16(h) + QByteArray("\0\x02\x02\x44\x01\0;", 7);
}

}  // namespace

void TestHostilePictures::refused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");  // part of what is printed
    QTest::addColumn<int>("status");
    QTest::newRow("bmp 40000 x 40000") << "a.bmp" << Bmp(40000, 40000, 24, 0) << "is too large" << 1;
    QTest::newRow("bmp top-down -2^31") << "a.bmp" << Bmp(100, INT32_MIN, 24, 0) << "is too large" << 1;
    QTest::newRow("bmp rle8 60000 x 60000") << "a.bmp" << Bmp(60000, 60000, 8, 1) << "is too large" << 1;
    QTest::newRow("bmp 16-bit 30000 x 30000") << "a.bmp" << Bmp(30000, 30000, 16, 0) << "is too large" << 1;
    QTest::newRow("bmp negative width") << "a.bmp" << Bmp(-5, 10, 24, 0) << "Corrupt BMP file" << 1;
    QTest::newRow("jpeg 65000 x 65000") << "a.jpg" << JpegSized(65000, 65000) << "Corrupt JPEG file" << 1;
    QTest::newRow("jpeg 0 x 10") << "a.jpg" << JpegSized(0, 10) << "Corrupt JPEG file" << 1;
    QTest::newRow("tiff 2^31 x 2^31") << "a.tif"
                                      << Tiff({{256, 4, 0x80000000u},
                                               {257, 4, 0x80000000u},
                                               {258, 3, 8},
                                               {259, 3, 5},
                                               {262, 3, 2},
                                               {273, 4, 100},
                                               {277, 3, 3},
                                               {279, 4, 60}})
                                      << "unrecognized TIFF" << 1;
    QTest::newRow("tiff fax 200000 x 200000") << "a.tif" << FaxTiff(200000, 200000) << "unrecognized TIFF" << 1;
    QTest::newRow("tiff fax 30000 x 30000 in 160 bytes")
        << "a.tif" << FaxTiff(30000, 30000) << "unrecognized TIFF" << 1;
    QTest::newRow("gif 65535 x 65535") << "a.gif" << Gif(65535, 65535, 65535, 65535) << "unrecognized GIF" << 1;
    QTest::newRow("gif frame off screen") << "a.gif" << Gif(10, 10, 65535, 65535) << "unrecognized GIF" << 1;
    QTest::newRow("pcx 65536 x 65536") << "a.pcx" << PcxHeader(65535, 65535, 65535, 3) << "unrecognized PCX" << 1;
    QTest::newRow("pcx short lines") << "a.pcx" << PcxHeader(999, 9, 10, 1) << "unrecognized PCX" << 1;
    QTest::newRow("pcx 8-bit without palette") << "a.pcx" << PcxHeader(9, 9, 10, 1) << "unrecognized PCX" << 1;
    // Every data file cut in half, and cut to its first 20 bytes; run-length BMP files, 4-bit as
    // 8-bit, are refused once their codes end before the end of the bitmap.
    for (const char* f :
         {"bmp24.bmp", "bmp8-rle.bmp", "bmp4-rle.bmp", "bmp16.bmp", "jpeg-progressive.jpg", "tiff-lzw.tif",
          "tiff-g4.tif", "gif-interlaced.gif", "pcx-24.pcx", "pcx-8.pcx", "shapes.wmf", "plain.wmf", "shapes.emf"}) {
        const QByteArray whole = DataFile(f);
        const QString name = QStringLiteral("cut.") + QString::fromLatin1(f).section(QLatin1Char('.'), -1);
        for (int length : {int(whole.size() / 2), 20})
            QTest::newRow(qPrintable(QStringLiteral("%1 cut to %2").arg(QLatin1String(f)).arg(length)))
                << name << whole.left(length) << QString() << 1;
    }
    const QByteArray rle4 = DataFile("bmp4-rle.bmp");
    QTest::newRow("bmp4-rle.bmp cut short") << "cut.bmp" << rle4.left(rle4.size() * 9 / 10) << "Corrupt BMP file" << 1;
}

void TestHostilePictures::refused() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(int, status);
    const QString in = FDir.filePath(name), out = FDir.filePath(QStringLiteral("out.bmp"));
    QFile::remove(out);
    WriteBytes(in, bytes);
    const TRun run = Convert(in, out);
    QVERIFY2(run.Ms < 20000, qPrintable(QStringLiteral("took %1 ms").arg(run.Ms)));
    QVERIFY2(run.Status == status, qPrintable(run.Err));
    if (status == 0)
        return;
    QVERIFY2(run.Err.contains(QLatin1String("tallwick-convert: ")) && run.Err.contains(message), qPrintable(run.Err));
    QVERIFY(!QFile::exists(out));
}

TestHostilePictures::TRun TestHostilePictures::Convert(const QString& in, const QString& out, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer reserves far more address space than any limit; it watches memory itself.
    const QString limit;
#else
    const QString limit = QStringLiteral("ulimit -v 2000000 && ");
#endif
    p.start(QStringLiteral("/bin/bash"), QStringList{QStringLiteral("-c"), limit + QStringLiteral("exec \"$0\" \"$@\""),
                                                     QStringLiteral(TALLWICK_CONVERT), in, out} +
                                             args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, QStringLiteral("did not end normally"), clock.elapsed()};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()), clock.elapsed()};
}

// Each quantity is held to its own bound: a square of 2^27 pixels or fewer is read whatever its
// lines' bytes come to, and one column more is refused.
void TestHostilePictures::pixelBoundEdge_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("planes");
    QTest::addColumn<QRgb>("colour");  // 0: refused
    QTest::newRow("8-bit 11585 x 11585") << 11585 << 11585 << 1 << qRgb(0x33, 0x66, 0x99);
    QTest::newRow("8-bit 11586 x 11585") << 11586 << 11585 << 1 << QRgb(0);
    QTest::newRow("24-bit 6700 x 6700") << 6700 << 6700 << 3 << qRgb(0x80, 0x80, 0x80);
}

void TestHostilePictures::pixelBoundEdge() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, planes);
    QFETCH(QRgb, colour);
    const QString in = FDir.filePath(QStringLiteral("edge.pcx")), out = FDir.filePath(QStringLiteral("edge.bmp"));
    QFile::remove(out);
    WriteBytes(in, FlatPcx(width, height, planes));
    const TRun run = Convert(in, out, {QStringLiteral("--size"), QStringLiteral("16")});
    QFile::remove(in);
    if (colour == 0) {
        QCOMPARE(run.Status, 1);
        QVERIFY2(run.Err.contains(QLatin1String("unrecognized PCX")), qPrintable(run.Err));
        return;
    }
    QVERIFY2(run.Status == 0, qPrintable(run.Err));
    const QImage image(out);
    QCOMPARE(image.size(), QSize(16, 16));
    QCOMPARE(image.pixel(0, 0), colour);
    QCOMPARE(image.pixel(15, 15), colour);
}

QTEST_GUILESS_MAIN(TestHostilePictures)
#include "tst_hostile_pictures.moc"
