#pragma once
/// \class Tallwick::TGraphic
/// Base of everything a picture can hold: a bitmap, or another kind of graphic (a recorded
/// vector drawing standing in for icons and metafiles).
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

namespace Tallwick {

class TCanvas;

class TALLWICK_EXPORT TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    /// Draws the graphic scaled into the rectangle of the target canvas.
    virtual void Draw(TCanvas* target, const TRect& rect) const = 0;
};

}  // namespace Tallwick
