// The image-format plugin through Qt's own reader and writer: WMF, EMF and PCX read by name and by
// content with tallwick-convert's pixels, Qt's formats left to Qt, sizes answered without drawing,
// scaled sizes drawn (bad ones refused), hostile files refused in bounded time, PCX written.
// Everything runs within 768 MiB of address space beyond what the test holds at its start: the
// plugin must neither reserve more than a file holds nor let a failed allocation escape.
#include "../support/AddressSpaceLimit.h"
#include "ImageTools.h"
#include "MetafilePlayer.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageIOPlugin>
#include <QImageReader>
#include <QImageWriter>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <memory>
#include "PcxHeader.h"

using namespace Tallwick;

class TestImageFormatPlugin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readsLikeTallwickConvert_data();
    void readsLikeTallwickConvert();
    void leavesQtFormatsToQt_data();
    void leavesQtFormatsToQt();
    void sizeWithoutDrawing();
    void scaledSize_data();
    void scaledSize();
    void hostile_data();
    void hostile();
    void writesPcx_data();
    void writesPcx();
    void refusesToWriteNothing();
    void readsFromAnyDevice_data();
    void readsFromAnyDevice();
    void endlessOrHugeDevice_data();
    void endlessOrHugeDevice();
    void cleanupTestCase();

private:
    QString Copy(const QByteArray& bytes, const QString& name);
    QImageIOPlugin* FPlugin = nullptr;
    QTemporaryDir FDir;
    std::unique_ptr<AddressSpaceLimit> FLimit;
};

