// A drawing surface bound to a bitmap, holding state the way a device context does.
#include "Canvas.h"

#include "Bitmap.h"
#include "Raster.h"
#include "SmoothRaster.h"
#include "TextMask.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace Tallwick {

namespace {
constexpr std::uint32_t kOpaque = 0xFF000000u;
}

// The device context's state and the raster work behind the public calls. Boxes, rows and spans
// are in device pixels unless a comment says logical.
class TCanvas::Private {
public:
    using Span = RasterSpan;
    struct Box {
        int x0, y0, x1, y1;  ///< exclusive x1, y1
    };
    struct Rows {
        std::uint32_t* bits;  ///< row y starts at bits + y * stride
        long long stride;
    };

    explicit Private(TBitmap* bitmap) : FBitmap(bitmap) {}

    Box Visible() const;
    RasterClip ClipBox() const;
    // The visible area in logical pixels (whole blocks that are partly visible included).
    RasterClip LogicalClipBox() const;
    Rows RowsForWriting();
    void RealizeBrush(const TBrush& brush);
    void Changed();
    // The box in logical pixels: all the device pixels of its blocks.
    void PaintBox(long long x0, long long y0, long long x1, long long y1, TColor color, bool invert);
    void PaintDeviceBox(long long x0, long long y0, long long x1, long long y1, TColor color, bool invert);
    // A logical point in device pixels: its block's corner, or the pixel nearest the block's centre.
    TPoint DeviceCorner(TPoint p) const;
    TPoint DeviceCentre(TPoint p) const;
    void PaintSpans(const std::vector<Span>& spans, TColor color, bool invert);
    void StrokePath(const TPen& pen, const TPoint* points, int count, bool closed);
    void StrokeThin(const TPen& pen, const TPoint* points, int count, int segments, const RasterClip& clip);
    void StrokeThinBlocks(const TPen& pen, const TPoint* points, int count, int segments);
    struct DevicePoint {
        long long x, y;  ///< a block's corner (or any device pixel), in device pixels
    };
    const DevicePoint* DeviceCorners(const TPoint* points, int count);
    void StrokeSmooth(const TPen& pen, const DevicePoint* corners, int count, bool closed);
    void FillPolygon(const TPoint* deviceCorners, int count, TColor color);
    void DrawDevice(int x, int y, const TBitmap& source, TCopyMode mode);
    void StretchDevice(long long left, long long top, long long w, long long h, const TBitmap& source, TCopyMode mode);
    void EllipseSmooth(const TCanvas& canvas, long long l, long long t, long long r, long long b);
    TPoint TextOrigin(int x, int y, int width, int height, int ascent) const;

    TBitmap* const FBitmap;
    int FScale = 1;
    TPoint FPenPos;
    bool FHasClip = false;
    TRect FClip;
    int FBkMode = OPAQUE;
    unsigned FTextAlign = TA_LEFT | TA_TOP;
    TBrush FRealizedBrush;
    std::vector<Span> FSpans;           ///< scratch, kept to avoid allocating per call
    std::vector<DevicePoint> FCorners;  ///< scratch, as FSpans
    std::vector<QPointF> FCentres;      ///< scratch, as FSpans
};

TCanvas::TCanvas(TBitmap* bitmap) : d(std::make_unique<Private>(bitmap)) {}
TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
    d->RealizeBrush(Brush);
    return this;
}

TBitmap* TCanvas::Bitmap() const { return d->FBitmap; }
int TCanvas::Scale() const { return d->FScale; }
TPoint TCanvas::PenPos() const { return d->FPenPos; }
bool TCanvas::HasClipRect() const { return d->FHasClip; }
int TCanvas::BkMode() const { return d->FBkMode; }
void TCanvas::SetBkMode(int mode) { d->FBkMode = mode; }
unsigned TCanvas::TextAlign() const { return d->FTextAlign; }
void TCanvas::SetTextAlign(unsigned align) { d->FTextAlign = align; }

void TCanvas::Private::Changed() { FBitmap->Changed(); }

void TCanvas::SetScale(int scale) { d->FScale = std::clamp(scale, 1, kMaxScale); }

