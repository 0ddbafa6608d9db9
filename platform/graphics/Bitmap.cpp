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

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return FWidth; }
int TBitmap::Height() const { return FHeight; }
bool TBitmap::Empty() const { return FWidth == 0 || FHeight == 0; }

void TBitmap::Draw(TCanvas* target, const TRect& rect) const { target->StretchDrawBitmap(rect, *this); }

void TBitmap::SetWidth(int width) { SetSize(width, FHeight); }
void TBitmap::SetHeight(int height) { SetSize(FWidth, height); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == FWidth && height == FHeight)
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
        if (!FImage.isNull()) {
            QPainter painter(&image);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, FImage);
        }
    }
    FImage = image;
    ++FGeneration;
    FWidth = width;
    FHeight = height;
}

// Pixels are held as 32-bit words whatever the format; the format only says how the bitmap is to
// be written to a file, so changing it keeps every pixel.
void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FPixelFormat)
        return;
    FPixelFormat = format;
    Changed();
}

std::uint32_t* TBitmap::ScanLine(int row) { return reinterpret_cast<std::uint32_t*>(FImage.scanLine(row)); }

TCanvas* TBitmap::Canvas() {
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(this);
    return FCanvas.get();
}

void TBitmap::Assign(const QImage& image) {
    FImage = image.convertToFormat(QImage::Format_RGB32);
    ++FGeneration;
    if (!image.isNull() && FImage.isNull())
        throw EOutOfMemory(QCoreApplication::translate("Tallwick", "Cannot create a bitmap of %1 x %2 pixels")
                               .arg(image.width())
                               .arg(image.height()));
    FWidth = FImage.width();
    FHeight = FImage.height();
    if (image.depth() == 24 || image.format() == QImage::Format_RGB888)
        FPixelFormat = pf24bit;
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this)
        return;
    FImage = source.FImage.copy();
    ++FGeneration;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FPixelFormat = source.FPixelFormat;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange)
        OnChange();
}

}  // namespace Tallwick
