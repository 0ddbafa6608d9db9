// TVexImage: the image surface, its bitmap, sizes, fills and direct pixel access (drawing
// primitives, text and files live in the TveximageDrawing, TveximageText and TveximageFiles
// sources).
#include "Tveximage.h"
#include "TveximagePrivate.h"
#include "TveximageTesting.h"

#include "Canvas.h"
#include "ComponentRegistry.h"
#include "ControlAlign.h"
#include "GdiCalls.h"

#include <QEvent>

#include <algorithm>
#include <cmath>

namespace Tallwick {

namespace {
constexpr int kNewControlSide = 105;
constexpr int kMinimumSide = 16;
}  // namespace

TVexImage::TVexImage(QWidget* owner) : TImage(owner), d(std::make_unique<Private>()) {
    SetCanvasScale(ScreenScale());
    connect(this, &TImage::PictureChanged, this, &TVexImage::PictureMaybeResized);
    connect(this, &TImage::StretchChanged, this, [this] { updateGeometry(); });
}

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

int TVexImage::ScreenScale() const { return int(std::ceil(devicePixelRatioF() - 1e-6)); }

void TVexImage::SetPixelRatio(double ratio) {
    const double whole = std::round(ratio);
    d->FFollowDeviceRatio = false;
    if (whole != ratio || whole < 1 || whole > TCanvas::kMaxScale) {
        TImage::SetPixelRatio(ratio);
        return;
    }
    SetCanvasScale(int(whole));
    Resize();
}

void TVexImage::Resize() {
    if (d->FFollowDeviceRatio && !RatioSetByName())
        SetCanvasScale(ScreenScale());
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

// At a canvas scale above 1 every write goes to a whole block, without a kept row address.
void TVexImage::PixelRowSet(int row) {
    d->FPixelRow = row;
    if (CanvasScale() > 1) {
        d->FScanLine = nullptr;
        return;
    }
    if (PixelIn(0, row)) {
        TBitmap* bitmap = Picture()->Bitmap();
        GdiFlush();
        d->FScanLine = bitmap->ScanLine(row);
        d->FScanLineGeneration = bitmap->Generation();
        d->FScanLineRow = row;
    }
}

void TVexImage::PixelSet(int x, TColor color) {
    if (!PixelIn(x, d->FPixelRow))
        return;
    if (CanvasScale() > 1) {
        SetBlock(x, d->FPixelRow, PixelValue(color));
        return;
    }
    // A row address taken before the bitmap was resized or replaced is stale, and one kept from an
    // earlier row (the clip area left out column 0 of this one) is another row's: ignore both.
    if (!d->FScanLine || d->FScanLineRow != d->FPixelRow || Picture()->Bitmap()->Generation() != d->FScanLineGeneration)
        return;
    d->FScanLine[x] = PixelValue(color);
}

void TVexImage::PixelSet(int x, int y, TColor color) {
    if (!PixelIn(x, y))
        return;
    GdiFlush();
    if (CanvasScale() > 1) {
        SetBlock(x, y, PixelValue(color));
        return;
    }
    Picture()->Bitmap()->ScanLine(y)[x] = PixelValue(color);
}

void TVexImage::SetBlock(int x, int y, std::uint32_t value) {
    TBitmap* bitmap = Picture()->Bitmap();
    const int k = CanvasScale();
    for (int row = y * k; row < (y + 1) * k && row < bitmap->Height(); ++row)
        std::fill(bitmap->ScanLine(row) + x * k, bitmap->ScanLine(row) + std::min((x + 1) * k, bitmap->Width()), value);
}

void TVexImage::SizeWorkBitmap(const TRect& part) {
    const int k = Canvas()->Scale();
    d->FWorkBitmap->Canvas()->SetScale(k);
    d->FWorkBitmap->SetSize(part.Width() * k, part.Height() * k);
}

bool TVexImage::PixelIn(int x, int y) { return PtVisible(Canvas()->Handle(), x, y); }

void TVexImage::PixelClose() { RepaintNow(); }

// A picture's pixels are bitmap pixels: PixelRatio of them make one control pixel.
QSize TVexImage::sizeHint() const {
    const TPicture* picture = Picture();
    if (picture->Width() <= 0 || picture->Height() <= 0)
        return QSize(kNewControlSide, kNewControlSide);
    return QSize(int(std::ceil(picture->Width() / PixelRatio() - 1e-9)),
                 int(std::ceil(picture->Height() / PixelRatio() - 1e-9)));
}

QSize TVexImage::minimumSizeHint() const {
    if (Stretch() || Picture()->Width() <= 0)
        return QSize(kMinimumSide, kMinimumSide);
    return sizeHint();
}

// Drawing changes the picture all the time; only a new size concerns the layout. A graphic put
// in from outside whose size is not the control's device pixels holds control pixels, as a loaded
// file does: it is shown as at ratio 1 rather than at a fraction of its size.
void TVexImage::PictureMaybeResized() {
    const TGraphic* graphic = Picture()->Graphic();
    if (graphic != d->FKnownGraphic) {
        d->FKnownGraphic = graphic;
        const bool fits = graphic && graphic->Width() == DeviceWidth() && graphic->Height() == DeviceHeight();
        if (graphic && !graphic->Empty() && !fits && CanvasScale() > 1 && !RatioSetByName()) {
            d->FFollowDeviceRatio = false;
            SetCanvasScale(1);
        }
    }
    const QSize hint = sizeHint();
    if (hint == d->FKnownHint)
        return;
    d->FKnownHint = hint;
    updateGeometry();
}

// Qt tells every widget of a window that moved to another screen.
bool TVexImage::event(QEvent* event) {
    const bool handled = TImage::event(event);
    if (event->type() == QEvent::ScreenChangeInternal && d->FFollowDeviceRatio && !RatioSetByName() &&
        ScreenScale() != CanvasScale())
        emit DeviceRatioChanged();
    return handled;
}

void TVexImage::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TVexImage")); }

bool TVexImage::FollowDeviceRatio() const { return d->FFollowDeviceRatio; }
void TVexImage::SetFollowDeviceRatio(bool value) { d->FFollowDeviceRatio = value; }
TBitmap* TVexImageTesting::WorkBitmap(TVexImage& image) { return image.d->FWorkBitmap.get(); }
const TImageIO* TVexImageTesting::ImageIOObject(const TVexImage& image) { return image.d->FImageIO.get(); }
const TImageProc* TVexImageTesting::ImageProcObject(const TVexImage& image) { return image.d->FImageProc.get(); }

}  // namespace Tallwick
