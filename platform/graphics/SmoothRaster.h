#pragma once
/// \file
/// Antialiased drawing for canvases of scale above 1, in device pixels. A logical pixel is then a
/// block of device pixels, so slanted and curved edges can be drawn finer than the blocks: their
/// edge pixels take the share of the shape that covers them. Axis-parallel edges on block
/// boundaries stay exact. Each shape is walked row by row within the clip box, so the work is
/// that of its visible part, whatever its coordinates.
#include "Raster.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace Tallwick::SmoothRaster {

/// The ellipse inscribed in `outer` in the ring colour with the one inscribed in `inner` inside it
/// in `inside`, or left as it was when `inside` is empty (a ring). An empty `inner` fills it all.
void Ellipse(QImage& image, const RasterClip& clip, const QRectF& outer, const QRectF& inner, QRgb ring,
             std::optional<QRgb> inside);

/// Round the polygon (device corners, alternate rule) whose inside `inside` (as Raster::PolygonFill
/// gives it: by row, left to right) already holds in `color`, the pixels it partly covers take their share of the colour (four rows of samples a
/// pixel, each cut exactly across). Pixels of the inside stay as they are, so polygons that share
/// an edge leave no seam of what lay below. Work is that of the rows within the clip box.
void PolygonEdges(QImage& image, const RasterClip& clip, const TPoint* corners, int count,
                  const std::vector<RasterSpan>& inside, QRgb color);

/// A line of `width` device pixels along the points (device coordinates), round at ends and
/// joins, one segment after the other (where two meet, their smoothed rims mix twice).
void WideLine(QImage& image, const RasterClip& clip, const QPointF* points, int count, bool closed, double width,
              QRgb color);

/// The line of a one-pixel pen from the block at device corner (ax, ay) to the one at (bx, by),
/// the end block left out, as a band k device pixels thick across its major axis through the
/// blocks' centres: k times finer than the blocks along it. Corners on the block grid are the
/// logical line's; any device pixel may be a corner.
void ThinLine(QImage& image, const RasterClip& clip, long long ax, long long ay, long long bx, long long by, int k,
              QRgb color);

}  // namespace Tallwick::SmoothRaster
