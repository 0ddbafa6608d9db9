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

TEscala::TEscala(QWidget* owner) : TPnlImg(owner) {
    SetBevelInner(bvNone);
    SetBevelOuter(bvLowered);
    SetCaption(QStringLiteral(" "));
    TPnlImg::Font().SetName(QStringLiteral("Times new roman"));
    TPnlImg::Font().SetSize(8);
    TCustomPanel::SetHeight(320);
    TCustomPanel::SetWidth(48);
    FFormat = QStringLiteral(",0.000");
    // The panel's colour is the scale's background, however it is set.
    connect(this, &TCustomPanel::ColorChanged, this, [this] { GuardEvent(this, [&] { Draw(); }); });
    FReady = true;
    Draw();
}

TEscala::~TEscala() { StopResizeNotifications(); }

// Setters: an equal value does nothing; a change is stored, drawn, then announced.
void TEscala::SetAutoSize(bool value) {
    ChangeProperty(this, FAutoSize, value, &TEscala::Draw, &TEscala::AutoSizeChanged);
}
void TEscala::SetGradColor1(TColor value) {
    ChangeProperty(this, FGradColor1, value, &TEscala::Draw, &TEscala::GradColor1Changed);
}
void TEscala::SetGradColor2(TColor value) {
    ChangeProperty(this, FGradColor2, value, &TEscala::Draw, &TEscala::GradColor2Changed);
}
void TEscala::SetGraduation(TEscalaGraduation value) {
    ChangeProperty(this, FGraduation, value, &TEscala::Draw, &TEscala::GraduationChanged);
}
void TEscala::SetPosition(TEscalaPosition value) {
    ChangeProperty(this, FPosition, value, &TEscala::Draw, &TEscala::PositionChanged);
}

// Margin and band width stay within 0 .. kMaxPixels, so every position derived from them is an int.
void TEscala::SetBandWidth(int value) {
    value = std::clamp(value, 0, kMaxPixels);
    ChangeProperty(this, FBandWidth, value, &TEscala::Draw, &TEscala::BandWidthChanged);
}

void TEscala::SetMargin(int value) {
    value = std::clamp(value, 0, kMaxPixels);
    ChangeProperty(this, FMargin, value, &TEscala::Draw, &TEscala::MarginChanged);
}

// Docked at the top or bottom the scale is horizontal, at the left or right vertical: another
// orientation is refused there.
void TEscala::SetOrientation(TEscalaOrientation value) {
    if (FAlignment == eaTop || FAlignment == eaBottom)
        value = eoHorizontal;
    if (FAlignment == eaLeft || FAlignment == eaRight)
        value = eoVertical;
    ChangeProperty(this, FOrientation, value, &TEscala::Draw, &TEscala::OrientationChanged);
}

void TEscala::SetFormat(const QString& value) {
    ChangeProperty(this, FFormat, value, &TEscala::Draw, &TEscala::FormatChanged);
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
    if (value == FAlignment)
        return;
    FAlignment = value;
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
    if (value == FMaximum || std::isnan(value))
        return;
    FMaximum = value;
    const bool intervalReset = FInterval > 0 && FMaximum - FMinimum < FInterval;
    if (intervalReset)
        FInterval = 0;
    Draw();
    emit MaximumChanged();
    if (intervalReset)
        emit IntervalChanged();
}

void TEscala::SetMinimum(double value) {
    if (value == FMinimum || std::isnan(value))
        return;
    FMinimum = value;
    const bool intervalReset = FInterval > 0 && FMaximum - FMinimum < FInterval;
    if (intervalReset)
        FInterval = 0;
    Draw();
    emit MinimumChanged();
    if (intervalReset)
        emit IntervalChanged();
}

void TEscala::SetMaxMin(double max, double min) {
    if (!(max > min))
        return;
    if (max == FMaximum && min == FMinimum)
        return;
    const bool maxChanged = max != FMaximum, minChanged = min != FMinimum;
    FMaximum = max;
    FMinimum = min;
    const bool intervalReset = FInterval > 0 && FMaximum - FMinimum < FInterval;
    if (intervalReset)
        FInterval = 0;
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
    if (!(value >= 0) || value >= FMaximum - FMinimum)
        return;
    ChangeProperty(this, FInterval, value, &TEscala::Draw, &TEscala::IntervalChanged);
}

void TEscala::SetTextInterval(int value) {
    if (value < 0)
        return;
    value = std::min(value, kMaxTextInterval);
    ChangeProperty(this, FTextInterval, value, &TEscala::Draw, &TEscala::TextIntervalChanged);
}

void TEscala::EscalaResize(QObject*) {
    Image()->Resize();
    Draw();
}

// The image panel has already brought the bitmap to the image's size.
void TEscala::ResizeContent() {
    if (FReady)
        Draw();
}

