// The device context a metafile is played on.
#include "MetafileCanvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace Tallwick {

namespace {
constexpr std::size_t kMaxSavedStates = 1024;
// No pen or font may be larger than this many times the picture's longer side: beyond that it
// would only cover the picture, at great cost.
constexpr double kMaxSizeFactor = 4.0;
enum { PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME };
enum { BS_SOLID, BS_NULL, BS_HATCHED };
enum { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };
}  // namespace

TMetafileCanvas::TMetafileCanvas(QImage* image, const QTransform& deviceToImage, int objectSlots)
    : FImage(image),
      FPainter(image),
      FDeviceToImage(deviceToImage),
      FSlots(std::max(objectSlots, 0)) {
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    if (FSlots > 0)
        FEmptyRuns.emplace(0, FSlots);
    FState.B.Color = Qt::white;
}

TMetafileCanvas::~TMetafileCanvas() { FPainter.end(); }

void TMetafileCanvas::SetMapMode(int mode) {
    if (mode >= MM_TEXT && mode <= MM_ANISOTROPIC)
        FState.MapMode = mode;
}
void TMetafileCanvas::SetWindowOrg(double x, double y) { FState.WindowOrg = {x, y}; }
void TMetafileCanvas::SetWindowExt(double x, double y) {
    if (x != 0 && y != 0)
        FState.WindowExt = {x, y};
}
void TMetafileCanvas::SetViewportOrg(double x, double y) { FState.ViewportOrg = {x, y}; }
void TMetafileCanvas::SetViewportExt(double x, double y) {
    if (x != 0 && y != 0)
        FState.ViewportExt = {x, y};
}

