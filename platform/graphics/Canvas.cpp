// A drawing surface bound to a bitmap, holding state the way a device context does.
#include "Canvas.h"

#include "Bitmap.h"
#include "Raster.h"
#include "TextMask.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace Tallwick {

namespace {
constexpr std::uint32_t kOpaque = 0xFF000000u;
}

TCanvas::TCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}

void TCanvas::Changed() { FBitmap->Changed(); }

TCanvas::Box TCanvas::Visible() const {
    Box b{0, 0, FBitmap->Width(), FBitmap->Height()};
    if (FHasClip) {
        b.x0 = std::max(b.x0, FClip.Left);
        b.y0 = std::max(b.y0, FClip.Top);
        b.x1 = std::min(b.x1, FClip.Right);
        b.y1 = std::min(b.y1, FClip.Bottom);
        // An empty clip area becomes an empty box inside the bitmap, so that edges computed from
        // it (x1 - 1) stay in range too.
        if (b.x1 < b.x0)
            b.x0 = b.x1 = std::clamp(b.x0, 0, FBitmap->Width());
        if (b.y1 < b.y0)
            b.y0 = b.y1 = std::clamp(b.y0, 0, FBitmap->Height());
    }
    return b;
}

RasterClip TCanvas::ClipBox() const {
    const Box v = Visible();
    return RasterClip{v.x0, v.y0, v.x1, v.y1};
}

// The device context's background mode follows the brush whenever the brush changed since it was
// last used: a solid brush makes text opaque, a clear one transparent. SetBkMode in between wins
// until the brush changes again.
void TCanvas::RealizeBrush() {
    if (Brush == FRealizedBrush)
        return;
    FRealizedBrush = Brush;
    FBkMode = Brush.Style == bsSolid ? OPAQUE : TRANSPARENT;
}

// The pixel memory, taken once per call: QImage's row access checks for sharing on every row.
TCanvas::Rows TCanvas::RowsForWriting() {
    QImage& image = FBitmap->Image();
    if (image.isNull())
        return Rows{nullptr, 0};
    return Rows{reinterpret_cast<std::uint32_t*>(image.bits()),
                image.bytesPerLine() / qsizetype(sizeof(std::uint32_t))};
}

// Spans cut to the clip box, computed once for all of them.
void TCanvas::PaintSpans(const std::vector<Span>& spans, TColor color, bool invert) {
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
    return QRgbToColor(const_cast<TBitmap*>(FBitmap)->ScanLine(y)[x]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!PtVisible(x, y))
        return;
    FBitmap->ScanLine(y)[x] = ColorToQRgb(color) | kOpaque;
    Changed();
}

void TCanvas::MoveTo(int x, int y) { FPenPos = Point(x, y); }

// The outline of a path in the pen. A wide pen draws the path as one shape, so where segments
// meet (or cross) each pixel is painted once: an inverting pen inverts it once.
void TCanvas::StrokePath(const TPoint* points, int count, bool closed) {
    if (Pen.Style == psClear || count < 2)
        return;
    const RasterClip clip = ClipBox();
    const int segments = closed ? count : count - 1;
    if (Pen.Width <= 1) {
        StrokeThin(points, count, segments, clip);
        return;
    }
    FSpans.clear();
    for (int i = 0; i < segments; ++i)
        Raster::WideLine(points[i], points[(i + 1) % count], Pen.Width, clip, FSpans);
    Raster::MergeSpans(FSpans);
    PaintSpans(FSpans, Pen.Color, Pen.Mode == pmNot);
}

