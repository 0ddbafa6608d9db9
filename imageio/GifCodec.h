#pragma once
// GIF through giflib. Reading takes the first image of the file, placed on the logical screen;
// pixels it leaves uncovered and transparent pixels come out white. Writing stores at most 256
// colours: the picture's own when it has no more, otherwise giflib's median-cut quantiser.
#include <QByteArray>
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TGifCodec {
public:
    // EInvalidPicture "unrecognized GIF" for anything that is not a readable GIF.
    static QImage Read(const std::uint8_t* data, std::int64_t size);
    static QByteArray Write(const QImage& image);
};

}  // namespace Tallwick
