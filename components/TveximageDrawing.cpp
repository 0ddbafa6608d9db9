// TVexImage shapes: shaded balls, circles and ellipses by centre, shapes ORed into the picture and
// bevelled fills.
#include "Tveximage.h"
#include "TveximagePrivate.h"

#include "Canvas.h"
#include "Frame3D.h"
#include "IntConversion.h"
#include "Vexutils.h"
#include "VisiblePart.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace Tallwick {

namespace {

// Box of ring i of a shaded ball, in 64 bits: i pixels in from the left and right, i scaled by
// the height-to-width ratio from the top and bottom, moved i / 3 right and up with offset.
struct RingBox {
    long long left, top, right, bottom;
};

RingBox BallRing(int x1, int y1, int x2, int y2, bool offset, long long i) {
    const long long d = i * (0LL + y2 - y1) / (0LL + x2 - x1);
    const long long s = offset ? i / 3 : 0;
    return {x1 + i + s, y1 + d - s, x2 - i + s, y2 - d - s};
}

bool FitsInt(const RingBox& b) {
    return std::min({b.left, b.top, b.right, b.bottom}) >= INT_MIN &&
           std::max({b.left, b.top, b.right, b.bottom}) <= INT_MAX;
}

// Whether the ellipse inscribed in the ring's box has the whole rectangle well inside it (a few
// pixels more than the pen's width from its edge), so that drawing it paints every pixel there.
bool EllipseCovers(const RingBox& b, const TRect& area, int penWidth) {
    const double l = double(std::min(b.left, b.right)), r = double(std::max(b.left, b.right));
    const double t = double(std::min(b.top, b.bottom)), bo = double(std::max(b.top, b.bottom));
    const double margin = std::max(1, penWidth) + 2.0;
    const double a = (r - l) / 2 - margin, c = (bo - t) / 2 - margin;
    if (a <= 0 || c <= 0)
        return false;
    const double cx = (l + r) / 2, cy = (t + bo) / 2;
    for (const double x : {double(area.Left), double(area.Right)})
        for (const double y : {double(area.Top), double(area.Bottom)}) {
            const double u = (x - cx) / a, v = (y - cy) / c;
            if (u * u + v * v > 1)
                return false;
        }
    return true;
}

// How far (in pixels, at least) the ellipse inscribed in the ring's box, widened by `margin` for
// the pen and the edge pixels, stays from the rectangle; 0 when they may meet. In coordinates
// scaled by the semi-axes the ellipse is the unit disc and the rectangle stays a rectangle, whose
// nearest point to the centre is the centre clamped to it.
double EllipseGap(const RingBox& b, const TRect& area, double margin) {
    const double l = double(std::min(b.left, b.right)), r = double(std::max(b.left, b.right));
    const double t = double(std::min(b.top, b.bottom)), bo = double(std::max(b.top, b.bottom));
    const double a = (r - l) / 2 + margin, c = (bo - t) / 2 + margin;
    const double cx = (l + r) / 2, cy = (t + bo) / 2;
    const double u = (std::clamp(cx, double(area.Left), double(area.Right)) - cx) / a;
    const double v = (std::clamp(cy, double(area.Top), double(area.Bottom)) - cy) / c;
    const double rho = std::sqrt(u * u + v * v);
    return rho > 1 ? (rho - 1) * std::min(a, c) : 0;
}

void DrawRing(TCanvas* canvas, const RingBox& b, const TRect& area, bool opaque) {
    if (FitsInt(b)) {
        canvas->Ellipse(int(b.left), int(b.top), int(b.right), int(b.bottom));
    } else if (opaque && EllipseCovers(b, area, canvas->Pen.Width)) {
        canvas->FillRect(area);  // an ellipse beyond the int range, over the whole visible area
    } else {
        // Beyond the int range and crossing the picture: only a ball billions of pixels across
        // has such a ring; its edge is drawn from the box cut to the int range.
        canvas->Ellipse(int(std::clamp<long long>(b.left, INT_MIN, INT_MAX)),
                        int(std::clamp<long long>(b.top, INT_MIN, INT_MAX)),
                        int(std::clamp<long long>(b.right, INT_MIN, INT_MAX)),
                        int(std::clamp<long long>(b.bottom, INT_MIN, INT_MAX)));
    }
}

}  // namespace

