#pragma once
// Enhanced metafiles (EMF) played into a picture.
//
// The picture's size: the header's bounds (device pixels of the recording device), or when those
// are empty its frame (hundredths of a millimetre) at 96 pixels per inch; scaled down, keeping
// the proportions, to at most TMetafilePlayer::kMaxSide pixels on the longer side.
#include <QImage>
#include <QSize>
#include <cstdint>

namespace Tallwick {

class TEmfPlayer {
public:
    static bool Recognize(const std::uint8_t* data, std::int64_t size);
    // The picture's size, from the header alone. EInvalidPicture "unrecognized WMF or EMF" when
    // the header or size cannot be made out.
    static QSize Size(const std::uint8_t* data, std::int64_t size, int maxSide);
    // The recorded area drawn onto a picture of pictureSize. The same error when the header
    // cannot be made out, when the file ends before its end-of-file record or a record runs
    // past its end.
    static QImage Render(const std::uint8_t* data, std::int64_t size, QSize pictureSize);
    // At its own size, at most maxSide pixels on the longer side.
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide) {
        return Render(data, size, Size(data, size, maxSide));
    }
};

}  // namespace Tallwick