// The clip rectangle is kept in logical pixels and met here in device pixels, in 64 bits.
TCanvas::Private::Box TCanvas::Private::Visible() const {
    const int w = FBitmap->Width(), h = FBitmap->Height();
    Box b{0, 0, w, h};
    if (FHasClip) {
        const long long k = FScale;
        const auto inside = [](long long v, int size) { return int(std::clamp<long long>(v, 0, size)); };
        b.x0 = inside(FClip.Left * k, w);
        b.y0 = inside(FClip.Top * k, h);
        b.x1 = inside(FClip.Right * k, w);
        b.y1 = inside(FClip.Bottom * k, h);
        // An empty clip area becomes an empty box inside the bitmap, so that edges computed from
        // it (x1 - 1) stay in range too.
        if (b.x1 < b.x0)
            b.x1 = b.x0;
        if (b.y1 < b.y0)
            b.y1 = b.y0;
    }
    return b;
}

RasterClip TCanvas::Private::LogicalClipBox() const {
    const Box v = Visible();
    const int k = FScale;
    return RasterClip{v.x0 / k, v.y0 / k, (v.x1 + k - 1) / k, (v.y1 + k - 1) / k};
}

// Points far beyond any bitmap keep the int range (their shapes are cut to the clip box anyway).
namespace {
int Saturated(long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); }
}  // namespace

TPoint TCanvas::Private::DeviceCorner(TPoint p) const {
    return Point(Saturated(1LL * p.x * FScale), Saturated(1LL * p.y * FScale));
}

TPoint TCanvas::Private::DeviceCentre(TPoint p) const {
    const long long half = (FScale - 1) / 2;
    return Point(Saturated(1LL * p.x * FScale + half), Saturated(1LL * p.y * FScale + half));
}

RasterClip TCanvas::Private::ClipBox() const {
    const Box v = Visible();
    return RasterClip{v.x0, v.y0, v.x1, v.y1};
}

// The device context's background mode follows the brush whenever the brush changed since it was
// last used: a solid brush makes text opaque, a clear one transparent. SetBkMode in between wins
// until the brush changes again.
void TCanvas::Private::RealizeBrush(const TBrush& brush) {
    if (brush == FRealizedBrush)
        return;
    FRealizedBrush = brush;
    FBkMode = brush.Style == bsSolid ? OPAQUE : TRANSPARENT;
}

// The pixel memory, taken once per call: QImage's row access checks for sharing on every row.
TCanvas::Private::Rows TCanvas::Private::RowsForWriting() {
    QImage& image = FBitmap->Image();
    if (image.isNull())
        return Rows{nullptr, 0};
    return Rows{reinterpret_cast<std::uint32_t*>(image.bits()),
                image.bytesPerLine() / qsizetype(sizeof(std::uint32_t))};
}

// Spans cut to the clip box, computed once for all of them.
void TCanvas::Private::PaintSpans(const std::vector<Span>& spans, TColor color, bool invert) {
    const std::uint32_t pixel = ColorToQRgb(color) | kOpaque;
    const Box v = Visible();
    if (v.x0 >= v.x1 || v.y0 >= v.y1)
        return;
    const Rows rows = RowsForWriting();
    for (const Span& s : spans) {
        if (s.y < v.y0 || s.y >= v.y1)
            continue;
        const int x0 = std::max(s.x0, v.x0), x1 = std::min(s.x1, v.x1 - 1);
        if (x0 > x1)
            continue;
        std::uint32_t* row = rows.bits + s.y * rows.stride;
        if (invert)
            for (int x = x0; x <= x1; ++x)
                row[x] ^= 0x00FFFFFFu;
        else
            std::fill(row + x0, row + x1 + 1, pixel);
    }
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!PtVisible(x, y))
        return -1;
    return QRgbToColor(d->FBitmap->ScanLine(y * d->FScale)[x * d->FScale]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!PtVisible(x, y))
        return;
    if (d->FScale == 1)
        d->FBitmap->ScanLine(y)[x] = ColorToQRgb(color) | kOpaque;
    else
        d->PaintBox(x, y, 1LL + x, 1LL + y, color, false);
    d->Changed();
}

void TCanvas::MoveTo(int x, int y) { d->FPenPos = Point(x, y); }

