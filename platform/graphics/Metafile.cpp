// A recorded vector drawing: the kind of graphic other than a bitmap that a picture can hold.
#include "Metafile.h"

#include "Bitmap.h"
#include "Canvas.h"

#include <QPainter>

namespace Tallwick {

TMetafile::TMetafile(const QPicture& recording, int width, int height)
    : FRecording(recording),
      FWidth(width),
      FHeight(height) {}

void TMetafile::Draw(TCanvas* target, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    QPainter painter(&target->Bitmap()->Image());
    painter.translate(rect.Left, rect.Top);
    painter.scale(double(rect.Width()) / FWidth, double(rect.Height()) / FHeight);
    painter.drawPicture(0, 0, FRecording);
}

}  // namespace Tallwick