// Ring i covers the box (x1 + i + s, y1 + d - s, x2 - i + s, y2 - d - s) with d = i (y2 - y1) /
// (x2 - x1) and s = i / 3 with offset, in the blend of outer toward inner at step i of steps.
// Products and sums are taken in 64 bits. The rings cost what their visible parts cost, whatever
// the number of steps:
//  - when the last ring paints the whole visible area, the earlier ones, all hidden beneath it,
//    are not drawn;
//  - from one ring to the next every edge of the box moves at most `rate` pixels, so the ellipse
//    moves at most 3 x rate; a ring that stays a distance D from the visible area is skipped
//    together with the D / (3 x rate) rings after it, which cannot reach it either.
void TVexImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool offset, int steps) {
    if (steps <= 0 || x2 == x1)  // the ring height is scaled by the box's width
        return;
    TCanvas* canvas = Canvas();
    const TRect area = canvas->ClipRect();
    const double margin = std::max(1, canvas->Pen.Width) + 2.0;
    const double rate = 3.0 + std::ceil(std::fabs((0.0 + y2 - y1) / (0.0 + x2 - x1)));
    const bool opaque = canvas->Brush.Style == bsSolid && canvas->Pen.Mode == pmCopy;
    long long i = 0;
    if (opaque && EllipseCovers(BallRing(x1, y1, x2, y2, offset, steps - 1), area, canvas->Pen.Width))
        i = steps - 1;
    while (i < steps) {
        const RingBox b = BallRing(x1, y1, x2, y2, offset, i);
        const double gap = EllipseGap(b, area, margin);
        if (gap > 0) {
            i += std::max(1LL, static_cast<long long>(std::min(gap / (3 * rate), 4e18)));
            continue;
        }
        canvas->Pen.Color = BlendColor(outer, inner, int(i), steps);
        canvas->Brush.Color = canvas->Pen.Color;
        DrawRing(canvas, b, area, opaque);
        ++i;
    }
    canvas->Pen.Color = BlendColor(outer, inner, steps - 1, steps);
    canvas->Brush.Color = canvas->Pen.Color;
}

void TVexImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool offset) {
    Ball3D(x1, y1, x2, y2, outer, inner, offset, int((0LL + x2 - x1) / 2));
}

void TVexImage::Ball3D(const TRect& box, TColor outer, TColor inner, bool offset) {
    Ball3D(box.Left, box.Top, box.Right, box.Bottom, outer, inner, offset);
}

// Edges beyond the int range saturate: such a circle is larger than any picture.
void TVexImage::Ellipse(int x, int y, int r) { Ellipse(x, y, r, r); }

void TVexImage::Ellipse(int x, int y, int rx, int ry) {
    Canvas()->Ellipse(SaturateToInt(0LL + x - rx), SaturateToInt(0LL + y - ry), SaturateToInt(0LL + x + rx),
                      SaturateToInt(0LL + y + ry));
}

