// The framework's 3-D frame: rings inside a rectangle, top and left in one colour, right and bottom
// in another.
#include "Frame3D.h"

namespace Tallwick {

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen.Width = 1;
    --rect.Right;
    --rect.Bottom;
    for (; width > 0; --width) {
        canvas->Pen.Color = topColor;
        const TPoint upper[3] = {{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
        canvas->Polyline(upper, 3);
        canvas->Pen.Color = bottomColor;
        const TPoint lower[3] = {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
        canvas->Polyline(lower, 3);
        ++rect.Left;
        ++rect.Top;
        --rect.Right;
        --rect.Bottom;
    }
    ++rect.Right;
    ++rect.Bottom;
}

}  // namespace Tallwick
