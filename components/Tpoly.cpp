// TPoly: a regular or owner-placed polygon that measures and samples its contour.
#include "Tpoly.h"

#include "Canvas.h"
#include "ComponentRegistry.h"
#include "EventGuard.h"
#include "IntConversion.h"
#include "PropertyChange.h"
#include "Random.h"
#include "Vexutils.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Tallwick {

class TPoly::Private {
public:
    TColor FColorBack;
    TColor FColorBrush;
    TColor FColorPen;
    int FCount;
    bool FManual;
    double FRotation;
    int FWidthPen;
    std::vector<TPoint> FPoints;
};

namespace {
// More corners than this cannot be told apart from a circle on any screen; the bound keeps the
// vertex list and every contour walk small whatever a form or a caller asks for.
constexpr int kMaxCount = 65536;

void RedrawPoly(TPoly* poly) { poly->Draw(poly); }
}  // namespace

TPoly::TPoly(QWidget* owner) : TPnlImg(owner), d(std::make_unique<Private>()) {
    InnerPanel()->OnResize = [this](QObject* s) { GuardEvent(this, [&] { Draw(s); }); };
    d->FColorBack = clBlack;
    d->FColorBrush = clBlue;
    d->FColorPen = clWhite;
    d->FCount = Random() % 10 + 4;
    d->FManual = false;
    d->FRotation = 0;
    d->FWidthPen = 2;
    Draw(this);
}

TPoly::~TPoly() { StopResizeNotifications(); }

void TPoly::SetColorBack(TColor value) {
    ChangeProperty(this, d->FColorBack, value, RedrawPoly, &TPoly::ColorBackChanged);
}

void TPoly::SetColorBrush(TColor value) {
    ChangeProperty(this, d->FColorBrush, value, RedrawPoly, &TPoly::ColorBrushChanged);
}

void TPoly::SetColorPen(TColor value) {
    ChangeProperty(this, d->FColorPen, value, RedrawPoly, &TPoly::ColorPenChanged);
}

void TPoly::SetCount(int value) {
    value = std::min(value, kMaxCount);
    ChangeProperty(this, d->FCount, value, RedrawPoly, &TPoly::CountChanged);
}

void TPoly::SetManual(bool value) { ChangeProperty(this, d->FManual, value, RedrawPoly, &TPoly::ManualChanged); }

void TPoly::SetRotation(double value) {
    ChangeProperty(this, d->FRotation, value, RedrawPoly, &TPoly::RotationChanged);
}

void TPoly::SetWidthPen(int value) { ChangeProperty(this, d->FWidthPen, value, RedrawPoly, &TPoly::WidthPenChanged); }

int TPoly::ValueXc() const { return Image()->Width() / 2; }
int TPoly::ValueYc() const { return Image()->Height() / 2; }
double TPoly::ValueR() const { return std::min(Image()->Width(), Image()->Height()) * 0.45; }

void TPoly::Draw(QObject*) {
    PanelResize(this);
    Image()->Fill(d->FColorBack);
    const int xc = ValueXc(), yc = ValueYc();
    const double r = ValueR();
    if (d->FCount > 0) {
        d->FPoints.resize(std::size_t(d->FCount));
        for (int i = 0; i < d->FCount; ++i)
            d->FPoints[std::size_t(i)] = PointValue(i, xc, yc, r);
        TCanvas* canvas = Image()->Canvas();
        canvas->Brush.Color = d->FColorBrush;
        canvas->Pen.Color = d->FColorPen;
        canvas->Pen.Width = d->FWidthPen;
        canvas->Polygon(d->FPoints.data(), d->FCount);
        canvas->Pen.Width = 1;
        d->FPoints.clear();
        d->FPoints.shrink_to_fit();
    }
    if (OnBeforeDraw)
        OnBeforeDraw(this, xc, yc, r);
    emit aboutToDraw(this, xc, yc, r);
}

int TPoly::Wrap(int i) const { return ((i % d->FCount) + d->FCount) % d->FCount; }