// One-pixel segments go straight into the rows. Within a segment no pixel comes twice; separate
// segments are separate strokes, as consecutive LineTo calls are.
void TCanvas::StrokeThin(const TPoint* points, int count, int segments, const RasterClip& clip) {
    if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1)
        return;
    const Rows rows = RowsForWriting();
    const std::uint32_t pixel = ColorToQRgb(Pen.Color) | kOpaque;
    for (int i = 0; i < segments; ++i) {
        const TPoint a = points[i], b = points[(i + 1) % count];
        if (Pen.Mode == pmNot) {
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
    const TPoint segment[2] = {FPenPos, Point(x, y)};
    StrokePath(segment, 2, false);
    FPenPos = Point(x, y);
    Changed();
}

// Like the device call, a polyline leaves the pen position where it was.
void TCanvas::Polyline(const TPoint* points, int count) {
    StrokePath(points, count, false);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RealizeBrush();
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
        PaintBox(l + w, t + w, inRight, inBottom, Brush.Color, false);
    if (outlined && r > l && b > t) {
        // The outline as four disjoint boxes, so an inverting pen touches each pixel once.
        const long long x0 = l - (w - 1) / 2, y0 = t - (w - 1) / 2;
        const long long x1 = r + w / 2, y1 = b + w / 2;  // exclusive
        const bool invert = Pen.Mode == pmNot;
        if (x1 - x0 <= 2 * w || y1 - y0 <= 2 * w) {
            PaintBox(x0, y0, x1, y1, Pen.Color, invert);
        } else {
            PaintBox(x0, y0, x1, y0 + w, Pen.Color, invert);
            PaintBox(x0, y1 - w, x1, y1, Pen.Color, invert);
            PaintBox(x0, y0 + w, x0 + w, y1 - w, Pen.Color, invert);
            PaintBox(x1 - w, y0 + w, x1, y1 - w, Pen.Color, invert);
        }
    }
    Changed();
}

// Fills (or inverts) the box [x0, x1) x [y0, y1), clipped once, walking the rows by their stride.
void TCanvas::PaintBox(long long x0, long long y0, long long x1, long long y1, TColor color, bool invert) {
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
    RealizeBrush();
    if (Brush.Style == bsSolid)
        PaintBox(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom), Brush.Color, false);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    RealizeBrush();
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const long long l = left, t = top, r = right, b = bottom;
    const RasterClip clip = ClipBox();
    std::vector<RasterSpan> rows, outline, inside;
    const bool outlined = Pen.Style != psClear;
    if (!outlined) {
        Raster::EllipseRows(l, t, r - 1, b - 1, clip, rows);
        inside.swap(rows);
    } else if (Pen.Width <= 1) {
        Raster::EllipseRows(l, t, r, b, clip, rows);
        Raster::SplitOutline(rows, outline, inside);
    } else {
        const long long w = Pen.Width, grow = (w - 1) / 2, tail = w / 2;
        std::vector<RasterSpan> inner;
        Raster::EllipseRows(l - grow, t - grow, r + tail, b + tail, clip, rows);
        const long long il = l - grow + w, it = t - grow + w, ir = r + tail - w, ib = b + tail - w;
        if (ir > il && ib > it)  // a pen wider than half the box leaves no inside
            Raster::EllipseRows(il, it, ir, ib, clip, inner);
        Raster::Ring(rows, inner, outline);
        inside.swap(inner);
    }
    if (Brush.Style == bsSolid)
        PaintSpans(inside, Brush.Color, false);
    PaintSpans(outline, Pen.Color, Pen.Mode == pmNot);
    Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
    RealizeBrush();
    if (count < 1)
        return;
    if (Brush.Style == bsSolid) {
        std::vector<RasterSpan> inside;
        Raster::PolygonFill(points, count, ClipBox(), inside);
        PaintSpans(inside, Brush.Color, false);
    }
    StrokePath(points, count, true);
    Changed();
}

TPoint TCanvas::TextOrigin(int x, int y, int width, int height, int ascent) const {
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

void TCanvas::TextOut(int x, int y, const QString& text) {
    RealizeBrush();
    const QFont& font = Font.Resolved();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.ascent() + metrics.descent();
    const TPoint origin = TextOrigin(x, y, width, height, metrics.ascent());
    if (FBkMode == OPAQUE && Font.Orientation() == 0)
        PaintBox(origin.x, origin.y, 0LL + origin.x + width, 0LL + origin.y + height, Brush.Color, false);
    const Box v = Visible();
    if (v.x1 > v.x0 && v.y1 > v.y0 && !text.isEmpty()) {
        QPainter painter(&FBitmap->Image());
        painter.setClipRect(v.x0, v.y0, v.x1 - v.x0, v.y1 - v.y0);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(ColorToQRgb(Font.Color())));
        if (Font.Orientation() != 0) {
            // Escapement turns the text about its reference point.
            painter.translate(x, y);
            painter.rotate(-Font.Orientation() / 10.0);
            painter.drawText(origin.x - x, origin.y - y + metrics.ascent(), text);
        } else {
            painter.drawText(origin.x, origin.y + metrics.ascent(), text);
        }
    }
    FPenPos = Point(x + width, y);
    Changed();
}

