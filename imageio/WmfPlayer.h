#pragma once
// Windows metafiles (WMF), with or without the placeable header, played into a picture.
//
// The picture's size: for a placeable file its bounding box at 96 pixels per inch (from the
// header's units per inch); otherwise the first window extent the file sets, one pixel per
// logical unit. Either way scaled down, keeping the proportions, to at most
// TMetafilePlayer::kMaxSide pixels on the longer side. The file's window is mapped onto the
// whole picture.
#include <QImage>
#include <QSize>
#include <cstdint>

namespace Tallwick {

class TWmfPlayer {
public:
    static bool Recognize(const std::uint8_t* data, std::int64_t size);
    // Recognize, and without the placeable header a known version too (1.0 or 3.0): strict enough
    // to claim a file by its content alone.
    static bool RecognizeByContent(const std::uint8_t* data, std::int64_t size);
    // The picture's size, from the headers alone. EInvalidPicture "unrecognized WMF or EMF" when
    // the header or size cannot be made out.
    static QSize Size(const std::uint8_t* data, std::int64_t size, int maxSide);
    // The file's window drawn onto a picture of pictureSize. The same error when the header
    // cannot be made out, when the file ends before its end-of-file record or a record runs
    // past its end.
    static QImage Render(const std::uint8_t* data, std::int64_t size, QSize pictureSize);
    // At its own size, at most maxSide pixels on the longer side.
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide) {
        return Render(data, size, Size(data, size, maxSide));
    }
};

}  // namespace Tallwick
