// TVexProgress: a progress bar painted as a colour gradient with an inverted percentage.
#include "Tvexprogress.h"

#include "Canvas.h"
#include "ComponentRegistry.h"
#include "GradientFill.h"
#include "IntConversion.h"
#include "PropertyChange.h"

#include <QFontMetrics>
#include <algorithm>
#include <climits>

namespace Tallwick {

class TVexProgress::Private {
public:
    std::int16_t FColorCount = 64;
    int FStepDirection = 1;
    TColor FBackColor = clBtnFace;
    TColor FColor1 = clAqua;
    TColor FColor2 = clNavy;
    TFont FFont;
    bool FIsTimer = false;
    int FMax = 100;
    int FMin = 0;
    int FPosition = 50;
    bool FShowValue = true;
    TVexProgressOrientation FOrientation = vpoHorizontal;
    bool FReady = false;  ///< the constructor's fields are set: resizes may redraw
};

TVexProgress::TVexProgress(QWidget* owner) : TPnlImg(owner), d(std::make_unique<Private>()) {
    TCustomPanel::SetHeight(15);
    TCustomPanel::SetWidth(200);
    d->FFont.SetName(QStringLiteral("Times New Roman"));
    d->FFont.SetSize(8);
    d->FFont.SetStyle(d->FFont.Style() | fsBold);
    d->FFont.SetStyle(d->FFont.Style() | fsItalic);
    d->FReady = true;
    LayoutChanged();
    Draw();
}

TVexProgress::~TVexProgress() { StopResizeNotifications(); }

void TVexProgress::SetBackColor(TColor value) {
    ChangeProperty(this, d->FBackColor, value, &TVexProgress::Draw, &TVexProgress::BackColorChanged);
}
void TVexProgress::SetColor1(TColor value) {
    ChangeProperty(this, d->FColor1, value, &TVexProgress::Draw, &TVexProgress::Color1Changed);
}
void TVexProgress::SetColor2(TColor value) {
    ChangeProperty(this, d->FColor2, value, &TVexProgress::Draw, &TVexProgress::Color2Changed);
}
void TVexProgress::SetIsTimer(bool value) {
    ChangeProperty(this, d->FIsTimer, value, &TVexProgress::Draw, &TVexProgress::IsTimerChanged);
}
void TVexProgress::SetShowValue(bool value) {
    ChangeProperty(this, d->FShowValue, value, &TVexProgress::Draw, &TVexProgress::ShowValueChanged);
}
void TVexProgress::SetOrientation(TVexProgressOrientation value) {
    if (value == d->FOrientation)
        return;
    d->FOrientation = value;
    LayoutChanged();
    Draw();
    emit OrientationChanged();
}

void TVexProgress::SetFont(const TFont& value) {
    if (SameFont(value, d->FFont))
        return;
    d->FFont.Assign(value);
    LayoutChanged();
    Draw();
    emit FontChanged();
}

// QProgressBar's measure: seven chunks of 9 pixels and four digits long, a line of text and 8
// pixels thick (2 at least). Upright, the label still reads across, so the bar is as wide as it.
QSize TVexProgress::InsideHint(int extra) const {
    const QFontMetrics metrics(d->FFont.Resolved());
    const int length = 9 * 7 + 4 * metrics.horizontalAdvance(QLatin1Char('0'));
    int thickness = metrics.height() + extra;
    if (d->FOrientation == vpoVertical)
        thickness = std::max(thickness, metrics.horizontalAdvance(QStringLiteral("100 %")) + 2);
    return QSize(length, thickness);
}

QSize TVexProgress::Oriented(QSize inside) const {
    return WithFrame(d->FOrientation == vpoHorizontal ? inside : inside.transposed());
}

QSize TVexProgress::sizeHint() const { return Oriented(InsideHint(8)); }
QSize TVexProgress::minimumSizeHint() const { return Oriented(InsideHint(2)); }

void TVexProgress::LayoutChanged() {
    setSizePolicy(d->FOrientation == vpoHorizontal ? QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed)
                                                   : QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding));
    HintMaybeChanged();
}

// Position is stored and announced, without drawing; the caller draws.
void TVexProgress::StorePosition(std::int64_t value) {
    const int position = SaturateToInt(value);
    if (position == d->FPosition)
        return;
    d->FPosition = position;
    emit PositionChanged();
}

void TVexProgress::SetMax(int value) {
    if (value <= d->FMin || value == d->FMax)
        return;
    d->FMax = value;
    const int old = d->FPosition;
    d->FPosition = std::clamp(d->FPosition, d->FMin, d->FMax);
    Draw();
    emit MaxChanged();
    if (d->FPosition != old)
        emit PositionChanged();
}

void TVexProgress::SetMin(int value) {
    if (value >= d->FMax || value == d->FMin)
        return;
    d->FMin = value;
    const int old = d->FPosition;
    d->FPosition = std::clamp(d->FPosition, d->FMin, d->FMax);
    Draw();
    emit MinChanged();
    if (d->FPosition != old)
        emit PositionChanged();
}

