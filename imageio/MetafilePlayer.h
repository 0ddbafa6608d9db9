#pragma once
// Windows metafiles, WMF or EMF whatever the extension says, drawn into a picture on white.
#include <QImage>
#include <QSize>
#include <cstdint>

namespace Tallwick {

class TMetafilePlayer {
public:
    // No side of a metafile's picture exceeds this many pixels.
    static constexpr int kMaxSide = 4096;

    // EInvalidPicture "unrecognized WMF or EMF" for anything that is neither. maxSide lowers the
    // bound (the fuzzers use it to stay quick).
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide = kMaxSide);

    // A natural size in pixels rounded, at least 1 x 1, scaled down to fit maxSide.
    static QSize PictureSize(double width, double height, int maxSide = kMaxSide);
};

}  // namespace Tallwick
