#pragma once
/// \class Tallwick::TMetafile
/// A recorded vector drawing: the kind of graphic other than a bitmap that a picture can hold
/// (metafiles and icons). It can be drawn but not drawn on.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Graphic.h>

#include <QPicture>

namespace Tallwick {

class TALLWICK_EXPORT TMetafile : public TGraphic {
public:
    explicit TMetafile(const QPicture& recording, int width, int height);
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    void Draw(TCanvas* target, const TRect& rect) const override;

private:
    QPicture FRecording;
    int FWidth;
    int FHeight;
};

}  // namespace Tallwick