namespace {
QString Data(const QString& name) { return QStringLiteral(IMAGEIO_TEST_DATA "/") + name; }

QByteArray DataFile(const QString& name) {
    QFile f(Data(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

constexpr qint64 kMiB = qint64(1) << 20;

// Bytes served as a device serves them: with random access like a file, or in order like a pipe,
// at most 4 KiB a call; past the bytes given, zeros up to `length`. Remembers how far it was read.
class PieceDevice : public QIODevice {
public:
    PieceDevice(QByteArray bytes, bool sequential, qint64 length = -1)
        : FBytes(std::move(bytes)),
          FSequential(sequential),
          FLength(length < 0 ? FBytes.size() : length) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return FSequential; }
    qint64 size() const override { return FSequential ? QIODevice::size() : FLength; }
    bool seek(qint64 pos) override {
        if (FSequential || !QIODevice::seek(pos))
            return false;
        FAt = pos;
        return true;
    }
    qint64 Furthest() const { return FFurthest; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min({maxSize, FLength - FAt, qint64(4096)});
        const qint64 given = std::clamp<qint64>(FBytes.size() - FAt, 0, n);
        if (given > 0)
            std::memcpy(data, FBytes.constData() + FAt, size_t(given));
        std::memset(data + given, 0, size_t(n - given));
        FAt += n;
        FFurthest = std::max(FFurthest, FAt);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray FBytes;
    bool FSequential;
    qint64 FLength, FAt = 0, FFurthest = 0;
};

}  // namespace

QString TestImageFormatPlugin::Copy(const QByteArray& bytes, const QString& name) {
    const QString path = FDir.filePath(name);
    QFile::remove(path);
    WriteBytes(path, bytes);
    return path;
}

// Qt finds the plugin on QT_PLUGIN_PATH, as any program would; the same file is loaded here to
// ask it directly what it claims.
void TestImageFormatPlugin::initTestCase() {
    FLimit = std::make_unique<AddressSpaceLimit>(768 * kMiB);
    const QList<QByteArray> read = QImageReader::supportedImageFormats(),
                            written = QImageWriter::supportedImageFormats();
    for (const char* key : {"wmf", "emf", "pcx"})
        QVERIFY2(read.contains(key), key);
    QVERIFY(written.contains("pcx"));
    QVERIFY(!written.contains("wmf") && !written.contains("emf"));
    QVERIFY(QImageReader::supportedMimeTypes().contains("image/wmf"));
    static QPluginLoader loader(QStringLiteral(PLUGIN_FILE));
    FPlugin = qobject_cast<QImageIOPlugin*>(loader.instance());
    QVERIFY2(FPlugin, qPrintable(loader.errorString()));
}

void TestImageFormatPlugin::readsLikeTallwickConvert_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");  // what it is called when read
    QTest::addColumn<QByteArray>("format");
    for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf", "pcx-1.pcx", "pcx-8.pcx", "pcx-24.pcx"}) {
        const QString file = QString::fromLatin1(f);
        const QByteArray format = file.section(QLatin1Char('.'), -1).toLatin1();
        QTest::newRow(qPrintable(file + QStringLiteral(" by name"))) << file << file << format;
        QTest::newRow(qPrintable(file + QStringLiteral(" without extension"))) << file << "unnamed" << format;
        QTest::newRow(qPrintable(file + QStringLiteral(" named .dat"))) << file << "misnamed.dat" << format;
    }
    QTest::newRow("emf named .wmf") << "shapes.emf"
                                    << "emf-as.wmf" << QByteArray("emf");
}

void TestImageFormatPlugin::readsLikeTallwickConvert() {
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    const QString reference = FDir.filePath(file + QStringLiteral(".png"));
    QCOMPARE(QProcess::execute(QStringLiteral(TALLWICK_CONVERT), {Data(file), reference}), 0);
    QImageReader reader(Copy(DataFile(file), name));
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    const ImageDifference d = Compare(image, QImage(reference));
    QVERIFY2(d.SameSize && d.Max == 0, Describe(d).constData());
}

void TestImageFormatPlugin::leavesQtFormatsToQt_data() {
    QTest::addColumn<QByteArray>("bytes");
    for (const char* f :
         {"bmp24.bmp", "bmp8-rle.bmp", "jpeg-baseline.jpg", "gif-plain.gif", "tiff-lzw.tif", "bmp24.bmp.png"})
        QTest::newRow(f) << DataFile(QString::fromLatin1(f));
    QTest::newRow("text starting with a newline")
        << QByteArray("\n\n\n\x01 some text that goes on for a while").leftJustified(200, 'x');
    QTest::newRow("pcx header of version 1") << PcxHeader(9, 9, 10, 1).replace(1, 1, "\x01");
    QTest::newRow("pcx header with 2 planes") << PcxHeader(9, 9, 10, 2);
    QTest::newRow("pcx header, lines too long") << PcxHeader(9, 9, 400, 1);
    QTest::newRow("wmf header of version 0x0200") << (Le16(1) + Le16(9) + Le16(0x0200) + QByteArray(40, '\0'));
    QTest::newRow("emf type without signature") << (Le32(1) + Le32(88) + QByteArray(80, '\0'));
    QTest::newRow("empty") << QByteArray();
}

// Nothing that is not WMF, EMF or PCX by its whole header is claimed.
void TestImageFormatPlugin::leavesQtFormatsToQt() {
    QFETCH(QByteArray, bytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(int(FPlugin->capabilities(&buffer, QByteArray())), 0);
    QCOMPARE(buffer.pos(), 0);
    QImageReader reader(Copy(bytes, QStringLiteral("unknown")));
    QVERIFY(!QList<QByteArray>({"wmf", "emf", "pcx"}).contains(reader.format()));
}

// A file cut after its headers has a size, though it cannot be drawn.
void TestImageFormatPlugin::sizeWithoutDrawing() {
    for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf", "pcx-24.pcx"}) {
        const QByteArray whole = DataFile(QString::fromLatin1(f));
        const QSize size = QImage(Data(QString::fromLatin1(f))).size();
        QVERIFY(size.isValid());
        QImageReader reader(Copy(whole.left(whole.size() * 9 / 10), QStringLiteral("cut")));
        QCOMPARE(reader.size(), size);
        QVERIFY2(reader.read().isNull(), f);
        QVERIFY(!reader.errorString().isEmpty());
    }
}

void TestImageFormatPlugin::scaledSize_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("drawn");  // false: refused
    QTest::newRow("wmf 400 x 200") << "shapes.wmf" << QSize(400, 200) << true;
    QTest::newRow("wmf 33 x 70") << "plain.wmf" << QSize(33, 70) << true;
    QTest::newRow("emf 50 x 80") << "shapes.emf" << QSize(50, 80) << true;
    QTest::newRow("emf 1 x 1") << "shapes.emf" << QSize(1, 1) << true;
    QTest::newRow("pcx 20 x 10") << "pcx-24.pcx" << QSize(20, 10) << true;
    QTest::newRow("wmf 0 x 0") << "shapes.wmf" << QSize(0, 0) << false;
    QTest::newRow("wmf 0 x 50") << "shapes.wmf" << QSize(0, 50) << false;
    QTest::newRow("emf 20000 x 20000") << "shapes.emf" << QSize(20000, 20000) << false;
    QTest::newRow("wmf 2^27 + 1 pixels") << "shapes.wmf" << QSize(134217729, 1) << false;
    QTest::newRow("pcx 0 x 0") << "pcx-24.pcx" << QSize(0, 0) << false;
    QTest::newRow("wmf -3 x -3") << "shapes.wmf" << QSize(-3, -3) << false;
    QTest::newRow("pcx -1 x 20") << "pcx-24.pcx" << QSize(-1, 20) << false;
}

