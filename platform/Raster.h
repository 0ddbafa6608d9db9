#pragma once
// Scan conversion of the canvas shapes into horizontal pixel spans, with the conventions of the
// classic device interface. Coordinates are whole pixels; spans are unclipped.
#include "Types.h"

#include <vector>

struct RasterSpan {
    int y, x0, x1;  // x1 inclusive
};

namespace Raster {

// Pixels of a one-pixel line from a to b, end pixel left out (one span per pixel run).
void ThinLine(TPoint a, TPoint b, std::vector<RasterSpan>& out);
// Pixels whose centres lie within width / 2 of the segment a-b (both ends included).
void WideLine(TPoint a, TPoint b, int width, std::vector<RasterSpan>& out);
// Pixels of the ellipse inscribed in [left, right) x [top, bottom), one span per row; the shape
// touches all four sides of the box, however flat or tall.
void EllipseRows(int left, int top, int right, int bottom, std::vector<RasterSpan>& out);
// Splits the rows of a filled shape (one span per row, top to bottom) into the one-pixel outline
// and the inside.
void SplitOutline(const std::vector<RasterSpan>& rows, std::vector<RasterSpan>& outline,
                  std::vector<RasterSpan>& inside);
// Pixels of the ring between two shapes given as one span per row (inner rows may be missing).
void Ring(const std::vector<RasterSpan>& outer, const std::vector<RasterSpan>& inner,
          std::vector<RasterSpan>& out);
// Inside of a polygon by the alternate (even-odd) rule, sampled at pixel centres.
void PolygonFill(const TPoint* points, int count, std::vector<RasterSpan>& out);

}  // namespace Raster
