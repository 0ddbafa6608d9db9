#pragma once
// Windows metafiles (WMF, with or without the placeable header, and EMF) drawn into a picture.
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TMetafilePlayer {
public:
    // EInvalidPicture "unrecognized WMF or EMF" for anything that is neither.
    static QImage Render(const std::uint8_t* data, std::int64_t size);
};

}  // namespace Tallwick