// A metafile is drawn at the scaled size: the pixels of drawing it there, not of a scaled bitmap.
// Qt's reader ignores sizes it calls invalid (negative), so those go to the handler itself.
void TestImageFormatPlugin::scaledSize() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(bool, drawn);
    const QByteArray bytes = DataFile(file);
    QImage image;
    if (size.isValid()) {
        QImageReader reader(Copy(bytes, QStringLiteral("scaled")));
        reader.setScaledSize(size);
        image = reader.read();
        QVERIFY(image.isNull() != drawn);
        if (!drawn)
            QVERIFY(!reader.errorString().isEmpty());
    } else {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        std::unique_ptr<QImageIOHandler> handler(
            FPlugin->create(&buffer, file.section(QLatin1Char('.'), -1).toLatin1()));
        handler->setOption(QImageIOHandler::ScaledSize, size);
        QVERIFY(!handler->read(&image));
    }
    if (!drawn)
        return;
    const auto* d = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const QImage expected = file.endsWith(QLatin1String(".pcx"))
                                ? QImage(Data(file)).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                : TMetafilePlayer::RenderAt(d, bytes.size(), size);
    const ImageDifference diff = Compare(image, expected.convertToFormat(QImage::Format_RGB32));
    QVERIFY2(diff.SameSize && diff.Max == 0, Describe(diff).constData());
}

void TestImageFormatPlugin::hostile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("format");  // the name's extension; empty: no extension
    QTest::newRow("pcx 65536 x 65536") << PcxHeader(65535, 65535, 65535, 3) << QByteArray("pcx");
    QTest::newRow("pcx 65536 x 65536 unnamed") << PcxHeader(65535, 65535, 65535, 3) << QByteArray();
    QTest::newRow("pcx short lines") << PcxHeader(999, 9, 10, 1) << QByteArray("pcx");
    QTest::newRow("pcx 8-bit without palette") << PcxHeader(9, 9, 10, 1) << QByteArray();
    QTest::newRow("pcx 4 bits, not read here") << PcxHeader(9, 9, 5, 1, 4) << QByteArray();
    for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf", "pcx-8.pcx", "pcx-24.pcx"}) {
        const QByteArray whole = DataFile(QString::fromLatin1(f));
        for (double kept : {0.0, 1.0 / 3, 0.5, 0.9})
            QTest::newRow(qPrintable(QStringLiteral("%1 cut at %2").arg(QLatin1String(f)).arg(kept, 0, 'f', 2)))
                << (kept > 0 ? whole.left(int(whole.size() * kept)) : whole.left(20))
                << QString::fromLatin1(f).section(QLatin1Char('.'), -1).toLatin1();
    }
    const QByteArray wmf = Le16(1) + Le16(9) + Le16(0x300) + Le32(0) + Le16(0) + Le32(0) + Le16(0);
    QTest::newRow("wmf record longer than the file")
        << wmf + Le32(5) + Le16(0x020C) + Le16(100) + Le16(100) + Le32(0x7FFFFFFF) + Le16(0x0418) << QByteArray();
    QTest::newRow("wmf without a window") << wmf + Le32(3) + Le16(0) << QByteArray("wmf");
    QByteArray emf = Le32(1) + Le32(108) + Le32(0) + Le32(0) + Le32(quint32(-1)) + Le32(quint32(-1)) +
                     QByteArray(16, '\0') + Le32(0x464D4520) + QByteArray(64, '\0');
    QTest::newRow("emf without bounds or frame") << emf << QByteArray();
}