// The outline of a path in the pen. A wide pen draws the path as one shape, so where segments
// meet (or cross) each pixel is painted once: an inverting pen inverts it once.
void TCanvas::Private::StrokePath(const TPen& pen, const TPoint* points, int count, bool closed) {
    if (pen.Style == psClear || count < 2)
        return;
    const RasterClip clip = ClipBox();
    const int segments = closed ? count : count - 1;
    if (pen.Width <= 1 && FScale == 1) {
        StrokeThin(pen, points, count, segments, clip);
        return;
    }
    // Above scale 1 slanted edges are smoothed over the device pixels; an inverting pen keeps
    // hard edges, since inverting a pixel twice (or by a share) would not give it back.
    if (FScale > 1 && pen.Mode != pmNot) {
        StrokeSmooth(pen, DeviceCorners(points, count), count, closed);
        return;
    }
    if (pen.Width <= 1) {
        StrokeThinBlocks(pen, points, count, segments);
        return;
    }
    FSpans.clear();
    for (int i = 0; i < segments; ++i)
        Raster::WideLine(DeviceCentre(points[i]), DeviceCentre(points[(i + 1) % count]),
                         Saturated(1LL * pen.Width * FScale), clip, FSpans);
    Raster::MergeSpans(FSpans);
    PaintSpans(FSpans, pen.Color, pen.Mode == pmNot);
}

// A one-pixel line at a scale above 1 is one logical pixel wide but stepped in device pixels: a
// k x k pen walks the device line from the first end's block to the last block before the second
// end. Along an axis it covers exactly the line's logical blocks; a slanted line steps every device
// row or column rather than every block. The pen's squares overlap, so each segment's pixels are
// merged first and an inverting pen inverts each of them once.
void TCanvas::Private::StrokeThinBlocks(const TPen& pen, const TPoint* points, int count, int segments) {
    const Box v = Visible();
    if (v.x0 >= v.x1 || v.y0 >= v.y1)
        return;
    const long long k = FScale;
    const bool invert = pen.Mode == pmNot;
    for (int i = 0; i < segments; ++i) {
        const TPoint a = points[i], b = points[(i + 1) % count];
        const long long dx = std::llabs(0LL + b.x - a.x), dy = std::llabs(0LL + b.y - a.y);
        if (dx == 0 && dy == 0)
            continue;
        // Pen corners whose square meets the visible box, and only the first (steps - 1) * k + 1
        // corners of the device line: the last logical pixel is left out, as at scale 1.
        const long long lastCorner = (std::max(dx, dy) - 1) * k;
        const bool xMajor = dx > dy;
        const long long start = (xMajor ? a.x : a.y) * k, sign = (xMajor ? b.x > a.x : b.y > a.y) ? 1 : -1;
        const long long end = start + sign * lastCorner;
        RasterClip corners{int(v.x0 - k + 1), int(v.y0 - k + 1), v.x1, v.y1};
        int& low = xMajor ? corners.x0 : corners.y0;
        int& high = xMajor ? corners.x1 : corners.y1;
        low = int(std::max<long long>(low, std::min(start, end)));
        high = int(std::min<long long>(high, std::max(start, end) + 1));
        FSpans.clear();
        Raster::ThinLineSpans(a.x * k, a.y * k, b.x * k, b.y * k, corners, [&](int y, int x0, int x1) {
            for (long long row = y; row < y + k; ++row)
                FSpans.push_back({int(row), x0, int(x1 + k - 1)});
        });
        Raster::MergeSpans(FSpans);
        PaintSpans(FSpans, pen.Color, invert);
    }
}

const TCanvas::Private::DevicePoint* TCanvas::Private::DeviceCorners(const TPoint* points, int count) {
    FCorners.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        FCorners[i] = {1LL * points[i].x * FScale, 1LL * points[i].y * FScale};
    return FCorners.data();
}

// A one-pixel pen as a band k device pixels thick, a wider one as the path through the blocks'
// centres with a pen k times as wide.
void TCanvas::Private::StrokeSmooth(const TPen& pen, const DevicePoint* corners, int count, bool closed) {
    const RasterClip clip = ClipBox();
    if (pen.Style == psClear || count < 2 || clip.x0 >= clip.x1 || clip.y0 >= clip.y1)
        return;
    const QRgb color = ColorToQRgb(pen.Color);
    const int segments = closed ? count : count - 1;
    if (pen.Width <= 1) {
        for (int i = 0; i < segments; ++i) {
            const DevicePoint a = corners[i], b = corners[(i + 1) % count];
            SmoothRaster::ThinLine(FBitmap->Image(), clip, a.x, a.y, b.x, b.y, FScale, color);
        }
        return;
    }
    // The blocks' centres.
    const double half = FScale / 2.0;
    FCentres.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        FCentres[i] = QPointF(double(corners[i].x) + half, double(corners[i].y) + half);
    SmoothRaster::WideLine(FBitmap->Image(), clip, FCentres.data(), count, closed, double(pen.Width) * FScale, color);
}

