// The framework's custom panel: outer and inner bevels, border, caption, face colour and child
// alignment.
#include "CustomPanel.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlAlign.h"
#include "EventGuard.h"
#include "Frame3D.h"
#include "PropertyChange.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace Tallwick {

namespace {
void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}
}  // namespace

TCustomPanel::TCustomPanel(QWidget* parent) : TControl(parent) {
    SetBounds(0, 0, 185, 41);
    UpdateMargins();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    ChangeProperty(this, FBevelInner, value, &TCustomPanel::Relayout, &TCustomPanel::BevelInnerChanged);
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    ChangeProperty(this, FBevelOuter, value, &TCustomPanel::Relayout, &TCustomPanel::BevelOuterChanged);
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1)
        return;
    ChangeProperty(this, FBevelWidth, value, &TCustomPanel::Relayout, &TCustomPanel::BevelWidthChanged);
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0)
        return;
    ChangeProperty(this, FBorderWidth, value, &TCustomPanel::Relayout, &TCustomPanel::BorderWidthChanged);
}

void TCustomPanel::SetCaption(const QString& caption) {
    ChangeProperty(this, FCaption, caption, &TCustomPanel::Repaint, &TCustomPanel::CaptionChanged);
}

void TCustomPanel::SetColor(TColor color) {
    ChangeProperty(this, FColor, color, &TCustomPanel::Repaint, &TCustomPanel::ColorChanged);
}

void TCustomPanel::SetAlignment(TAlignment value) {
    ChangeProperty(this, FAlignment, value, &TCustomPanel::Repaint, &TCustomPanel::AlignmentChanged);
}

void TCustomPanel::Relayout() {
    UpdateMargins();
    update();
}

// Aligned children keep clear of the border and of each bevel.
void TCustomPanel::UpdateMargins() {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    setContentsMargins(inset, inset, inset, inset);
}

void TCustomPanel::paintEvent(QPaintEvent*) {
    GuardEvent(this, [this] { PaintFace(); });
}

// The face is drawn in control pixels onto a bitmap of the screen's pixels (the device ratio
// rounded up), so the caption is as sharp as Qt's own text.
void TCustomPanel::PaintFace() {
    const double ratio = devicePixelRatioF();
    const int k = std::clamp(int(std::ceil(ratio - 1e-6)), 1, TCanvas::kMaxScale);
    TBitmap face;
    face.SetSize(width() * k, height() * k);
    if (face.Empty())
        return;
    TCanvas* canvas = face.Canvas();
    canvas->SetScale(k);
    TRect r = Rect(0, 0, width(), height());
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    Frame3D(canvas, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    canvas->Brush.Color = FColor;
    canvas->FillRect(r);
    if (!FCaption.trimmed().isEmpty()) {
        canvas->Brush.Style = bsClear;
        canvas->Font.Assign(FFont);
        const int w = canvas->TextWidth(FCaption), h = canvas->TextHeight(FCaption);
        int x = (r.Left + r.Right - w) / 2;
        if (FAlignment == taLeftJustify)
            x = r.Left;
        else if (FAlignment == taRightJustify)
            x = r.Right - w;
        canvas->TextOut(x, (r.Top + r.Bottom - h) / 2, FCaption);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, k != ratio);
    painter.drawImage(QRectF(0, 0, width(), height()), face.Image());
}

void TCustomPanel::resizeEvent(QResizeEvent* event) {
    TControl::resizeEvent(event);
    GuardEvent(this, [this] {
        if (OnResize)
            OnResize(this);
        emit resized(this);
    });
}

}  // namespace Tallwick
