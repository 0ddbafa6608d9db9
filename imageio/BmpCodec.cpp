#include "BmpCodec.h"

#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

namespace Tallwick {

namespace {
constexpr int kFileHeaderSize = 14;
// RLE8 and RLE4 hold up to 255 pixels in a two-byte run.
constexpr std::int64_t kRlePixelsPerByte = 128;
enum Compression { biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3, biAlphaBitfields = 6 };

struct Header {
    std::int64_t Width = 0, Height = 0, DataOffset = 0;
    int Bits = 0, Compression = biRgb;
};

[[noreturn]] void Corrupt(const QString& fileName, const QString& reason) {
    throw EInvalidPicture(QStringLiteral("Corrupt BMP file %1: %2").arg(QDir::toNativeSeparators(fileName), reason));
}

std::int32_t Int32(const std::uint8_t* p) { return qFromLittleEndian<qint32>(p); }
int Word(const std::uint8_t* p) { return qFromLittleEndian<quint16>(p); }

Header ParseHeader(const std::uint8_t* d, std::int64_t size, const QString& fileName) {
    if (size < kFileHeaderSize + 12 || d[0] != 'B' || d[1] != 'M')
        Corrupt(fileName, QStringLiteral("not a BMP file"));
    Header h;
    h.DataOffset = qFromLittleEndian<quint32>(d + 10);
    const std::uint32_t infoSize = qFromLittleEndian<quint32>(d + 14);
    const std::uint8_t* info = d + kFileHeaderSize;
    if (infoSize == 12) {  // OS/2 core header
        h.Width = Word(info + 4);
        h.Height = Word(info + 6);
        h.Bits = Word(info + 10);
    } else if (infoSize >= 40 && kFileHeaderSize + 40 <= size) {
        h.Width = Int32(info + 4);
        h.Height = Int32(info + 8);
        h.Bits = Word(info + 14);
        h.Compression = Int32(info + 16);
    } else {
        Corrupt(fileName, QStringLiteral("unknown header"));
    }
    return h;
}

// The dimensions against the bound and against what the file can hold in its encoding.
void CheckSize(const Header& h, std::int64_t size, const QString& fileName) {
    const std::int64_t height = h.Height < 0 ? -h.Height : h.Height;
    const bool rle = (h.Compression == biRle8 && h.Bits == 8) || (h.Compression == biRle4 && h.Bits == 4);
    const bool plain = h.Compression == biRgb || h.Compression == biBitfields || h.Compression == biAlphaBitfields;
    if (!rle && !plain)
        Corrupt(fileName, QStringLiteral("unsupported compression %1").arg(h.Compression));
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
        Corrupt(fileName, QStringLiteral("unsupported depth of %1 bits").arg(h.Bits));
    if (h.DataOffset >= size)
        Corrupt(fileName, QStringLiteral("no pixel data"));
    if (!TPictureLimits::Acceptable(h.Width, height, size, rle ? kRlePixelsPerByte : 8))
        Corrupt(fileName, QStringLiteral("%1 x %2 pixels do not fit the file").arg(h.Width).arg(h.Height));
    if (rle)
        return;
    const std::int64_t rowBytes = (h.Width * h.Bits + 31) / 32 * 4;
    if (rowBytes * (height - 1) + (h.Width * h.Bits + 7) / 8 > size - h.DataOffset)
        Corrupt(fileName, QStringLiteral("the file is truncated"));
}
}  // namespace

QImage TBmpCodec::Read(const std::uint8_t* data, std::int64_t size, const QString& fileName) {
    CheckSize(ParseHeader(data, size, fileName), size, fileName);
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAllocationLimit(int(TPictureLimits::kMaxPixels * 4 / (1024 * 1024)) + 1);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        Corrupt(fileName, reader.errorString());
    image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw EOutOfMemory(QStringLiteral("Cannot create a bitmap for %1").arg(QDir::toNativeSeparators(fileName)));
    return image;
}

QByteArray TBmpCodec::Write(const QImage& source) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(source.convertToFormat(QImage::Format_RGB32)))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot encode BMP: %1").arg(writer.errorString()));
    return bytes;
}

}  // namespace Tallwick
