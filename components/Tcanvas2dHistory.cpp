// TCanvas2D: wheel zoom at the pointer, the history of views with its walks back and forward, and
// the mouse buttons and keys that drive them.
#include "Tcanvas2d.h"
#include "Tcanvas2dPrivate.h"

#include "Beep.h"
#include "EventGuard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace Tallwick {

namespace {
constexpr double kWheelNotch = 120;
constexpr double kMaxWheelFactor = 4;
// Touchpads report pixels; a notch is worth 15 of them.
constexpr int kUnitsPerWheelPixel = 8;
}  // namespace

TCanvas2D::TAnchor TCanvas2D::AnchorAt(const TBox& box, double X, double Y, int mx, int my) const {
    const double u = (X - mx) / (ImageW() - 2 * mx), v = (ImageH() - Y - my) / (ImageH() - 2 * my);
    return TAnchor{true, X, Y, box.XMin + u * (box.XMax - box.XMin), box.YMin + v * (box.YMax - box.YMin)};
}

bool TCanvas2D::AnchorHolds() const {
    return d->FAnchor.Active && std::fabs(ValToScrXD(d->FAnchor.WX) - d->FAnchor.X) <= 1 &&
           std::fabs(ValToScrYD(d->FAnchor.WY) - d->FAnchor.Y) <= 1;
}

// The margins follow the widest label, and the labels follow the box, so the box is placed with
// the margins of the box placed before, until they agree. They agree at once unless a label
// changes width with the shift itself; a few rounds bound the rare case that never settles.
TCanvas2D::TBox TCanvas2D::PlacedAround(const TAnchor& anchor, double rangeX, double rangeY) {
    constexpr int kRounds = 4;
    int mx = MarginX(), my = MarginY();
    TBox box{};
    for (int round = 0; round < kRounds; ++round) {
        const double u = (anchor.X - mx) / (ImageW() - 2 * mx), v = (ImageH() - anchor.Y - my) / (ImageH() - 2 * my);
        const double xmin = anchor.WX - u * rangeX, ymin = anchor.WY - v * rangeY;
        box = TBox{xmin, ymin, xmin + rangeX, ymin + rangeY};
        const int nextX = MarginXFor(box), nextY = MarginYFor(box);
        if ((nextX == mx && nextY == my) || ImageW() - 2 * nextX <= 0 || ImageH() - 2 * nextY <= 0)
            break;
        mx = nextX;
        my = nextY;
    }
    return box;
}

void TCanvas2D::WheelZoom(double X, double Y, int units) {
    if (units == 0 || !MappingValid() || !Inside(int(std::floor(X)), int(std::floor(Y))) ||
        (d->FZoomMode == zmPan && d->FPanning))
        return;
    const double factor =
        std::clamp(std::pow(d->FZoomFactor, units / kWheelNotch), 1 / kMaxWheelFactor, kMaxWheelFactor);
    if (!d->FBusy) {
        const TBox view = Limits();
        d->FAnchor = AnchorAt(view, X, Y, MarginX(), MarginY());
        const TBox target =
            PlacedAround(d->FAnchor, (view.XMax - view.XMin) * factor, (view.YMax - view.YMin) * factor);
        QPointer<TCanvas2D> self(this);
        AxisChange(target.XMin, target.YMin, target.XMax, target.YMax, d->FZoomSteps);
        if (self)
            d->FAnchor.Active = false;
        return;
    }
    // An animation runs: carry on from the view it is heading to.
    const TBox& heading = d->FAnimTarget;
    const TAnchor anchor = AnchorAt(heading, X, Y, MarginXFor(heading), MarginYFor(heading));
    const TBox target =
        PlacedAround(anchor, (heading.XMax - heading.XMin) * factor, (heading.YMax - heading.YMin) * factor);
    if (!BoxAcceptable(target)) {
        MessageBeep();
        return;
    }
    if (d->FWalking) {
        // The walk counts as arrived; the wheel's change is recorded after its destination.
        d->FWalking = false;
        SetHistoryIndex(d->FWalkDestination);
    }
    d->FAnchor = anchor;
    d->FAnimTarget = target;
    d->FRetarget = true;
}

// ---- History -------------------------------------------------------------------------------------

void TCanvas2D::SetHistoryIndex(int index) {
    const bool back = CanZoomBack(), forward = CanZoomForward();
    d->FHistoryIndex = index;
    if (back != CanZoomBack() || forward != CanZoomForward())
        emit ZoomHistoryChanged();
}

// The view a change started from goes in first unless it is where the history stands already.
void TCanvas2D::RecordView(const TBox& from, const TBox& to) {
    if (SameBox(from, to))
        return;
    const bool back = CanZoomBack(), forward = CanZoomForward();
    d->FHistory.resize(d->FHistoryIndex + 1);  // a new view drops the views ahead
    if (d->FHistory.empty() || !SameBox(d->FHistory.back(), from))
        d->FHistory.push_back(from);
    d->FHistory.push_back(to);
    if (int(d->FHistory.size()) > kHistoryViews)
        d->FHistory.erase(d->FHistory.begin(), d->FHistory.end() - kHistoryViews);
    d->FHistoryIndex = int(d->FHistory.size()) - 1;
    if (back != CanZoomBack() || forward != CanZoomForward())
        emit ZoomHistoryChanged();
}

void TCanvas2D::ZoomBack() { WalkHistory(d->FHistoryIndex - 1); }
void TCanvas2D::ZoomForward() { WalkHistory(d->FHistoryIndex + 1); }

// Views once shown are shown again as they were, without the checks of AxisChange.
void TCanvas2D::WalkHistory(int destination) {
    if (d->FBusy || destination < 0 || destination >= int(d->FHistory.size())) {
        MessageBeep();
        return;
    }
    QPointer<TCanvas2D> self(this);
    d->FWalking = true;
    d->FWalkDestination = destination;
    const bool arrived = Animate(Limits(), d->FHistory[destination], d->FZoomSteps);
    if (!self)
        return;
    if (d->FWalking) {
        d->FWalking = false;
        if (arrived)
            SetHistoryIndex(destination);
        return;
    }
    // A wheel turn took the walk on from its destination.
    RecordView(d->FHistory[d->FHistoryIndex], Limits());
}

// ---- Input ---------------------------------------------------------------------------------------

// The wheel over the plot area, and the back and forward buttons, which neither count as a left
// press (the image's mouse handlers see only left, right and middle) nor leave the zoom mode.
bool TCanvas2D::eventFilter(QObject* watched, QEvent* event) {
    if (watched != d->FImage)
        return TCustomPanel::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPointF p = wheel->position();
        if (!Inside(int(std::floor(p.x())), int(std::floor(p.y()))))
            return false;
        int units =
            wheel->pixelDelta().isNull() ? wheel->angleDelta().y() : wheel->pixelDelta().y() * kUnitsPerWheelPixel;
        if (wheel->inverted())
            units = -units;  // follow the wheel itself, not the scrolling direction
        GuardEvent(this, [&] { WheelZoom(p.x(), p.y(), units); });
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::BackButton && button != Qt::ForwardButton)
            return false;
        if (event->type() != QEvent::MouseButtonRelease)
            GuardEvent(this, [&] { button == Qt::BackButton ? ZoomBack() : ZoomForward(); });
        return true;
    }
    default: return false;
    }
}

void TCanvas2D::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        GuardEvent(this, [&] { event->key() == Qt::Key_Left ? ZoomBack() : ZoomForward(); });
        return;
    }
    TCustomPanel::keyPressEvent(event);
}

}  // namespace Tallwick
