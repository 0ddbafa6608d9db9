#pragma once
// Windows metafiles (WMF), with or without the placeable header, played into a picture.
//
// The picture's size: for a placeable file its bounding box at 96 pixels per inch (from the
// header's units per inch); otherwise the first window extent the file sets, one pixel per
// logical unit. Either way scaled down, keeping the proportions, to at most
// TMetafilePlayer::kMaxSide pixels on the longer side. The file's window is mapped onto the
// whole picture.
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TWmfPlayer {
public:
    static bool Recognize(const std::uint8_t* data, std::int64_t size);
    // EInvalidPicture "unrecognized WMF or EMF" when the header or size cannot be made out.
    static QImage Render(const std::uint8_t* data, std::int64_t size, int maxSide);
};

}  // namespace Tallwick