void TVexProgress::SetPosition(int value) {
    value = std::clamp(value, d->FMin, d->FMax);
    ChangeProperty(this, d->FPosition, value, &TVexProgress::Draw, &TVexProgress::PositionChanged);
}

void TVexProgress::StepIt(int delta) {
    if (d->FIsTimer) {
        const std::int64_t step = std::int64_t(delta) * d->FStepDirection;
        const std::int64_t next = std::int64_t(d->FPosition) + step;
        if (next >= d->FMax)
            d->FStepDirection = -1;
        else if (next <= d->FMin)
            d->FStepDirection = 1;
        StorePosition(next);
    } else {
        StorePosition(std::clamp<std::int64_t>(std::int64_t(d->FPosition) + delta, d->FMin, d->FMax));
    }
    Draw();
}

void TVexProgress::ResizeContent() {
    if (d->FReady)
        Draw();
}

int TVexProgress::Filled(int length) const {
    const std::int64_t range = std::int64_t(d->FMax) - d->FMin;
    return SaturateToInt((std::int64_t(d->FPosition) - d->FMin) * length / range);
}

QString TVexProgress::LabelText() const {
    const std::int64_t range = std::int64_t(d->FMax) - d->FMin;
    const std::int64_t percent = (std::int64_t(d->FPosition) - d->FMin) * 100 / range;
    return QString::number(percent) + QStringLiteral(" %");
}

void TVexProgress::Draw() {
    if (d->FOrientation == vpoHorizontal)
        DrawHorizontal();
    else if (d->FOrientation == vpoVertical)
        DrawVertical();
    TVexImage* image = Image();
    if (d->FShowValue) {
        TCanvas* canvas = image->Canvas();
        canvas->Font.Assign(d->FFont);
        const QString label = LabelText();
        const int x = (image->Width() - canvas->TextWidth(label)) / 2;
        const int y = (image->Height() - canvas->TextHeight(label)) / 2;
        image->TextOutInv(x, y, label);
    }
    image->RepaintNow();
}

void TVexProgress::DrawHorizontal() {
    TCanvas* canvas = Image()->Canvas();
    const int w = Image()->Width(), h = Image()->Height();
    const int p = Filled(w);
    const std::uint8_t colors = std::uint8_t(d->FColorCount);
    if (p > 0)
        GradientFillRect(canvas, Rect(0, 0, p, h), d->FColor1, d->FColor2, gdLeftToRight, colors);
    if (p < w) {
        if (d->FIsTimer) {
            GradientFillRect(canvas, Rect(p, 0, w, h), d->FColor2, d->FColor1, gdLeftToRight, colors);
        } else {
            canvas->Brush.Color = d->FBackColor;
            canvas->Brush.Style = bsSolid;
            canvas->FillRect(Rect(p, 0, w, h));
        }
    }
}

void TVexProgress::DrawVertical() {
    TCanvas* canvas = Image()->Canvas();
    const int w = Image()->Width(), h = Image()->Height();
    const int p = Filled(h);
    const std::uint8_t colors = std::uint8_t(d->FColorCount);
    // In 64 bits: a timer step may carry p past either end.
    const int top = SaturateToInt(std::int64_t(h) - p);
    if (d->FIsTimer) {
        if (p < h)
            GradientFillRect(canvas, Rect(0, 0, w, top), d->FColor1, d->FColor2, gdTopToBottom, colors);
        if (p > 0)
            GradientFillRect(canvas, Rect(0, top, w, h), d->FColor2, d->FColor1, gdTopToBottom, colors);
        return;
    }
    if (p > 0)
        GradientFillRect(canvas, Rect(0, top, w, h), d->FColor1, d->FColor2, gdBottomToTop, colors);
    if (p < h) {
        canvas->Brush.Color = d->FBackColor;
        canvas->Brush.Style = bsSolid;
        canvas->FillRect(Rect(0, 0, w, top));
    }
}

void TVexProgress::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TVexProgress")); }

TColor TVexProgress::BackColor() const { return d->FBackColor; }
TColor TVexProgress::Color1() const { return d->FColor1; }
TColor TVexProgress::Color2() const { return d->FColor2; }
const TFont& TVexProgress::Font() const { return d->FFont; }
QFont TVexProgress::FontQFont() const { return FontToQFont(d->FFont); }
void TVexProgress::SetFontQFont(const QFont& value) { SetFont(FontWithQFont(d->FFont, value)); }
bool TVexProgress::IsTimer() const { return d->FIsTimer; }
int TVexProgress::Max() const { return d->FMax; }
int TVexProgress::Min() const { return d->FMin; }
int TVexProgress::Position() const { return d->FPosition; }
bool TVexProgress::ShowValue() const { return d->FShowValue; }
TVexProgress::TVexProgressOrientation TVexProgress::Orientation() const { return d->FOrientation; }
int TVexProgress::StepDirection() const { return d->FStepDirection; }

}  // namespace Tallwick
