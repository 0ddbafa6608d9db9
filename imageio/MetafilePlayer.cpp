// Windows metafiles, WMF or EMF whatever the extension says, drawn into a picture on white.
#include "MetafilePlayer.h"

#include "EmfPlayer.h"
#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"
#include "WmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <QCoreApplication>

namespace Tallwick {

namespace {
[[noreturn]] void Unrecognized() {
    throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized WMF or EMF"));
}
}  // namespace

bool TMetafilePlayer::Recognize(const std::uint8_t* data, std::int64_t size) {
    return TEmfPlayer::Recognize(data, size) || TWmfPlayer::Recognize(data, size);
}

QSize TMetafilePlayer::Size(const std::uint8_t* data, std::int64_t size, int maxSide) {
    if (TEmfPlayer::Recognize(data, size))
        return TEmfPlayer::Size(data, size, maxSide);
    if (TWmfPlayer::Recognize(data, size))
        return TWmfPlayer::Size(data, size, maxSide);
    Unrecognized();
}

QImage TMetafilePlayer::Render(const std::uint8_t* data, std::int64_t size, int maxSide) {
    return RenderAt(data, size, Size(data, size, maxSide));
}

QImage TMetafilePlayer::RenderAt(const std::uint8_t* data, std::int64_t size, QSize pictureSize) {
    if (!TPictureLimits::Acceptable(pictureSize.width(), pictureSize.height(), TPictureLimits::kMaxPixels, 1))
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot draw a metafile at %1 x %2 pixels")
                .arg(pictureSize.width())
                .arg(pictureSize.height()));
    if (TEmfPlayer::Recognize(data, size))
        return TEmfPlayer::Render(data, size, pictureSize);
    if (TWmfPlayer::Recognize(data, size))
        return TWmfPlayer::Render(data, size, pictureSize);
    Unrecognized();
}

QSize TMetafilePlayer::PictureSize(double width, double height, int maxSide) {
    width = std::fabs(width);
    height = std::fabs(height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0.5 || height < 0.5)
        Unrecognized();
    const double scale = std::min(1.0, std::clamp(maxSide, 1, kMaxSide) / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

}  // namespace Tallwick