// The shape goes into the scratch bitmap over black, which the OR then leaves unchanged; the
// scratch covers only the box's visible part, and the shape is drawn into it shifted by the
// part's top-left, so each pixel lands where drawing the whole box would have put it.
void TVexImage::OrShape(long long x1, long long y1, long long x2, long long y2, TColor color, bool ellipse) {
    TCanvas* canvas = Canvas();
    const TRect part = VisiblePart(canvas, x1, y1, x2, y2);
    SizeWorkBitmap(part);
    if (part.Width() > 0 && part.Height() > 0) {
        TCanvas* work = d->FWorkBitmap->Canvas();
        const TRect all = Rect(0, 0, part.Width(), part.Height());
        if (ellipse) {
            work->Brush.Color = clBlack;
            work->FillRect(all);
            work->Brush.Color = color;
            // The ellipse's 1-pixel outline is in the scratch's black pen and adds nothing.
            work->Ellipse(SaturateToInt(x1 - part.Left), SaturateToInt(y1 - part.Top), SaturateToInt(x2 - part.Left),
                          SaturateToInt(y2 - part.Top));
        } else {
            work->Brush.Color = color;
            work->FillRect(all);
        }
        canvas->CopyMode = cmSrcPaint;
        canvas->DrawScaled(part.Left, part.Top, *d->FWorkBitmap);
    }
    canvas->CopyMode = cmSrcCopy;
}

void TVexImage::EllipseTrans(int x1, int y1, int x2, int y2, TColor color) {
    if (color == 0 || x2 < x1 || y2 < y1)
        return;
    OrShape(x1, y1, x2, y2, color, true);
}

void TVexImage::RectTrans(int x1, int y1, int x2, int y2, TColor color) {
    if (color == 0 || x2 < x1 || y2 < y1)
        return;
    OrShape(x1, y1, x2, y2, color, false);
}

void TVexImage::FillTrans(TColor color) {
    if (color == 0)
        return;
    OrShape(0, 0, Width(), Height(), color, false);
}

// The frame routine draws ring k of the bevel on the lines x = left + k, y = top + k,
// x = right - 1 - k and y = bottom - 1 - k. Only the rings with one of those lines inside the
// visible area can change a pixel, so the routine is run for those runs of rings alone: a bevel
// of any width costs what the rings on the picture cost.
void TVexImage::Rect3D(int x1, int y1, int x2, int y2, TColor color, int width, bool raised) {
    TCanvas* canvas = Canvas();
    canvas->Brush.Color = color;
    canvas->FillRect(Rect(x1, y1, x2, y2));
    const TColor top = raised ? cl3DHighlight : clBtnShadow;
    const TColor bottom = raised ? clBtnShadow : cl3DHighlight;
    if (width <= 0) {
        TRect box = Rect(x1, y1, x2, y2);
        Frame3D(canvas, box, top, bottom, width);
        return;
    }
    const TRect area = canvas->ClipRect();
    const long long l = x1, t = y1, r = x2, b = y2;
    // Rings [from, to) whose line lies in area: left/top edges grow with k, right/bottom shrink.
    std::vector<std::pair<long long, long long>> runs = {{area.Left - l, area.Right - l},
                                                         {area.Top - t, area.Bottom - t},
                                                         {r - area.Right, r - area.Left},
                                                         {b - area.Bottom, b - area.Top}};
    for (auto& run : runs) {
        run.first = std::clamp<long long>(run.first, 0, width);
        run.second = std::clamp<long long>(run.second, 0, width);
    }
    std::sort(runs.begin(), runs.end());
    long long done = 0;
    for (const auto& run : runs) {
        const long long from = std::max(run.first, done);
        if (from >= run.second)
            continue;
        // Ring `from` of this box is ring 0 of the box shrunk by `from`; edges of rings that lie
        // beyond the int range are far outside the picture and are held at a quarter of it.
        const auto edge = [](long long v) { return int(std::clamp<long long>(v, INT_MIN / 4, INT_MAX / 4)); };
        TRect box = Rect(edge(l + from), edge(t + from), edge(r - from), edge(b - from));
        Frame3D(canvas, box, top, bottom, int(run.second - from));
        done = run.second;
    }
    canvas->Pen.Width = 1;
    canvas->Pen.Color = bottom;
}

void TVexImage::Rect3D(const TRect& box, TColor color, int width, bool raised) {
    Rect3D(box.Left, box.Top, box.Right, box.Bottom, color, width, raised);
}

void TVexImage::Fill3D(TColor color, int width, bool raised) { Rect3D(0, 0, Width(), Height(), color, width, raised); }

}  // namespace Tallwick
