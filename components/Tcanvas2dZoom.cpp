// TCanvas2D: animated axis changes, the interaction modes with their cursors, zoom and pan, and the
// mode-dependent work of the mouse handlers.
//
// An animated change repaints once per step and lets the event loop run between steps, so the user
// sees it and can stop it with the right button. Meanwhile the component may be resized, receive
// mouse input, or even be deleted; every step checks that it still exists before going on.
#include "Tcanvas2d.h"

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

TCanvas2D::TBox TCanvas2D::Limits() const { return TBox{FAxisXMin, FAxisYMin, FAxisXMax, FAxisYMax}; }

void TCanvas2D::SetLimits(const TBox& box) {
    const TBox old = Limits();
    FAxisXMin = box.XMin;
    FAxisYMin = box.YMin;
    FAxisXMax = box.XMax;
    FAxisYMax = box.YMax;
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
    if (FBusy || !BoxAcceptable(TBox{xmin, ymin, xmax, ymax})) {
        MessageBeep();
        return;
    }
    TCursorScope hourglass(FImage, crHourGlass);
    AxisChange(FAxisXMin, FAxisYMin, FAxisXMax, FAxisYMax, xmin, ymin, xmax, ymax, steps);
}

// The change is recorded in the history of views, at the view where it ended.
void TCanvas2D::AxisChange(double x0min, double y0min, double x0max, double y0max, double x1min, double y1min,
                           double x1max, double y1max, int steps) {
    const TBox start{x0min, y0min, x0max, y0max}, target{x1min, y1min, x1max, y1max};
    if (FBusy || !BoxAcceptable(target)) {
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
                canvas->FBusy = false;
                canvas->FAnchor.Active = false;
            }
        }
    } busy{self};
    FBusy = true;
    FAbort = false;
    FRetarget = false;
    FAnimTarget = target;
    bool startOutOfRange = FOutOfRange;
    bool anchored = AnchorHolds();
    for (int i = 1; i <= steps; ++i) {
        SetLimits(i == steps ? target : StepBox(start, target, double(i) / steps, anchored));
        Draw();
        if (FOutOfRange && !startOutOfRange) {
            SetLimits(start);
            Draw();
            FAbort = true;
        }
        QCoreApplication::processEvents();
        if (!self)
            return false;
        if (FAbort)
            break;
        if (FRetarget) {
            FRetarget = false;
            start = Limits();
            target = FAnimTarget;
            steps = FZoomSteps;
            startOutOfRange = FOutOfRange;
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
        return PlacedAround(FAnchor, between(start.XMax - start.XMin, target.XMax - target.XMin),
                            between(start.YMax - start.YMin, target.YMax - target.YMin));
    return TBox{between(start.XMin, target.XMin), between(start.YMin, target.YMin), between(start.XMax, target.XMax),
                between(start.YMax, target.YMax)};
}

void TCanvas2D::ZoomModeSet(int mode) {
    if (mode == FZoomMode)
        return;
    const int old = FZoomMode;
    switch (mode) {
    case zmZoomIn: FImage->SetCursor(crZoomMore); break;
    case zmNone: FImage->SetCursor(crDefault); break;
    case zmZoomOut: FImage->SetCursor(crZoomLess); break;
    case zmPan: FImage->SetCursor(crPanning); break;
    default: return;  // no such mode: nothing changes
    }
    if (old == zmZoomIn)
        ZoomDraw();  // erase the rectangle
    if (old == zmPan && FPanning) {
        PanDraw();  // erase the line of a drag cut short
        FPanning = false;
    }
    FZoomMode = mode;
    if (mode == zmZoomIn)
        ZoomDraw(ImageW() / 2, ImageH() / 2);
    emit ZoomModeChanged();
}

void TCanvas2D::ZoomMore() {
    if (FBusy) {
        MessageBeep();
        return;
    }
    const double wx = (FAxisXMax - FAxisXMin) * FZoomFactor, wy = (FAxisYMax - FAxisYMin) * FZoomFactor;
    const double cx = ScrToValX(FZoomX), cy = ScrToValY(FZoomY);
    const double xmin = cx - 0.5 * wx, ymin = cy - 0.5 * wy;
    QPointer<TCanvas2D> self(this);
    ZoomModeSet(zmNone);
    AxisChange(xmin, ymin, xmin + wx, ymin + wy, FZoomSteps);
    if (self)
        ZoomModeSet(zmZoomIn);
}

void TCanvas2D::ZoomLess(int X, int Y) {
    if (FBusy) {
        MessageBeep();
        return;
    }
    const double wx = (FAxisXMax - FAxisXMin) / FZoomFactor, wy = (FAxisYMax - FAxisYMin) / FZoomFactor;
    const double cx = ScrToValX(X), cy = ScrToValY(Y);
    const double xmin = cx - 0.5 * wx, ymin = cy - 0.5 * wy;
    AxisChange(xmin, ymin, xmin + wx, ymin + wy, FZoomSteps);
}

void TCanvas2D::Pan() {
    if (FBusy) {
        MessageBeep();
        return;
    }
    const double dx = ScrToValX(FPanX1) - ScrToValX(FPanX0);
    const double dy = ScrToValY(FPanY1) - ScrToValY(FPanY0);
    QPointer<TCanvas2D> self(this);
    ZoomModeSet(zmNone);
    AxisChange(FAxisXMin - dx, FAxisYMin - dy, FAxisXMax - dx, FAxisYMax - dy, FZoomSteps);
    if (self)
        ZoomModeSet(zmPan);
}

// The stored full view is checked as an animated change is: a box that change would refuse, or
// any jump while one runs, beeps and changes nothing.
void TCanvas2D::ZoomAll() {
    const TBox all{FZoomAllXMin, FZoomAllYMin, FZoomAllXMax, FZoomAllYMax};
    if (FBusy || !BoxAcceptable(all)) {
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
            if (!FBusy)
                ZoomModeSet(zmNone);
            FAbort = true;
        } else if (FBusy) {
            return;
        } else if (FZoomMode == zmZoomIn) {
            ZoomMore();
        } else if (FZoomMode == zmZoomOut) {
            ZoomLess(X, Y);
        } else if (FZoomMode == zmPan) {
            FPanX0 = FPanX1 = X;
            FPanY0 = FPanY1 = Y;
            FPanning = true;
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
        if (FZoomMode == zmZoomIn) {
            ZoomDraw();
            ZoomDraw(X, Y);
        } else if (FZoomMode == zmPan && FPanning) {
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
        if (Button == mbLeft && FZoomMode == zmPan && FPanning) {
            PanDraw();
            FPanning = false;
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

// Every resize repaints; then the owner hears of it (the panel emits resized next).
void TCanvas2D::Canvas2DResize(QObject*) {
    QPointer<TCanvas2D> self(this);
    Draw();
    if (self && OnResize)
        OnResize(this);
}

}  // namespace Tallwick