QString TEscala::Label(double value) const { return FormatFloat(FFormat, value); }

void TEscala::PlaceInParent() {
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const bool h = FAlignment == eaCentered || FAlignment == eaHCentered;
    const bool v = FAlignment == eaCentered || FAlignment == eaVCentered;
    if (h)
        move((parent->width() - width()) / 2, y());
    if (v)
        move(x(), (parent->height() - height()) / 2);
}

void TEscala::Draw() {
    if (!(FMaximum > FMinimum))
        return;
    PlaceInParent();
    if ((FAlignment == eaTop || FAlignment == eaBottom) && FOrientation != eoHorizontal) {
        FOrientation = eoHorizontal;
        emit OrientationChanged();
    } else if ((FAlignment == eaLeft || FAlignment == eaRight) && FOrientation != eoVertical) {
        FOrientation = eoVertical;
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
    if (FOrientation == eoHorizontal)
        PaintHorizontal();
    else
        PaintVertical();
    image->RepaintNow();
}

QSize TEscala::LabelExtent() const {
    const QFontMetrics metrics(TPnlImg::Font().Resolved());
    const QString hi = Label(FMaximum), lo = Label(FMinimum);
    return QSize(std::max(metrics.horizontalAdvance(hi), metrics.horizontalAdvance(lo)),
                 metrics.ascent() + metrics.descent());
}

// Vertical labels stand one below the other over the band's length less one label; horizontal
// ones are centred on evenly spaced points over the band's length.
QSize TEscala::Hint(int gap) const {
    const QSize text = LabelExtent();
    const std::int64_t steps = std::int64_t(FTextInterval) + 1;
    const bool horizontal = FOrientation == eoHorizontal;
    const std::int64_t thickness = 3LL * FMargin + FBandWidth + (horizontal ? text.height() : text.width()) + 5;
    const std::int64_t length = horizontal ? 2LL * FMargin + steps * (text.width() + gap)
                                           : 2LL * FMargin + text.height() + steps * (text.height() + gap);
    return QSize(int(std::min<std::int64_t>(thickness, kMaxPixels)), int(std::min<std::int64_t>(length, kMaxPixels)));
}

// The thickness is the panel's own size, as AutoSize sets it; the length holds the frame too.
QSize TEscala::Oriented(QSize hint) const {
    const QSize length = WithFrame(QSize(hint.height(), hint.height()));
    if (FOrientation == eoHorizontal)
        return QSize(length.width(), hint.width());
    return QSize(hint.width(), length.height());
}

QSize TEscala::sizeHint() const { return Oriented(Hint(LabelExtent().height())); }
QSize TEscala::minimumSizeHint() const { return Oriented(Hint(1)); }

// With AutoSize the thickness is the scale's own: a layout may not change it.
void TEscala::UpdateSizePolicy() {
    const QSizePolicy::Policy across = FAutoSize ? QSizePolicy::Fixed : QSizePolicy::Preferred;
    const QSizePolicy policy = FOrientation == eoHorizontal ? QSizePolicy(QSizePolicy::Preferred, across)
                                                            : QSizePolicy(across, QSizePolicy::Preferred);
    if (policy != sizePolicy())
        setSizePolicy(policy);
}

void TEscala::MeasureLabels() {
    TCanvas* canvas = Image()->Canvas();
    const QString hi = Label(FMaximum), lo = Label(FMinimum);
    FTextW = std::max(canvas->TextWidth(hi), canvas->TextWidth(lo));
    FTextH = std::max(canvas->TextHeight(hi), canvas->TextHeight(lo));
}

void TEscala::PaintHorizontal() {
    MeasureLabels();
    PaintBandHorizontal();
    PaintTextHorizontal();
    ApplyAutoSize(3 * FMargin + FBandWidth + FTextH + 5, true);
}

void TEscala::PaintVertical() {
    MeasureLabels();
    PaintBandVertical();
    PaintTextVertical();
    ApplyAutoSize(3 * FMargin + FBandWidth + FTextW + 5, false);
}

// The new size comes back through the resize notification, which draws once more at that size.
void TEscala::ApplyAutoSize(int thickness, bool horizontal) {
    if (!FAutoSize)
        return;
    if (horizontal)
        TCustomPanel::SetHeight(thickness);
    else
        TCustomPanel::SetWidth(thickness);
}

// A band one pixel long stands for the whole range: its line takes the middle value.
double TEscala::BandValue(int i, int length, bool reversed) const {
    if (length == 1)
        return FMinimum + (FMaximum - FMinimum) / 2;
    const int k = reversed ? length - i - 1 : i;
    return FMinimum + k * (FMaximum - FMinimum) / (length - 1);
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
    return FMinimum + p * (FMaximum - FMinimum) / (length - 1);
}

void TEscala::PaintBandHorizontal() {
    TCanvas* canvas = Image()->Canvas();
    const int length = Image()->Width() - 2 * FMargin;
    const int y1 = FPosition == epNormal ? FMargin : FMargin + FTextH + 5;
    const int y2 = y1 + FBandWidth;
    if (canvas->Scale() > 1 && length > 1) {
        PaintFineBand(canvas, FMargin, length, y1, y2, false,
                      [&](double t) { return ValueToColor(BandValueAt(t, length, false)); });
        return;
    }
    for (int i = 0; i < length; ++i) {
        canvas->Pen.Color = ValueToColor(BandValue(i, length, false));
        canvas->MoveTo(FMargin + i, y1);
        canvas->LineTo(FMargin + i, y2);
    }
}

void TEscala::PaintBandVertical() {
    TCanvas* canvas = Image()->Canvas();
    const int length = Image()->Height() - 2 * FMargin;
    const int x1 = FPosition == epNormal ? FMargin : FMargin + FTextW + 5;
    const int x2 = x1 + FBandWidth;
    if (canvas->Scale() > 1 && length > 1) {
        PaintFineBand(canvas, FMargin, length, x1, x2, true,
                      [&](double t) { return ValueToColor(BandValueAt(t, length, true)); });
        return;
    }
    for (int i = 0; i < length; ++i) {
        canvas->Pen.Color = ValueToColor(BandValue(i, length, true));
        canvas->MoveTo(x1, FMargin + i);
        canvas->LineTo(x2, FMargin + i);
    }
}

void TEscala::PaintTextHorizontal() {
    if (FTextInterval < 0)
        return;
    TCanvas* canvas = Image()->Canvas();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    SetTextAlign(canvas->Handle(), TA_CENTER | TA_TOP);
    const std::int64_t steps = std::int64_t(FTextInterval) + 1;
    const std::int64_t span = Image()->Width() - 2 * FMargin;
    const int y = FPosition == epNormal ? FMargin + FBandWidth + 5 : FMargin;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const double value = FMinimum + i * (FMaximum - FMinimum) / steps;
        canvas->TextOut(int(span * i / steps + FMargin), y, Label(value));
    }
}

