// TCanvas2D: animated axis changes, the interaction modes with their cursors, zoom and pan, and the
// mode-dependent work of the mouse handlers.
//
// An animated change repaints once per step and lets the event loop run between steps, so the user
// sees it and can stop it with the right button. Meanwhile the component may be resized, receive
// mouse input, or even be deleted; every step checks that it still exists before going on.
#include "Tcanvas2d.h"
#include "Tcanvas2dPrivate.h"

#include "Beep.h"
#include "Cursors.h"
#include "CursorScope.h"
#include "EventGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace Tallwick {

namespace {
constexpr double kMaxExtent = 1e20;
constexpr double kMinExtent = 1e-20;
}  // namespace

TCanvas2D::TBox TCanvas2D::Limits() const { return TBox{d->FAxisXMin, d->FAxisYMin, d->FAxisXMax, d->FAxisYMax}; }

void TCanvas2D::SetLimits(const TBox& box) {
    const TBox old = Limits();
    d->FAxisXMin = box.XMin;
    d->FAxisYMin = box.YMin;
    d->FAxisXMax = box.XMax;
    d->FAxisYMax = box.YMax;
    if (old.XMin != box.XMin)
        emit AxisXMinChanged();
    if (old.YMin != box.YMin)
        emit AxisYMinChanged();
    if (old.XMax != box.XMax)
        emit AxisXMaxChanged();
    if (old.YMax != box.YMax)
        emit AxisYMaxChanged();
}

// Finite, not inverted, and neither too wide nor too narrow on either axis (NaN fails every test).
bool TCanvas2D::BoxAcceptable(const TBox& box) {
    const double w = box.XMax - box.XMin, h = box.YMax - box.YMin;
    return w <= kMaxExtent && w >= kMinExtent && h <= kMaxExtent && h >= kMinExtent;
}

bool TCanvas2D::SameBox(const TBox& a, const TBox& b) {
    return a.XMin == b.XMin && a.YMin == b.YMin && a.XMax == b.XMax && a.YMax == b.YMax;
}

void TCanvas2D::AxisChange(double xmin, double ymin, double xmax, double ymax, int steps) {
    if (d->FBusy || !BoxAcceptable(TBox{xmin, ymin, xmax, ymax})) {
        MessageBeep();
        return;
    }
    TCursorScope hourglass(d->FImage, crHourGlass);
    AxisChange(d->FAxisXMin, d->FAxisYMin, d->FAxisXMax, d->FAxisYMax, xmin, ymin, xmax, ymax, steps);
}

// The change is recorded in the history of views, at the view where it ended.
void TCanvas2D::AxisChange(double x0min, double y0min, double x0max, double y0max, double x1min, double y1min,
                           double x1max, double y1max, int steps) {
    const TBox start{x0min, y0min, x0max, y0max}, target{x1min, y1min, x1max, y1max};
    if (d->FBusy || !BoxAcceptable(target)) {
        MessageBeep();
        return;
    }
    QPointer<TCanvas2D> self(this);
    const TBox before = Limits();
    Animate(start, target, steps);
    if (self)
        RecordView(before, Limits());
}

