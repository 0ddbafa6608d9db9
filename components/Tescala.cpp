// TEscala: a colour scale (legend) with its band, ticks and labels.
#include "Tescala.h"

#include "Canvas.h"
#include "ComponentRegistry.h"
#include "ControlAlign.h"
#include "EventGuard.h"
#include "FormatFloat.h"
#include "GdiCalls.h"
#include "PropertyChange.h"
#include "Vexutils.h"

#include <QFontMetrics>

#include <algorithm>
#include <functional>
#include <cmath>
#include <cstdint>

namespace Tallwick {

class TEscala::Private {
public:
    bool FAutoSize = true;
    int FBandWidth = 30;
    QString FFormat;
    TColor FGradColor1 = clWhite;
    TColor FGradColor2 = clBlack;
    double FInterval = 0;
    int FMargin = 5;
    double FMaximum = 100;
    double FMinimum = 0;
    int FTextInterval = 4;
    TEscalaAlignment FAlignment = eaNone;
    TEscalaGraduation FGraduation = egTwo;
    TEscalaOrientation FOrientation = eoVertical;
    TEscalaPosition FPosition = epNormal;
    bool FReady = false;  ///< the constructor's fields are set: resizes may redraw
    int FTextW = 0;       ///< widest of the Maximum and Minimum labels
    int FTextH = 0;       ///< highest of them
};

TEscala::TEscala(QWidget* owner) : TPnlImg(owner), d(std::make_unique<Private>()) {
    SetBevelInner(bvNone);
    SetBevelOuter(bvLowered);
    SetCaption(QStringLiteral(" "));
    TPnlImg::Font().SetName(QStringLiteral("Times new roman"));
    TPnlImg::Font().SetSize(8);
    TCustomPanel::SetHeight(320);
    TCustomPanel::SetWidth(48);
    d->FFormat = QStringLiteral(",0.000");
    // The panel's colour is the scale's background, however it is set.
    connect(this, &TCustomPanel::ColorChanged, this, [this] { GuardEvent(this, [&] { Draw(); }); });
    d->FReady = true;
    Draw();
}

TEscala::~TEscala() { StopResizeNotifications(); }

// Setters: an equal value does nothing; a change is stored, drawn, then announced.
void TEscala::SetAutoSize(bool value) {
    ChangeProperty(this, d->FAutoSize, value, &TEscala::Draw, &TEscala::AutoSizeChanged);
}
void TEscala::SetGradColor1(TColor value) {
    ChangeProperty(this, d->FGradColor1, value, &TEscala::Draw, &TEscala::GradColor1Changed);
}
void TEscala::SetGradColor2(TColor value) {
    ChangeProperty(this, d->FGradColor2, value, &TEscala::Draw, &TEscala::GradColor2Changed);
}
void TEscala::SetGraduation(TEscalaGraduation value) {
    ChangeProperty(this, d->FGraduation, value, &TEscala::Draw, &TEscala::GraduationChanged);
}
void TEscala::SetPosition(TEscalaPosition value) {
    ChangeProperty(this, d->FPosition, value, &TEscala::Draw, &TEscala::PositionChanged);
}

// Margin and band width stay within 0 .. kMaxPixels, so every position derived from them is an int.
void TEscala::SetBandWidth(int value) {
    value = std::clamp(value, 0, kMaxPixels);
    ChangeProperty(this, d->FBandWidth, value, &TEscala::Draw, &TEscala::BandWidthChanged);
}

void TEscala::SetMargin(int value) {
    value = std::clamp(value, 0, kMaxPixels);
    ChangeProperty(this, d->FMargin, value, &TEscala::Draw, &TEscala::MarginChanged);
}

// Docked at the top or bottom the scale is horizontal, at the left or right vertical: another
// orientation is refused there.
void TEscala::SetOrientation(TEscalaOrientation value) {
    if (d->FAlignment == eaTop || d->FAlignment == eaBottom)
        value = eoHorizontal;
    if (d->FAlignment == eaLeft || d->FAlignment == eaRight)
        value = eoVertical;
    ChangeProperty(this, d->FOrientation, value, &TEscala::Draw, &TEscala::OrientationChanged);
}

void TEscala::SetFormat(const QString& value) {
    ChangeProperty(this, d->FFormat, value, &TEscala::Draw, &TEscala::FormatChanged);
}

void TEscala::SetFont(const TFont& value) {
    if (SameFont(value, TPnlImg::Font()))
        return;
    TPnlImg::Font().Assign(value);
    Draw();
    emit FontChanged();
}

void TEscala::SetFontQFont(const QFont& value) { SetFont(FontWithQFont(TPnlImg::Font(), value)); }

void TEscala::SetAlignment(TEscalaAlignment value) {
    if (value == d->FAlignment)
        return;
    d->FAlignment = value;
    switch (value) {
    case eaTop: SetAlign(alTop); break;
    case eaBottom: SetAlign(alBottom); break;
    case eaLeft: SetAlign(alLeft); break;
    case eaRight: SetAlign(alRight); break;
    default: SetAlign(alNone); break;
    }
    Draw();
    emit AlignmentChanged();
}

void TEscala::SetMaximum(double value) {
    if (value == d->FMaximum || std::isnan(value))
        return;
    d->FMaximum = value;
    const bool intervalReset = d->FInterval > 0 && d->FMaximum - d->FMinimum < d->FInterval;
    if (intervalReset)
        d->FInterval = 0;
    Draw();
    emit MaximumChanged();
    if (intervalReset)
        emit IntervalChanged();
}

void TEscala::SetMinimum(double value) {
    if (value == d->FMinimum || std::isnan(value))
        return;
    d->FMinimum = value;
    const bool intervalReset = d->FInterval > 0 && d->FMaximum - d->FMinimum < d->FInterval;
    if (intervalReset)
        d->FInterval = 0;
    Draw();
    emit MinimumChanged();
    if (intervalReset)
        emit IntervalChanged();
}

void TEscala::SetMaxMin(double max, double min) {
    if (!(max > min))
        return;
    if (max == d->FMaximum && min == d->FMinimum)
        return;
    const bool maxChanged = max != d->FMaximum, minChanged = min != d->FMinimum;
    d->FMaximum = max;
    d->FMinimum = min;
    const bool intervalReset = d->FInterval > 0 && d->FMaximum - d->FMinimum < d->FInterval;
    if (intervalReset)
        d->FInterval = 0;
    Draw();
    if (maxChanged)
        emit MaximumChanged();
    if (minChanged)
        emit MinimumChanged();
    if (intervalReset)
        emit IntervalChanged();
}

// A valid new value is stored even when the current Interval equals the range.
void TEscala::SetInterval(double value) {
    if (!(value >= 0) || value >= d->FMaximum - d->FMinimum)
        return;
    ChangeProperty(this, d->FInterval, value, &TEscala::Draw, &TEscala::IntervalChanged);
}

void TEscala::SetTextInterval(int value) {
    if (value < 0)
        return;
    value = std::min(value, kMaxTextInterval);
    ChangeProperty(this, d->FTextInterval, value, &TEscala::Draw, &TEscala::TextIntervalChanged);
}

void TEscala::EscalaResize(QObject*) {
    Image()->Resize();
    Draw();
}

// The image panel has already brought the bitmap to the image's size.
void TEscala::ResizeContent() {
    if (d->FReady)
        Draw();
}

QString TEscala::Label(double value) const { return FormatFloat(d->FFormat, value); }

void TEscala::PlaceInParent() {
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const bool h = d->FAlignment == eaCentered || d->FAlignment == eaHCentered;
    const bool v = d->FAlignment == eaCentered || d->FAlignment == eaVCentered;
    if (h)
        move((parent->width() - width()) / 2, y());
    if (v)
        move(x(), (parent->height() - height()) / 2);
}

void TEscala::Draw() {
    if (!(d->FMaximum > d->FMinimum))
        return;
    PlaceInParent();
    if ((d->FAlignment == eaTop || d->FAlignment == eaBottom) && d->FOrientation != eoHorizontal) {
        d->FOrientation = eoHorizontal;
        emit OrientationChanged();
    } else if ((d->FAlignment == eaLeft || d->FAlignment == eaRight) && d->FOrientation != eoVertical) {
        d->FOrientation = eoVertical;
        emit OrientationChanged();
    }
    UpdateSizePolicy();
    HintMaybeChanged();
    TVexImage* image = Image();
    if (image->Align() == alNone) {
        const int bw = BevelWidth();
        image->SetBounds(2 * bw, 2 * bw, width() - 4 * bw, height() - 4 * bw);
    }
    image->Resize();
    TCanvas* canvas = image->Canvas();
    canvas->Pen.Color = Color();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    canvas->Rectangle(0, 0, image->Width(), image->Height());
    if (image->Width() < 5 || image->Height() < 5)
        return;
    canvas->Font.Assign(TPnlImg::Font());
    if (d->FOrientation == eoHorizontal)
        PaintHorizontal();
    else
        PaintVertical();
    image->RepaintNow();
}

QSize TEscala::LabelExtent() const {
    const QFontMetrics metrics(TPnlImg::Font().Resolved());
    const QString hi = Label(d->FMaximum), lo = Label(d->FMinimum);
    return QSize(std::max(metrics.horizontalAdvance(hi), metrics.horizontalAdvance(lo)),
                 metrics.ascent() + metrics.descent());
}

// Vertical labels stand one below the other over the band's length less one label; horizontal
// ones are centred on evenly spaced points over the band's length.
QSize TEscala::Hint(int gap) const {
    const QSize text = LabelExtent();
    const std::int64_t steps = std::int64_t(d->FTextInterval) + 1;
    const bool horizontal = d->FOrientation == eoHorizontal;
    const std::int64_t thickness = 3LL * d->FMargin + d->FBandWidth + (horizontal ? text.height() : text.width()) + 5;
    const std::int64_t length = horizontal ? 2LL * d->FMargin + steps * (text.width() + gap)
                                           : 2LL * d->FMargin + text.height() + steps * (text.height() + gap);
    return QSize(int(std::min<std::int64_t>(thickness, kMaxPixels)), int(std::min<std::int64_t>(length, kMaxPixels)));
}

// The thickness is the panel's own size, as AutoSize sets it; the length holds the frame too.
QSize TEscala::Oriented(QSize hint) const {
    const QSize length = WithFrame(QSize(hint.height(), hint.height()));
    if (d->FOrientation == eoHorizontal)
        return QSize(length.width(), hint.width());
    return QSize(hint.width(), length.height());
}

QSize TEscala::sizeHint() const { return Oriented(Hint(LabelExtent().height())); }
QSize TEscala::minimumSizeHint() const { return Oriented(Hint(1)); }

// With AutoSize the thickness is the scale's own: a layout may not change it.
void TEscala::UpdateSizePolicy() {
    const QSizePolicy::Policy across = d->FAutoSize ? QSizePolicy::Fixed : QSizePolicy::Preferred;
    const QSizePolicy policy = d->FOrientation == eoHorizontal ? QSizePolicy(QSizePolicy::Preferred, across)
                                                               : QSizePolicy(across, QSizePolicy::Preferred);
    if (policy != sizePolicy())
        setSizePolicy(policy);
}

void TEscala::MeasureLabels() {
    TCanvas* canvas = Image()->Canvas();
    const QString hi = Label(d->FMaximum), lo = Label(d->FMinimum);
    d->FTextW = std::max(canvas->TextWidth(hi), canvas->TextWidth(lo));
    d->FTextH = std::max(canvas->TextHeight(hi), canvas->TextHeight(lo));
}

void TEscala::PaintHorizontal() {
    MeasureLabels();
    PaintBandHorizontal();
    PaintTextHorizontal();
    ApplyAutoSize(3 * d->FMargin + d->FBandWidth + d->FTextH + 5, true);
}

void TEscala::PaintVertical() {
    MeasureLabels();
    PaintBandVertical();
    PaintTextVertical();
    ApplyAutoSize(3 * d->FMargin + d->FBandWidth + d->FTextW + 5, false);
}

// The new size comes back through the resize notification, which draws once more at that size.
void TEscala::ApplyAutoSize(int thickness, bool horizontal) {
    if (!d->FAutoSize)
        return;
    if (horizontal)
        TCustomPanel::SetHeight(thickness);
    else
        TCustomPanel::SetWidth(thickness);
}

// A band one pixel long stands for the whole range: its line takes the middle value.
double TEscala::BandValue(int i, int length, bool reversed) const {
    if (length == 1)
        return d->FMinimum + (d->FMaximum - d->FMinimum) / 2;
    const int k = reversed ? length - i - 1 : i;
    return d->FMinimum + k * (d->FMaximum - d->FMinimum) / (length - 1);
}

namespace {
// At a canvas scale k above 1 the band takes a colour per device line: device line j stands at
// j / k control pixels along it, so every k-th line is the control pixel's own colour and the lines
// between go on smoothly. `across0` to `across1` are the band's control pixels across it.
void PaintFineBand(TCanvas* canvas, int origin, int length, int across0, int across1, bool vertical,
                   const std::function<TColor(double)>& colorAt) {
    const long long k = canvas->Scale();
    const TBrush brush = canvas->Brush;
    canvas->Brush.Style = bsSolid;
    for (long long j = 0; j < length * k; ++j) {
        canvas->Brush.Color = colorAt(std::min<double>(double(j) / k, length - 1));
        const long long along = origin * k + j;
        if (vertical)
            canvas->FillDeviceRect(across0 * k, along, across1 * k, along + 1);
        else
            canvas->FillDeviceRect(along, across0 * k, along + 1, across1 * k);
    }
    canvas->Brush = brush;
}
}  // namespace

// The value at `position` control pixels along a band of `length` (> 1) pixels.
double TEscala::BandValueAt(double position, int length, bool reversed) const {
    const double p = reversed ? length - 1 - position : position;
    return d->FMinimum + p * (d->FMaximum - d->FMinimum) / (length - 1);
}

void TEscala::PaintBandHorizontal() {
    TCanvas* canvas = Image()->Canvas();
    const int length = Image()->Width() - 2 * d->FMargin;
    const int y1 = d->FPosition == epNormal ? d->FMargin : d->FMargin + d->FTextH + 5;
    const int y2 = y1 + d->FBandWidth;
    if (canvas->Scale() > 1 && length > 1) {
        PaintFineBand(canvas, d->FMargin, length, y1, y2, false,
                      [&](double t) { return ValueToColor(BandValueAt(t, length, false)); });
        return;
    }
    for (int i = 0; i < length; ++i) {
        canvas->Pen.Color = ValueToColor(BandValue(i, length, false));
        canvas->MoveTo(d->FMargin + i, y1);
        canvas->LineTo(d->FMargin + i, y2);
    }
}

void TEscala::PaintBandVertical() {
    TCanvas* canvas = Image()->Canvas();
    const int length = Image()->Height() - 2 * d->FMargin;
    const int x1 = d->FPosition == epNormal ? d->FMargin : d->FMargin + d->FTextW + 5;
    const int x2 = x1 + d->FBandWidth;
    if (canvas->Scale() > 1 && length > 1) {
        PaintFineBand(canvas, d->FMargin, length, x1, x2, true,
                      [&](double t) { return ValueToColor(BandValueAt(t, length, true)); });
        return;
    }
    for (int i = 0; i < length; ++i) {
        canvas->Pen.Color = ValueToColor(BandValue(i, length, true));
        canvas->MoveTo(x1, d->FMargin + i);
        canvas->LineTo(x2, d->FMargin + i);
    }
}

void TEscala::PaintTextHorizontal() {
    if (d->FTextInterval < 0)
        return;
    TCanvas* canvas = Image()->Canvas();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    SetTextAlign(canvas->Handle(), TA_CENTER | TA_TOP);
    const std::int64_t steps = std::int64_t(d->FTextInterval) + 1;
    const std::int64_t span = Image()->Width() - 2 * d->FMargin;
    const int y = d->FPosition == epNormal ? d->FMargin + d->FBandWidth + 5 : d->FMargin;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const double value = d->FMinimum + i * (d->FMaximum - d->FMinimum) / steps;
        canvas->TextOut(int(span * i / steps + d->FMargin), y, Label(value));
    }
}

