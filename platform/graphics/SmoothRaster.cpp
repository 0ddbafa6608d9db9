// Antialiased shapes on the device pixels of a scaled canvas.
#include "SmoothRaster.h"

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

// The whole pixels [from, to) that the extent [low, high] touches, cut to [min, max) (empty
// when it misses, whatever the extent's size).
struct Range {
    int from, to;
};
Range Cut(double low, double high, int min, int max) {
    const double from = std::max(std::floor(low), double(min)), to = std::min(std::ceil(high), double(max));
    return from < to ? Range{int(from), int(to)} : Range{0, 0};
}
// Where the row at a pixel's centre line meets a shape of extent [left, right] on it.
Range ColumnsOf(double left, double right, const RasterClip& clip) { return Cut(left, right, clip.x0, clip.x1); }
Range RowsOf(double top, double bottom, const RasterClip& clip) { return Cut(top, bottom, clip.y0, clip.y1); }

// The three colours a pixel may be made of, by their shares: what it held, a and b.
void Mix(std::uint32_t& pixel, QRgb a, double shareA, QRgb b, double shareB) {
    const double keep = std::max(0.0, 1 - shareA - shareB);
    const auto channel = [&](int shift) {
        const double v =
            ((pixel >> shift) & 0xFF) * keep + ((a >> shift) & 0xFF) * shareA + ((b >> shift) & 0xFF) * shareB;
        return std::uint32_t(std::clamp(int(v + 0.5), 0, 255)) << shift;
    };
    pixel = 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// An axis-aligned ellipse and how much of a pixel it covers, from the pixel centre's distance to
// its outline (the implicit function over its gradient, good to a small fraction of a pixel).
struct EllipseShape {
    double cx, cy, a, b;
    explicit EllipseShape(const QRectF& box)
        : cx(box.center().x()),
          cy(box.center().y()),
          a(box.width() / 2),
          b(box.height() / 2) {}
    bool Empty() const { return !(a > 0 && b > 0); }
    double Cover(double x, double y) const {
        if (Empty())
            return 0;
        const double nx = (x - cx) / a, ny = (y - cy) / b;
        const double f = nx * nx + ny * ny - 1;
        const double gx = 2 * nx / a, gy = 2 * ny / b, g = std::sqrt(gx * gx + gy * gy);
        const double distance = g > 0 ? f / g : -std::min(a, b);
        return std::clamp(0.5 - distance, 0.0, 1.0);
    }
    // The half width of the ellipse grown by `grow` pixels, on the row at height y (negative when
    // the row misses it).
    double HalfWidth(double y, double grow) const {
        const double ga = a + grow, gb = b + grow;
        if (ga <= 0 || gb <= 0)
            return -1;
        const double t = (y - cy) / gb;
        return t * t < 1 ? ga * std::sqrt(1 - t * t) : -1;
    }
};
}  // namespace