// Vertex 0 lies at Rotation degrees from the positive x direction; as pixel y grows downward,
// increasing indices run clockwise on screen.
TPoint TPoly::AutomaticPoint(int i, int xc, int yc, double r) const {
    if (d->FCount <= 0)
        return Point(xc, yc);
    const double angle = (2.0 * i) * M_PI / d->FCount + d->FRotation * M_PI * (1.0 / 180);
    return Point(TruncToInt(std::cos(angle) * r + xc), TruncToInt(std::sin(angle) * r + yc));
}

TPoint TPoly::PointValue(int i, int xc, int yc, double r) {
    if (d->FCount > 0)
        i = Wrap(i);
    TPoint p = AutomaticPoint(i, xc, yc, r);
    if (d->FManual)
        PointValueManual(i, xc, yc, r, &p);
    return p;
}

void TPoly::PointValueManual(int i, int xc, int yc, double r, TPoint* P) {
    if (OnGetPointValue)
        OnGetPointValue(this, i, xc, yc, r, P);
    emit pointValueRequested(this, i, xc, yc, r, P);
}

double TPoly::ContLenI(int i, int xc, int yc, double r) {
    if (d->FCount <= 0)
        return 0;
    i = Wrap(i);
    const TPoint a = PointValue(i, xc, yc, r);
    const TPoint b = PointValue((i + 1) % d->FCount, xc, yc, r);
    return PointDistance(a.x, a.y, b.x, b.y);
}

double TPoly::ContLen(int xc, int yc, double r) {
    double sum = 0;
    for (int i = 0; i < d->FCount; ++i)
        sum = ContLenI(i, xc, yc, r) + sum;
    return sum;
}

bool TPoly::ContWalk(double f, int xc, int yc, double r, int& edge, double& t) {
    if (d->FCount <= 0)
        return false;
    if (!std::isfinite(f))
        f = 0;
    f -= std::floor(f);
    const double target = f * ContLen(xc, yc, r);
    double sum = 0;
    for (int i = 0; i < d->FCount; ++i) {
        const double len = ContLenI(i, xc, yc, r);
        sum = len + sum;
        if (target < sum) {
            // The sum before this edge was <= target < sum, so len > 0.
            edge = i;
            t = (sum - target) / len;
            return true;
        }
    }
    // A contour of length 0 (all vertices on one pixel), or a target rounded onto the very end:
    // the end of the last edge, vertex 0.
    edge = d->FCount - 1;
    t = 0;
    return true;
}

TPoint TPoly::ContPoint(double f, int xc, int yc, double r) {
    int i = 0;
    double t = 0;
    if (!ContWalk(f, xc, yc, r, i, t))
        return Point(xc, yc);
    const TPoint a = PointValue(i, xc, yc, r);
    const TPoint b = PointValue((i + 1) % d->FCount, xc, yc, r);
    return Point(TruncToInt(b.x + (double(a.x) - b.x) * t), TruncToInt(b.y + (double(a.y) - b.y) * t));
}

int TPoly::ContPointGet(double f, int xc, int yc, double r) {
    int i = 0;
    double t = 0;
    if (!ContWalk(f, xc, yc, r, i, t))
        return -1;
    return t > 0.5 ? i : (i + 1) % d->FCount;
}

namespace {
constexpr int kHintSide = 64;
constexpr int kMinimumSide = 16;
}  // namespace

QSize TPoly::sizeHint() const { return WithFrame(QSize(kHintSide, kHintSide)); }
QSize TPoly::minimumSizeHint() const { return WithFrame(QSize(kMinimumSide, kMinimumSide)); }

void TPoly::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TPoly")); }

TColor TPoly::ColorBack() const { return d->FColorBack; }
TColor TPoly::ColorBrush() const { return d->FColorBrush; }
TColor TPoly::ColorPen() const { return d->FColorPen; }
int TPoly::Count() const { return d->FCount; }
bool TPoly::IsCountStored() const { return d->FCount != kStoredCount; }
bool TPoly::Manual() const { return d->FManual; }
double TPoly::Rotation() const { return d->FRotation; }
int TPoly::WidthPen() const { return d->FWidthPen; }

}  // namespace Tallwick