void TEscala::PaintTextVertical() {
    if (d->FTextInterval < 0)
        return;
    TCanvas* canvas = Image()->Canvas();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    SetTextAlign(canvas->Handle(), TA_RIGHT | TA_TOP);
    const std::int64_t steps = std::int64_t(d->FTextInterval) + 1;
    const std::int64_t span = Image()->Height() - 2 * d->FMargin - canvas->TextHeight(QStringLiteral("0"));
    const int x = d->FPosition == epNormal ? d->FMargin + d->FBandWidth + d->FTextW + 6 : d->FMargin + d->FTextW + 1;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const double value = d->FMaximum - i * (d->FMaximum - d->FMinimum) / steps;
        canvas->TextOut(x, int(span * i / steps + d->FMargin), Label(value));
    }
}

namespace {
int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }
}  // namespace

TColor TEscala::ValueToColor(double value) const {
    const double range = d->FMaximum - d->FMinimum;
    double q = 0;
    if (range > 0 && std::isfinite(range) && !std::isnan(value)) {
        value = std::clamp(value, d->FMinimum, d->FMaximum);
        const double v = d->FInterval > 0 ? std::floor(value / d->FInterval) * d->FInterval : value;
        q = (v - d->FMinimum) * 510 / range;
    }
    // Beyond the ends every value gives the end colour; keep the rounding in range.
    const int p = std::isnan(q) ? 0 : RoundToInt(std::clamp(q, -1.0, 511.0));
    if (d->FGraduation == egTwo) {
        if (p <= 0)
            return d->FGradColor2;
        if (p >= 510)
            return d->FGradColor1;
        const TColor c1 = ColorToRGB(d->FGradColor1), c2 = ColorToRGB(d->FGradColor2);
        int channel[3];
        for (int k = 0; k < 3; ++k)
            channel[k] = (Channel(c2, 8 * k) * (510 - p)) / 510 + (Channel(c1, 8 * k) * p) / 510;
        return RGB(channel[0], channel[1], channel[2]);
    }
    if (p <= 0)
        return RGB(0, 0, 255);
    if (p <= 255)
        return RGB(0, (150 * p) / 255, 255 - (185 * p) / 255);
    if (p <= 510)
        return RGB(70 + (185 * (p - 255)) / 255, 150 - (150 * (p - 255)) / 255, 0);
    return RGB(255, 0, 0);
}

