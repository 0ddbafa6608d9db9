#include "ImageControl.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlAlign.h"
#include "Exception.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace Tallwick {

TImage::TImage(QWidget* parent) : QWidget(parent) {
    // Controls are visible from creation, also inside a window that is already shown (where Qt
    // would leave a new child hidden).
    if (parent && parent->isVisible())
        show();
    resize(105, 105);
    setMouseTracking(true);
    FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

TCanvas* TImage::Canvas() {
    if (!FPicture.Graphic()) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(width(), height());
        FPicture.SetGraphic(std::move(bitmap));
    }
    if (!FPicture.HoldsBitmap())
        throw EInvalidGraphicOperation(QStringLiteral("Can only modify an image if it contains a bitmap"));
    return FPicture.Bitmap()->Canvas();
}

TAlign TImage::Align() const { return ControlAlign(this); }
void TImage::SetAlign(TAlign align) { SetControlAlign(this, align); }

void TImage::SetAutoSize(bool value) {
    FAutoSize = value;
    PictureChanged();
}

void TImage::SetCenter(bool value) {
    FCenter = value;
    update();
}

void TImage::SetStretch(bool value) {
    FStretch = value;
    update();
}

void TImage::SetCursor(TCursor cursor) {
    FCursor = cursor;
    setCursor(CursorFor(cursor));
}

void TImage::SetVisible(bool visible) { setVisible(visible); }

void TImage::RepaintNow() {
    if (isVisible() && window()->windowHandle())
        repaint();
}

// Many canvas calls a frame: one repaint request until the next paint.
void TImage::PictureChanged() {
    if (FAutoSize && FPicture.Graphic() && !FPicture.Graphic()->Empty())
        resize(FPicture.Width(), FPicture.Height());
    if (!FUpdatePending && isVisible()) {
        FUpdatePending = true;
        update();
    }
}

void TImage::paintEvent(QPaintEvent*) {
    FUpdatePending = false;
    const TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty())
        return;
    QPainter painter(this);
    QRect target(0, 0, graphic->Width(), graphic->Height());
    if (FStretch)
        target = rect();
    else if (FCenter)
        target.moveTo((width() - graphic->Width()) / 2, (height() - graphic->Height()) / 2);
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        painter.drawImage(target, bitmap->Image());
        return;
    }
    TBitmap rendered;
    rendered.SetSize(target.width(), target.height());
    graphic->Draw(rendered.Canvas(), Rect(0, 0, target.width(), target.height()));
    painter.drawImage(target.topLeft(), rendered.Image());
}

TMouseButton MouseButtonOf(const QMouseEvent* event) {
    switch (event->button()) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

TShiftState ShiftStateOf(const QMouseEvent* event) {
    TShiftState s = 0;
    const Qt::KeyboardModifiers m = event->modifiers();
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    const Qt::MouseButtons b = event->buttons();
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

void TImage::mousePressEvent(QMouseEvent* event) {
    FPressed = true;
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, MouseButtonOf(event), ShiftStateOf(event), p.x(), p.y());
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool click = FPressed && rect().contains(p) && event->button() == Qt::LeftButton;
    FPressed = false;
    const QPointer<TImage> self(this);  // a handler may delete the control
    if (OnMouseUp)
        OnMouseUp(this, MouseButtonOf(event), ShiftStateOf(event), p.x(), p.y());
    if (self && click && OnClick)
        OnClick(this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointer<TImage> self(this);  // a handler may delete the control
    if (OnDblClick)
        OnDblClick(this);
    if (self)
        mousePressEvent(event);
}

// Moves Qt makes up itself (after showing or moving a widget under a still pointer) are not the
// user's and are not reported.
void TImage::mouseMoveEvent(QMouseEvent* event) {
    if (!event->spontaneous())
        return;
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, ShiftStateOf(event), p.x(), p.y());
}

}  // namespace Tallwick
