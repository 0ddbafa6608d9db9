#pragma once
// Enhanced metafiles (EMF) played into a picture.
//
// The picture's size: the header's bounds (device pixels of the recording device), or when those
// are empty its frame (hundredths of a millimetre) at 96 pixels per inch; scaled down, keeping
// the proportions, to at most TMetafilePlayer::kMaxSide pixels on the longer side.
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TEmfPlayer {
public:
    static bool Recognize(const std::uint8_t* data, std::int64_t size);
    // EInvalidPicture "unrecognized WMF or EMF" when the header or size cannot be made out.
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide);
};

}  // namespace Tallwick
