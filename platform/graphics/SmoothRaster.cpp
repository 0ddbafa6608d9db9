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

namespace {
constexpr int kSampleRows = 4;

struct Run {
    double a, b;  ///< [a, b) of one sample row
};

// A polygon edge that is not level, from its top down: it holds the sample rows with
// top <= y < bottom.
struct Edge {
    double top, bottom, x, slope;  ///< x at the top; x per row
};

std::vector<Edge> SlopedEdges(const TPoint* corners, int count) {
    std::vector<Edge> edges;
    edges.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const TPoint p = corners[i], q = corners[i + 1 < count ? i + 1 : 0];
        if (p.y == q.y)
            continue;
        const TPoint upper = p.y < q.y ? p : q, lower = p.y < q.y ? q : p;
        edges.push_back({double(upper.y), double(lower.y), double(upper.x),
                         (double(lower.x) - upper.x) / (double(lower.y) - upper.y)});
    }
    return edges;
}

// The runs of the sample row at height y inside the polygon (alternate rule), left to right.
void SampleRuns(const std::vector<Edge>& edges, double y, std::vector<double>& xs, std::vector<Run>& runs) {
    xs.clear();
    for (const Edge& e : edges)
        if (e.top <= y && y < e.bottom)
            xs.push_back(e.x + (y - e.top) * e.slope);
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2)
        runs.push_back({xs[k], xs[k + 1]});
}

// The share of pixel column x the runs cover, each run one sample row's worth.
double Share(const std::vector<Run>& runs, int x) {
    double covered = 0;
    for (const Run& r : runs)
        covered += std::max(0.0, std::min(r.b, x + 1.0) - std::max(r.a, double(x)));
    return std::min(1.0, covered / kSampleRows);
}
}  // namespace

// Only the pixels a run's end falls in can be partly covered; the others are wholly inside (and
// painted already) or wholly outside.
void PolygonEdges(QImage& image, const RasterClip& clip, const TPoint* corners, int count,
                  const std::vector<RasterSpan>& inside, QRgb color) {
    if (image.isNull() || count < 3 || clip.x0 >= clip.x1)
        return;
    int top = corners[0].y, bottom = corners[0].y;
    for (int i = 1; i < count; ++i)
        top = std::min(top, corners[i].y), bottom = std::max(bottom, corners[i].y);
    top = std::max(top, clip.y0), bottom = std::min(bottom, clip.y1);
    const std::vector<Edge> edges = SlopedEdges(corners, count);
    auto span = inside.cbegin();
    std::vector<double> xs;
    std::vector<Run> runs;
    std::vector<int> ends;
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    const auto column = [&](double x) { return int(std::clamp(std::floor(x), double(clip.x0), double(clip.x1 - 1))); };
    for (int y = top; y < bottom; ++y) {
        runs.clear();
        ends.clear();
        for (int s = 0; s < kSampleRows; ++s)
            SampleRuns(edges, y + (s + 0.5) / kSampleRows, xs, runs);
        for (const Run& r : runs)
            ends.insert(ends.end(), {column(r.a), column(r.b)});
        std::sort(ends.begin(), ends.end());
        ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
        while (span != inside.cend() && span->y < y)
            ++span;
        auto rowSpan = span;
        std::uint32_t* row = bits + y * stride;
        for (int x : ends) {
            while (rowSpan != inside.cend() && rowSpan->y == y && rowSpan->x1 < x)
                ++rowSpan;
            if (rowSpan != inside.cend() && rowSpan->y == y && rowSpan->x0 <= x)
                continue;  // painted already
            const double share = Share(runs, x);
            if (share > 0)
                Blend(row[x], color, share);
        }
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