// One-pixel segments go straight into the rows. Within a segment no pixel comes twice; separate
// segments are separate strokes, as consecutive LineTo calls are.
void TCanvas::Private::StrokeThin(const TPen& pen, const TPoint* points, int count, int segments,
                                  const RasterClip& clip) {
    if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1)
        return;
    const Rows rows = RowsForWriting();
    const std::uint32_t pixel = ColorToQRgb(pen.Color) | kOpaque;
    for (int i = 0; i < segments; ++i) {
        const TPoint a = points[i], b = points[(i + 1) % count];
        if (pen.Mode == pmNot) {
            Raster::ThinLineSpans(a, b, clip, [&](int y, int x0, int x1) {
                std::uint32_t* row = rows.bits + y * rows.stride;
                for (int x = x0; x <= x1; ++x)
                    row[x] ^= 0x00FFFFFFu;
            });
        } else if (a.x == b.x) {
            // Vertical: one pixel per row, the commonest segment of dense data.
            Raster::ThinLineSpans(a, b, clip, [&](int y, int x, int) { rows.bits[y * rows.stride + x] = pixel; });
        } else {
            Raster::ThinLineSpans(a, b, clip, [&](int y, int x0, int x1) {
                std::uint32_t* row = rows.bits + y * rows.stride;
                std::fill(row + x0, row + x1 + 1, pixel);
            });
        }
    }
}

void TCanvas::LineTo(int x, int y) {
    const TPoint segment[2] = {d->FPenPos, Point(x, y)};
    d->StrokePath(Pen, segment, 2, false);
    d->FPenPos = Point(x, y);
    d->Changed();
}

// Like the device call, a polyline leaves the pen position where it was.
void TCanvas::Polyline(const TPoint* points, int count) {
    d->StrokePath(Pen, points, count, false);
    d->Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    d->RealizeBrush(Brush);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    // In 64 bits: edges and pen widths near the ends of the int range must not overflow.
    const long long l = left, t = top, r = right, b = bottom;
    const bool outlined = Pen.Style != psClear;
    const long long w = outlined ? std::max(1, Pen.Width) : 0;
    // Without a pen the inside alone is filled, one pixel short on the right and at the bottom.
    const long long inRight = outlined ? r - w : r - 1;
    const long long inBottom = outlined ? b - w : b - 1;
    if (Brush.Style == bsSolid)
        d->PaintBox(l + w, t + w, inRight, inBottom, Brush.Color, false);
    if (outlined && r > l && b > t) {
        // The outline as four disjoint boxes, so an inverting pen touches each pixel once.
        const long long x0 = l - (w - 1) / 2, y0 = t - (w - 1) / 2;
        const long long x1 = r + w / 2, y1 = b + w / 2;  // exclusive
        const bool invert = Pen.Mode == pmNot;
        if (x1 - x0 <= 2 * w || y1 - y0 <= 2 * w) {
            d->PaintBox(x0, y0, x1, y1, Pen.Color, invert);
        } else {
            d->PaintBox(x0, y0, x1, y0 + w, Pen.Color, invert);
            d->PaintBox(x0, y1 - w, x1, y1, Pen.Color, invert);
            d->PaintBox(x0, y0 + w, x0 + w, y1 - w, Pen.Color, invert);
            d->PaintBox(x1 - w, y0 + w, x1, y1 - w, Pen.Color, invert);
        }
    }
    d->Changed();
}

void TCanvas::Private::PaintBox(long long x0, long long y0, long long x1, long long y1, TColor color, bool invert) {
    const long long k = FScale;
    PaintDeviceBox(x0 * k, y0 * k, x1 * k, y1 * k, color, invert);
}

