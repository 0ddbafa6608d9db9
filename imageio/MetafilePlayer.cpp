#include "MetafilePlayer.h"

#include "ImageError.h"

namespace Tallwick {

QImage TMetafilePlayer::Render(const std::uint8_t*, std::int64_t) {
    throw EInvalidPicture(QStringLiteral("unrecognized WMF or EMF"));
}

}  // namespace Tallwick
