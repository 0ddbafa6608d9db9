#include "MetafilePlayer.h"

#include "EmfPlayer.h"
#include "ImageError.h"
#include "WmfPlayer.h"

#include <algorithm>
#include <cmath>

namespace Tallwick {

QImage TMetafilePlayer::Render(const std::uint8_t* data, std::int64_t size, int maxSide) {
    if (TEmfPlayer::Recognize(data, size))
        return TEmfPlayer::Render(data, size, maxSide);
    if (TWmfPlayer::Recognize(data, size))
        return TWmfPlayer::Render(data, size, maxSide);
    throw EInvalidPicture(QStringLiteral("unrecognized WMF or EMF"));
}

QSize TMetafilePlayer::PictureSize(double width, double height, int maxSide) {
    width = std::fabs(width);
    height = std::fabs(height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0.5 || height < 0.5)
        throw EInvalidPicture(QStringLiteral("unrecognized WMF or EMF"));
    const double scale = std::min(1.0, std::clamp(maxSide, 1, kMaxSide) / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

}  // namespace Tallwick
