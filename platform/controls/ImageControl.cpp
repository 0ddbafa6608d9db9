// The framework's image control: a widget that shows its picture at its top-left.
#include "ImageControl.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlAlign.h"
#include "EventGuard.h"
#include "Exception.h"
#include "PropertyChange.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <QCoreApplication>

namespace Tallwick {

TImage::TImage(QWidget* parent) : TControl(parent) {
    SetBounds(0, 0, 105, 105);
    setMouseTracking(true);
    FPicture.OnChange = [this] { PictureChanging(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

TCanvas* TImage::Canvas() {
    if (!FPicture.Graphic()) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(DeviceWidth(), DeviceHeight());
        FPicture.SetGraphic(std::move(bitmap));
    }
    if (!FPicture.HoldsBitmap())
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Can only modify an image if it contains a bitmap"));
    TCanvas* canvas = FPicture.Bitmap()->Canvas();
    canvas->SetScale(FCanvasScale);
    return canvas;
}

QPixmap TImage::PicturePixmap() const {
    const TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty())
        return QPixmap();
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic))
        return QPixmap::fromImage(bitmap->Image());
    TBitmap rendered;
    rendered.SetSize(graphic->Width(), graphic->Height());
    graphic->Draw(rendered.Canvas(), Rect(0, 0, graphic->Width(), graphic->Height()));
    return QPixmap::fromImage(rendered.Image());
}

void TImage::SetPicturePixmap(const QPixmap& pixmap) {
    if (pixmap.isNull()) {
        if (FPicture.Graphic())
            FPicture.SetGraphic(nullptr);
        return;
    }
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    const auto* current = dynamic_cast<const TBitmap*>(FPicture.Graphic());
    if (current && current->Image() == image)
        return;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(image);
    bitmap->SetPixelFormat(pf24bit);
    FPicture.SetGraphic(std::move(bitmap));
}

void TImage::SetAutoSize(bool value) {
    ChangeProperty(this, FAutoSize, value, &TImage::PictureChanging, &TImage::AutoSizeChanged);
}

void TImage::SetCenter(bool value) { ChangeProperty(this, FCenter, value, &TImage::Repaint, &TImage::CenterChanged); }

void TImage::SetStretch(bool value) {
    ChangeProperty(this, FStretch, value, &TImage::Repaint, &TImage::StretchChanged);
}

void TImage::SetPixelRatio(double ratio) {
    if (!(ratio >= 1.0 / 16 && ratio <= 16))
        return;
    if (FCanvasScale != 1) {
        FCanvasScale = 1;
        if (FPicture.HoldsBitmap())
            FPicture.Bitmap()->Canvas()->SetScale(1);
    }
    StorePixelRatio(ratio);
}

void TImage::StorePixelRatio(double ratio) {
    if (ratio == FPixelRatio)
        return;
    FPixelRatio = ratio;
    update();
}

void TImage::SetCanvasScale(int scale) {
    scale = std::clamp(scale, 1, TCanvas::kMaxScale);
    StorePixelRatio(scale);
    if (scale == FCanvasScale)
        return;
    FCanvasScale = scale;
    if (FPicture.HoldsBitmap())
        FPicture.Bitmap()->Canvas()->SetScale(scale);
}

int DevicePixels(int length, double ratio) {
    const double pixels = std::ceil(double(length) * ratio - 1e-6);
    return int(std::clamp(pixels, 0.0, double(std::numeric_limits<int>::max() / 2)));
}

int TImage::DeviceWidth() const { return DevicePixels(width(), FPixelRatio); }

int TImage::DeviceHeight() const { return DevicePixels(height(), FPixelRatio); }

void TImage::RepaintNow() {
    if (isVisible() && window()->windowHandle())
        repaint();
}

// Many canvas calls a frame: one repaint request until the next paint.
void TImage::PictureChanging() {
    if (FAutoSize && FPicture.Graphic() && !FPicture.Graphic()->Empty())
        resize(FPicture.Width(), FPicture.Height());
    if (!FUpdatePending && isVisible()) {
        FUpdatePending = true;
        update();
    }
    emit PictureChanged();
}

void TImage::paintEvent(QPaintEvent*) {
    FUpdatePending = false;
    GuardEvent(this, [this] { PaintPicture(); });
}

void TImage::PaintPicture() {
    const TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty()) {
        if (Designing())
            PaintDesignOutline();
        return;
    }
    QPainter painter(this);
    if (FPixelRatio != 1) {
        PaintDevicePixels(painter, *graphic);
        return;
    }
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

// An empty image draws nothing at all: on a form being designed it would be lost, so it shows a
// dashed outline there, as Designer's own frameless frames do.
void TImage::PaintDesignOutline() {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Dark), 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// A bitmap of device pixels covers width / ratio control pixels; Qt's painter maps them back one
// to one onto the device pixels of the window.
void TImage::PaintDevicePixels(QPainter& painter, const TGraphic& graphic) {
    const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic);
    if (!bitmap)
        return;
    const QImage& image = bitmap->Image();
    const QRectF target(0, 0, image.width() / FPixelRatio, image.height() / FPixelRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, FPixelRatio != painter.device()->devicePixelRatioF());
    painter.drawImage(target, image, QRectF(image.rect()));
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
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    const Qt::MouseButtons b = event->buttons();
    if (b & Qt::LeftButton)
        s |= ssLeft;
    if (b & Qt::RightButton)
        s |= ssRight;
    if (b & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

// Each handler may delete the control (a plotting canvas's animation lets the event loop run);
// no signal is emitted by a control that is gone.
void TImage::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const QPointer<TImage> self(this);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    if (self)
        emit mousePressed(this, button, shift, x, y);
}

void TImage::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const QPointer<TImage> self(this);
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
    if (self)
        emit mouseReleased(this, button, shift, x, y);
}

void TImage::DoMouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
    emit mouseMoved(this, shift, x, y);
}

void TImage::DoClick() {
    if (OnClick)
        OnClick(this);
    emit clicked(this);
}

void TImage::DoDblClick() {
    if (OnDblClick)
        OnDblClick(this);
    emit doubleClicked(this);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    FPressed = true;
    const QPoint p = event->position().toPoint();
    GuardEvent(this, [&] { DoMouseDown(MouseButtonOf(event), ShiftStateOf(event), p.x(), p.y()); });
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool click = FPressed && rect().contains(p) && event->button() == Qt::LeftButton;
    FPressed = false;
    const QPointer<TImage> self(this);  // a handler may delete the control
    GuardEvent(this, [&] { DoMouseUp(MouseButtonOf(event), ShiftStateOf(event), p.x(), p.y()); });
    if (self && click)
        GuardEvent(this, [this] { DoClick(); });
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointer<TImage> self(this);  // a handler may delete the control
    GuardEvent(this, [this] { DoDblClick(); });
    if (self)
        mousePressEvent(event);
}

// Moves Qt makes up itself (after showing or moving a widget under a still pointer) are not the
// user's and are not reported.
void TImage::mouseMoveEvent(QMouseEvent* event) {
    if (!event->spontaneous())
        return;
    const QPoint p = event->position().toPoint();
    GuardEvent(this, [&] { DoMouseMove(ShiftStateOf(event), p.x(), p.y()); });
}

}  // namespace Tallwick
