#pragma once
// PCX, our own reader and writer. Read: 1 to 4 bit planes of 1 bit (monochrome, 16 colours),
// 8-bit palette (256 colours at the end of the file), 24-bit as three 8-bit planes (and a fourth,
// alpha, ignored), run-length encoded or raw. Written as 8-bit palette when the picture has at
// most 256 colours, otherwise as 24-bit three planes, always run-length encoded.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdint>

namespace Tallwick {

class TPcxCodec {
public:
    // Whether the 128-byte header is wholly a PCX one: manufacturer 0x0A, version 0, 2, 3, 4 or 5,
    // run-length encoding, 1, 2, 4 or 8 bits per pixel in 1, 3 or 4 planes, a window of positive
    // size and lines long enough for it.
    static bool Recognize(const std::uint8_t* data, std::int64_t size);
    // The window's size from the header, or an invalid size when it is not a PCX header.
    static QSize Size(const std::uint8_t* data, std::int64_t size);
    // EInvalidPicture "unrecognized PCX" for anything else or damaged.
    static QImage Read(const std::uint8_t* data, std::int64_t size);
    static QByteArray Write(const QImage& image);
};

}  // namespace Tallwick
