// Writes runs of one colour straight into the rows of a canvas's bitmap, clipped to the canvas's
// clipping area exactly as the canvas clips its own drawing.
#include "SpanPainter.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>

#include <algorithm>

namespace Tallwick {

TSpanPainter::TSpanPainter(TCanvas* canvas) : FCanvas(canvas) {
    QImage& image = canvas->Bitmap()->Image();
    if (image.isNull())
        return;  // an empty clip box: nothing is written
    const TRect clip = canvas->ClipRect();
    FLeft = std::max(0, clip.Left);
    FTop = std::max(0, clip.Top);
    FRight = std::min(image.width(), clip.Right);
    FBottom = std::min(image.height(), clip.Bottom);
    FBits = image.bits();
    FStride = image.bytesPerLine();
}

void TSpanPainter::End() { FCanvas->Bitmap()->Changed(); }

}  // namespace Tallwick
