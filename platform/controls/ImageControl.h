#pragma once
// The framework's image control: a windowless-looking widget that shows a picture at its top-left
// (or centred, or stretched) and offers a canvas on the picture's bitmap. A new control is
// 105 x 105 with an empty picture; drawing through the canvas repaints it by itself, writing
// pixels straight into bitmap rows does not.
#include "ControlAlign.h"
#include "Cursors.h"
#include "Picture.h"
#include "Types.h"

#include <QWidget>

namespace Tallwick {

class TCanvas;

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    // The canvas of the picture's bitmap; an empty picture first gets a bitmap of the control's
    // size. Fails with "Can only modify an image if it contains a bitmap" for other graphics.
    TCanvas* Canvas();
    TPicture* Picture() { return &FPicture; }

    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetBounds(int left, int top, int width, int height) {
        SetControlBounds(this, QRect(left, top, width, height));
    }
    TRect GetClientRect() const { return Rect(0, 0, width(), height()); }

    TAlign Align() const;
    void SetAlign(TAlign align);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    // True unless hidden on purpose. A control without a parent counts as visible, as a new one
    // is, until SetVisible(false), although Qt calls it hidden as long as it was never shown.
    bool Visible() const {
        if (parentWidget())
            return isVisibleTo(parentWidget());
        return !testAttribute(Qt::WA_WState_ExplicitShowHide) || !isHidden();
    }
    void SetVisible(bool visible);

    // Draws the control at once when it is visible and its window exists; otherwise nothing.
    void RepaintNow();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PictureChanged();

    TPicture FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
    bool FUpdatePending = false;
    bool FPressed = false;
    TCursor FCursor = crDefault;
};

// Mouse details of a Qt event in the framework's terms.
TMouseButton MouseButtonOf(const QMouseEvent* event);
TShiftState ShiftStateOf(const QMouseEvent* event);

}  // namespace Tallwick
