// Processing of a bitmap in place.
#include "ImageProc.h"

#include "BitmapRotator.h"
#include "Exception.h"

#include <cmath>

namespace Tallwick {

void TImageProc::SetAttachedBitmap(TBitmap* bitmap) { FBitmap = bitmap; }

void TImageProc::Rotate(double angle, bool interpolate) {
    if (!FBitmap)
        throw EInvalidGraphicOperation(QStringLiteral("No bitmap is attached to rotate"));
    if (!std::isfinite(angle))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot rotate by %1 degrees").arg(angle));
    if (FBitmap->Empty())
        return;
    const TPixelFormat format = FBitmap->PixelFormat();
    FBitmap->Assign(TBitmapRotator::Rotate(FBitmap->Image(), angle, interpolate, kBackground));
    FBitmap->SetPixelFormat(format);
}

}  // namespace Tallwick