void TEscala::DrawMarkVertical(double value) {
    TCanvas* canvas = Image()->Canvas();
    canvas->Font.Assign(TPnlImg::Font());
    MeasureLabels();
    const int w = Image()->Width(), h = Image()->Height();
    const int x1 = d->FPosition == epNormal ? 1 : d->FTextW + d->FMargin + d->FBandWidth + 7;
    const int x2 = d->FPosition == epNormal ? d->FMargin - 2 : w - 1;
    canvas->Pen.Color = Color();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    canvas->Rectangle(x1 - 1, 0, x2 + 1, h);
    const double range = d->FMaximum - d->FMinimum;
    if (!(range > 0) || !std::isfinite(range) || !(value >= d->FMinimum && value <= d->FMaximum))
        return;
    const int y = h - d->FMargin - RoundToInt((value - d->FMinimum) / range * (h - 2 * d->FMargin));
    canvas->Pen.Width = 2;
    canvas->Pen.Color = clBlack;
    canvas->MoveTo(x1, y);
    canvas->LineTo(x2, y);
    canvas->Pen.Width = 1;
}

void TEscala::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TEscala")); }

bool TEscala::AutoSize() const { return d->FAutoSize; }
int TEscala::BandWidth() const { return d->FBandWidth; }
const QString& TEscala::Format() const { return d->FFormat; }
TColor TEscala::GradColor1() const { return d->FGradColor1; }
TColor TEscala::GradColor2() const { return d->FGradColor2; }
double TEscala::Interval() const { return d->FInterval; }
int TEscala::Margin() const { return d->FMargin; }
double TEscala::Maximum() const { return d->FMaximum; }
double TEscala::Minimum() const { return d->FMinimum; }
int TEscala::TextInterval() const { return d->FTextInterval; }
TEscala::TEscalaAlignment TEscala::Alignment() const { return d->FAlignment; }
TEscala::TEscalaGraduation TEscala::Graduation() const { return d->FGraduation; }
TEscala::TEscalaOrientation TEscala::Orientation() const { return d->FOrientation; }
TEscala::TEscalaPosition TEscala::Position() const { return d->FPosition; }

}  // namespace Tallwick
