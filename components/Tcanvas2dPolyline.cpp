// TCanvas2D::Polyline: a connected line through many points, with the pixels of Line for each
// consecutive pair, at a cost that beyond one pass over the points depends on the plot's width.
//
// Consecutive pairs that Line would draw form chains. Within a chain, each run of consecutive
// points in one pixel column is reduced to its first, lowest, highest and last point, in the
// order they came (the M4 aggregation): the run's segments are vertical and together cover every
// row from the lowest to the highest point, and so does the path through those four; the row of
// the run's last point is drawn by the segment to the next column. Only where a chain ends can a
// row be left out (a line leaves out its end pixel, and a segment within one pixel draws
// nothing), so there the run is looked at again row by row: the earliest point on each extreme
// row is kept, and where the chain's last point ends on the later extreme's row, the point by
// which Line leaves that row is kept too. The segments between columns are kept as they are. A
// pen of any width covers the same pixels either way; only an inverting pen, which inverts twice
// where segments overlap, needs the pairs one by one.
#include "Tcanvas2d.h"
#include "Tcanvas2dPrivate.h"

#include "AxisPixels.h"
#include "Canvas.h"
#include "Vexutils.h"

#include <cmath>
#include <vector>

namespace Tallwick {

namespace {
// Points handed to the canvas at once; a longer chain goes in parts that share their ends.
constexpr size_t kBatch = 4096;
// Steps of one unit in the last place tried when an estimated column edge is refined.
constexpr int kEdgeSteps = 16;

// Which side of the axis box a point lies beyond, one bit per side: a pair with a common bit lies
// wholly beyond that side, and Line leaves it alone.
constexpr unsigned kLeft = 1, kRight = 2, kBelow = 4, kAbove = 8;

struct TMappedPoint {
    int X = 0, Y = 0;
    unsigned Sides = 0;
    bool Finite = false;
};

bool InGdiRange(long long v) { return v >= kGdiRangeMin && v <= kGdiRangeMax; }

// The geometry of one Polyline call.
struct TPlotBox {
    TAxisPixels Columns, Rows;
    double XLo, XHi, YLo, YHi;
    // Every point inside the axis box has pixels within the drawable range.
    bool InsideDrawable;

    TMappedPoint Map(double x, double y) const {
        TMappedPoint p;
        p.Finite = std::isfinite(x) && std::isfinite(y);
        if (!p.Finite)
            return p;
        p.Sides = (x < XLo ? kLeft : 0u) | (x > XHi ? kRight : 0u) | (y < YLo ? kBelow : 0u) | (y > YHi ? kAbove : 0u);
        p.X = Columns.Fast(x);
        p.Y = Rows.Fast(y);
        return p;
    }

    // From an estimate, the nearest value towards `inner` that still maps to column c.
    double ColumnEdge(double estimate, double inner, int c) const {
        double edge = estimate;
        for (int i = 0; i < kEdgeSteps; ++i, edge = std::nextafter(edge, inner))
            if (Columns.Exact(edge) == c)
                return edge;
        return inner;
    }
};

// Builds the reduced chains and hands them to the canvas. A run keeps world values; its points
// are mapped when the run ends.
class TM4Chains {
public:
    TM4Chains(TCanvas* canvas, const TPlotBox& box, const double* y) : FCanvas(canvas), FBox(box), FY(y) {
        FBatch.reserve(kBatch + 4);
    }

    // The x values [Lo, Hi] map to the run's column from inside the axis box (empty: Lo > Hi).
    double Lo = 1, Hi = 0;

    // `inside`: the point lies in the axis box, so its pixels are drawable.
    void Add(int index, double x, double y, int column, bool inside) {
        FLastInside = inside;
        if (FRunOpen && column == FColumn) {
            FLast = {y, index};
            if (y < FLow.Value)
                FLow = {y, index};
            else if (y > FHigh.Value)
                FHigh = {y, index};
            if (inside && Lo > Hi)
                SetColumnRange(x, column);
            return;
        }
        FlushRun(false);
        FRunOpen = true;
        FColumn = column;
        FFirst = FLast = FLow = FHigh = {y, index};
        Lo = 1;
        Hi = 0;
        if (inside)
            SetColumnRange(x, column);
    }

    // Whether the points that follow may go through ExtendInside: the run's last point lies in
    // the axis box, so a pair from it to another point there is drawn and within range.
    bool ReadyForInside() const { return FLastInside && Lo <= Hi; }
    // Takes in the points from `from` on while they stay in the run's column and the axis box;
    // returns the first one that does not.
    int ExtendInside(const double* x, int from, int count);

    void EndChain() {
        FlushRun(true);
        if (FBatch.size() >= 2)
            FCanvas->Polyline(FBatch.data(), int(FBatch.size()));
        FBatch.clear();
        Lo = 1;
        Hi = 0;
    }

private:
    struct TValueAt {
        double Value;
        int Index;
    };
    struct TRowAt {
        int Row, Index;
    };

    void SetColumnRange(double x, int column) {
        const TAxisPixels& c = FBox.Columns;
        const double k = double(column - c.Offset);
        const double a = c.Min + (k - 0.5) / c.Factor, b = c.Min + (k + 0.5) / c.Factor;
        Lo = std::max(FBox.ColumnEdge(std::min(a, b), x, column), FBox.XLo);
        Hi = std::min(FBox.ColumnEdge(std::max(a, b), x, column), FBox.XHi);
    }

