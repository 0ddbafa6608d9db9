// A recorded vector drawing: the kind of graphic other than a bitmap that a picture can hold.
#include "Metafile.h"

#include "Bitmap.h"
#include "Canvas.h"

#include <QPainter>

namespace Tallwick {

class TMetafile::Private {
public:
    QPicture FRecording;
    int FWidth;
    int FHeight;
};

TMetafile::TMetafile(const QPicture& recording, int width, int height)
    : d(std::make_unique<Private>(Private{recording, width, height})) {}

void TMetafile::Draw(TCanvas* target, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    QPainter painter(&target->Bitmap()->Image());
    painter.translate(rect.Left, rect.Top);
    painter.scale(double(rect.Width()) / d->FWidth, double(rect.Height()) / d->FHeight);
    painter.drawPicture(0, 0, d->FRecording);
}

int TMetafile::Width() const { return d->FWidth; }
int TMetafile::Height() const { return d->FHeight; }
bool TMetafile::Empty() const { return d->FWidth == 0 || d->FHeight == 0; }
TMetafile::~TMetafile() = default;

TMetafile::TMetafile(const TMetafile& other) : d(std::make_unique<Private>(*other.d)) {}
TMetafile& TMetafile::operator=(const TMetafile& other) {
    *d = *other.d;
    return *this;
}

}  // namespace Tallwick
