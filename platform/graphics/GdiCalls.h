#pragma once
// The device-interface calls that drawing code makes on a canvas handle, as free functions taking
// the canvas, so that code reads as it was designed: SetBkMode(Canvas->Handle(), TRANSPARENT).
#include "Canvas.h"

namespace Tallwick {

// A clipping region: only rectangles are needed.
struct TRegion {
    TRect Bounds;
};
using HRGN = TRegion*;

int SetBkMode(HDC dc, int mode);                // returns the previous mode
unsigned SetTextAlign(HDC dc, unsigned align);  // returns the previous alignment
HRGN CreateRectRgn(int left, int top, int right, int bottom);
bool DeleteObject(HRGN region);
// Selects a copy of the region as the clip area; a null region removes clipping.
int SelectClipRgn(HDC dc, HRGN region);
bool PtVisible(HDC dc, int x, int y);
// Fills and outlines with the canvas's current pen and brush.
bool Polygon(HDC dc, const TPoint* points, int count);
// Drawing here is synchronous; kept so that code flushing before direct pixel access reads as such.
bool GdiFlush();

}  // namespace Tallwick
