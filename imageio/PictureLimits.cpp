// Bounds every reader applies to the dimensions a file claims before it allocates anything, so that
// a hostile header can neither exhaust memory nor make decoding run for long.
#include "PictureLimits.h"

#include "Exception.h"
#include <QCoreApplication>

namespace Tallwick {

bool TPictureLimits::Acceptable(std::int64_t width, std::int64_t height, std::int64_t fileSize,
                                std::int64_t pixelsPerByte) {
    if (width <= 0 || height <= 0 || width > kMaxPixels || height > kMaxPixels)
        return false;
    const std::int64_t pixels = width * height;
    if (pixels > kMaxPixels)
        return false;
    const std::int64_t budget = fileSize > kMaxPixels ? kMaxPixels : fileSize * pixelsPerByte + kSmallPictureSlack;
    return pixels <= budget;
}

QImage TPictureLimits::NewImage(int width, int height) {
    QImage image;
    if (Acceptable(width, height, kMaxPixels, 1))
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw EOutOfMemory(
            QCoreApplication::translate("Tallwick", "Cannot create a bitmap of %1 x %2 pixels").arg(width).arg(height));
    return image;
}

}  // namespace Tallwick