// Fills (or inverts) the box [x0, x1) x [y0, y1), clipped once, walking the rows by their stride.
void TCanvas::Private::PaintDeviceBox(long long x0, long long y0, long long x1, long long y1, TColor color,
                                      bool invert) {
    const Box v = Visible();
    // Compared in 64 bits: a box beyond the int range must not wrap round into the bitmap.
    const long long left64 = std::max<long long>(x0, v.x0), top64 = std::max<long long>(y0, v.y0);
    const long long right64 = std::min<long long>(x1, v.x1), bottom64 = std::min<long long>(y1, v.y1);
    if (left64 >= right64 || top64 >= bottom64)
        return;
    const int left = int(left64), top = int(top64), right = int(right64), bottom = int(bottom64);
    const std::uint32_t pixel = ColorToQRgb(color) | kOpaque;
    const qsizetype stride = FBitmap->Image().bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    std::uint32_t* row = FBitmap->ScanLine(top);
    for (int y = top; y < bottom; ++y, row += stride) {
        if (invert)
            for (int x = left; x < right; ++x)
                row[x] ^= 0x00FFFFFFu;
        else
            std::fill(row + left, row + right, pixel);
    }
}

void TCanvas::FillRect(const TRect& r) {
    d->RealizeBrush(Brush);
    if (Brush.Style == bsSolid)
        d->PaintBox(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                    std::max(r.Top, r.Bottom), Brush.Color, false);
    d->Changed();
}

void TCanvas::FillDeviceRect(long long x0, long long y0, long long x1, long long y1) {
    d->RealizeBrush(Brush);
    if (Brush.Style == bsSolid)
        d->PaintDeviceBox(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), Brush.Color, false);
    d->Changed();
}

// The box and the pen scale to device pixels, and the curve is traced there.
void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    d->RealizeBrush(Brush);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const long long u = d->FScale;
    const long long l = left * u, t = top * u, r = right * u, b = bottom * u;
    const RasterClip clip = d->ClipBox();
    const bool outlined = Pen.Style != psClear;
    if (u > 1 && !(outlined && Pen.Mode == pmNot)) {
        d->EllipseSmooth(*this, l, t, r, b);
        d->Changed();
        return;
    }
    std::vector<RasterSpan> rows, outline, inside;
    if (!outlined) {
        Raster::EllipseRows(l, t, r - u, b - u, clip, rows);
        inside.swap(rows);
    } else if (Pen.Width <= 1 && u == 1) {
        Raster::EllipseRows(l, t, r, b, clip, rows);
        Raster::SplitOutline(rows, outline, inside);
    } else {
        const long long pen = std::max(1, Pen.Width), w = pen * u, grow = (pen - 1) / 2 * u, tail = pen / 2 * u;
        std::vector<RasterSpan> inner;
        Raster::EllipseRows(l - grow, t - grow, r + tail, b + tail, clip, rows);
        const long long il = l - grow + w, it = t - grow + w, ir = r + tail - w, ib = b + tail - w;
        if (ir > il && ib > it)  // a pen wider than half the box leaves no inside
            Raster::EllipseRows(il, it, ir, ib, clip, inner);
        Raster::Ring(rows, inner, outline);
        inside.swap(inner);
    }
    if (Brush.Style == bsSolid)
        d->PaintSpans(inside, Brush.Color, false);
    d->PaintSpans(outline, Pen.Color, Pen.Mode == pmNot);
    d->Changed();
}

// The device box [l, r) x [t, b) of an ellipse on a scaled canvas, smoothed: the same boxes as
// the span version, the curves cut finer.
void TCanvas::Private::EllipseSmooth(const TCanvas& canvas, long long l, long long t, long long r, long long b) {
    const TPen& pen = canvas.Pen;
    const bool filled = canvas.Brush.Style == bsSolid;
    const long long u = FScale;
    const QRgb brush = ColorToQRgb(canvas.Brush.Color);
    QRectF outer, inner;
    if (pen.Style == psClear) {
        outer = QRectF(QPointF(l, t), QPointF(r - u, b - u));
    } else {
        const long long width = std::max(1, pen.Width), grow = (width - 1) / 2 * u, tail = width / 2 * u;
        outer = QRectF(QPointF(l - grow, t - grow), QPointF(r + tail, b + tail));
        inner = outer.adjusted(width * u, width * u, -width * u, -width * u);
    }
    if (outer.isEmpty() || (pen.Style == psClear && !filled))
        return;
    if (pen.Style == psClear)
        SmoothRaster::Ellipse(FBitmap->Image(), ClipBox(), outer, QRectF(), brush, std::nullopt);
    else
        SmoothRaster::Ellipse(FBitmap->Image(), ClipBox(), outer, inner, ColorToQRgb(pen.Color),
                              filled ? std::optional<QRgb>(brush) : std::nullopt);
}