    // A run that ends its chain is looked at again row by row: where several points share the
    // lowest or highest row, the earliest must be the one drawn to (see above).
    void FlushRun(bool endsChain) {
        if (!FRunOpen)
            return;
        FRunOpen = false;
        const TAxisPixels& rows = FBox.Rows;
        TRowAt first{rows.Fast(FFirst.Value), FFirst.Index}, last{rows.Fast(FLast.Value), FLast.Index};
        TRowAt low{rows.Fast(FLow.Value), FLow.Index}, high{rows.Fast(FHigh.Value), FHigh.Index};
        if (endsChain) {
            low = high = first;
            for (int i = FFirst.Index + 1; i <= FLast.Index; ++i) {
                const int row = rows.Fast(FY[i]);
                if (row < low.Row)
                    low = {row, i};
                if (row > high.Row)
                    high = {row, i};
            }
        }
        Emit(first.Row);
        const TRowAt a = low.Index < high.Index ? low : high, b = low.Index < high.Index ? high : low;
        for (const TRowAt& e : {a, b})
            if (e.Index != first.Index && e.Index != last.Index)
                Emit(e.Row);
        if (endsChain && b.Index != last.Index && b.Row == last.Row)
            EmitLeaving(b.Index, last.Index, last.Row);
        if (last.Index != first.Index)
            Emit(last.Row);
        if (FBatch.size() >= kBatch) {
            const TPoint end = FBatch.back();
            FCanvas->Polyline(FBatch.data(), int(FBatch.size()));
            FBatch.clear();
            FBatch.push_back(end);
        }
    }

    void Emit(int row) { FBatch.push_back(Tallwick::Point(FColumn, row)); }

    // The chain's last point shares its row with the later extreme b, so the path through the
    // four would reach that row only by a segment of no length. Line draws the row when some
    // point there is followed by one off it: that following point goes in after b.
    void EmitLeaving(int from, int last, int row) {
        const TAxisPixels& rows = FBox.Rows;
        for (int j = from; j < last; ++j) {
            const int next = rows.Fast(FY[j + 1]);
            if (next != row && rows.Fast(FY[j]) == row) {
                Emit(next);
                return;
            }
        }
    }

    TCanvas* FCanvas;
    const TPlotBox& FBox;
    const double* FY;
    std::vector<TPoint> FBatch;
    bool FRunOpen = false;
    bool FLastInside = false;
    int FColumn = 0;
    TValueAt FFirst{}, FLast{}, FLow{}, FHigh{};
};

// The hot loop: two comparisons on each axis and the running extremes, in registers.
int TM4Chains::ExtendInside(const double* x, int from, int count) {
    const double lo = Lo, hi = Hi, ylo = FBox.YLo, yhi = FBox.YHi;
    const double* y = FY;
    double low = FLow.Value, high = FHigh.Value;
    int lowAt = FLow.Index, highAt = FHigh.Index;
    int i = from;
    for (; i < count; ++i) {
        const double xi = x[i], yi = y[i];
        if (!(xi >= lo && xi <= hi && yi >= ylo && yi <= yhi))
            break;
        if (yi < low) {
            low = yi;
            lowAt = i;
        } else if (yi > high) {
            high = yi;
            highAt = i;
        }
    }
    if (i > from) {
        FLast = {y[i - 1], i - 1};
        FLow = {low, lowAt};
        FHigh = {high, highAt};
    }
    return i;
}
}  // namespace

void TCanvas2D::Polyline(const double* x, const double* y, int count) {
    if (!x || !y || count < 2 || !MappingValid())
        return;
    if (d->FImageCanvas->Pen.Mode == pmNot) {
        for (int i = 1; i < count; ++i)
            if (std::isfinite(x[i - 1]) && std::isfinite(y[i - 1]) && std::isfinite(x[i]) && std::isfinite(y[i]))
                Line(x[i - 1], y[i - 1], x[i], y[i]);
        return;
    }
    const int mx = MarginX(), my = MarginY(), W = ImageW(), H = ImageH();
    const auto [xlo, xhi] = std::minmax(d->FAxisXMin, d->FAxisXMax);
    const auto [ylo, yhi] = std::minmax(d->FAxisYMin, d->FAxisYMax);
    const TPlotBox box{TAxisPixels(d->FAxisXMin, d->FAxisXMax, W - 2 * mx, mx, false),
                       TAxisPixels(d->FAxisYMin, d->FAxisYMax, H - 2 * my, H - my, true),
                       xlo,
                       xhi,
                       ylo,
                       yhi,
                       InGdiRange(mx) && InGdiRange(W - mx) && InGdiRange(my) && InGdiRange(H - my) &&
                           InGdiRange(W - 2 * mx) && InGdiRange(H - 2 * my)};
    TM4Chains chains(d->FImageCanvas, box, y);
    bool chainOpen = false;
    TMappedPoint previous = box.Map(x[0], y[0]);
    for (int i = 1; i < count; ++i) {
        if (chainOpen && chains.ReadyForInside()) {
            const int end = chains.ExtendInside(x, i, count);
            if (end > i) {
                i = end;
                if (i == count)
                    break;
                previous = box.Map(x[i - 1], y[i - 1]);
            }
        }
        const TMappedPoint current = box.Map(x[i], y[i]);
        bool drawn = previous.Finite && current.Finite && (previous.Sides & current.Sides) == 0;
        if (drawn && !LineInGdiRange(previous.X, previous.Y, current.X, current.Y)) {
            d->FOutOfRange = true;
            drawn = false;
        }
        if (drawn) {
            if (!chainOpen)
                chains.Add(i - 1, x[i - 1], y[i - 1], previous.X, previous.Sides == 0 && box.InsideDrawable);
            chains.Add(i, x[i], y[i], current.X, current.Sides == 0 && box.InsideDrawable);
            chainOpen = true;
        } else if (chainOpen) {
            chains.EndChain();
            chainOpen = false;
        }
        previous = current;
    }
    if (chainOpen)
        chains.EndChain();
}

}  // namespace Tallwick
