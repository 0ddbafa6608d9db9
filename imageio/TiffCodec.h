#pragma once
// TIFF through libtiff: every compression, bit depth and photometric interpretation libtiff can
// turn into RGBA (none, LZW, PackBits, CCITT G3/G4, Deflate, JPEG; 1 to 16 bits; palette), first
// page only. Written as 24-bit RGB with LZW compression.
#include <QByteArray>
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TTiffCodec {
public:
    // EInvalidPicture "unrecognized TIFF" for anything libtiff cannot decode.
    static QImage Read(const std::uint8_t* data, std::int64_t size);
    static QByteArray Write(const QImage& image);
};

}  // namespace Tallwick