// Row by row: pixels well inside a shape take its colour at once, those near an outline their
// shares of ring, inside and what was there.
void Ellipse(QImage& image, const RasterClip& clip, const QRectF& outer, const QRectF& inner, QRgb ring,
             std::optional<QRgb> inside) {
    const EllipseShape out(outer), in(inner);
    if (image.isNull() || out.Empty() || clip.x0 >= clip.x1 || clip.y0 >= clip.y1)
        return;
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    const Range rows = RowsOf(outer.top(), outer.bottom(), clip);
    for (int y = rows.from; y < rows.to; ++y) {
        const double py = y + 0.5;
        const double reach = out.HalfWidth(py, 1);
        if (reach < 0)
            continue;
        const Range columns = ColumnsOf(out.cx - reach, out.cx + reach, clip);
        // Whole pixels inside the outline, and inside the inner outline.
        const double solid = out.HalfWidth(py, -1.5), innerSolid = in.HalfWidth(py, -1.5);
        const double innerReach = in.Empty() ? -1 : in.HalfWidth(py, 1);
        std::uint32_t* row = bits + y * stride;
        for (int x = columns.from; x < columns.to; ++x) {
            const double px = x + 0.5, off = std::abs(px - out.cx);
            if (off < innerSolid) {
                if (inside)
                    row[x] = *inside | 0xFF000000u;
            } else if (off < solid && off > innerReach) {
                row[x] = ring | 0xFF000000u;
            } else {
                const double whole = out.Cover(px, py), core = std::min(whole, in.Cover(px, py));
                if (inside)
                    Mix(row[x], ring, whole - core, *inside, core);
                else
                    Blend(row[x], ring, whole - core);
            }
        }
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

// Only the pixels an edge crosses can be partly covered; the others are wholly inside (and
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
        // The columns each edge crosses within the row: only there can a pixel be partly covered.
        for (const Edge& e : edges) {
            const double from = std::max<double>(y, e.top), to = std::min<double>(y + 1, e.bottom);
            if (from >= to)
                continue;
            const double xa = e.x + (from - e.top) * e.slope, xb = e.x + (to - e.top) * e.slope;
            for (int c = column(std::min(xa, xb)), last = column(std::max(xa, xb)); c <= last; ++c)
                ends.push_back(c);
        }
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

namespace {
// The x for which lo <= c0 + c1 x <= hi, as [from, to] (empty when from > to).
std::pair<double, double> Solve(double c0, double c1, double lo, double hi) {
    if (c1 == 0)
        return c0 >= lo && c0 <= hi ? std::pair{-HUGE_VAL, HUGE_VAL} : std::pair{1.0, 0.0};
    const double a = (lo - c0) / c1, b = (hi - c0) / c1;
    return {std::min(a, b), std::max(a, b)};
}

// A segment with round ends, `radius` wide each side, and how much of a pixel it covers from the
// pixel centre's distance to the segment.
struct Capsule {
    QPointF a, b;
    double radius;
    double Distance(double x, double y) const {
        const double dx = b.x() - a.x(), dy = b.y() - a.y(), length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? ((x - a.x()) * dx + (y - a.y()) * dy) / length2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(x - a.x() - t * dx, y - a.y() - t * dy);
    }
    double Cover(double x, double y) const { return std::clamp(radius + 0.5 - Distance(x, y), 0.0, 1.0); }
    // [left, right] of the capsule grown by `grow` on the row at height y (left > right: missed).
    std::pair<double, double> Reach(double y, double grow) const {
        const double r = radius + grow;
        double left = HUGE_VAL, right = -HUGE_VAL;
        for (const QPointF& end : {a, b}) {
            const double dy = y - end.y();
            if (dy * dy <= r * r) {
                const double half = std::sqrt(r * r - dy * dy);
                left = std::min(left, end.x() - half), right = std::max(right, end.x() + half);
            }
        }
        const double dx = b.x() - a.x(), dy = b.y() - a.y(), length = std::hypot(dx, dy);
        if (length > 0) {
            // Within r of the line through a and b, and between the ends' perpendiculars.
            const auto [n0, n1] = Solve((dx * (y - a.y()) + dy * a.x()) / length, -dy / length, -r, r);
            const auto [t0, t1] = Solve(-(dx * a.x()) + dy * (y - a.y()), dx, 0, dx * dx + dy * dy);
            const double from = std::max(n0, t0), to = std::min(n1, t1);
            if (from <= to)
                left = std::min(left, from), right = std::max(right, to);
        }
        return {left, right};
    }
};
}  // namespace

void WideLine(QImage& image, const RasterClip& clip, const QPointF* points, int count, bool closed, double width,
              QRgb color) {
    if (image.isNull() || clip.x0 >= clip.x1 || clip.y0 >= clip.y1 || count < 2)
        return;
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const Capsule line{points[i], points[(i + 1) % count], width / 2};
        const double top = std::min(line.a.y(), line.b.y()) - line.radius - 1;
        const double bottom = std::max(line.a.y(), line.b.y()) + line.radius + 1;
        const Range rows = RowsOf(top, bottom, clip);
        for (int y = rows.from; y < rows.to; ++y) {
            const double py = y + 0.5;
            const auto [left, right] = line.Reach(py, 1);
            const Range columns = ColumnsOf(left, right, clip);
            std::uint32_t* row = bits + y * stride;
            for (int x = columns.from; x < columns.to; ++x)
                Blend(row[x], color, line.Cover(x + 0.5, py));
        }
    }
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
