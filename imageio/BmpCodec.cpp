// BMP: headers checked against the file here, pixels decoded by Qt; written as 24-bit.
#include "BmpCodec.h"

#include "ByteReader.h"
#include "Exception.h"
#include "ImageError.h"
#include "MetafilePlayer.h"
#include "PictureLimits.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <algorithm>
#include <QCoreApplication>

namespace Tallwick {

namespace {
constexpr int kFileHeaderSize = 14;
// RLE8 and RLE4 hold up to 255 pixels in a two-byte run.
constexpr std::int64_t kRlePixelsPerByte = 128;
enum Compression { biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3, biAlphaBitfields = 6 };

struct Header {
    std::int64_t Width = 0, Height = 0, DataOffset = 0;
    int Bits = 0, Compression = biRgb;
    std::uint32_t Masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16-bit red, green, blue
};

[[noreturn]] void Corrupt(const QString& fileName, const QString& reason) {
    throw EInvalidPicture(QCoreApplication::translate("Tallwick", "Corrupt BMP file %1: %2")
                              .arg(QDir::toNativeSeparators(fileName), reason));
}

// A file read as BMP that is something else: say what it looks like, so that a wrong name or an
// unsupported format is not taken for damage.
[[noreturn]] void NotBmp(const std::uint8_t* d, std::int64_t size, const QString& fileName) {
    const QByteArray head(reinterpret_cast<const char*>(d), qsizetype(std::min<std::int64_t>(size, 16)));
    const QString name = QDir::toNativeSeparators(fileName);
    const auto readHere = [&](const char* format, const char* extension) {
        throw EInvalidPicture(QStringLiteral("%1 is a %2 picture: give it the extension %3 to read it")
                                  .arg(name, QLatin1String(format), QLatin1String(extension)));
    };
    const auto notReadHere = [&](const char* format) {
        throw EInvalidPicture(
            QStringLiteral("%1 is a %2 picture, which is not read here").arg(name, QLatin1String(format)));
    };
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        notReadHere("PNG");
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        notReadHere("WebP");
    if (head.startsWith(QByteArray("\0\0\1\0", 4)))
        notReadHere("Windows icon");
    if (head.startsWith("\xFF\xD8\xFF"))
        readHere("JPEG", ".jpg");
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        readHere("GIF", ".gif");
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        readHere("TIFF", ".tif");
    if (TMetafilePlayer::Recognize(d, size))
        readHere("WMF or EMF", ".wmf");
    Corrupt(fileName, QCoreApplication::translate("Tallwick", "not a BMP file"));
}

std::int32_t Int32(const std::uint8_t* p) { return qFromLittleEndian<qint32>(p); }

Header ParseHeader(const std::uint8_t* d, std::int64_t size, const QString& fileName) {
    if (size >= 2 && (d[0] != 'B' || d[1] != 'M'))
        NotBmp(d, size, fileName);
    if (size < kFileHeaderSize + 12)
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "not a BMP file"));
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
        if (h.Compression == biBitfields && kFileHeaderSize + 52 <= size)
            for (int i = 0; i < 3; ++i)
                h.Masks[i] = qFromLittleEndian<quint32>(info + 40 + 4 * i);
    } else {
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "unknown header"));
    }
    return h;
}

// Whether the run-length codes reach the end-of-bitmap code, or cover every row, before the file
// ends. Qt's decoder refuses a cut 8-bit file but leaves the rest of a cut 4-bit one in colour 0.
bool RleComplete(const Header& h, std::int64_t size, const std::uint8_t* data) {
    const std::int64_t rows = h.Height < 0 ? -h.Height : h.Height;
    std::int64_t at = h.DataOffset, row = 0;
    while (row < rows) {
        if (at + 2 > size)
            return false;
        const int count = data[at], code = data[at + 1];
        at += 2;
        if (count > 0 || code > 2) {  // a run of count pixels, or code pixels given one by one
            if (count == 0) {
                const std::int64_t bytes = h.Bits == 8 ? code : (code + 1) / 2;
                if (at + bytes > size)
                    return false;
                at += bytes + (bytes & 1);
            }
        } else if (code == 0) {  // end of line
            ++row;
        } else if (code == 1) {  // end of bitmap
            return true;
        } else {  // move right and down
            if (at + 2 > size)
                return false;
            row += data[at + 1];
            at += 2;
        }
    }
    return true;
}

