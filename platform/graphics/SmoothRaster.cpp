// Antialiased shapes on the device pixels of a scaled canvas.
#include "SmoothRaster.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace Tallwick::SmoothRaster {

namespace {
// `share` (0 to 1) of `color` over the pixel.
void Blend(std::uint32_t& pixel, QRgb color, double share) {
    const int a = int(share * 256 + 0.5);
    if (a <= 0)
        return;
    if (a >= 256) {
        pixel = color | 0xFF000000u;
        return;
    }
    const auto mix = [&](int shift) {
        const std::uint32_t c = (color >> shift) & 0xFF, p = (pixel >> shift) & 0xFF;
        return ((c * a + p * (256 - a)) >> 8) << shift;
    };
    pixel = 0xFF000000u | mix(16) | mix(8) | mix(0);
}

// A painter on the image, cut to the clip box, smoothing edges.
void Prepare(QPainter& painter, const RasterClip& clip) {
    painter.setClipRect(QRect(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0));
    painter.setRenderHint(QPainter::Antialiasing);
}
}  // namespace

bool InRange(const QRectF& box) {
    const auto near = [](double v) { return std::abs(v) <= kSmoothLimit; };
    return near(box.left()) && near(box.right()) && near(box.top()) && near(box.bottom());
}

void Ellipse(QImage& image, const RasterClip& clip, const QRectF& outer, const QRectF& inner, QRgb ring,
             std::optional<QRgb> inside) {
    if (image.isNull() || clip.x0 >= clip.x1 || clip.y0 >= clip.y1)
        return;
    QPainter painter(&image);
    Prepare(painter, clip);
    if (inner.isEmpty() || inside) {
        // The inside is painted over the whole shape, so the seam between ring and inside takes
        // no colour from below.
        painter.fillPath(
            [&] {
                QPainterPath p;
                p.addEllipse(outer);
                return p;
            }(),
            QColor(ring));
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addEllipse(outer);
        path.addEllipse(inner);
        painter.fillPath(path, QColor(ring));
    }
    if (inside && !inner.isEmpty()) {
        QPainterPath path;
        path.addEllipse(inner);
        painter.fillPath(path, QColor(*inside));
    }
}

void PolygonEdges(QImage& image, const RasterClip& clip, const QPolygonF& corners,
                  const std::vector<RasterSpan>& inside, QRgb color) {
    const QRect box = corners.boundingRect()
                          .toAlignedRect()
                          .adjusted(-1, -1, 1, 1)
                          .intersected(QRect(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0));
    if (image.isNull() || box.isEmpty())
        return;
    // The share of each pixel the polygon covers, then none where the inside is painted already.
    QImage cover(box.size(), QImage::Format_Alpha8);
    cover.fill(0);
    {
        QPainter painter(&cover);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-box.topLeft());
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addPolygon(corners);
        path.closeSubpath();
        painter.fillPath(path, Qt::white);
    }
    for (const RasterSpan& s : inside) {
        if (s.y < box.top() || s.y > box.bottom())
            continue;
        const int x0 = std::max(s.x0, box.left()), x1 = std::min(s.x1, box.right());
        if (x0 <= x1)
            std::fill_n(cover.scanLine(s.y - box.top()) + (x0 - box.left()), x1 - x0 + 1, 0);
    }
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    for (int y = 0; y < box.height(); ++y) {
        const uchar* share = cover.constScanLine(y);
        std::uint32_t* row = bits + (box.top() + y) * stride + box.left();
        for (int x = 0; x < box.width(); ++x)
            if (share[x])
                Blend(row[x], color, share[x] / 255.0);
    }
}

void WideLine(QImage& image, const RasterClip& clip, const QPolygonF& points, bool closed, double width, QRgb color) {
    if (image.isNull() || clip.x0 >= clip.x1 || clip.y0 >= clip.y1 || points.size() < 2)
        return;
    QPainter painter(&image);
    Prepare(painter, clip);
    painter.setPen(QPen(QColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (closed)
        painter.drawPolygon(points);
    else
        painter.drawPolyline(points);
}

// Walked along the major axis one device pixel at a time: the band's edges across it fall between
// pixels, and the two pixels they cut take their covered share.
void ThinLine(QImage& image, const RasterClip& clip, long long ax, long long ay, long long bx, long long by, int k,
              QRgb color) {
    const long long dx = bx - ax, dy = by - ay;
    if ((dx == 0 && dy == 0) || image.isNull())
        return;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const long long major = xMajor ? ax : ay, minor = xMajor ? ay : ax;
    const long long along = xMajor ? dx : dy, across = xMajor ? dy : dx;
    const double slope = double(across) / double(along), half = k / 2.0;
    // The blocks from a's to the one before b's, in device pixels [from, to).
    const long long from = along > 0 ? major : major + along + k;
    const long long to = along > 0 ? major + along : major + k;
    const long long lowM = xMajor ? clip.x0 : clip.y0, highM = xMajor ? clip.x1 : clip.y1;
    const long long lowN = xMajor ? clip.y0 : clip.x0, highN = xMajor ? clip.y1 : clip.x1;
    const double centreM = double(major) + half, centreN = double(minor) + half;
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    for (long long m = std::max(from, lowM), end = std::min(to, highM); m < end; ++m) {
        const double centre = centreN + (m + 0.5 - centreM) * slope;
        const double top = centre - half, bottom = centre + half;
        const long long n0 = std::max(static_cast<long long>(std::floor(top)), lowN);
        const long long n1 = std::min(static_cast<long long>(std::ceil(bottom)), highN);
        for (long long n = n0; n < n1; ++n) {
            const double share = std::min<double>(n + 1, bottom) - std::max<double>(n, top);
            Blend(xMajor ? bits[n * stride + m] : bits[m * stride + n], color, share);
        }
    }
}

}  // namespace Tallwick::SmoothRaster