void TEscala::PaintTextVertical() {
    if (FTextInterval < 0)
        return;
    TCanvas* canvas = Image()->Canvas();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    SetTextAlign(canvas->Handle(), TA_RIGHT | TA_TOP);
    const std::int64_t steps = std::int64_t(FTextInterval) + 1;
    const std::int64_t span = Image()->Height() - 2 * FMargin - canvas->TextHeight(QStringLiteral("0"));
    const int x = FPosition == epNormal ? FMargin + FBandWidth + FTextW + 6 : FMargin + FTextW + 1;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const double value = FMaximum - i * (FMaximum - FMinimum) / steps;
        canvas->TextOut(x, int(span * i / steps + FMargin), Label(value));
    }
}

namespace {
int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }
}  // namespace

TColor TEscala::ValueToColor(double value) const {
    const double range = FMaximum - FMinimum;
    double q = 0;
    if (range > 0 && std::isfinite(range) && !std::isnan(value)) {
        value = std::clamp(value, FMinimum, FMaximum);
        const double v = FInterval > 0 ? std::floor(value / FInterval) * FInterval : value;
        q = (v - FMinimum) * 510 / range;
    }
    // Beyond the ends every value gives the end colour; keep the rounding in range.
    const int p = std::isnan(q) ? 0 : RoundToInt(std::clamp(q, -1.0, 511.0));
    if (FGraduation == egTwo) {
        if (p <= 0)
            return FGradColor2;
        if (p >= 510)
            return FGradColor1;
        const TColor c1 = ColorToRGB(FGradColor1), c2 = ColorToRGB(FGradColor2);
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
    const int x1 = FPosition == epNormal ? 1 : FTextW + FMargin + FBandWidth + 7;
    const int x2 = FPosition == epNormal ? FMargin - 2 : w - 1;
    canvas->Pen.Color = Color();
    canvas->Brush.Color = Color();
    canvas->Brush.Style = bsSolid;
    canvas->Rectangle(x1 - 1, 0, x2 + 1, h);
    const double range = FMaximum - FMinimum;
    if (!(range > 0) || !std::isfinite(range) || !(value >= FMinimum && value <= FMaximum))
        return;
    const int y = h - FMargin - RoundToInt((value - FMinimum) / range * (h - 2 * FMargin));
    canvas->Pen.Width = 2;
    canvas->Pen.Color = clBlack;
    canvas->MoveTo(x1, y);
    canvas->LineTo(x2, y);
    canvas->Pen.Width = 1;
}

void TEscala::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TEscala")); }

}  // namespace Tallwick
