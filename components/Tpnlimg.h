#pragma once
/// \class Tallwick::TPnlImg
/// TPnlImg: a bevelled panel carrying an image surface that fills its inside, optionally with a
/// horizontal and a vertical scroll bar along the bottom and right edges. The image's mouse events,
/// the scroll bars' changes and the resizes of the inside reach users as the panel's own events,
/// with the panel as the sender. The base of TEscala, TPoly and TVexProgress, which draw into its
/// image surface.
///
/// Layout with scroll bars: a 13-pixel bar panel along the bottom spans the full width and holds a
/// 15-pixel corner panel at its right end and the horizontal bar; a 13-pixel bar panel along the
/// right stands above it and holds the vertical bar. The image fills the rest.
#include <Tallwick/CustomPanel.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Types.h>
#include <memory>

class QScrollBar;

namespace Tallwick {

class TALLWICK_EXPORT TPnlImg : public TCustomPanel {
    Q_OBJECT
    // The image surface's cursor (the bevels keep the panel's own).
    Q_PROPERTY(int Cursor READ GetCursor WRITE SetCursor NOTIFY CursorChanged)
    /// Whether the horizontal and vertical scroll bars are shown.
    Q_PROPERTY(bool ScrollBars READ ScrollBars WRITE SetScrollBars NOTIFY ScrollBarsChanged)
public:
    explicit TPnlImg(QWidget* owner = nullptr);
    ~TPnlImg() override;

    TVexImage* Image() const;
    TCustomPanel* InnerPanel() const;
    /// The two bars while ScrollBars is on (null otherwise), so that users can read and set their
    /// positions and ranges. Both run from 0 to 100, small step 1, large step 10, at creation.
    QScrollBar* ScrollBarH() const;
    QScrollBar* ScrollBarV() const;

    TCursor GetCursor() const;
    void SetCursor(TCursor value);
    /// Whether the horizontal and vertical scroll bars are shown.
    ///@{
    bool ScrollBars() const;
    void SetScrollBars(bool value);
    ///@}

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnScrollBarHChange;
    TNotifyEvent OnScrollBarVChange;
    /// The inside of the component was resized. Descendants that redraw on a resize do so before
    /// this handler runs, so users may assign it freely.
    TNotifyEvent OnResize;

    void ImageClick(QObject* Sender);
    void ImageDblClick(QObject* Sender);
    void ImageMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImageMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void ImageMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ScrollBarHChange(QObject* Sender);
    void ScrollBarVChange(QObject* Sender);
    /// The inner panel's resize handler: brings the image's bitmap to its size, lets a descendant
    /// redraw (ResizeContent), then raises OnResize and the signal resized. (The panel's own
    /// resize notification of the same names, for the outer size, is taken by the component.)
    void PanelResize(QObject* Sender);

    static void Register();

signals:
    /// Emitted when ScrollBars changes.
    void ScrollBarsChanged();
    void clicked(QObject* Sender);
    void doubleClicked(QObject* Sender);
    void mousePressed(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    void mouseReleased(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    void mouseMoved(QObject* Sender, Tallwick::TShiftState Shift, int X, int Y);
    void scrollBarHChanged(QObject* Sender);
    void scrollBarVChanged(QObject* Sender);

protected:
    /// The outer resize raises nothing itself: the inside follows, and its resize raises OnResize.
    void resizeEvent(QResizeEvent* event) override;
    /// The outer size that gives the image `inside`: bevels, borders and scroll bars added.
    QSize WithFrame(QSize inside) const;
    /// Tells the layout when the size hint of a descendant has changed since it last asked.
    void HintMaybeChanged();
    /// Called by PanelResize after the bitmap follows the image's size: a descendant's own redraw.
    virtual void ResizeContent() {}
    /// Detaches the inner panel's resize notification, for destructors of descendants whose
    /// handlers must not run on a half-destroyed object.
    void StopResizeNotifications();

private:
    void ScrollBarsCreate();
    void ScrollBarsDelete();
    TCustomPanel* NewEdgePanel(QWidget* parent, TAlign align, int size);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
