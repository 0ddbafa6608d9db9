// TVexImage: the image surface, its bitmap, sizes, fills and direct pixel access (drawing
// primitives, text and files live in the TveximageDrawing, TveximageText and TveximageFiles
// sources).
#include "Tveximage.h"

#include "Canvas.h"
#include "ComponentRegistry.h"
#include "ControlAlign.h"
#include "GdiCalls.h"

namespace Tallwick {

TVexImage::TVexImage(QWidget* owner) : TImage(owner), FWorkBitmap(std::make_unique<TBitmap>()) {}

TVexImage::~TVexImage() = default;

void TVexImage::Fill(TColor color) {
    TCanvas* canvas = Canvas();
    canvas->Pen.Color = color;
    canvas->Brush.Color = color;
    canvas->Rectangle(0, 0, DeviceWidth(), DeviceHeight());
}

// An aligned control snaps back to its place, as the framework's size setter does.
static void ApplySize(TImage* image, int width, int height) {
    image->resize(width, height);
    if (image->Align() != alNone && image->parentWidget())
        AlignChildren(image->parentWidget());
}

void TVexImage::SetHeight(int value) {
    if (value <= 0)
        return;
    ApplySize(this, Width(), value);
    Picture()->Bitmap()->SetHeight(DeviceHeight());
}

void TVexImage::SetWidth(int value) {
    if (value <= 0)
        return;
    ApplySize(this, value, Height());
    Picture()->Bitmap()->SetWidth(DeviceWidth());
}

void TVexImage::SetHeightWidth(int height, int width) {
    SetHeight(height);
    SetWidth(width);
}

void TVexImage::Resize() {
    TBitmap* bitmap = Picture()->Bitmap();
    if (bitmap->Height() != DeviceHeight())
        bitmap->SetHeight(DeviceHeight());
    if (bitmap->Width() != DeviceWidth())
        bitmap->SetWidth(DeviceWidth());
}

void TVexImage::PixelOpen() {
    Picture()->Bitmap()->SetPixelFormat(pf32bit);
    PixelRowSet(0);
}

void TVexImage::PixelRowSet(int row) {
    FPixelRow = row;
    if (PixelIn(0, row)) {
        TBitmap* bitmap = Picture()->Bitmap();
        GdiFlush();
        FScanLine = bitmap->ScanLine(row);
        FScanLineGeneration = bitmap->Generation();
        FScanLineRow = row;
    }
}

void TVexImage::PixelSet(int x, TColor color) {
    if (!PixelIn(x, FPixelRow))
        return;
    // A row address taken before the bitmap was resized or replaced is stale, and one kept from an
    // earlier row (the clip area left out column 0 of this one) is another row's: ignore both.
    if (!FScanLine || FScanLineRow != FPixelRow || Picture()->Bitmap()->Generation() != FScanLineGeneration)
        return;
    FScanLine[x] = PixelValue(color);
}

void TVexImage::PixelSet(int x, int y, TColor color) {
    if (!PixelIn(x, y))
        return;
    GdiFlush();
    Picture()->Bitmap()->ScanLine(y)[x] = PixelValue(color);
}

bool TVexImage::PixelIn(int x, int y) { return PtVisible(Canvas()->Handle(), x, y); }

void TVexImage::PixelClose() { RepaintNow(); }

void TVexImage::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TVexImage")); }

}  // namespace Tallwick