// Refused with a null image and a reason, in bounded time (and memory: the test runs under an
// address-space limit).
void TestImageFormatPlugin::hostile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, format);
    QElapsedTimer clock;
    clock.start();
    QImageReader reader(
        Copy(bytes, format.isEmpty() ? QStringLiteral("hostile") : QStringLiteral("hostile.") + format));
    const QImage image = reader.read();
    QVERIFY(image.isNull());
    QVERIFY(!reader.errorString().isEmpty());
    QVERIFY2(clock.elapsed() < 20000, QByteArray::number(clock.elapsed()));
}

void TestImageFormatPlugin::writesPcx_data() {
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QImage>("expected");  // as ImageMagick reads the file back
    QImage smooth(61, 43, QImage::Format_RGB32);
    for (int y = 0; y < 43; ++y)
        for (int x = 0; x < 61; ++x)
            smooth.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
    QTest::newRow("many colours") << smooth << smooth;
    QImage few = smooth.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QTest::newRow("indexed") << few << few.convertToFormat(QImage::Format_RGB32);
    QImage alpha(3, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(119, 193, 85, 128));
    alpha.setPixel(1, 0, qRgba(0, 0, 0, 0));
    alpha.setPixel(2, 0, qRgba(20, 40, 60, 255));
    QImage onWhite(3, 1, QImage::Format_RGB32);
    onWhite.setPixel(0, 0, qRgb(187, 224, 170));
    onWhite.setPixel(1, 0, qRgb(255, 255, 255));
    onWhite.setPixel(2, 0, qRgb(20, 40, 60));
    QTest::newRow("alpha composited on white") << alpha << onWhite;
    QTest::newRow("premultiplied alpha") << alpha.convertToFormat(QImage::Format_ARGB32_Premultiplied) << onWhite;
}

void TestImageFormatPlugin::writesPcx() {
    if (ImageMagick().isEmpty())
        QSKIP("ImageMagick's convert is not installed (scripts/install-deps installs it)");
    QFETCH(QImage, picture);
    QFETCH(QImage, expected);
    const QString path = FDir.filePath(QStringLiteral("written.pcx"));
    QFile::remove(path);
    QImageWriter writer(path);
    QVERIFY2(writer.write(picture), qPrintable(writer.errorString()));
    const ImageDifference d = Compare(DecodeWithImageMagick(path), expected);
    QVERIFY2(d.SameSize && d.Max <= 1, Describe(d).constData());
    const ImageDifference ours = Compare(QImage(path).convertToFormat(QImage::Format_RGB32), expected);
    QVERIFY2(ours.SameSize && ours.Max <= 1, Describe(ours).constData());
}

