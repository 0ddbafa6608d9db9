// A bitmap backed by a QImage in Format_RGB32, with the pixel format it is to be saved in and a
// canvas for drawing on it.
#include "Bitmap.h"

#include "Canvas.h"
#include "Exception.h"

#include <QPainter>
#include <algorithm>
#include <limits>
#include <QCoreApplication>

namespace Tallwick {

class TBitmap::Private {
public:
    QImage FImage;  ///< null while either side is 0
    int FWidth = 0;
    int FHeight = 0;
    unsigned FGeneration = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::unique_ptr<TCanvas> FCanvas;
};

TBitmap::TBitmap() : d(std::make_unique<Private>()) {}
TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return d->FWidth; }
int TBitmap::Height() const { return d->FHeight; }
bool TBitmap::Empty() const { return d->FWidth == 0 || d->FHeight == 0; }

void TBitmap::Draw(TCanvas* target, const TRect& rect) const { target->StretchDrawBitmap(rect, *this); }

void TBitmap::SetWidth(int width) { SetSize(width, d->FHeight); }
void TBitmap::SetHeight(int height) { SetSize(d->FWidth, height); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == d->FWidth && height == d->FHeight)
        return;
    Reallocate(width, height);
    Changed();
}

namespace {
// No bitmap may exceed what a 32-bit process could ever address. Beyond that the allocation
// could still succeed on a system that overcommits memory, and the first touch of the pixels
// would then bring the process down instead of raising an error.
constexpr qint64 kMaxBitmapBytes = std::numeric_limits<int>::max();
}  // namespace

void TBitmap::Reallocate(int width, int height) {
    QImage image;
    if (width > 0 && height > 0) {
        if (qint64(width) * height * 4 <= kMaxBitmapBytes)
            image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull())
            throw EOutOfMemory(QCoreApplication::translate("Tallwick", "Cannot create a bitmap of %1 x %2 pixels")
                                   .arg(width)
                                   .arg(height));
        image.fill(Qt::white);
        if (!d->FImage.isNull()) {
            QPainter painter(&image);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, d->FImage);
        }
    }
    d->FImage = image;
    ++d->FGeneration;
    d->FWidth = width;
    d->FHeight = height;
}

// Pixels are held as 32-bit words whatever the format; the format only says how the bitmap is to
// be written to a file, so changing it keeps every pixel.
void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == d->FPixelFormat)
        return;
    d->FPixelFormat = format;
    Changed();
}

unsigned TBitmap::Generation() const { return d->FGeneration; }
TPixelFormat TBitmap::PixelFormat() const { return d->FPixelFormat; }
QImage& TBitmap::Image() { return d->FImage; }
const QImage& TBitmap::Image() const { return d->FImage; }

std::uint32_t* TBitmap::ScanLine(int row) { return reinterpret_cast<std::uint32_t*>(d->FImage.scanLine(row)); }

TCanvas* TBitmap::Canvas() {
    if (!d->FCanvas)
        d->FCanvas = std::make_unique<TCanvas>(this);
    return d->FCanvas.get();
}

void TBitmap::Assign(const QImage& image) {
    d->FImage = image.convertToFormat(QImage::Format_RGB32);
    ++d->FGeneration;
    if (!image.isNull() && d->FImage.isNull())
        throw EOutOfMemory(QCoreApplication::translate("Tallwick", "Cannot create a bitmap of %1 x %2 pixels")
                               .arg(image.width())
                               .arg(image.height()));
    d->FWidth = d->FImage.width();
    d->FHeight = d->FImage.height();
    if (image.depth() == 24 || image.format() == QImage::Format_RGB888)
        d->FPixelFormat = pf24bit;
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this)
        return;
    d->FImage = source.d->FImage.copy();
    ++d->FGeneration;
    d->FWidth = source.d->FWidth;
    d->FHeight = source.d->FHeight;
    d->FPixelFormat = source.d->FPixelFormat;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange)
        OnChange();
}

}  // namespace Tallwick
