#pragma once
/// \class Tallwick::TControl
/// The framework's control: the properties every visible component publishes (position and size,
/// alignment, cursor, hint, visibility, enabled state, tag), each a Qt property whose NOTIFY signal
/// fires once per real change, whatever made the change (a setter, a layout, the user).
#include <Tallwick/ControlAlign.h>
#include <Tallwick/Cursors.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <QWidget>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TControl : public QWidget {
    Q_OBJECT
    /// Distance in pixels from the parent's left edge.
    Q_PROPERTY(int Left READ Left WRITE SetLeft NOTIFY LeftChanged)
    /// Distance in pixels from the parent's top edge.
    Q_PROPERTY(int Top READ Top WRITE SetTop NOTIFY TopChanged)
    /// Width in pixels; negative values count as 0.
    Q_PROPERTY(int Width READ Width WRITE SetWidth NOTIFY WidthChanged)
    /// Height in pixels; negative values count as 0.
    Q_PROPERTY(int Height READ Height WRITE SetHeight NOTIFY HeightChanged)
    /// Where the control sits in its parent: nowhere in particular, or along an edge or filling it.
    Q_PROPERTY(Tallwick::TAlign Align READ Align WRITE SetAlign NOTIFY AlignChanged)
    /// Number of the mouse cursor over the control (one of the library's cursor slots).
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor NOTIFY CursorChanged)
    /// Text shown as the control's tooltip.
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint NOTIFY HintChanged)
    /// True unless hidden on purpose.
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible NOTIFY VisibleChanged)
    /// Whether the control takes mouse and keyboard input.
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled NOTIFY EnabledChanged)
    /// A number kept for the owner's use.
    Q_PROPERTY(int Tag READ Tag WRITE SetTag NOTIFY TagChanged)
public:
    explicit TControl(QWidget* parent = nullptr);
    ~TControl() override;

    /// Distance in pixels from the parent's left edge.
    ///@{
    int Left() const { return x(); }
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    ///@}
    /// Distance in pixels from the parent's top edge.
    ///@{
    int Top() const { return y(); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    ///@}
    /// Width in pixels; negative values count as 0.
    ///@{
    int Width() const { return width(); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    ///@}
    /// Height in pixels; negative values count as 0.
    ///@{
    int Height() const { return height(); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    ///@}
    /// Negative sizes count as 0. Aligned children follow at once, shown or not.
    void SetBounds(int left, int top, int width, int height);
    TRect GetClientRect() const { return Rect(0, 0, width(), height()); }

    /// Where the control sits in its parent: nowhere in particular, or along an edge or filling it.
    ///@{
    TAlign Align() const;
    void SetAlign(TAlign align);
    ///@}
    /// Number of the mouse cursor over the control (one of the library's cursor slots).
    ///@{
    TCursor Cursor() const;
    void SetCursor(TCursor cursor);
    ///@}
    /// The hint shows as the control's tooltip.
    const QString& Hint() const;
    void SetHint(const QString& hint);
    /// True unless hidden on purpose. A control without a parent counts as visible, as a new one
    /// is, until SetVisible(false), although Qt calls it hidden as long as it was never shown.
    bool Visible() const;
    void SetVisible(bool visible);
    /// Whether the control takes mouse and keyboard input.
    ///@{
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value);
    ///@}
    /// A number kept for the owner's use.
    int Tag() const;
    void SetTag(int value);

signals:
    /// Emitted when Left changes.
    void LeftChanged();
    /// Emitted when Top changes.
    void TopChanged();
    /// Emitted when Width changes.
    void WidthChanged();
    /// Emitted when Height changes.
    void HeightChanged();
    /// Emitted when Align changes.
    void AlignChanged();
    /// Emitted when Cursor changes.
    void CursorChanged();
    /// Emitted when Hint changes.
    void HintChanged();
    /// Emitted when Visible changes.
    void VisibleChanged();
    /// Emitted when Enabled changes.
    void EnabledChanged();
    /// Emitted when Tag changes.
    void TagChanged();

protected:
    /// True while the control sits on a form being edited in Qt Designer (not in its preview, not
    /// in a program): what the control shows only to the form's designer depends on it.
    bool Designing() const;
    /// The redraw of a property that changes only the look: a repaint request.
    void Repaint() { update(); }

    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
