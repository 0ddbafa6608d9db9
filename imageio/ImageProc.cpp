// Processing of a bitmap in place.
#include "ImageProc.h"

#include "BitmapRotator.h"
#include "Exception.h"

#include <cmath>
#include <QCoreApplication>

namespace Tallwick {

void TImageProc::SetAttachedBitmap(TBitmap* bitmap) { FBitmap = bitmap; }

void TImageProc::Rotate(double angle, bool interpolate) {
    if (!FBitmap)
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "No bitmap is attached to rotate"));
    if (!std::isfinite(angle))
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot rotate by %1 degrees").arg(angle));
    if (FBitmap->Empty())
        return;
    const TPixelFormat format = FBitmap->PixelFormat();
    FBitmap->Assign(TBitmapRotator::Rotate(FBitmap->Image(), angle, interpolate, kBackground));
    FBitmap->SetPixelFormat(format);
}

}  // namespace Tallwick
