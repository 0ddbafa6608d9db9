#pragma once
/// \file
/// The framework's image control: a windowless-looking widget that shows a picture at its top-left
/// (or centred, or stretched) and offers a canvas on the picture's bitmap. A new control is
/// 105 x 105 with an empty picture; drawing through the canvas repaints it by itself, writing
/// pixels straight into bitmap rows does not.
///
/// Qt face: AutoSize, Center, Stretch and Picture (as a QPixmap, so Designer can set one) are
/// properties; the events OnClick, OnDblClick, OnMouseDown, OnMouseUp and OnMouseMove are also the
/// signals clicked, doubleClicked, mousePressed, mouseReleased and mouseMoved, emitted right after
/// the handler slot is called.
#include <Tallwick/Control.h>
#include <Tallwick/Picture.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <QPixmap>
#include <memory>

class QPainter;

namespace Tallwick {

class TCanvas;

class TALLWICK_EXPORT TImage : public TControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize NOTIFY AutoSizeChanged)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter NOTIFY CenterChanged)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch NOTIFY StretchChanged)
    Q_PROPERTY(QPixmap Picture READ PicturePixmap WRITE SetPicturePixmap NOTIFY PictureChanged)
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    /// The canvas of the picture's bitmap; an empty picture first gets a bitmap of the control's
    /// size. Fails with "Can only modify an image if it contains a bitmap" for other graphics.
    TCanvas* Canvas();
    TPicture* Picture();
    const TPicture* Picture() const;
    /// The picture as Qt shows it (a null pixmap when empty), and a picture from a Qt pixmap (a
    /// 24-bit bitmap; a null pixmap empties the picture).
    QPixmap PicturePixmap() const;
    void SetPicturePixmap(const QPixmap& pixmap);

    bool AutoSize() const;
    void SetAutoSize(bool value);
    bool Center() const;
    void SetCenter(bool value);
    bool Stretch() const;
    void SetStretch(bool value);

    /// Draws the control at once when it is visible and its window exists; otherwise nothing.
    void RepaintNow();

    /// Bitmap pixels per control pixel. At 1, the default, a bitmap pixel is a control pixel, as
    /// every component draws. A surface that draws at the screen's own resolution sets the
    /// window's device pixel ratio here: a bitmap made for the control is then DeviceWidth() x
    /// DeviceHeight() pixels, and a bitmap is shown on the screen one to one, its pixels the
    /// device's, rather than enlarged. Values outside 1/16 to 16 (or not numbers) are ignored.
    /// Setting a ratio here says the caller draws in bitmap pixels itself: the canvas scale goes
    /// back to 1.
    double PixelRatio() const;
    void SetPixelRatio(double ratio);
    /// The control's size in bitmap pixels: its size times the ratio, rounded up.
    int DeviceWidth() const;
    int DeviceHeight() const;
    // A canvas that draws in control pixels at a whole ratio k (1 to TCanvas::kMaxScale): the
    // pixel ratio becomes k and the bitmap's canvas maps each control pixel onto k x k bitmap
    // pixels (see TCanvas's scale). Shown on a screen of another ratio (1.5, say), the bitmap is
    // scaled smoothly onto the screen's pixels.
    int CanvasScale() const;
    void SetCanvasScale(int scale);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

signals:
    void AutoSizeChanged();
    void CenterChanged();
    void StretchChanged();
    /// Any change of the picture: a new graphic, or drawing on its canvas.
    void PictureChanged();
    void clicked(QObject* Sender);
    void doubleClicked(QObject* Sender);
    void mousePressed(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    void mouseReleased(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    void mouseMoved(QObject* Sender, Tallwick::TShiftState Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    /// The events as the control raises them: handler slot first, then the signal.
    void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DoMouseMove(TShiftState shift, int x, int y);
    void DoClick();
    void DoDblClick();

private:
    void PictureChanging();
    void PaintPicture();
    void PaintDesignOutline();
    void PaintDevicePixels(QPainter& painter, const TGraphic& graphic);
    void StorePixelRatio(double ratio);

    class Private;
    std::unique_ptr<Private> d;
};

/// `length` control pixels in bitmap pixels at `ratio`, rounded up (a hair of rounding error in the
/// product is not a pixel more).
TALLWICK_EXPORT int DevicePixels(int length, double ratio);

/// Mouse details of a Qt event in the framework's terms.
TALLWICK_EXPORT TMouseButton MouseButtonOf(const QMouseEvent* event);
TALLWICK_EXPORT TShiftState ShiftStateOf(const QMouseEvent* event);

}  // namespace Tallwick