// The dimensions against the bound and against what the file can hold in its encoding.
void CheckSize(const Header& h, const std::uint8_t* data, std::int64_t size, const QString& fileName) {
    const std::int64_t height = h.Height < 0 ? -h.Height : h.Height;
    const bool rle = (h.Compression == biRle8 && h.Bits == 8) || (h.Compression == biRle4 && h.Bits == 4);
    const bool plain = h.Compression == biRgb || h.Compression == biBitfields || h.Compression == biAlphaBitfields;
    if (!rle && !plain)
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "unsupported compression %1").arg(h.Compression));
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "unsupported depth of %1 bits").arg(h.Bits));
    if (h.DataOffset >= size)
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "no pixel data"));
    if (h.Width > 0 && height > 0 && !TPictureLimits::Acceptable(h.Width, height, TPictureLimits::kMaxPixels, 1))
        throw EInvalidPicture(
            QStringLiteral("%1 is too large: %2 x %3 pixels, more than the %4 pixels a picture may have")
                .arg(QDir::toNativeSeparators(fileName))
                .arg(h.Width)
                .arg(height)
                .arg(TPictureLimits::kMaxPixels));
    if (!TPictureLimits::Acceptable(h.Width, height, size, rle ? kRlePixelsPerByte : 8))
        Corrupt(fileName, QStringLiteral("%1 x %2 pixels do not fit the file").arg(h.Width).arg(h.Height));
    if (rle) {
        if (!RleComplete(h, size, data))
            Corrupt(fileName, QCoreApplication::translate("Tallwick", "the file is truncated"));
        return;
    }
    const std::int64_t rowBytes = (h.Width * h.Bits + 31) / 32 * 4;
    if (rowBytes * (height - 1) + (h.Width * h.Bits + 7) / 8 > size - h.DataOffset)
        Corrupt(fileName, QCoreApplication::translate("Tallwick", "the file is truncated"));
}
// One 16-bit colour field widened to 8 bits by repeating its bits, so that its top value becomes
// 255 (Qt's decoder shifts instead, which leaves white at 248).
struct Field {
    explicit Field(std::uint32_t mask) : Mask(mask) {
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++Shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++Bits;
        }
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (Bits == 0)
            return 0;
        const std::uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8)
            return (v >> (Bits - 8)) & 0xFF;
        std::uint32_t out = 0;
        for (int at = 8 - Bits; at > -Bits; at -= Bits)
            out |= at >= 0 ? v << at : v >> -at;
        return out & 0xFF;
    }
    std::uint32_t Mask;
    int Shift = 0, Bits = 0;
};

// The size check has made sure every row is in the file.
QImage Read16(const Header& h, const std::uint8_t* data) {
    const int width = int(h.Width), height = int(h.Height < 0 ? -h.Height : h.Height);
    const Field red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
    QImage image = TPictureLimits::NewImage(width, height);
    const std::int64_t rowBytes = (h.Width * 16 + 31) / 32 * 4;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = data + h.DataOffset + rowBytes * (h.Height < 0 ? y : height - 1 - y);
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = qFromLittleEndian<quint16>(in + 2 * x);
            out[x] = 0xFF000000u | red(p) << 16 | green(p) << 8 | blue(p);
        }
    }
    return image;
}
}  // namespace

QImage TBmpCodec::Read(const std::uint8_t* data, std::int64_t size, const QString& fileName) {
    const Header header = ParseHeader(data, size, fileName);
    CheckSize(header, data, size, fileName);
    if (header.Bits == 16)
        return Read16(header, data);
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
        throw EOutOfMemory(QCoreApplication::translate("Tallwick", "Cannot create a bitmap for %1")
                               .arg(QDir::toNativeSeparators(fileName)));
    return image;
}

bool TBmpCodec::DibBottomUp(const std::uint8_t* info, std::int64_t infoSize) {
    if (infoSize < 12)
        return false;
    const std::uint32_t headerSize = qFromLittleEndian<quint32>(info);
    return headerSize == 12 || (headerSize >= 40 && infoSize >= 40 && Int32(info + 8) > 0);
}

QRectF TBmpCodec::FlipBox(QRectF box, int height) {
    box = box.normalized();
    return QRectF(box.left(), height - box.bottom(), box.width(), box.height());
}

QImage TBmpCodec::ReadDib(const std::uint8_t* info, std::int64_t infoSize, const std::uint8_t* bits,
                          std::int64_t bitsSize) {
    if (infoSize < 12 || infoSize > (std::int64_t(1) << 30) || bitsSize < 0 || bitsSize > (std::int64_t(1) << 30))
        Corrupt(QStringLiteral("(metafile bitmap)"), QCoreApplication::translate("Tallwick", "no header"));
    // Where the pixels start in a packed bitmap: after the header and the colour table.
    const std::uint32_t headerSize = qFromLittleEndian<quint32>(info);
    std::int64_t colourBytes = 0;
    if (headerSize >= 40 && infoSize >= 40) {
        const int bitCount = Word(info + 14);
        const std::uint32_t used = qFromLittleEndian<quint32>(info + 32);
        const std::int64_t colours = used ? std::min<std::int64_t>(used, 256) : bitCount <= 8 ? (1 << bitCount) : 0;
        colourBytes = colours * 4 + (Int32(info + 16) == biBitfields && headerSize == 40 ? 12 : 0);
    } else if (headerSize == 12 && infoSize >= 12) {
        const int bitCount = Word(info + 10);
        colourBytes = bitCount <= 8 ? (std::int64_t(1) << bitCount) * 3 : 0;
    }
    const std::int64_t pixelsAt = bits ? infoSize : std::min<std::int64_t>(headerSize + colourBytes, infoSize);
    QByteArray file;
    file.reserve(qsizetype(kFileHeaderSize + infoSize + bitsSize));
    file.append("BM");
    const quint32 total = quint32(kFileHeaderSize + infoSize + bitsSize), offset = quint32(kFileHeaderSize + pixelsAt);
    char le[4];
    qToLittleEndian<quint32>(total, le);
    file.append(le, 4);
    file.append(QByteArray(4, '\0'));
    qToLittleEndian<quint32>(offset, le);
    file.append(le, 4);
    file.append(reinterpret_cast<const char*>(info), qsizetype(infoSize));
    if (bits)
        file.append(reinterpret_cast<const char*>(bits), qsizetype(bitsSize));
    return Read(reinterpret_cast<const std::uint8_t*>(file.constData()), file.size(),
                QStringLiteral("(metafile bitmap)"));
}

QByteArray TBmpCodec::Write(const QImage& source) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(source.convertToFormat(QImage::Format_RGB32)))
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot encode BMP: %1").arg(writer.errorString()));
    return bytes;
}

}  // namespace Tallwick