// A step whose repaint went out of the drawable range is replaced at once by the start box, and
// the animation ends there. When the start box itself was out of range, reverting to it would
// keep the view stuck, so the change goes on. A wheel turn during a step gives the animation a
// new target, reached in ZoomSteps from wherever it is. While a wheel's world point is under the
// pointer, every step keeps it there, however the labels move the plot area.
bool TCanvas2D::Animate(TBox start, TBox target, int steps) {
    QPointer<TCanvas2D> self(this);
    struct BusyScope {
        QPointer<TCanvas2D> canvas;
        ~BusyScope() {
            if (canvas) {
                canvas->d->FBusy = false;
                canvas->d->FAnchor.Active = false;
            }
        }
    } busy{self};
    d->FBusy = true;
    d->FAbort = false;
    d->FRetarget = false;
    d->FAnimTarget = target;
    bool startOutOfRange = d->FOutOfRange;
    bool anchored = AnchorHolds();
    for (int i = 1; i <= steps; ++i) {
        SetLimits(i == steps ? target : StepBox(start, target, double(i) / steps, anchored));
        Draw();
        if (d->FOutOfRange && !startOutOfRange) {
            SetLimits(start);
            Draw();
            d->FAbort = true;
        }
        QCoreApplication::processEvents();
        if (!self)
            return false;
        if (d->FAbort)
            break;
        if (d->FRetarget) {
            d->FRetarget = false;
            start = Limits();
            target = d->FAnimTarget;
            steps = d->FZoomSteps;
            startOutOfRange = d->FOutOfRange;
            anchored = AnchorHolds();
            i = 0;
        }
    }
    return SameBox(Limits(), target);
}

// The box at fraction t of the way: its ranges in between, placed around the wheel's anchor, or
// each limit in between.
TCanvas2D::TBox TCanvas2D::StepBox(const TBox& start, const TBox& target, double t, bool anchored) {
    const auto between = [t](double a, double b) { return a + (b - a) * t; };
    if (anchored)
        return PlacedAround(d->FAnchor, between(start.XMax - start.XMin, target.XMax - target.XMin),
                            between(start.YMax - start.YMin, target.YMax - target.YMin));
    return TBox{between(start.XMin, target.XMin), between(start.YMin, target.YMin), between(start.XMax, target.XMax),
                between(start.YMax, target.YMax)};
}

void TCanvas2D::ZoomModeSet(int mode) {
    if (mode == d->FZoomMode)
        return;
    const int old = d->FZoomMode;
    switch (mode) {
    case zmZoomIn: d->FImage->SetCursor(crZoomMore); break;
    case zmNone: d->FImage->SetCursor(crDefault); break;
    case zmZoomOut: d->FImage->SetCursor(crZoomLess); break;
    case zmPan: d->FImage->SetCursor(crPanning); break;
    default: return;  // no such mode: nothing changes
    }
    if (old == zmZoomIn)
        ZoomDraw();  // erase the rectangle
    if (old == zmPan && d->FPanning) {
        PanDraw();  // erase the line of a drag cut short
        d->FPanning = false;
    }
    d->FZoomMode = mode;
    if (mode == zmZoomIn)
        ZoomDraw(ImageW() / 2, ImageH() / 2);
    emit ZoomModeChanged();
}

void TCanvas2D::ZoomMore() {
    if (d->FBusy) {
        MessageBeep();
        return;
    }
    const double wx = (d->FAxisXMax - d->FAxisXMin) * d->FZoomFactor,
                 wy = (d->FAxisYMax - d->FAxisYMin) * d->FZoomFactor;
    const double cx = ScrToValX(d->FZoomX), cy = ScrToValY(d->FZoomY);
    const double xmin = cx - 0.5 * wx, ymin = cy - 0.5 * wy;
    QPointer<TCanvas2D> self(this);
    ZoomModeSet(zmNone);
    AxisChange(xmin, ymin, xmin + wx, ymin + wy, d->FZoomSteps);
    if (self)
        ZoomModeSet(zmZoomIn);
}

void TCanvas2D::ZoomLess(int X, int Y) {
    if (d->FBusy) {
        MessageBeep();
        return;
    }
    const double wx = (d->FAxisXMax - d->FAxisXMin) / d->FZoomFactor,
                 wy = (d->FAxisYMax - d->FAxisYMin) / d->FZoomFactor;
    const double cx = ScrToValX(X), cy = ScrToValY(Y);
    const double xmin = cx - 0.5 * wx, ymin = cy - 0.5 * wy;
    AxisChange(xmin, ymin, xmin + wx, ymin + wy, d->FZoomSteps);
}