// The inside sampled at pixel centres, then (above scale 1) the pixels round it that the polygon
// partly covers, smoothed outwards so that polygons sharing an edge leave no seam.
void TCanvas::Private::FillPolygon(const TPoint* deviceCorners, int count, TColor color) {
    const RasterClip clip = ClipBox();
    std::vector<RasterSpan> inside;
    Raster::PolygonFill(deviceCorners, count, clip, inside);
    PaintSpans(inside, color, false);
    if (FScale > 1)
        SmoothRaster::PolygonEdges(FBitmap->Image(), clip, deviceCorners, count, inside, ColorToQRgb(color));
}

void TCanvas::Polygon(const TPoint* points, int count) {
    d->RealizeBrush(Brush);
    if (count < 1)
        return;
    if (Brush.Style == bsSolid && d->FScale == 1) {
        d->FillPolygon(points, count, Brush.Color);
    } else if (Brush.Style == bsSolid) {
        std::vector<TPoint> corners(points, points + count);
        for (TPoint& p : corners)
            p = d->DeviceCorner(p);
        d->FillPolygon(corners.data(), count, Brush.Color);
    }
    d->StrokePath(Pen, points, count, true);
    d->Changed();
}

void TCanvas::PolygonAtDevicePixels(const TPoint* corners, int count) {
    if (d->FScale == 1) {
        Polygon(corners, count);
        return;
    }
    d->RealizeBrush(Brush);
    if (count < 1)
        return;
    if (Brush.Style == bsSolid)
        d->FillPolygon(corners, count, Brush.Color);
    if (Pen.Mode != pmNot) {
        d->FCorners.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            d->FCorners[i] = {corners[i].x, corners[i].y};
        d->StrokeSmooth(Pen, d->FCorners.data(), count, true);
    } else {
        // Hard edges on the logical grid: each corner's nearest block corner.
        const long long k = d->FScale;
        const auto nearest = [k](long long v) { return int((v >= 0 ? v + k / 2 : v - k / 2 + 1) / k); };
        std::vector<TPoint> logical(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            logical[i] = Point(nearest(corners[i].x), nearest(corners[i].y));
        d->StrokePath(Pen, logical.data(), count, true);
    }
    d->Changed();
}

TPoint TCanvas::Private::TextOrigin(int x, int y, int width, int height, int ascent) const {
    const unsigned horizontal = FTextAlign & 6, vertical = FTextAlign & 24;
    if (horizontal == TA_CENTER)
        x -= width / 2;
    else if (horizontal == TA_RIGHT)
        x -= width;
    if (vertical == TA_BASELINE)
        y -= ascent;
    else if (vertical == TA_BOTTOM)
        y -= height;
    return Point(x, y);
}

namespace {
// The font k times as large, for text drawn at device resolution.
QFont DeviceFont(const QFont& font, int k) {
    if (k == 1)
        return font;
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(font.pixelSize() * k);
    else
        scaled.setPointSizeF(font.pointSizeF() * k);
    return scaled;
}
}  // namespace

// Placed and measured in logical pixels, drawn with the font enlarged to the device's pixels.
void TCanvas::TextOut(int x, int y, const QString& text) {
    d->RealizeBrush(Brush);
    const QFont& font = Font.Resolved();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.ascent() + metrics.descent();
    const TPoint origin = d->TextOrigin(x, y, width, height, metrics.ascent());
    if (d->FBkMode == OPAQUE && Font.Orientation() == 0)
        d->PaintBox(origin.x, origin.y, 0LL + origin.x + width, 0LL + origin.y + height, Brush.Color, false);
    const Private::Box v = d->Visible();
    if (v.x1 > v.x0 && v.y1 > v.y0 && !text.isEmpty()) {
        QPainter painter(&d->FBitmap->Image());
        painter.setClipRect(v.x0, v.y0, v.x1 - v.x0, v.y1 - v.y0);
        painter.setFont(DeviceFont(font, d->FScale));
        painter.setPen(QColor::fromRgb(ColorToQRgb(Font.Color())));
        const double k = d->FScale;
        if (Font.Orientation() != 0) {
            // Escapement turns the text about its reference point.
            painter.translate(x * k, y * k);
            painter.rotate(-Font.Orientation() / 10.0);
            painter.drawText(QPointF((origin.x - x) * k, (origin.y - y + metrics.ascent()) * k), text);
        } else {
            painter.drawText(QPointF(origin.x * k, (origin.y + metrics.ascent()) * k), text);
        }
    }
    d->FPenPos = Point(x + width, y);
    d->Changed();
}

void TCanvas::TextOutMask(int x, int y, const TTextMask& mask) {
    d->RealizeBrush(Brush);
    const TPoint origin = d->TextOrigin(x, y, mask.Width(), mask.Height(), mask.Ascent());
    if (d->FBkMode == OPAQUE)
        d->PaintBox(origin.x, origin.y, 0LL + origin.x + mask.Width(), 0LL + origin.y + mask.Height(), Brush.Color,
                    false);
    if (d->FScale != 1) {  // a mask holds logical pixels: each span covers whole blocks
        for (const TTextMask::Span& s : mask.Spans())
            d->PaintBox(0LL + origin.x + s.x0, 0LL + origin.y + s.y, 1LL + origin.x + s.x1, 1LL + origin.y + s.y,
                        Font.Color(), false);
        d->FPenPos = Point(x + mask.Width(), y);
        d->Changed();
        return;
    }
    const std::uint32_t pixel = ColorToQRgb(Font.Color()) | kOpaque;
    const Private::Box v = d->Visible();
    const Private::Rows rows = v.x0 < v.x1 && v.y0 < v.y1 ? d->RowsForWriting() : Private::Rows{nullptr, 0};
    for (const TTextMask::Span& s : mask.Spans()) {
        const long long row = 0LL + origin.y + s.y;
        const long long x0 = std::max<long long>(0LL + origin.x + s.x0, v.x0);
        const long long x1 = std::min<long long>(0LL + origin.x + s.x1, v.x1 - 1);
        if (rows.bits && row >= v.y0 && row < v.y1 && x0 <= x1)
            std::fill(rows.bits + row * rows.stride + x0, rows.bits + row * rows.stride + x1 + 1, pixel);
    }
    d->FPenPos = Point(x + mask.Width(), y);
    d->Changed();
}

int TCanvas::TextWidth(const QString& text) const { return QFontMetrics(Font.Resolved()).horizontalAdvance(text); }

int TCanvas::TextHeight(const QString&) const {
    const QFontMetrics metrics(Font.Resolved());
    return metrics.ascent() + metrics.descent();
}

TPoint TCanvas::TextExtent(const QString& text) const { return Point(TextWidth(text), TextHeight(text)); }

namespace {
inline std::uint32_t Combine(TCopyMode mode, std::uint32_t d, std::uint32_t s) {
    switch (mode) {
    case cmSrcPaint: return d | s;
    case cmSrcInvert: return d ^ s;
    case cmSrcAnd: return d & s;
    case cmNotSrcCopy: return ~s;
    case cmMergePaint: return d | ~s;
    case cmDstInvert: return ~d;
    case cmBlackness: return 0;
    case cmWhiteness: return 0xFFFFFFu;
    default: return s;
    }
}
}  // namespace

void TCanvas::Draw(int x, int y, const TBitmap& source) {
    if (d->FScale == 1)
        d->DrawDevice(x, y, source, CopyMode);
    else
        d->StretchDevice(1LL * x * d->FScale, 1LL * y * d->FScale, 1LL * source.Width() * d->FScale,
                         1LL * source.Height() * d->FScale, source, CopyMode);
}

void TCanvas::DrawScaled(int x, int y, const TBitmap& source) {
    d->DrawDevice(Saturated(1LL * x * d->FScale), Saturated(1LL * y * d->FScale), source, CopyMode);
}

void TCanvas::Private::DrawDevice(int x, int y, const TBitmap& source, TCopyMode mode) {
    if (&source == FBitmap) {  // drawing a bitmap onto itself: read from a copy
        TBitmap copy;
        copy.Assign(source.Image());
        DrawDevice(x, y, copy, mode);
        return;
    }
    const Box v = Visible();
    const int x0 = std::max(x, v.x0), x1 = int(std::min<long long>(0LL + x + source.Width(), v.x1));
    const int y0 = std::max(y, v.y0), y1 = int(std::min<long long>(0LL + y + source.Height(), v.y1));
    const int count = x1 - x0;
    for (int row = y0; row < y1 && count > 0; ++row) {
        const auto* s = reinterpret_cast<const std::uint32_t*>(source.Image().constScanLine(row - y)) + (x0 - x);
        std::uint32_t* d = FBitmap->ScanLine(row) + x0;
        if (mode == cmSrcCopy) {
            std::memcpy(d, s, sizeof(std::uint32_t) * count);
            continue;
        }
        for (int i = 0; i < count; ++i)
            d[i] = Combine(mode, d[i], s[i]) | kOpaque;
    }
    Changed();
}

// Nearest-pixel scaling, as the device interface stretches by default: each target pixel takes the
// source pixel under its centre; a negative width or height mirrors. Only the visible target
// pixels are computed, whatever the rectangle's size.
void TCanvas::StretchDrawBitmap(const TRect& rect, const TBitmap& source) {
    const long long k = d->FScale;
    d->StretchDevice(rect.Left * k, rect.Top * k, (0LL + rect.Right - rect.Left) * k,
                     (0LL + rect.Bottom - rect.Top) * k, source, CopyMode);
}

// The target box [left, left + w) x [top, top + h) in device pixels; a negative w or h mirrors.
void TCanvas::Private::StretchDevice(long long left, long long top, long long w, long long h, const TBitmap& source,
                                     TCopyMode mode) {
    if (w == 0 || h == 0 || source.Empty())
        return;
    if (w == source.Width() && h == source.Height() && left >= INT_MIN && left <= INT_MAX && top >= INT_MIN &&
        top <= INT_MAX) {
        DrawDevice(int(left), int(top), source, mode);
        return;
    }
    if (&source == FBitmap) {
        TBitmap copy;
        copy.Assign(source.Image());
        StretchDevice(left, top, w, h, copy, mode);
        return;
    }
    if (w < 0)
        left += w;
    if (h < 0)
        top += h;
    const long long width = std::llabs(w), height = std::llabs(h);
    const Box v = Visible();
    const int x0 = int(std::max<long long>(left, v.x0)), x1 = int(std::min<long long>(left + width, v.x1));
    const int y0 = int(std::max<long long>(top, v.y0)), y1 = int(std::min<long long>(top + height, v.y1));
    const long long sw = source.Width(), sh = source.Height();
    auto sourceIndex = [](long long i, long long size, long long sourceSize, bool mirrored) {
        const long long k = ((2 * i + 1) * sourceSize) / (2 * size);
        return mirrored ? sourceSize - 1 - k : k;
    };
    for (int row = y0; row < y1; ++row) {
        const long long sy = sourceIndex(row - top, height, sh, h < 0);
        const auto* s = reinterpret_cast<const std::uint32_t*>(source.Image().constScanLine(int(sy)));
        std::uint32_t* d = FBitmap->ScanLine(row);
        for (int col = x0; col < x1; ++col) {
            const std::uint32_t pixel = s[sourceIndex(col - left, width, sw, w < 0)];
            d[col] = mode == cmSrcCopy ? pixel : Combine(mode, d[col], pixel) | kOpaque;
        }
    }
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& source) {
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source))
        StretchDrawBitmap(rect, *bitmap);
    else
        source.Draw(this, rect);
}

TRect TCanvas::ClipRect() const {
    const int k = d->FScale;
    if (!d->FHasClip)
        return Rect(0, 0, (d->FBitmap->Width() + k - 1) / k, (d->FBitmap->Height() + k - 1) / k);
    const RasterClip v = d->LogicalClipBox();
    return Rect(v.x0, v.y0, std::max(v.x0, v.x1), std::max(v.y0, v.y1));
}

void TCanvas::SetClipRect(const TRect& r) {
    d->FHasClip = true;
    d->FClip = r;
}

void TCanvas::ClearClipRect() { d->FHasClip = false; }

bool TCanvas::PtVisible(int x, int y) const {
    const Private::Box v = d->Visible();
    const long long dx = 1LL * x * d->FScale, dy = 1LL * y * d->FScale;
    return dx >= v.x0 && dx < v.x1 && dy >= v.y0 && dy < v.y1;
}

}  // namespace Tallwick
