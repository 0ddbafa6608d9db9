// What an image control shows: nothing, a bitmap, or another kind of graphic.
#include "Picture.h"

#include "Bitmap.h"

namespace Tallwick {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        bitmap->OnChange = [this] { Changed(); };
    Changed();
}

TBitmap* TPicture::Bitmap() {
    if (!HoldsBitmap())
        SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

bool TPicture::HoldsBitmap() const { return dynamic_cast<TBitmap*>(FGraphic.get()) != nullptr; }

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Changed() {
    if (OnChange)
        OnChange();
}

}  // namespace Tallwick