// A picture of no pixels writes nothing: Qt's writer stops it, and so does the handler itself.
void TestImageFormatPlugin::refusesToWriteNothing() {
    const QString path = FDir.filePath(QStringLiteral("nothing.pcx"));
    QImageWriter writer(path);
    QVERIFY(!writer.write(QImage()));
    QVERIFY(!writer.errorString().isEmpty());
    QVERIFY(!QFile::exists(path));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    std::unique_ptr<QImageIOHandler> handler(FPlugin->create(&buffer, "pcx"));
    QVERIFY(!handler->write(QImage()));
    QVERIFY(!handler->write(QImage(0, 5, QImage::Format_RGB32)));
    QVERIFY(bytes.isEmpty());
    std::unique_ptr<QImageIOHandler> wmf(FPlugin->create(&buffer, "wmf"));
    QVERIFY(!wmf->write(QImage(4, 4, QImage::Format_RGB32)));
    QVERIFY(bytes.isEmpty());
}

void TestImageFormatPlugin::readsFromAnyDevice_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<qint64>("padding");  // zeros after the picture, which readers ignore
    for (bool sequential : {false, true}) {
        const char* kind = sequential ? "stream" : "file";
        for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf"})
            QTest::newRow(
                qPrintable(QStringLiteral("%1, 1 MiB more, as a %2").arg(QLatin1String(f), QLatin1String(kind))))
                << QString::fromLatin1(f) << sequential << kMiB;
        for (const char* f : {"pcx-1.pcx", "pcx-24.pcx"})  // PCX palettes end the file
            QTest::newRow(qPrintable(QStringLiteral("%1 as a %2").arg(QLatin1String(f), QLatin1String(kind))))
                << QString::fromLatin1(f) << sequential << qint64(0);
    }
}

// The size comes from the file's start alone (64 KiB, and what Qt reads ahead); the picture then
// reads whole from a file or a stream alike.
void TestImageFormatPlugin::readsFromAnyDevice() {
    QFETCH(QString, file);
    QFETCH(bool, sequential);
    QFETCH(qint64, padding);
    const QByteArray bytes = DataFile(file);
    PieceDevice device(bytes, sequential, bytes.size() + padding);
    QImageReader reader(&device, file.section(QLatin1Char('.'), -1).toLatin1());
    const QImage expected(Data(file));
    QVERIFY(!expected.isNull());
    QCOMPARE(reader.size(), expected.size());
    QVERIFY2(device.Furthest() <= 128 * 1024, QByteArray::number(device.Furthest()));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(device.Furthest(), bytes.size() + padding);
    const ImageDifference d = Compare(image, expected);
    QVERIFY2(d.SameSize && d.Max == 0, Describe(d).constData());
}

void TestImageFormatPlugin::endlessOrHugeDevice_data() {
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("mostRead");  // at most this much is read before the refusal
    QTest::newRow("a file of 1 GiB and a byte") << false << (qint64(1) << 30) + 1 << 128 * 1024LL;
    QTest::newRow("a file of 2^62 bytes") << false << (qint64(1) << 62) << 128 * 1024LL;
    QTest::newRow("a stream that does not end") << true << (qint64(1) << 62) << (qint64(1) << 30) + 65536;
}

// A PCX header followed by zeros, more of them than any picture file may hold: refused, a file at
// once by its size, a stream once it has gone past the bound or memory has run out.
void TestImageFormatPlugin::endlessOrHugeDevice() {
    QFETCH(bool, sequential);
    QFETCH(qint64, length);
    QFETCH(qint64, mostRead);
    if (sequential && !FLimit->Active())
        QSKIP("Without an address-space limit the stream would take 1 GiB of memory");
    PieceDevice device(PcxHeader(9, 9, 10, 1), sequential, length);
    QImageReader reader(&device, "pcx");
    QCOMPARE(reader.size(), QSize(10, 10));
    QVERIFY(reader.read().isNull());
    QVERIFY(!reader.errorString().isEmpty());
    QVERIFY2(device.Furthest() <= mostRead, QByteArray::number(device.Furthest()));
}

void TestImageFormatPlugin::cleanupTestCase() { FLimit.reset(); }

QTEST_MAIN(TestImageFormatPlugin)
#include "tst_imageformat_plugin.moc"
