// The framework's custom panel: outer and inner bevels, border, caption, face colour and child
// alignment.
#include "CustomPanel.h"
#include "CustomPanelHooks.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlAlign.h"
#include "EventGuard.h"
#include "Frame3D.h"
#include "PropertyChange.h"

#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <functional>

namespace Tallwick {

class TCustomPanel::Private {
public:
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    QString FCaption;
    TColor FColor = clBtnFace;
    TAlignment FAlignment = taCenter;
    TFont FFont;
    // Library subclasses' own resize work (CustomPanelHooks.h), around the user's OnResize.
    std::function<void()> FBeforeResize;
    std::function<void()> FAfterResize;
};

namespace {
void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}
}  // namespace

TCustomPanel::TCustomPanel(QWidget* parent) : TControl(parent), d(std::make_unique<Private>()) {
    SetBounds(0, 0, 185, 41);
    UpdateMargins();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    ChangeProperty(this, d->FBevelInner, value, &TCustomPanel::Relayout, &TCustomPanel::BevelInnerChanged);
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    ChangeProperty(this, d->FBevelOuter, value, &TCustomPanel::Relayout, &TCustomPanel::BevelOuterChanged);
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1)
        return;
    ChangeProperty(this, d->FBevelWidth, value, &TCustomPanel::Relayout, &TCustomPanel::BevelWidthChanged);
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0)
        return;
    ChangeProperty(this, d->FBorderWidth, value, &TCustomPanel::Relayout, &TCustomPanel::BorderWidthChanged);
}

void TCustomPanel::SetCaption(const QString& caption) {
    ChangeProperty(this, d->FCaption, caption, &TCustomPanel::Repaint, &TCustomPanel::CaptionChanged);
}

void TCustomPanel::SetColor(TColor color) {
    ChangeProperty(this, d->FColor, color, &TCustomPanel::Repaint, &TCustomPanel::ColorChanged);
}

void TCustomPanel::SetAlignment(TAlignment value) {
    ChangeProperty(this, d->FAlignment, value, &TCustomPanel::Repaint, &TCustomPanel::AlignmentChanged);
}

void TCustomPanel::Relayout() {
    UpdateMargins();
    update();
}

// Aligned children keep clear of the border and of each bevel.
void TCustomPanel::UpdateMargins() {
    int inset = d->FBorderWidth;
    if (d->FBevelOuter != bvNone)
        inset += d->FBevelWidth;
    if (d->FBevelInner != bvNone)
        inset += d->FBevelWidth;
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
    if (d->FBevelOuter != bvNone) {
        BevelColors(d->FBevelOuter, top, bottom);
        Frame3D(canvas, r, top, bottom, d->FBevelWidth);
    }
    Frame3D(canvas, r, d->FColor, d->FColor, d->FBorderWidth);
    if (d->FBevelInner != bvNone) {
        BevelColors(d->FBevelInner, top, bottom);
        Frame3D(canvas, r, top, bottom, d->FBevelWidth);
    }
    canvas->Brush.Color = d->FColor;
    canvas->FillRect(r);
    if (!d->FCaption.trimmed().isEmpty()) {
        canvas->Brush.Style = bsClear;
        canvas->Font.Assign(d->FFont);
        const int w = canvas->TextWidth(d->FCaption), h = canvas->TextHeight(d->FCaption);
        int x = (r.Left + r.Right - w) / 2;
        if (d->FAlignment == taLeftJustify)
            x = r.Left;
        else if (d->FAlignment == taRightJustify)
            x = r.Right - w;
        canvas->TextOut(x, (r.Top + r.Bottom - h) / 2, d->FCaption);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, k != ratio);
    painter.drawImage(QRectF(0, 0, width(), height()), face.Image());
}

void TCustomPanel::resizeEvent(QResizeEvent* event) {
    TControl::resizeEvent(event);
    GuardEvent(this, [this] {
        QPointer<TCustomPanel> self(this);
        if (d->FBeforeResize)
            d->FBeforeResize();
        if (self && OnResize)
            OnResize(this);
        if (self && d->FAfterResize)
            d->FAfterResize();
        if (self)
            emit resized(this);
    });
}

TBevelCut TCustomPanel::BevelInner() const { return d->FBevelInner; }
TBevelCut TCustomPanel::BevelOuter() const { return d->FBevelOuter; }
int TCustomPanel::BevelWidth() const { return d->FBevelWidth; }
int TCustomPanel::BorderWidth() const { return d->FBorderWidth; }
const QString& TCustomPanel::Caption() const { return d->FCaption; }
TColor TCustomPanel::Color() const { return d->FColor; }
TAlignment TCustomPanel::Alignment() const { return d->FAlignment; }
TFont& TCustomPanel::Font() { return d->FFont; }
const TFont& TCustomPanel::Font() const { return d->FFont; }
TCustomPanel::~TCustomPanel() = default;

void TCustomPanelHooks::SetBeforeResize(TCustomPanel& panel, std::function<void()> hook) {
    panel.d->FBeforeResize = std::move(hook);
}

void TCustomPanelHooks::SetAfterResize(TCustomPanel& panel, std::function<void()> hook) {
    panel.d->FAfterResize = std::move(hook);
}

}  // namespace Tallwick
