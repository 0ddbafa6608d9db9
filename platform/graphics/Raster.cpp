// Scan conversion of the canvas shapes into horizontal pixel spans, with the conventions of the
// classic device interface.
#include "Raster.h"

#include "IntConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Tallwick {

namespace Raster {

namespace {
// A double cut into [low, high] before it becomes an int.
int ClampToInt(double v, int low, int high) { return std::clamp(TruncToInt(v), low, high); }

}  // namespace

void ThinLine(TPoint a, TPoint b, const RasterClip& clip, std::vector<RasterSpan>& out) {
    ThinLineSpans(a, b, clip, [&out](int y, int x0, int x1) { out.push_back({y, x0, x1}); });
}

void WideLine(TPoint a, TPoint b, int width, const RasterClip& clip, std::vector<RasterSpan>& out) {
    const double r = width / 2.0;
    const double pad = r + 1;
    const double ax = a.x + 0.5, ay = a.y + 0.5, bx = b.x + 0.5, by = b.y + 0.5;
    const double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
    const int yFirst = ClampToInt(std::min(ay, by) - pad, clip.y0, clip.y1);
    const int yLast = ClampToInt(std::max(ay, by) + pad, clip.y0 - 1, clip.y1 - 1);
    const int xFirst = ClampToInt(std::min(ax, bx) - pad, clip.x0, clip.x1);
    const int xLast = ClampToInt(std::max(ax, bx) + pad, clip.x0 - 1, clip.x1 - 1);
    for (int y = yFirst; y <= yLast; ++y) {
        int first = 0, last = -1;
        bool any = false;
        for (int x = xFirst; x <= xLast; ++x) {
            const double px = x + 0.5 - ax, py = y + 0.5 - ay;
            double t = len2 > 0 ? (px * vx + py * vy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * vx, ey = py - t * vy;
            if (ex * ex + ey * ey <= r * r) {
                if (!any)
                    first = x;
                last = x;
                any = true;
            }
        }
        if (any)
            out.push_back({y, first, last});
    }
}

namespace {
// Half the width of the chord at distance u (in radii) from the centre; negative past the curve.
double Chord(double radius, double u) { return u > 1.0 ? -1.0 : radius * std::sqrt(1.0 - u * u); }
}  // namespace

void EllipseRows(long long left, long long top, long long right, long long bottom, const RasterClip& clip,
                 std::vector<RasterSpan>& out) {
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (right == left || bottom == top)
        return;
    // The curve runs through the centres of the box's outermost pixels. A pixel belongs to the
    // shape when, along its row or along its column, its centre is within half a pixel of the
    // inside; the column test is what lets the middle rows of flat ellipses (and the end rows of
    // tall ones) reach the box, as a stepped outline does.
    const double a = (double(right) - double(left) - 1) / 2.0, b = (double(bottom) - double(top) - 1) / 2.0;
    const double cx = (double(left) + double(right)) / 2.0, cy = (double(top) + double(bottom)) / 2.0;
    const long long yFirst = std::max(top, clip.y0 - 1LL), yEnd = std::min(bottom, clip.y1 + 1LL);
    for (long long y = yFirst; y < yEnd; ++y) {
        const double dy = std::abs(double(y) + 0.5 - cy);
        const double alongRow = Chord(a, b > 0 ? dy / b : 0.0) + 0.5;
        const double alongColumn = Chord(a, b > 0 ? std::max(0.0, dy - 0.5) / b : 0.0);
        const double half = std::max(alongRow, alongColumn) + 1e-9;
        const double x0 = std::max(double(left), std::ceil(cx - half - 0.5));
        const double x1 = std::min(double(right) - 1, std::floor(cx + half - 0.5));
        if (x0 <= x1)
            out.push_back({int(y), ClampToInt(x0, clip.x0 - 1, clip.x1), ClampToInt(x1, clip.x0 - 1, clip.x1)});
    }
}

void SplitOutline(const std::vector<RasterSpan>& rows, std::vector<RasterSpan>& outline,
                  std::vector<RasterSpan>& inside) {
    const size_t n = rows.size();
    for (size_t i = 0; i < n; ++i) {
        const RasterSpan& row = rows[i];
        const bool hasUp = i > 0 && rows[i - 1].y == row.y - 1;
        const bool hasDown = i + 1 < n && rows[i + 1].y == row.y + 1;
        int in0 = row.x0 + 1, in1 = row.x1 - 1;
        if (hasUp && hasDown) {
            in0 = std::max({in0, rows[i - 1].x0, rows[i + 1].x0});
            in1 = std::min({in1, rows[i - 1].x1, rows[i + 1].x1});
        } else {
            in1 = in0 - 1;  // first or last row: all outline
        }
        if (in0 > in1) {
            outline.push_back(row);
            continue;
        }
        outline.push_back({row.y, row.x0, in0 - 1});
        inside.push_back({row.y, in0, in1});
        outline.push_back({row.y, in1 + 1, row.x1});
    }
}

void Ring(const std::vector<RasterSpan>& outer, const std::vector<RasterSpan>& inner, std::vector<RasterSpan>& out) {
    size_t j = 0;
    for (const RasterSpan& row : outer) {
        while (j < inner.size() && inner[j].y < row.y)
            ++j;
        if (j < inner.size() && inner[j].y == row.y) {
            const RasterSpan& hole = inner[j];
            if (hole.x0 > row.x0)
                out.push_back({row.y, row.x0, std::min(row.x1, hole.x0 - 1)});
            if (hole.x1 < row.x1)
                out.push_back({row.y, std::max(row.x0, hole.x1 + 1), row.x1});
        } else {
            out.push_back(row);
        }
    }
}

void MergeSpans(std::vector<RasterSpan>& spans) {
    std::sort(spans.begin(), spans.end(),
              [](const RasterSpan& a, const RasterSpan& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    size_t kept = 0;
    for (const RasterSpan& span : spans) {
        if (kept > 0 && spans[kept - 1].y == span.y && span.x0 <= spans[kept - 1].x1 + 1)
            spans[kept - 1].x1 = std::max(spans[kept - 1].x1, span.x1);
        else
            spans[kept++] = span;
    }
    spans.resize(kept);
}

void PolygonFill(const TPoint* points, int count, const RasterClip& clip, std::vector<RasterSpan>& out) {
    if (count < 3)
        return;
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    std::vector<double> xs;
    for (int y = std::max(top, clip.y0); y < std::min(bottom, clip.y1); ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            const TPoint p = points[i], q = points[(i + 1) % count];
            if ((p.y <= yc && yc < q.y) || (q.y <= yc && yc < p.y))
                xs.push_back(p.x + (yc - p.y) * (double(q.x) - p.x) / (double(q.y) - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int x0 = ClampToInt(std::ceil(xs[k] - 0.5), clip.x0 - 1, clip.x1);
            const int x1 = ClampToInt(std::ceil(xs[k + 1] - 0.5) - 1, clip.x0 - 1, clip.x1);
            if (x0 <= x1)
                out.push_back({y, x0, x1});
        }
    }
}

}  // namespace Raster

}  // namespace Tallwick
