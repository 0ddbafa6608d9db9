// Processing of a bitmap in place.
#include "ImageProc.h"

#include "BitmapRotator.h"
#include "Exception.h"

#include <cmath>
#include <QCoreApplication>

namespace Tallwick {

class TImageProc::Private {
public:
    TBitmap* FBitmap = nullptr;
};

void TImageProc::SetAttachedBitmap(TBitmap* bitmap) { d->FBitmap = bitmap; }

void TImageProc::Rotate(double angle, bool interpolate) {
    if (!d->FBitmap)
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "No bitmap is attached to rotate"));
    if (!std::isfinite(angle))
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot rotate by %1 degrees").arg(angle));
    if (d->FBitmap->Empty())
        return;
    const TPixelFormat format = d->FBitmap->PixelFormat();
    d->FBitmap->Assign(TBitmapRotator::Rotate(d->FBitmap->Image(), angle, interpolate, kBackground));
    d->FBitmap->SetPixelFormat(format);
}

TBitmap* TImageProc::AttachedBitmap() const { return d->FBitmap; }
TImageProc::~TImageProc() = default;

TImageProc::TImageProc() : d(std::make_unique<Private>()) {}
TImageProc::TImageProc(const TImageProc& other) : d(std::make_unique<Private>(*other.d)) {}
TImageProc& TImageProc::operator=(const TImageProc& other) {
    *d = *other.d;
    return *this;
}

}  // namespace Tallwick
