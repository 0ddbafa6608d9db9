#pragma once
/// \file
/// The device-interface calls that drawing code makes on a canvas handle, as free functions taking
/// the canvas, so that code reads as it was designed: SetBkMode(Canvas->Handle(), TRANSPARENT).
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Canvas.h>

namespace Tallwick {

/// A clipping region: only rectangles are needed.
struct TALLWICK_EXPORT TRegion {
    TRect Bounds;
};
using HRGN = TRegion*;

TALLWICK_EXPORT int SetBkMode(HDC dc, int mode);                ///< returns the previous mode
TALLWICK_EXPORT unsigned SetTextAlign(HDC dc, unsigned align);  ///< returns the previous alignment
TALLWICK_EXPORT HRGN CreateRectRgn(int left, int top, int right, int bottom);
TALLWICK_EXPORT bool DeleteObject(HRGN region);
/// Selects a copy of the region as the clip area; a null region removes clipping.
TALLWICK_EXPORT int SelectClipRgn(HDC dc, HRGN region);
TALLWICK_EXPORT bool PtVisible(HDC dc, int x, int y);
/// Fills and outlines with the canvas's current pen and brush.
TALLWICK_EXPORT bool Polygon(HDC dc, const TPoint* points, int count);
/// Drawing here is synchronous; kept so that code flushing before direct pixel access reads as such.
TALLWICK_EXPORT bool GdiFlush();

}  // namespace Tallwick
