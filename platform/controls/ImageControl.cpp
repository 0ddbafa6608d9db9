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

class TImage::Private {
public:
    TPicture FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
    bool FUpdatePending = false;
    bool FPressed = false;
    double FPixelRatio = 1;
    int FCanvasScale = 1;
};

TImage::TImage(QWidget* parent) : TControl(parent), d(std::make_unique<Private>()) {
    SetBounds(0, 0, 105, 105);
    setMouseTracking(true);
    d->FPicture.OnChange = [this] { PictureChanging(); };
}

TImage::~TImage() { d->FPicture.OnChange = nullptr; }

TCanvas* TImage::Canvas() {
    if (!d->FPicture.Graphic()) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(DeviceWidth(), DeviceHeight());
        d->FPicture.SetGraphic(std::move(bitmap));
    }
    if (!d->FPicture.HoldsBitmap())
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Can only modify an image if it contains a bitmap"));
    TCanvas* canvas = d->FPicture.Bitmap()->Canvas();
    canvas->SetScale(d->FCanvasScale);
    return canvas;
}

QPixmap TImage::PicturePixmap() const {
    const TGraphic* graphic = d->FPicture.Graphic();
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
        if (d->FPicture.Graphic())
            d->FPicture.SetGraphic(nullptr);
        return;
    }
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    const auto* current = dynamic_cast<const TBitmap*>(d->FPicture.Graphic());
    if (current && current->Image() == image)
        return;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(image);
    bitmap->SetPixelFormat(pf24bit);
    d->FPicture.SetGraphic(std::move(bitmap));
}

void TImage::SetAutoSize(bool value) {
    ChangeProperty(this, d->FAutoSize, value, &TImage::PictureChanging, &TImage::AutoSizeChanged);
}

void TImage::SetCenter(bool value) {
    ChangeProperty(this, d->FCenter, value, &TImage::Repaint, &TImage::CenterChanged);
}

void TImage::SetStretch(bool value) {
    ChangeProperty(this, d->FStretch, value, &TImage::Repaint, &TImage::StretchChanged);
}

void TImage::SetPixelRatio(double ratio) {
    if (!(ratio >= 1.0 / 16 && ratio <= 16))
        return;
    if (d->FCanvasScale != 1) {
        d->FCanvasScale = 1;
        if (d->FPicture.HoldsBitmap())
            d->FPicture.Bitmap()->Canvas()->SetScale(1);
    }
    StorePixelRatio(ratio);
}

void TImage::StorePixelRatio(double ratio) {
    if (ratio == d->FPixelRatio)
        return;
    d->FPixelRatio = ratio;
    update();
}

void TImage::SetCanvasScale(int scale) {
    scale = std::clamp(scale, 1, TCanvas::kMaxScale);
    StorePixelRatio(scale);
    if (scale == d->FCanvasScale)
        return;
    d->FCanvasScale = scale;
    if (d->FPicture.HoldsBitmap())
        d->FPicture.Bitmap()->Canvas()->SetScale(scale);
}

int DevicePixels(int length, double ratio) {
    const double pixels = std::ceil(double(length) * ratio - 1e-6);
    return int(std::clamp(pixels, 0.0, double(std::numeric_limits<int>::max() / 2)));
}

int TImage::DeviceWidth() const { return DevicePixels(width(), d->FPixelRatio); }

int TImage::DeviceHeight() const { return DevicePixels(height(), d->FPixelRatio); }

void TImage::RepaintNow() {
    if (isVisible() && window()->windowHandle())
        repaint();
}

// Many canvas calls a frame: one repaint request until the next paint.
void TImage::PictureChanging() {
    if (d->FAutoSize && d->FPicture.Graphic() && !d->FPicture.Graphic()->Empty())
        resize(d->FPicture.Width(), d->FPicture.Height());
    if (!d->FUpdatePending && isVisible()) {
        d->FUpdatePending = true;
        update();
    }
    emit PictureChanged();
}

void TImage::paintEvent(QPaintEvent*) {
    d->FUpdatePending = false;
    GuardEvent(this, [this] { PaintPicture(); });
}

void TImage::PaintPicture() {
    const TGraphic* graphic = d->FPicture.Graphic();
    if (!graphic || graphic->Empty()) {
        if (Designing())
            PaintDesignOutline();
        return;
    }
    QPainter painter(this);
    if (d->FPixelRatio != 1) {
        PaintDevicePixels(painter, *graphic);
        return;
    }
    QRect target(0, 0, graphic->Width(), graphic->Height());
    if (d->FStretch)
        target = rect();
    else if (d->FCenter)
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
    const QRectF target(0, 0, image.width() / d->FPixelRatio, image.height() / d->FPixelRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, d->FPixelRatio != painter.device()->devicePixelRatioF());
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
    d->FPressed = true;
    const QPoint p = event->position().toPoint();
    GuardEvent(this, [&] { DoMouseDown(MouseButtonOf(event), ShiftStateOf(event), p.x(), p.y()); });
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool click = d->FPressed && rect().contains(p) && event->button() == Qt::LeftButton;
    d->FPressed = false;
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

TPicture* TImage::Picture() { return &d->FPicture; }
const TPicture* TImage::Picture() const { return &d->FPicture; }
bool TImage::AutoSize() const { return d->FAutoSize; }
bool TImage::Center() const { return d->FCenter; }
bool TImage::Stretch() const { return d->FStretch; }
double TImage::PixelRatio() const { return d->FPixelRatio; }
int TImage::CanvasScale() const { return d->FCanvasScale; }

}  // namespace Tallwick
