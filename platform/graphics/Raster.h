#pragma once
// Scan conversion of the canvas shapes into horizontal pixel spans, with the conventions of the
// classic device interface. Coordinates are whole pixels, any int. Work is bounded by the clip
// box, not by the coordinates: a shape a billion pixels across costs what its visible part costs.
// Shapes give their rows from one row above to one row below the clip box (the outline of a
// filled shape depends on its neighbour rows), with spans cut to one pixel beyond it on each side;
// lines give their visible pixels only.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <vector>

namespace Tallwick {

struct TALLWICK_EXPORT RasterSpan {
    int y, x0, x1;  // x1 inclusive
};

// The area drawing may touch: x0 <= x < x1, y0 <= y < y1.
struct TALLWICK_EXPORT RasterClip {
    int x0, y0, x1, y1;
};

namespace Raster {

// Pixels of a one-pixel line from a to b, end pixel left out (one span per pixel run).
TALLWICK_EXPORT void ThinLine(TPoint a, TPoint b, const RasterClip& clip, std::vector<RasterSpan>& out);
// Pixels whose centres lie within width / 2 of the segment a-b (both ends included).
TALLWICK_EXPORT void WideLine(TPoint a, TPoint b, int width, const RasterClip& clip, std::vector<RasterSpan>& out);
// Pixels of the ellipse inscribed in [left, right) x [top, bottom), one span per row; the shape
// touches all four sides of the box, however flat or tall.
TALLWICK_EXPORT void EllipseRows(long long left, long long top, long long right, long long bottom, const RasterClip& clip,
                 std::vector<RasterSpan>& out);
// Splits the rows of a filled shape (one span per row, top to bottom) into the one-pixel outline
// and the inside.
TALLWICK_EXPORT void SplitOutline(const std::vector<RasterSpan>& rows, std::vector<RasterSpan>& outline,
                  std::vector<RasterSpan>& inside);
// Pixels of the ring between two shapes given as one span per row (inner rows may be missing).
TALLWICK_EXPORT void Ring(const std::vector<RasterSpan>& outer, const std::vector<RasterSpan>& inner,
          std::vector<RasterSpan>& out);
// Sorts spans by row and joins those that overlap or touch, so that each pixel appears once.
TALLWICK_EXPORT void MergeSpans(std::vector<RasterSpan>& spans);
// Inside of a polygon by the alternate (even-odd) rule, sampled at pixel centres.
TALLWICK_EXPORT void PolygonFill(const TPoint* points, int count, const RasterClip& clip, std::vector<RasterSpan>& out);

}  // namespace Raster

}  // namespace Tallwick
