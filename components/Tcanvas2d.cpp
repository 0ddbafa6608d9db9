// TCanvas2D: construction, properties, layout, mapping, axes and world drawing. The interaction
// (animated axis changes, zoom and pan, mouse handlers) is in Tcanvas2dZoom.cpp.
#include "Tcanvas2d.h"
#include "Tcanvas2dPrivate.h"

#include "AxisLabels.h"
#include "AxisPixels.h"
#include "Canvas.h"
#include "ComponentRegistry.h"
#include "Cursors.h"
#include "CursorScope.h"
#include "CustomPanelHooks.h"
#include "EventGuard.h"
#include "FormatFloat.h"
#include "GdiCalls.h"
#include "IntConversion.h"
#include "PropertyChange.h"
#include "Vexutils.h"

#include <QElapsedTimer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace Tallwick {

TCanvas2D::TCanvas2D(QWidget* owner) : TCustomPanel(owner), d(std::make_unique<Private>()) {
    d->FImage = new TVexImage(this);
    d->FImage->SetFollowDeviceRatio(true);
    connect(d->FImage, &TVexImage::DeviceRatioChanged, this, [this] { GuardEvent(this, [&] { Draw(); }); });
    d->FImageCanvas = d->FImage->Canvas();
    d->FLabels = std::make_unique<TAxisLabels>();
    SetAlign(alNone);
    SetBevelInner(bvLowered);
    SetBevelOuter(bvLowered);
    SetBevelWidth(2);
    SetHeight(160);
    SetWidth(160);
    d->FAxisFont.SetColor(clWhite);
    d->FFormat = QStringLiteral(",0.00");
    d->FZoomAllXMax = d->FAxisXMax;
    d->FZoomAllXMin = d->FAxisXMin;
    d->FZoomAllYMax = d->FAxisYMax;
    d->FZoomAllYMin = d->FAxisYMin;
    LoadCursorPicture(crPanning, QStringLiteral("PANNING"));
    LoadCursorPicture(crZoomMore, QStringLiteral("ZOOMMORE"));
    LoadCursorPicture(crZoomLess, QStringLiteral("ZOOMLESS"));
    // Clicks on the image give the canvas the keyboard focus, for Alt+Left and Alt+Right.
    setFocusPolicy(Qt::StrongFocus);
    d->FImage->installEventFilter(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    for (auto changed : {&TCanvas2D::AxisXMarginChanged, &TCanvas2D::AxisYMarginChanged, &TCanvas2D::AxisShowChanged})
        connect(this, changed, this, &TCanvas2D::HintMaybeChanged);
    connect(this, &TCustomPanel::BevelWidthChanged, this, &TCanvas2D::HintMaybeChanged);
    TCustomPanelHooks::SetBeforeResize(*this, [this] { Canvas2DResize(this); });
    d->FImage->OnDblClick = [this](QObject* Sender) { Canvas2DDblClick(Sender); };
    d->FImage->OnMouseDown = [this](QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        Canvas2DMouseDown(Sender, Button, Shift, X, Y);
    };
    d->FImage->OnMouseMove = [this](QObject* Sender, TShiftState Shift, int X, int Y) {
        Canvas2DMouseMove(Sender, Shift, X, Y);
    };
    d->FImage->OnMouseUp = [this](QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        Canvas2DMouseUp(Sender, Button, Shift, X, Y);
    };
}

TCanvas2D::~TCanvas2D() {
    TCustomPanelHooks::SetBeforeResize(*this, nullptr);
    d->FImage->OnDblClick = nullptr;
    d->FImage->OnMouseDown = nullptr;
    d->FImage->OnMouseMove = nullptr;
    d->FImage->OnMouseUp = nullptr;
}

// ---- Properties ----------------------------------------------------------------------------------

void TCanvas2D::SetAxisColor(TColor value) {
    if (value == d->FAxisColor)
        return;
    d->FAxisColor = value;
    d->FAxisFont.SetColor(value);
    Draw();
    emit AxisColorChanged();
}

void TCanvas2D::SetAxisFont(const TFont& font) {
    const bool fontChanged = font.Key() != d->FAxisFont.Key();
    const bool colorChanged = font.Color() != d->FAxisColor;
    d->FAxisFont.Assign(font);
    d->FAxisColor = font.Color();
    Draw();
    if (fontChanged)
        emit AxisFontChanged();
    if (colorChanged)
        emit AxisColorChanged();
}

QFont TCanvas2D::AxisFontQFont() const {
    QFont font(d->FAxisFont.Name());
    font.setPointSize(std::max(1, d->FAxisFont.Size()));
    font.setBold(d->FAxisFont.Style() & fsBold);
    font.setItalic(d->FAxisFont.Style() & fsItalic);
    font.setUnderline(d->FAxisFont.Style() & fsUnderline);
    font.setStrikeOut(d->FAxisFont.Style() & fsStrikeOut);
    return font;
}

// Designer's font editor gives no colour: the axis colour stays.
void TCanvas2D::SetAxisFontQFont(const QFont& qfont) {
    TFont font = d->FAxisFont;
    font.SetName(qfont.family());
    if (qfont.pointSize() > 0)
        font.SetSize(qfont.pointSize());
    else if (qfont.pixelSize() > 0)
        font.SetHeight(-qfont.pixelSize());
    TFontStyles style = 0;
    if (qfont.bold())
        style |= fsBold;
    if (qfont.italic())
        style |= fsItalic;
    if (qfont.underline())
        style |= fsUnderline;
    if (qfont.strikeOut())
        style |= fsStrikeOut;
    font.SetStyle(style);
    SetAxisFont(font);
}

void TCanvas2D::SetAxisShow(bool value) {
    ChangeProperty(this, d->FAxisShow, value, &TCanvas2D::Draw, &TCanvas2D::AxisShowChanged);
}
void TCanvas2D::SetAxisXMarginAuto(bool value) {
    ChangeProperty(this, d->FAxisXMarginAuto, value, &TCanvas2D::Draw, &TCanvas2D::AxisXMarginAutoChanged);
}
void TCanvas2D::SetAxisXMarks(int value) {
    ChangeProperty(this, d->FAxisXMarks, value, &TCanvas2D::Draw, &TCanvas2D::AxisXMarksChanged);
}
void TCanvas2D::SetAxisXMax(double value) {
    ChangeProperty(this, d->FAxisXMax, value, &TCanvas2D::Draw, &TCanvas2D::AxisXMaxChanged);
}
void TCanvas2D::SetAxisXMin(double value) {
    ChangeProperty(this, d->FAxisXMin, value, &TCanvas2D::Draw, &TCanvas2D::AxisXMinChanged);
}
void TCanvas2D::SetAxisYMarginAuto(bool value) {
    ChangeProperty(this, d->FAxisYMarginAuto, value, &TCanvas2D::Draw, &TCanvas2D::AxisYMarginAutoChanged);
}
void TCanvas2D::SetAxisYMarks(int value) {
    ChangeProperty(this, d->FAxisYMarks, value, &TCanvas2D::Draw, &TCanvas2D::AxisYMarksChanged);
}
void TCanvas2D::SetAxisYMax(double value) {
    ChangeProperty(this, d->FAxisYMax, value, &TCanvas2D::Draw, &TCanvas2D::AxisYMaxChanged);
}
void TCanvas2D::SetAxisYMin(double value) {
    ChangeProperty(this, d->FAxisYMin, value, &TCanvas2D::Draw, &TCanvas2D::AxisYMinChanged);
}
void TCanvas2D::SetColorExt(TColor value) {
    ChangeProperty(this, d->FColorExt, value, &TCanvas2D::Draw, &TCanvas2D::ColorExtChanged);
}
void TCanvas2D::SetColorInt(TColor value) {
    ChangeProperty(this, d->FColorInt, value, &TCanvas2D::Draw, &TCanvas2D::ColorIntChanged);
}

// The ZoomAll limits are plain fields: no repaint.
void TCanvas2D::SetZoomAllXMax(double value) {
    ChangeProperty(this, d->FZoomAllXMax, value, nullptr, &TCanvas2D::ZoomAllXMaxChanged);
}
void TCanvas2D::SetZoomAllXMin(double value) {
    ChangeProperty(this, d->FZoomAllXMin, value, nullptr, &TCanvas2D::ZoomAllXMinChanged);
}
void TCanvas2D::SetZoomAllYMax(double value) {
    ChangeProperty(this, d->FZoomAllYMax, value, nullptr, &TCanvas2D::ZoomAllYMaxChanged);
}
void TCanvas2D::SetZoomAllYMin(double value) {
    ChangeProperty(this, d->FZoomAllYMin, value, nullptr, &TCanvas2D::ZoomAllYMinChanged);
}

void TCanvas2D::MarginsChanged(int oldX, int oldY) {
    if (d->FMarginHold > 0)
        return;
    if (d->FAxisXMargin != oldX)
        emit AxisXMarginChanged();
    if (d->FAxisYMargin != oldY)
        emit AxisYMarginChanged();
}

// The repaint may measure the margin again: one announcement of the net change, afterwards.
void TCanvas2D::SetMarginChecked(int& field, int value, int imageSize) {
    if (value == field)
        return;
    const int oldX = d->FAxisXMargin, oldY = d->FAxisYMargin;
    struct Hold {
        int& depth;
        explicit Hold(int& d) : depth(d) { ++depth; }
        ~Hold() { --depth; }
    };
    {
        Hold hold(d->FMarginHold);
        if (value < imageSize / 2 - 20)
            field = value;
        Draw();
    }
    MarginsChanged(oldX, oldY);
}

void TCanvas2D::SetAxisXMargin(int value) { SetMarginChecked(d->FAxisXMargin, value, d->FImage->Width()); }
void TCanvas2D::SetAxisYMargin(int value) { SetMarginChecked(d->FAxisYMargin, value, d->FImage->Height()); }

void TCanvas2D::SetFormat(const QString& value) {
    if (!ChangeProperty(this, d->FFormat, value, &TCanvas2D::Draw, &TCanvas2D::FormatChanged))
        return;
    if (OnChangeFormat)
        OnChangeFormat(this);
    emit formatRequested(this);
}

void TCanvas2D::SetZoomFactor(double value) {
    if (!(value > 0 && value < 1) || value == d->FZoomFactor)
        return;
    d->FZoomFactor = value;
    emit ZoomFactorChanged();
}

void TCanvas2D::SetZoomSteps(int value) {
    if (value <= 0 || value == d->FZoomSteps)
        return;
    d->FZoomSteps = value;
    emit ZoomStepsChanged();
}

// ---- Layout --------------------------------------------------------------------------------------

void TCanvas2D::ImageResize() {
    const int bevel = BevelWidth();
    d->FImage->SetBounds(2 * bevel, 2 * bevel, std::max(0, Width() - 4 * bevel), std::max(0, Height() - 4 * bevel));
    d->FImage->Resize();
}

int TCanvas2D::ClientWidthGet() const { return ImageW() - 2 * MarginX(); }
int TCanvas2D::ClientHeightGet() const { return ImageH() - 2 * MarginY(); }

TRect TCanvas2D::DrawRectGet() const {
    const int W = ImageW(), H = ImageH();
    if (!d->FAxisShow)
        return Rect(0, 0, W - 1, H - 1);
    const int mx = d->FAxisXMargin, my = d->FAxisYMargin;
    return Rect(mx + 1, my + 1, W - mx - 1, H - my - 1);
}

bool TCanvas2D::Inside(int X, int Y) const {
    const int W = ImageW(), H = ImageH();
    if (!d->FAxisShow)
        return X >= 0 && X <= W && Y >= 0 && Y <= H;
    const int mx = d->FAxisXMargin, my = d->FAxisYMargin;
    return mx < X && X < W - mx && my < Y && Y < H - my;
}

void TCanvas2D::DrawRegionSet() {
    if (!d->FAxisShow)
        return;
    const int mx = d->FAxisXMargin, my = d->FAxisYMargin;
    // The canvas keeps its own copy of the selected region, so ours goes at once.
    HRGN region = CreateRectRgn(mx + 1, my + 1, ImageW() - mx, ImageH() - my);
    SelectClipRgn(d->FImageCanvas->Handle(), region);
    DeleteObject(region);
}

// ---- Mapping -------------------------------------------------------------------------------------

// A finite difference needs two finite limits, so one test covers NaN, infinities and overflow.
bool TCanvas2D::XMappingValid() const {
    const double range = d->FAxisXMax - d->FAxisXMin;
    return std::isfinite(range) && range != 0 && ClientWidthGet() > 0;
}

bool TCanvas2D::YMappingValid() const {
    const double range = d->FAxisYMax - d->FAxisYMin;
    return std::isfinite(range) && range != 0 && ClientHeightGet() > 0;
}

bool TCanvas2D::MappingValid() const { return XMappingValid() && YMappingValid(); }

double TCanvas2D::ValToScrXD(double x) const {
    return (x - d->FAxisXMin) / (d->FAxisXMax - d->FAxisXMin) * (ImageW() - 2 * MarginX()) + MarginX();
}

int TCanvas2D::ValToScrX(double x) const {
    return PixelOf(MarginX(), (x - d->FAxisXMin) / (d->FAxisXMax - d->FAxisXMin) * (ImageW() - 2 * MarginX()), false);
}

double TCanvas2D::ValToScrYD(double y) const {
    return (ImageH() - MarginY()) - (y - d->FAxisYMin) / (d->FAxisYMax - d->FAxisYMin) * (ImageH() - 2 * MarginY());
}

int TCanvas2D::ValToScrY(double y) const {
    return PixelOf(ImageH() - MarginY(),
                   (y - d->FAxisYMin) / (d->FAxisYMax - d->FAxisYMin) * (ImageH() - 2 * MarginY()), true);
}

// A plot area without width or height gives the minimum instead of dividing by zero.
double TCanvas2D::ScrToValX(int X) const {
    const int w = ClientWidthGet();
    if (w <= 0)
        return d->FAxisXMin;
    return double(X - MarginX()) / w * (d->FAxisXMax - d->FAxisXMin) + d->FAxisXMin;
}

double TCanvas2D::ScrToValY(int Y) const {
    const int h = ClientHeightGet();
    if (h <= 0)
        return d->FAxisYMin;
    return double(ImageH() - Y - MarginY()) / h * (d->FAxisYMax - d->FAxisYMin) + d->FAxisYMin;
}

QString TCanvas2D::ScrToValXS(int X) const { return FormatFloat(d->FFormat, ScrToValX(X)); }
QString TCanvas2D::ScrToValYS(int Y) const { return FormatFloat(d->FFormat, ScrToValY(Y)); }

// Between the lower and the upper limit, whichever way round they were set.
bool TCanvas2D::PointCheckIn(double x, double y) const {
    const auto [xlo, xhi] = std::minmax(d->FAxisXMin, d->FAxisXMax);
    const auto [ylo, yhi] = std::minmax(d->FAxisYMin, d->FAxisYMax);
    return xlo <= x && x <= xhi && ylo <= y && y <= yhi;
}

// ---- Axes ----------------------------------------------------------------------------------------

// More marks than pixels would only paint the same columns again: one mark per pixel at most.
int TCanvas2D::MarkCount(int marks, int pixels) const { return std::clamp(marks, 0, std::max(0, pixels)); }

void TCanvas2D::AxisDraw() {
    if (!MappingValid())
        return;
    TCanvas* c = d->FImageCanvas;
    c->Pen.Color = d->FAxisColor;
    c->Brush.Style = bsClear;
    c->Rectangle(ValToScrX(d->FAxisXMin), ValToScrY(d->FAxisYMax), ValToScrX(d->FAxisXMax) + 1,
                 ValToScrY(d->FAxisYMin) + 1);
    c->Brush.Style = bsSolid;
    MarkXDraw(d->FAxisXMin);
    MarkXDraw(d->FAxisXMax);
    MarkYDraw(d->FAxisYMin);
    MarkYDraw(d->FAxisYMax);
    const int xmarks = MarkCount(d->FAxisXMarks, ClientWidthGet());
    for (int i = 1; i <= xmarks; ++i)
        MarkXDraw(d->FAxisXMin + (d->FAxisXMax - d->FAxisXMin) * i / (xmarks + 1));
    const int ymarks = MarkCount(d->FAxisYMarks, ClientHeightGet());
    for (int i = 1; i <= ymarks; ++i)
        MarkYDraw(d->FAxisYMin + (d->FAxisYMax - d->FAxisYMin) * i / (ymarks + 1));
}

TAxisLabel& TCanvas2D::AxisLabel(double value) { return AxisLabelFor(Limits(), value); }

TAxisLabel& TCanvas2D::AxisLabelFor(const TBox& box, double value) {
    const double limits[4] = {box.XMin, box.YMin, box.XMax, box.YMax};
    d->FLabels->Use(limits, d->FFormat, d->FAxisFont);
    return d->FLabels->Label(value);
}

// The label's kept pixels; a turned font, or a canvas finer than the labels' pixels, is drawn as
// text each time.
void TCanvas2D::LabelOut(int X, int Y, TAxisLabel& label) {
    if (d->FImageCanvas->Font.Orientation() != 0 || d->FImageCanvas->Scale() > 1)
        d->FImageCanvas->TextOut(X, Y, label.Text);
    else
        d->FImageCanvas->TextOutMask(X, Y, d->FLabels->Mask(label));
}

void TCanvas2D::MarkXDraw(double x) {
    if (!MappingValid())
        return;
    TCanvas* c = d->FImageCanvas;
    c->Pen.Color = d->FAxisColor;
    c->Font.Assign(d->FAxisFont);
    SetTextAlign(c->Handle(), TA_CENTER | TA_TOP);
    SetBkMode(c->Handle(), TRANSPARENT);
    const int sx = ValToScrX(x), my = MarginY();
    TAxisLabel& label = AxisLabel(x);
    c->MoveTo(sx, my - 2);
    c->LineTo(sx, my);
    LabelOut(sx, my - 3 - label.Height, label);
    const int b = ImageH() - my;
    c->MoveTo(sx, b + 1);
    c->LineTo(sx, b + 3);
    LabelOut(sx, b + 4, label);
}

void TCanvas2D::MarkYDraw(double y) {
    if (!MappingValid())
        return;
    TCanvas* c = d->FImageCanvas;
    c->Pen.Color = d->FAxisColor;
    c->Font.Assign(d->FAxisFont);
    SetBkMode(c->Handle(), TRANSPARENT);
    const int sy = ValToScrY(y), mx = MarginX();
    TAxisLabel& label = AxisLabel(y);
    SetTextAlign(c->Handle(), TA_RIGHT | TA_TOP);
    c->MoveTo(mx - 2, sy);
    c->LineTo(mx, sy);
    MarkYDrawLabel(mx - 3, sy, y, label);
    const int r = ImageW() - mx;
    SetTextAlign(c->Handle(), TA_LEFT | TA_TOP);
    c->MoveTo(r + 1, sy);
    c->LineTo(r + 3, sy);
    MarkYDrawLabel(r + 4, sy, y, label);
}

// The end labels stay within the frame's height: YMin's mostly above its tick, YMax's below.
int TCanvas2D::LabelTop(int Y, double value, int h) const {
    if (value == d->FAxisYMin)
        return Y - (2 * h) / 3;
    if (value == d->FAxisYMax)
        return Y - h / 3;
    return Y - h / 2;
}

void TCanvas2D::MarkYDrawText(int X, int Y, double value, const QString& text) {
    d->FImageCanvas->TextOut(X, LabelTop(Y, value, d->FImageCanvas->TextHeight(text)), text);
}

void TCanvas2D::MarkYDrawLabel(int X, int Y, double value, TAxisLabel& label) {
    LabelOut(X, LabelTop(Y, value, label.Height), label);
}

void TCanvas2D::AxisXMarginAdjust() {
    d->FImageCanvas->Font.Assign(d->FAxisFont);
    const int oldX = d->FAxisXMargin, oldY = d->FAxisYMargin;
    d->FAxisXMargin = AutoMarginX(Limits());
    MarginsChanged(oldX, oldY);
}

void TCanvas2D::AxisYMarginAdjust() {
    d->FImageCanvas->Font.Assign(d->FAxisFont);
    const int oldX = d->FAxisXMargin, oldY = d->FAxisYMargin;
    d->FAxisYMargin = AutoMarginY(Limits());
    MarginsChanged(oldX, oldY);
}

int TCanvas2D::AutoMarginX(const TBox& box) {
    const int widest = std::max(AxisLabelFor(box, box.YMax).Width, AxisLabelFor(box, box.YMin).Width);
    return SaturateToInt(0LL + widest + 6);
}

// The height of any text is the font's ascent plus descent.
int TCanvas2D::AutoMarginY(const TBox& box) { return AxisLabelFor(box, box.YMin).Height + 6; }

int TCanvas2D::MarginXFor(const TBox& box) {
    if (!d->FAxisShow)
        return 0;
    return d->FAxisXMarginAuto ? AutoMarginX(box) : d->FAxisXMargin;
}

int TCanvas2D::MarginYFor(const TBox& box) {
    if (!d->FAxisShow)
        return 0;
    return d->FAxisYMarginAuto ? AutoMarginY(box) : d->FAxisYMargin;
}

// Without a plot area (or with a result that is no number) the limit stays; the repaint happens.
void TCanvas2D::AxisXAdjustToY() {
    const int w = ClientWidthGet(), h = ClientHeightGet();
    const double value = d->FAxisXMin + (d->FAxisYMax - d->FAxisYMin) * w / h;
    if (w > 0 && h > 0 && std::isfinite(value) && value != d->FAxisXMax) {
        d->FAxisXMax = value;
        emit AxisXMaxChanged();
    }
    Draw();
}

void TCanvas2D::AxisYAdjustToX() {
    const int w = ClientWidthGet(), h = ClientHeightGet();
    const double value = d->FAxisYMin + (d->FAxisXMax - d->FAxisXMin) * h / w;
    if (w > 0 && h > 0 && std::isfinite(value) && value != d->FAxisYMax) {
        d->FAxisYMax = value;
        emit AxisYMaxChanged();
    }
    Draw();
}

// ---- Drawing -------------------------------------------------------------------------------------

void TCanvas2D::Draw() {
    if (!Visible())
        return;
    QElapsedTimer timer;
    timer.start();
    TCursorScope hourglass(d->FImage, crHourGlass);
    if (d->FAxisXMarginAuto)
        AxisXMarginAdjust();
    if (d->FAxisYMarginAuto)
        AxisYMarginAdjust();
    SelectClipRgn(d->FImageCanvas->Handle(), nullptr);
    Clear();
    DrawRegionSet();
    d->FOutOfRange = false;
    if (OnDraw)
        OnDraw(this);
    emit drawRequested(this);
    if (d->FZoomMode == zmZoomIn)
        ZoomDraw();
    d->FLastDrawTime = timer.nsecsElapsed() / 1e6;
}

void TCanvas2D::Clear() {
    ImageResize();
    if (!d->FAxisShow) {
        ClearControl(d->FImage, d->FImageCanvas, d->FColorInt);
        return;
    }
    if (!MappingValid()) {
        ClearControl(d->FImage, d->FImageCanvas, d->FColorExt);
        return;
    }
    const TRect inside = Rect(ValToScrX(d->FAxisXMin) + 1, ValToScrY(d->FAxisYMax) + 1, ValToScrX(d->FAxisXMax),
                              ValToScrY(d->FAxisYMin));
    ClearMargins(inside);
    d->FImageCanvas->Pen.Color = d->FColorInt;
    d->FImageCanvas->Brush.Color = d->FColorInt;
    d->FImageCanvas->Rectangle(inside);
    AxisDraw();
}

// The whole image in ColorExt, as ClearControl paints it; where the plot area's rectangle will
// cover every pixel of its box (solid brush, plain one-pixel pen), only the band around it.
void TCanvas2D::ClearMargins(const TRect& inside) {
    const TPen& pen = d->FImageCanvas->Pen;
    const bool covered =
        d->FImageCanvas->Brush.Style == bsSolid && pen.Style == psSolid && pen.Mode == pmCopy && pen.Width <= 1;
    if (!covered) {
        ClearControl(d->FImage, d->FImageCanvas, d->FColorExt);
        return;
    }
    const int W = ImageW(), H = ImageH();
    const int l = std::clamp(std::min(inside.Left, inside.Right), 0, W),
              r = std::clamp(std::max(inside.Left, inside.Right), 0, W);
    const int t = std::clamp(std::min(inside.Top, inside.Bottom), 0, H),
              b = std::clamp(std::max(inside.Top, inside.Bottom), 0, H);
    d->FImageCanvas->Pen.Color = d->FColorExt;
    d->FImageCanvas->Brush.Color = d->FColorExt;
    d->FImageCanvas->FillRect(Rect(0, 0, W, t));
    d->FImageCanvas->FillRect(Rect(0, b, W, H));
    d->FImageCanvas->FillRect(Rect(0, t, l, b));
    d->FImageCanvas->FillRect(Rect(r, t, W, b));
}

void TCanvas2D::Line(double x1, double y1, double x2, double y2) {
    const int W = ImageW(), H = ImageH(), mx = MarginX(), my = MarginY();
    const double xrange = d->FAxisXMax - d->FAxisXMin, yrange = d->FAxisYMax - d->FAxisYMin;
    const int w = W - 2 * mx, h = H - 2 * my;
    // MappingValid, with the values at hand.
    if (!(std::isfinite(xrange) && std::isfinite(yrange) && xrange != 0 && yrange != 0 && w > 0 && h > 0))
        return;
    const auto [xlo, xhi] = std::minmax(d->FAxisXMin, d->FAxisXMax);
    const auto [ylo, yhi] = std::minmax(d->FAxisYMin, d->FAxisYMax);
    if ((x1 < xlo && x2 < xlo) || (x1 > xhi && x2 > xhi) || (y1 < ylo && y2 < ylo) || (y1 > yhi && y2 > yhi))
        return;
    // The mappings of ValToScrX and ValToScrY, with the geometry read once for the four ends.
    const TAxisPixels columns(d->FAxisXMin, d->FAxisXMax, w, mx, false),
        rows(d->FAxisYMin, d->FAxisYMax, h, H - my, true);
    const int sx1 = columns.Exact(x1), sy1 = rows.Exact(y1), sx2 = columns.Exact(x2), sy2 = rows.Exact(y2);
    if (!LineInGdiRange(sx1, sy1, sx2, sy2)) {
        d->FOutOfRange = true;
        return;
    }
    d->FImageCanvas->MoveTo(sx1, sy1);
    d->FImageCanvas->LineTo(sx2, sy2);
}

void TCanvas2D::Point(double x, double y, int radius) {
    if (!MappingValid() || !PointCheckIn(x, y))
        return;
    const long long sx = ValToScrX(x), sy = ValToScrY(y);
    if (radius < 1) {
        d->FImageCanvas->SetPixel(int(sx), int(sy), d->FImageCanvas->Pen.Color);
        return;
    }
    d->FImageCanvas->Ellipse(SaturateToInt(sx - radius), SaturateToInt(sy - radius), SaturateToInt(sx + radius + 1),
                             SaturateToInt(sy + radius + 1));
}

// At a canvas scale above 1 the corners go to the device pixels nearest the exact mapping, so a
// mesh's cells are as fine as the screen; which triangles are drawn, skipped or out of range is
// decided by the logical corners, as at scale 1.
void TCanvas2D::Triangle(double x1, double y1, double x2, double y2, double x3, double y3) {
    if (!MappingValid())
        return;
    const int X1 = ValToScrX(x1), Y1 = ValToScrY(y1), X2 = ValToScrX(x2), Y2 = ValToScrY(y2), X3 = ValToScrX(x3),
              Y3 = ValToScrY(y3);
    const int k = d->FImageCanvas->Scale();
    if (k == 1 || !TriangleInGdiRange(X1, Y1, X2, Y2, X3, Y3)) {
        if (!DrawTriangle(d->FImage, d->FImageCanvas, X1, Y1, X2, Y2, X3, Y3))
            d->FOutOfRange = true;
        return;
    }
    if (TriangleOutside(d->FImage, X1, Y1, X2, Y2, X3, Y3))
        return;
    // In range, the exact corners are within a pixel of the rounded ones: well inside int.
    const auto device = [k](double v) { return int(RoundSmall(v * k)); };
    const TPoint corners[3] = {{device(ValToScrXD(x1)), device(ValToScrYD(y1))},
                               {device(ValToScrXD(x2)), device(ValToScrYD(y2))},
                               {device(ValToScrXD(x3)), device(ValToScrYD(y3))}};
    d->FImageCanvas->PolygonAtDevicePixels(corners, 3);
}

void TCanvas2D::TextOutA(double x, double y, int dx, int dy, const QString& text) {
    if (!MappingValid() || !PointCheckIn(x, y))
        return;
    SetBkMode(d->FImageCanvas->Handle(), TRANSPARENT);
    d->FImageCanvas->TextOut(SaturateToInt(0LL + ValToScrX(x) + dx), SaturateToInt(0LL + ValToScrY(y) + dy), text);
}

// ---- Rubber bands --------------------------------------------------------------------------------

// A line of no length inverts nothing, as on the classic device: a press that has not moved yet
// leaves no mark to erase.
void TCanvas2D::InvertedStroke(int x0, int y0, int x1, int y1) {
    if (x0 == x1 && y0 == y1)
        return;
    TPen& pen = d->FImageCanvas->Pen;
    pen.Mode = pmNot;
    pen.Width = 2;
    d->FImageCanvas->MoveTo(x0, y0);
    d->FImageCanvas->LineTo(x1, y1);
    pen.Mode = pmCopy;
    pen.Width = 1;
}

void TCanvas2D::ZoomDraw() {
    DrawRegionSet();
    const int hh = RoundToInt((ImageH() - 2 * MarginY()) * 0.5 * d->FZoomFactor);
    const int hw = RoundToInt((ImageW() - 2 * MarginX()) * 0.5 * d->FZoomFactor);
    const int L = d->FZoomX - hw, R = d->FZoomX + hw, T = d->FZoomY - hh, B = d->FZoomY + hh;
    InvertedStroke(L, T, R, T);
    InvertedStroke(L, B, R, B);
    InvertedStroke(L, T + 2, L, B - 2);
    InvertedStroke(R, T + 2, R, B - 2);
}

void TCanvas2D::ZoomDraw(int X, int Y) {
    d->FZoomX = X;
    d->FZoomY = Y;
    ZoomDraw();
}

void TCanvas2D::PanDraw() { InvertedStroke(d->FPanX0, d->FPanY0, d->FPanX1, d->FPanY1); }

void TCanvas2D::PanDraw(int X, int Y) {
    d->FPanX1 = X;
    d->FPanY1 = Y;
    PanDraw();
}

namespace {
const QSize kHintPlot(160, 120);
const QSize kMinimumPlot(40, 30);
}  // namespace

// The image lies two bevel widths in from each side; the plot area two margins in from the image's.
QSize TCanvas2D::HintAround(QSize plot) const {
    const int frame = 4 * BevelWidth();
    return QSize(plot.width() + 2 * MarginX() + frame, plot.height() + 2 * MarginY() + frame);
}

QSize TCanvas2D::sizeHint() const { return HintAround(kHintPlot); }
QSize TCanvas2D::minimumSizeHint() const { return HintAround(kMinimumPlot); }

void TCanvas2D::HintMaybeChanged() {
    const QSize hint = sizeHint();
    if (hint == d->FKnownHint)
        return;
    d->FKnownHint = hint;
    updateGeometry();
}

void TCanvas2D::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TCanvas2D")); }

TVexImage* TCanvas2D::Image() const { return d->FImage; }
TCanvas* TCanvas2D::ImageCanvas() const { return d->FImageCanvas; }
TColor TCanvas2D::AxisColor() const { return d->FAxisColor; }
const TFont& TCanvas2D::AxisFont() const { return d->FAxisFont; }
bool TCanvas2D::AxisShow() const { return d->FAxisShow; }
int TCanvas2D::AxisXMargin() const { return d->FAxisXMargin; }
bool TCanvas2D::AxisXMarginAuto() const { return d->FAxisXMarginAuto; }
int TCanvas2D::AxisXMarks() const { return d->FAxisXMarks; }
double TCanvas2D::AxisXMax() const { return d->FAxisXMax; }
double TCanvas2D::AxisXMin() const { return d->FAxisXMin; }
int TCanvas2D::AxisYMargin() const { return d->FAxisYMargin; }
bool TCanvas2D::AxisYMarginAuto() const { return d->FAxisYMarginAuto; }
int TCanvas2D::AxisYMarks() const { return d->FAxisYMarks; }
double TCanvas2D::AxisYMax() const { return d->FAxisYMax; }
double TCanvas2D::AxisYMin() const { return d->FAxisYMin; }
TColor TCanvas2D::ColorExt() const { return d->FColorExt; }
TColor TCanvas2D::ColorInt() const { return d->FColorInt; }
const QString& TCanvas2D::Format() const { return d->FFormat; }
double TCanvas2D::ZoomAllXMax() const { return d->FZoomAllXMax; }
double TCanvas2D::ZoomAllXMin() const { return d->FZoomAllXMin; }
double TCanvas2D::ZoomAllYMax() const { return d->FZoomAllYMax; }
double TCanvas2D::ZoomAllYMin() const { return d->FZoomAllYMin; }
double TCanvas2D::ZoomFactor() const { return d->FZoomFactor; }
int TCanvas2D::ZoomSteps() const { return d->FZoomSteps; }
double TCanvas2D::LastDrawTime() const { return d->FLastDrawTime; }
bool TCanvas2D::OutOfRange() const { return d->FOutOfRange; }
TCanvas2D::TZoomMode TCanvas2D::ZoomMode() const { return TZoomMode(d->FZoomMode); }
bool TCanvas2D::Busy() const { return d->FBusy; }
void TCanvas2D::Abort() { d->FAbort = true; }
bool TCanvas2D::CanZoomBack() const { return d->FHistoryIndex > 0; }
bool TCanvas2D::CanZoomForward() const { return d->FHistoryIndex + 1 < int(d->FHistory.size()); }
int TCanvas2D::MarginX() const { return d->FAxisShow ? d->FAxisXMargin : 0; }
int TCanvas2D::MarginY() const { return d->FAxisShow ? d->FAxisYMargin : 0; }
int TCanvas2D::ImageW() const { return d->FImage->width(); }
int TCanvas2D::ImageH() const { return d->FImage->height(); }

}  // namespace Tallwick
