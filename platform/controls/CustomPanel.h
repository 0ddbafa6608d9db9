#pragma once
/// \class Tallwick::TCustomPanel
/// The framework's custom panel: a control with an outer and an inner bevel, a border, a caption
/// and a face colour. Children aligned in it keep clear of the bevels and the border.
#include <Tallwick/Color.h>
#include <Tallwick/Control.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Font.h>
#include <Tallwick/Types.h>

#include <QWidget>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TCustomPanel : public TControl {
    Q_OBJECT
    /// Cut of the inner bevel (bvNone, bvLowered, bvRaised or bvSpace).
    Q_PROPERTY(Tallwick::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner NOTIFY BevelInnerChanged)
    /// Cut of the outer bevel (bvNone, bvLowered, bvRaised or bvSpace).
    Q_PROPERTY(Tallwick::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter NOTIFY BevelOuterChanged)
    /// Width of each bevel in pixels.
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
    /// Width in pixels of the border between the bevels.
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth NOTIFY BorderWidthChanged)
    /// Text drawn on the panel's face.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged)
    /// Colour of the panel's face.
    Q_PROPERTY(QColor Color READ ColorQColor WRITE SetColorQColor NOTIFY ColorChanged)
    /// Color as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorValue READ ColorValue WRITE SetColorValue NOTIFY ColorChanged)
    /// Where the caption stands on the face.
    Q_PROPERTY(Tallwick::TAlignment Alignment READ Alignment WRITE SetAlignment NOTIFY AlignmentChanged)
public:
    explicit TCustomPanel(QWidget* parent = nullptr);
    ~TCustomPanel() override;

    /// Cut of the inner bevel (bvNone, bvLowered, bvRaised or bvSpace).
    ///@{
    TBevelCut BevelInner() const;
    void SetBevelInner(TBevelCut value);
    ///@}
    /// Cut of the outer bevel (bvNone, bvLowered, bvRaised or bvSpace).
    ///@{
    TBevelCut BevelOuter() const;
    void SetBevelOuter(TBevelCut value);
    ///@}
    /// At least 1; smaller values are ignored.
    int BevelWidth() const;
    void SetBevelWidth(int value);
    /// At least 0; negative values are ignored.
    int BorderWidth() const;
    void SetBorderWidth(int value);
    /// Text drawn on the panel's face.
    ///@{
    const QString& Caption() const;
    void SetCaption(const QString& caption);
    ///@}
    /// Colour of the panel's face.
    ///@{
    TColor Color() const;
    void SetColor(TColor color);
    ///@}
    TALLWICK_COLOR_ACCESSORS(Color)
    /// Where the caption stands on the face.
    ///@{
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    ///@}
    TFont& Font();
    const TFont& Font() const;

    /// The panel's own resize notification (called after every size change), then the signal
    /// resized.
    TNotifyEvent OnResize;

signals:
    /// Emitted when BevelInner changes.
    void BevelInnerChanged();
    /// Emitted when BevelOuter changes.
    void BevelOuterChanged();
    /// Emitted when BevelWidth changes.
    void BevelWidthChanged();
    /// Emitted when BorderWidth changes.
    void BorderWidthChanged();
    /// Emitted when Caption changes.
    void CaptionChanged();
    /// Emitted when Color (and ColorValue) changes.
    void ColorChanged();
    /// Emitted when Alignment changes.
    void AlignmentChanged();
    void resized(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateMargins();
    void Relayout();  ///< margins for the bevels, then a repaint
    void PaintFace();

    friend class TCustomPanelHooks;  // CustomPanelHooks.h, internal: the library's subclasses
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
