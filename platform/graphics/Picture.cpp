// What an image control shows: nothing, a bitmap, or another kind of graphic.
#include "Picture.h"

#include "Bitmap.h"

namespace Tallwick {

class TPicture::Private {
public:
    std::unique_ptr<TGraphic> FGraphic;
};

TPicture::TPicture() : d(std::make_unique<Private>()) {}
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    d->FGraphic = std::move(graphic);
    if (auto* bitmap = dynamic_cast<TBitmap*>(d->FGraphic.get()))
        bitmap->OnChange = [this] { Changed(); };
    Changed();
}

TBitmap* TPicture::Bitmap() {
    if (!HoldsBitmap())
        SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(d->FGraphic.get());
}

bool TPicture::HoldsBitmap() const { return dynamic_cast<TBitmap*>(d->FGraphic.get()) != nullptr; }

int TPicture::Width() const { return d->FGraphic ? d->FGraphic->Width() : 0; }
int TPicture::Height() const { return d->FGraphic ? d->FGraphic->Height() : 0; }

void TPicture::Changed() {
    if (OnChange)
        OnChange();
}

TGraphic* TPicture::Graphic() const { return d->FGraphic.get(); }

}  // namespace Tallwick