void TCanvas2D::Pan() {
    if (d->FBusy) {
        MessageBeep();
        return;
    }
    const double dx = ScrToValX(d->FPanX1) - ScrToValX(d->FPanX0);
    const double dy = ScrToValY(d->FPanY1) - ScrToValY(d->FPanY0);
    QPointer<TCanvas2D> self(this);
    ZoomModeSet(zmNone);
    AxisChange(d->FAxisXMin - dx, d->FAxisYMin - dy, d->FAxisXMax - dx, d->FAxisYMax - dy, d->FZoomSteps);
    if (self)
        ZoomModeSet(zmPan);
}

// The stored full view is checked as an animated change is: a box that change would refuse, or
// any jump while one runs, beeps and changes nothing.
void TCanvas2D::ZoomAll() {
    const TBox all{d->FZoomAllXMin, d->FZoomAllYMin, d->FZoomAllXMax, d->FZoomAllYMax};
    if (d->FBusy || !BoxAcceptable(all)) {
        MessageBeep();
        return;
    }
    ZoomModeSet(zmNone);
    const TBox before = Limits();
    SetLimits(all);
    Draw();
    RecordView(before, all);
}

// ---- Mouse handlers on Image() -------------------------------------------------------------------

void TCanvas2D::Canvas2DMouseDown(QObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    GuardEvent(this, [&] {
        QPointer<TCanvas2D> self(this);
        if (Button != mbLeft) {
            if (!d->FBusy)
                ZoomModeSet(zmNone);
            d->FAbort = true;
        } else if (d->FBusy) {
            return;
        } else if (d->FZoomMode == zmZoomIn) {
            ZoomMore();
        } else if (d->FZoomMode == zmZoomOut) {
            ZoomLess(X, Y);
        } else if (d->FZoomMode == zmPan) {
            d->FPanX0 = d->FPanX1 = X;
            d->FPanY0 = d->FPanY1 = Y;
            d->FPanning = true;
        }
        if (!self)
            return;
        if (OnMouseDown)
            OnMouseDown(this, Button, Shift, X, Y);
        emit mousePressed(this, Button, Shift, X, Y);
    });
}

void TCanvas2D::Canvas2DMouseMove(QObject*, TShiftState Shift, int X, int Y) {
    GuardEvent(this, [&] {
        if (d->FZoomMode == zmZoomIn) {
            ZoomDraw();
            ZoomDraw(X, Y);
        } else if (d->FZoomMode == zmPan && d->FPanning) {
            PanDraw();
            PanDraw(X, Y);
        }
        if (OnMouseMove)
            OnMouseMove(this, Shift, X, Y);
        emit mouseMoved(this, Shift, X, Y);
    });
}

// A left release pans only after a left press in pan mode (a press during an animation, for one,
// started no drag).
void TCanvas2D::Canvas2DMouseUp(QObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    GuardEvent(this, [&] {
        QPointer<TCanvas2D> self(this);
        if (Button == mbLeft && d->FZoomMode == zmPan && d->FPanning) {
            PanDraw();
            d->FPanning = false;
            Pan();
        }
        if (!self)
            return;
        if (OnMouseUp)
            OnMouseUp(this, Button, Shift, X, Y);
        emit mouseReleased(this, Button, Shift, X, Y);
    });
}

void TCanvas2D::Canvas2DDblClick(QObject*) {
    GuardEvent(this, [&] {
        if (OnDblClick)
            OnDblClick(this);
        emit doubleClicked(this);
    });
}

bool TCanvas2D::event(QEvent* event) {
    if (event->type() == QEvent::Polish)
        GuardEvent(this, [&] { Draw(); });
    return TCustomPanel::event(event);
}

// Every resize repaints; then the owner hears of it (the panel calls OnResize and emits resized
// next).
void TCanvas2D::Canvas2DResize(QObject*) { Draw(); }

}  // namespace Tallwick
