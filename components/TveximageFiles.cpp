// TVexImage picture files and rotation, through the picture library.
#include "Tveximage.h"
#include "TveximagePrivate.h"

#include "Bitmap.h"
#include "Canvas.h"

namespace Tallwick {

TBitmap* TVexImage::PictureBitmap() {
    TGraphic* graphic = Picture()->Graphic();
    if (graphic && !Picture()->HoldsBitmap()) {
        auto drawn = std::make_unique<TBitmap>();
        drawn->SetSize(graphic->Width(), graphic->Height());
        graphic->Draw(drawn->Canvas(), Rect(0, 0, drawn->Width(), drawn->Height()));
        Picture()->SetGraphic(std::move(drawn));
    }
    return Picture()->Bitmap();
}

// The library decodes into a picture of its own and replaces the attached bitmap only when the
// whole file was read. A picture that holds no bitmap yet (empty, or another kind of graphic)
// gets one only then too: the file is read into a bitmap of our own first.
void TVexImage::LoadFromFile(const QString& fileName) {
    // A file's pixels are control pixels, shown as at ratio 1 rather than at half size.
    if (CanvasScale() > 1 && !RatioSetByName()) {
        d->FFollowDeviceRatio = false;
        SetCanvasScale(1);
    }
    if (!d->FImageIO)
        d->FImageIO = std::make_unique<TImageIO>();
    if (Picture()->HoldsBitmap()) {
        d->FImageIO->SetAttachedBitmap(Picture()->Bitmap());
        d->FImageIO->LoadFromFile(fileName);
    } else {
        TBitmap loaded;
        d->FImageIO->SetAttachedBitmap(&loaded);
        try {
            d->FImageIO->LoadFromFile(fileName);
        } catch (...) {
            d->FImageIO->SetAttachedBitmap(nullptr);
            throw;
        }
        Picture()->Bitmap()->Assign(loaded);
        d->FImageIO->SetAttachedBitmap(Picture()->Bitmap());
    }
    const TBitmap* bitmap = Picture()->Bitmap();
    SetHeightWidth(bitmap->Height(), bitmap->Width());
}

void TVexImage::SaveToFile(const QString& fileName) {
    if (!d->FImageIO)
        d->FImageIO = std::make_unique<TImageIO>();
    TBitmap* picture = PictureBitmap();
    const int k = CanvasScale();
    if (k == 1 || RatioSetByName()) {
        d->FImageIO->SetAttachedBitmap(picture);
        d->FImageIO->SaveToFile(fileName);
        return;
    }
    // Drawn at the screen's resolution, saved at the control's: each control pixel as the canvas
    // reads it (its block's top-left pixel), so the file is the one a screen of ratio 1 gives.
    TBitmap saved;
    saved.SetPixelFormat(picture->PixelFormat());
    saved.SetSize(picture->Width() / k, picture->Height() / k);
    for (int y = 0; y < saved.Height(); ++y) {
        const std::uint32_t* device = picture->ScanLine(y * k);
        std::uint32_t* row = saved.ScanLine(y);
        for (int x = 0; x < saved.Width(); ++x)
            row[x] = device[x * k];
    }
    d->FImageIO->SetAttachedBitmap(&saved);
    try {
        d->FImageIO->SaveToFile(fileName);
    } catch (...) {
        d->FImageIO->SetAttachedBitmap(picture);
        throw;
    }
    d->FImageIO->SetAttachedBitmap(picture);
}

void TVexImage::Rotate(int angle) {
    if (!d->FImageProc)
        d->FImageProc = std::make_unique<TImageProc>();
    d->FImageProc->SetAttachedBitmap(PictureBitmap());
    d->FImageProc->Rotate(angle, true);
}

}  // namespace Tallwick
