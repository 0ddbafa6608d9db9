#pragma once
// JPEG through libjpeg(-turbo). Errors of the library become exceptions; it never prints or exits.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

namespace Tallwick {

class TJpegCodec {
public:
    // Decodes straight into the rows of a Format_RGB32 image. A damaged or truncated file raises
    // EInvalidPicture "Corrupt JPEG file <name>: <reason>".
    static QImage Read(const std::uint8_t* data, std::int64_t size, const QString& fileName);
    // Baseline JPEG, 4:2:0, of a Format_RGB32 image at the given quality (1..100).
    static QByteArray Write(const QImage& image, int quality);
};

}  // namespace Tallwick