void TCanvas::TextOutMask(int x, int y, const TTextMask& mask) {
    RealizeBrush();
    const TPoint origin = TextOrigin(x, y, mask.Width(), mask.Height(), mask.Ascent());
    if (FBkMode == OPAQUE)
        PaintBox(origin.x, origin.y, 0LL + origin.x + mask.Width(), 0LL + origin.y + mask.Height(), Brush.Color, false);
    const std::uint32_t pixel = ColorToQRgb(Font.Color()) | kOpaque;
    const Box v = Visible();
    const Rows rows = v.x0 < v.x1 && v.y0 < v.y1 ? RowsForWriting() : Rows{nullptr, 0};
    for (const TTextMask::Span& s : mask.Spans()) {
        const long long row = 0LL + origin.y + s.y;
        const long long x0 = std::max<long long>(0LL + origin.x + s.x0, v.x0);
        const long long x1 = std::min<long long>(0LL + origin.x + s.x1, v.x1 - 1);
        if (rows.bits && row >= v.y0 && row < v.y1 && x0 <= x1)
            std::fill(rows.bits + row * rows.stride + x0, rows.bits + row * rows.stride + x1 + 1, pixel);
    }
    FPenPos = Point(x + mask.Width(), y);
    Changed();
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
    if (&source == FBitmap) {  // drawing a bitmap onto itself: read from a copy
        TBitmap copy;
        copy.Assign(source.Image());
        Draw(x, y, copy);
        return;
    }
    const Box v = Visible();
    const int x0 = std::max(x, v.x0), x1 = int(std::min<long long>(0LL + x + source.Width(), v.x1));
    const int y0 = std::max(y, v.y0), y1 = int(std::min<long long>(0LL + y + source.Height(), v.y1));
    const int count = x1 - x0;
    for (int row = y0; row < y1 && count > 0; ++row) {
        const auto* s = reinterpret_cast<const std::uint32_t*>(source.Image().constScanLine(row - y)) + (x0 - x);
        std::uint32_t* d = FBitmap->ScanLine(row) + x0;
        if (CopyMode == cmSrcCopy) {
            std::memcpy(d, s, sizeof(std::uint32_t) * count);
            continue;
        }
        for (int i = 0; i < count; ++i)
            d[i] = Combine(CopyMode, d[i], s[i]) | kOpaque;
    }
    Changed();
}

// Nearest-pixel scaling, as the device interface stretches by default: each target pixel takes the
// source pixel under its centre; a negative width or height mirrors. Only the visible target
// pixels are computed, whatever the rectangle's size.
void TCanvas::StretchDrawBitmap(const TRect& rect, const TBitmap& source) {
    const long long w = 0LL + rect.Right - rect.Left, h = 0LL + rect.Bottom - rect.Top;
    if (w == 0 || h == 0 || source.Empty())
        return;
    if (w == source.Width() && h == source.Height()) {
        Draw(rect.Left, rect.Top, source);
        return;
    }
    if (&source == FBitmap) {
        TBitmap copy;
        copy.Assign(source.Image());
        StretchDrawBitmap(rect, copy);
        return;
    }
    const long long left = std::min(rect.Left, rect.Right), top = std::min(rect.Top, rect.Bottom);
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
            d[col] = CopyMode == cmSrcCopy ? pixel : Combine(CopyMode, d[col], pixel) | kOpaque;
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
    if (!FHasClip)
        return Rect(0, 0, FBitmap->Width(), FBitmap->Height());
    const Box v = Visible();
    return Rect(v.x0, v.y0, std::max(v.x0, v.x1), std::max(v.y0, v.y1));
}

void TCanvas::SetClipRect(const TRect& r) {
    FHasClip = true;
    FClip = r;
}

void TCanvas::ClearClipRect() { FHasClip = false; }

bool TCanvas::PtVisible(int x, int y) const {
    const Box v = Visible();
    return x >= v.x0 && x < v.x1 && y >= v.y0 && y < v.y1;
}

}  // namespace Tallwick
