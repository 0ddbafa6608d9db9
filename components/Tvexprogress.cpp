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

TVexProgress::TVexProgress(QWidget* owner) : TPnlImg(owner) {
    TCustomPanel::SetHeight(15);
    TCustomPanel::SetWidth(200);
    FFont.SetName(QStringLiteral("Times New Roman"));
    FFont.SetSize(8);
    FFont.SetStyle(FFont.Style() | fsBold);
    FFont.SetStyle(FFont.Style() | fsItalic);
    FReady = true;
    LayoutChanged();
    Draw();
}

TVexProgress::~TVexProgress() { StopResizeNotifications(); }

void TVexProgress::SetBackColor(TColor value) {
    ChangeProperty(this, FBackColor, value, &TVexProgress::Draw, &TVexProgress::BackColorChanged);
}
void TVexProgress::SetColor1(TColor value) {
    ChangeProperty(this, FColor1, value, &TVexProgress::Draw, &TVexProgress::Color1Changed);
}
void TVexProgress::SetColor2(TColor value) {
    ChangeProperty(this, FColor2, value, &TVexProgress::Draw, &TVexProgress::Color2Changed);
}
void TVexProgress::SetIsTimer(bool value) {
    ChangeProperty(this, FIsTimer, value, &TVexProgress::Draw, &TVexProgress::IsTimerChanged);
}
void TVexProgress::SetShowValue(bool value) {
    ChangeProperty(this, FShowValue, value, &TVexProgress::Draw, &TVexProgress::ShowValueChanged);
}
void TVexProgress::SetOrientation(TVexProgressOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    LayoutChanged();
    Draw();
    emit OrientationChanged();
}

void TVexProgress::SetFont(const TFont& value) {
    if (SameFont(value, FFont))
        return;
    FFont.Assign(value);
    LayoutChanged();
    Draw();
    emit FontChanged();
}

// QProgressBar's measure: seven chunks of 9 pixels and four digits long, a line of text and 8
// pixels thick (2 at least). Upright, the label still reads across, so the bar is as wide as it.
QSize TVexProgress::InsideHint(int extra) const {
    const QFontMetrics metrics(FFont.Resolved());
    const int length = 9 * 7 + 4 * metrics.horizontalAdvance(QLatin1Char('0'));
    int thickness = metrics.height() + extra;
    if (FOrientation == vpoVertical)
        thickness = std::max(thickness, metrics.horizontalAdvance(QStringLiteral("100 %")) + 2);
    return QSize(length, thickness);
}

QSize TVexProgress::Oriented(QSize inside) const {
    return WithFrame(FOrientation == vpoHorizontal ? inside : inside.transposed());
}

QSize TVexProgress::sizeHint() const { return Oriented(InsideHint(8)); }
QSize TVexProgress::minimumSizeHint() const { return Oriented(InsideHint(2)); }

void TVexProgress::LayoutChanged() {
    setSizePolicy(FOrientation == vpoHorizontal ? QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed)
                                                : QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding));
    HintMaybeChanged();
}

// Position is stored and announced, without drawing; the caller draws.
void TVexProgress::StorePosition(std::int64_t value) {
    const int position = SaturateToInt(value);
    if (position == FPosition)
        return;
    FPosition = position;
    emit PositionChanged();
}

void TVexProgress::SetMax(int value) {
    if (value <= FMin || value == FMax)
        return;
    FMax = value;
    const int old = FPosition;
    FPosition = std::clamp(FPosition, FMin, FMax);
    Draw();
    emit MaxChanged();
    if (FPosition != old)
        emit PositionChanged();
}

void TVexProgress::SetMin(int value) {
    if (value >= FMax || value == FMin)
        return;
    FMin = value;
    const int old = FPosition;
    FPosition = std::clamp(FPosition, FMin, FMax);
    Draw();
    emit MinChanged();
    if (FPosition != old)
        emit PositionChanged();
}

void TVexProgress::SetPosition(int value) {
    value = std::clamp(value, FMin, FMax);
    ChangeProperty(this, FPosition, value, &TVexProgress::Draw, &TVexProgress::PositionChanged);
}

void TVexProgress::StepIt(int delta) {
    if (FIsTimer) {
        const std::int64_t d = std::int64_t(delta) * FStepDirection;
        const std::int64_t next = std::int64_t(FPosition) + d;
        if (next >= FMax)
            FStepDirection = -1;
        else if (next <= FMin)
            FStepDirection = 1;
        StorePosition(next);
    } else {
        StorePosition(std::clamp<std::int64_t>(std::int64_t(FPosition) + delta, FMin, FMax));
    }
    Draw();
}

void TVexProgress::VexProgressResize(QObject*) {
    Image()->Resize();
    Draw();
}

void TVexProgress::ResizeContent() {
    if (FReady)
        Draw();
}

int TVexProgress::Filled(int length) const {
    const std::int64_t range = std::int64_t(FMax) - FMin;
    return SaturateToInt((std::int64_t(FPosition) - FMin) * length / range);
}

QString TVexProgress::LabelText() const {
    const std::int64_t range = std::int64_t(FMax) - FMin;
    const std::int64_t percent = (std::int64_t(FPosition) - FMin) * 100 / range;
    return QString::number(percent) + QStringLiteral(" %");
}

void TVexProgress::Draw() {
    if (FOrientation == vpoHorizontal)
        DrawHorizontal();
    else if (FOrientation == vpoVertical)
        DrawVertical();
    TVexImage* image = Image();
    if (FShowValue) {
        TCanvas* canvas = image->Canvas();
        canvas->Font.Assign(FFont);
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
    const std::uint8_t colors = std::uint8_t(FColorCount);
    if (p > 0)
        GradientFillRect(canvas, Rect(0, 0, p, h), FColor1, FColor2, gdLeftToRight, colors);
    if (p < w) {
        if (FIsTimer) {
            GradientFillRect(canvas, Rect(p, 0, w, h), FColor2, FColor1, gdLeftToRight, colors);
        } else {
            canvas->Brush.Color = FBackColor;
            canvas->Brush.Style = bsSolid;
            canvas->FillRect(Rect(p, 0, w, h));
        }
    }
}

void TVexProgress::DrawVertical() {
    TCanvas* canvas = Image()->Canvas();
    const int w = Image()->Width(), h = Image()->Height();
    const int p = Filled(h);
    const std::uint8_t colors = std::uint8_t(FColorCount);
    // In 64 bits: a timer step may carry p past either end.
    const int top = SaturateToInt(std::int64_t(h) - p);
    if (FIsTimer) {
        if (p < h)
            GradientFillRect(canvas, Rect(0, 0, w, top), FColor1, FColor2, gdTopToBottom, colors);
        if (p > 0)
            GradientFillRect(canvas, Rect(0, top, w, h), FColor2, FColor1, gdTopToBottom, colors);
        return;
    }
    if (p > 0)
        GradientFillRect(canvas, Rect(0, top, w, h), FColor1, FColor2, gdBottomToTop, colors);
    if (p < h) {
        canvas->Brush.Color = FBackColor;
        canvas->Brush.Style = bsSolid;
        canvas->FillRect(Rect(0, 0, w, top));
    }
}

void TVexProgress::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TVexProgress")); }

}  // namespace Tallwick
