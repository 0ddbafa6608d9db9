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

    static bool Recognize(const std::uint8_t* data, std::int64_t size);

    // EInvalidPicture "unrecognized WMF or EMF" for anything that is neither, or that is cut
    // short. maxSide lowers the bound (the fuzzers use it to stay quick).
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide = kMaxSide);

    // The size Render draws at, read from the headers without drawing.
    static QSize Size(const std::uint8_t* data, std::int64_t size, int maxSide = kMaxSide);

    // Drawn at pictureSize, the whole picture stretched onto it (not a scaled bitmap). The same
    // errors, and EInvalidGraphicOperation for a size that is not positive or exceeds the
    // picture bound.
    static QImage RenderAt(const std::uint8_t* data, std::int64_t size, QSize pictureSize);

    // A natural size in pixels rounded, at least 1 x 1, scaled down to fit maxSide.
    static QSize PictureSize(double width, double height, int maxSide = kMaxSide);
};

}  // namespace Tallwick