// Device pixels are taken at 96 per inch for the metric and English map modes.
QTransform TMetafileCanvas::LogicalToDevice() const {
    const State& s = FState;
    double sx = 1, sy = 1;
    switch (s.MapMode) {
    case MM_LOMETRIC:
        sx = 96 / 254.0;
        sy = -sx;
        break;
    case MM_HIMETRIC:
        sx = 96 / 2540.0;
        sy = -sx;
        break;
    case MM_LOENGLISH:
        sx = 96 / 100.0;
        sy = -sx;
        break;
    case MM_HIENGLISH:
        sx = 96 / 1000.0;
        sy = -sx;
        break;
    case MM_TWIPS:
        sx = 96 / 1440.0;
        sy = -sx;
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = s.ViewportExt.x() / s.WindowExt.x();
        sy = s.ViewportExt.y() / s.WindowExt.y();
        if (s.MapMode == MM_ISOTROPIC) {  // the smaller scale on both axes, signs kept
            const double m = std::min(std::fabs(sx), std::fabs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    default: break;
    }
    return QTransform(sx, 0, 0, sy, s.ViewportOrg.x() - s.WindowOrg.x() * sx, s.ViewportOrg.y() - s.WindowOrg.y() * sy);
}

double TMetafileCanvas::PixelsPerLogical() const {
    const QTransform t = LogicalToDevice() * FDeviceToImage;
    const double scale = std::sqrt(std::fabs(t.determinant()));
    return std::isfinite(scale) ? scale : 1.0;
}

QPen TMetafileCanvas::MakePen() const {
    const Pen& p = FState.P;
    if (p.Style == PS_NULL)
        return QPen(Qt::NoPen);
    const double limit = kMaxSizeFactor * std::max(FImage->width(), FImage->height());
    QPen pen(p.Color);
    pen.setCosmetic(true);  // widths are worked out here in picture pixels
    pen.setWidthF(std::clamp(p.Width * PixelsPerLogical(), 1.0, limit));
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    pen.setStyle(p.Style >= 0 && p.Style <= PS_DASHDOTDOT ? styles[p.Style] : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush TMetafileCanvas::MakeBrush() const {
    const Brush& b = FState.B;
    if (b.Style == BS_NULL)
        return QBrush(Qt::NoBrush);
    if (b.Style == BS_HATCHED) {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.Color, hatches[std::clamp(b.Hatch, 0, 5)]);
    }
    return QBrush(b.Color);
}

bool TMetafileCanvas::Apply(const QRectF& bounds) {
    const QTransform t = LogicalToDevice() * FDeviceToImage;
    // Extents far apart can make the mapping degenerate or overflow: nothing sensible to draw.
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v) || std::fabs(v) > 1e12)
            return false;
    const double margin = MakePen().widthF() + 2;
    const QRectF covered =
        t.mapRect(bounds.normalized()).adjusted(-margin, -margin, margin, margin) & QRectF(FImage->rect());
    FWork += 64 + std::int64_t(covered.width() * covered.height());
    if (Exhausted())
        return false;
    FPainter.setTransform(t);
    FPainter.setPen(MakePen());
    FPainter.setBrush(MakeBrush());
    return true;
}

void TMetafileCanvas::SaveDC() {
    if (FSaved.size() < kMaxSavedStates)
        FSaved.push_back(FState);
}

void TMetafileCanvas::RestoreDC(int which) {
    const long long depth = (long long)FSaved.size();
    const long long target = which < 0 ? depth + which : which - 1;  // level to return to
    if (target < 0 || target >= depth)
        return;
    FState = FSaved[std::size_t(target)];
    FSaved.resize(std::size_t(target));
}

int TMetafileCanvas::FirstFreeSlot() const { return FEmptyRuns.empty() ? -1 : FEmptyRuns.begin()->first; }

void TMetafileCanvas::TakeSlot(int slot) {
    auto run = FEmptyRuns.upper_bound(slot);
    if (run == FEmptyRuns.begin() || (--run)->second <= slot)
        return;  // not empty
    const int first = run->first, end = run->second;
    FEmptyRuns.erase(run);
    if (first < slot)
        FEmptyRuns.emplace(first, slot);
    if (slot + 1 < end)
        FEmptyRuns.emplace(slot + 1, end);
}

void TMetafileCanvas::CreateObject(int slot, const Object& object) {
    if (slot < 0 || slot >= FSlots)
        return;
    TakeSlot(slot);
    FObjects[slot] = object;
}

void TMetafileCanvas::SelectObject(int slot) {
    const auto found = FObjects.find(slot);
    if (found == FObjects.end())
        return;
    const Object& o = found->second;
    if (o.Type == Object::PenObject)
        FState.P = o.P;
    else if (o.Type == Object::BrushObject)
        FState.B = o.B;
    else if (o.Type == Object::FontObject)
        FState.F = o.F;
}

// The stock objects: brushes 0 to 5, pens 6 to 8, fonts from 10 on (all taken as the default font).
void TMetafileCanvas::SelectStockObject(int index) {
    static const int greys[] = {255, 192, 128, 64, 0};
    if (index >= 0 && index <= 4)
        FState.B = Brush{BS_SOLID, 0, QColor(greys[index], greys[index], greys[index])};
    else if (index == 5)
        FState.B = Brush{BS_NULL, 0, Qt::white};
    else if (index == 6 || index == 7)
        FState.P = Pen{PS_SOLID, 0, index == 6 ? Qt::white : Qt::black};
    else if (index == 8)
        FState.P = Pen{PS_NULL, 0, Qt::black};
    else if (index >= 10 && index <= 17)
        FState.F = Font{};
}

void TMetafileCanvas::DeleteObject(int slot) {
    if (FObjects.erase(slot))
        FEmptyRuns.emplace(slot, slot + 1);
}

void TMetafileCanvas::LineTo(QPointF p) {
    if (Apply(QRectF(FState.Position, p)))
        FPainter.drawLine(FState.Position, p);
    FState.Position = p;
}

void TMetafileCanvas::Polyline(const QPolygonF& points) {
    if (Apply(points.boundingRect()))
        FPainter.drawPolyline(points);
}

void TMetafileCanvas::Polygon(const QPolygonF& points) {
    if (Apply(points.boundingRect()))
        FPainter.drawPolygon(points, FState.Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TMetafileCanvas::PolyPolygon(const std::vector<QPolygonF>& polygons) {
    QPainterPath path;
    path.setFillRule(FState.Winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const QPolygonF& p : polygons) {
        path.addPolygon(p);
        path.closeSubpath();
    }
    if (Apply(path.boundingRect()))
        FPainter.drawPath(path);
}

void TMetafileCanvas::Rectangle(QRectF r) {
    if (Apply(r))
        FPainter.drawRect(r.normalized());
}

void TMetafileCanvas::RoundRect(QRectF r, double cornerW, double cornerH) {
    if (Apply(r))
        FPainter.drawRoundedRect(r.normalized(), std::fabs(cornerW) / 2, std::fabs(cornerH) / 2, Qt::AbsoluteSize);
}

void TMetafileCanvas::Ellipse(QRectF r) {
    if (Apply(r))
        FPainter.drawEllipse(r.normalized());
}

void TMetafileCanvas::Arc(QRectF r, QPointF start, QPointF end, int kind) {
    r = r.normalized();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QPointF c = r.center();
    // Angles in the logical plane, whose y grows downward as on the screen: counter-clockwise on
    // the screen is the positive direction of Qt's angles.
    const double a0 = std::atan2(c.y() - start.y(), start.x() - c.x()) * 180 / M_PI;
    double a1 = std::atan2(c.y() - end.y(), end.x() - c.x()) * 180 / M_PI;
    double span = a1 - a0;
    if (span <= 0)
        span += 360;
    if (!Apply(r))
        return;
    const int qa0 = int(std::lround(a0 * 16)), qspan = int(std::lround(span * 16));
    if (kind == 0)
        FPainter.drawArc(r, qa0, qspan);
    else if (kind == 1)
        FPainter.drawChord(r, qa0, qspan);
    else
        FPainter.drawPie(r, qa0, qspan);
}

void TMetafileCanvas::TextOut(QPointF p, const QString& text) {
    if (text.isEmpty())
        return;
    const Font& f = FState.F;
    const double scale = PixelsPerLogical();
    const double limit = kMaxSizeFactor * std::max(FImage->width(), FImage->height());
    QFont font(f.Face.isEmpty() ? QStringLiteral("Sans Serif") : f.Face);
    font.setPixelSize(std::max(1, int(std::lround(std::min(f.Height * scale, limit)))));
    font.setWeight(f.Weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(f.Italic);
    font.setUnderline(f.Underline);
    font.setStrikeOut(f.StrikeOut);
    // Text is laid out in picture pixels at the mapped anchor, turned by the escapement.
    const QPointF anchor = (LogicalToDevice() * FDeviceToImage).map(p);
    const QFontMetricsF metrics(font);
    const double reach = font.pixelSize() * (text.size() + 2.0) / scale;  // a box the text cannot leave
    if (!Apply(QRectF(p.x() - reach, p.y() - reach, 2 * reach, 2 * reach)))
        return;
    const double width = metrics.horizontalAdvance(text.left(4096));
    const unsigned a = FState.TextAlign;
    const double dx = (a & TA_CENTER) == TA_CENTER ? -width / 2 : (a & TA_RIGHT) ? -width : 0;
    const double dy = (a & TA_BASELINE) == TA_BASELINE ? 0 : (a & TA_BOTTOM) ? -metrics.descent() : metrics.ascent();
    FPainter.resetTransform();
    FPainter.translate(anchor);
    FPainter.rotate(-f.Escapement / 10.0);
    FPainter.setFont(font);
    if (FState.BkMode == 2)
        FPainter.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), FState.BkColor);
    FPainter.setPen(FState.TextColor);
    FPainter.drawText(QPointF(dx, dy), text.left(4096));
}

void TMetafileCanvas::FillRect(QRectF r) {
    if (Apply(r))
        FPainter.fillRect(r.normalized(), MakeBrush());
}

void TMetafileCanvas::DrawImage(QRectF target, const QImage& image, QRectF source) {
    source = source.normalized() & QRectF(image.rect());
    if (Apply(target))
        FPainter.drawImage(target.normalized(), image, source.isEmpty() ? QRectF(image.rect()) : source);
}

}  // namespace Tallwick
