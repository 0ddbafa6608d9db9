#pragma once
// BMP. The header is checked here against the file's size; Qt's decoder then reads the variants
// (1, 4, 8, 24 and 32 bits, RLE4 and RLE8, bit fields, bottom-up and top-down, OS/2 headers),
// except 16 bits, whose colour fields are scaled here to the full range.
// Written as an uncompressed 24-bit file.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace Tallwick {

class TBmpCodec {
public:
    // EInvalidPicture "Corrupt BMP file <name>: <reason>" for anything that is not a readable BMP.
    static QImage Read(const std::uint8_t* data, std::int64_t size, const QString& fileName);
    static QByteArray Write(const QImage& image);
    // A packed device-independent bitmap (info header, colours, pixels) as metafiles carry it; the
    // pixels may follow at once (bits null) or lie elsewhere. Same checks and errors as Read.
    static QImage ReadDib(const std::uint8_t* info, std::int64_t infoSize, const std::uint8_t* bits,
                          std::int64_t bitsSize);
    // Whether a packed bitmap's rows are stored bottom row first (a positive height, or an OS/2
    // header).
    static bool DibBottomUp(const std::uint8_t* info, std::int64_t infoSize);
    // A box given in rows counted from the bottom of a picture `height` rows high, in rows
    // counted from the top.
    static QRectF FlipBox(QRectF box, int height);
};

}  // namespace Tallwick
