#pragma once
// The framework's custom panel: a control with an outer and an inner bevel, a border, a caption
// and a face colour. Children aligned in it keep clear of the bevels and the border.
#include <Tallwick/Color.h>
#include <Tallwick/Control.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Font.h>
#include <Tallwick/Types.h>

#include <QWidget>

namespace Tallwick {

class TALLWICK_EXPORT TCustomPanel : public TControl {
    Q_OBJECT
    Q_PROPERTY(Tallwick::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner NOTIFY BevelInnerChanged)
    Q_PROPERTY(Tallwick::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter NOTIFY BevelOuterChanged)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth NOTIFY BorderWidthChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged)
    Q_PROPERTY(QColor Color READ ColorQColor WRITE SetColorQColor NOTIFY ColorChanged)
    Q_PROPERTY(uint ColorValue READ ColorValue WRITE SetColorValue NOTIFY ColorChanged)
    Q_PROPERTY(Tallwick::TAlignment Alignment READ Alignment WRITE SetAlignment NOTIFY AlignmentChanged)
public:
    explicit TCustomPanel(QWidget* parent = nullptr);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    // At least 1; smaller values are ignored.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // At least 0; negative values are ignored.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TALLWICK_COLOR_ACCESSORS(Color)
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }

    // The panel's own resize notification (called after every size change), then the signal
    // resized.
    TNotifyEvent OnResize;

signals:
    void BevelInnerChanged();
    void BevelOuterChanged();
    void BevelWidthChanged();
    void BorderWidthChanged();
    void CaptionChanged();
    void ColorChanged();
    void AlignmentChanged();
    void resized(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateMargins();
    void Relayout();  // margins for the bevels, then a repaint
    void PaintFace();

    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    QString FCaption;
    TColor FColor = clBtnFace;
    TAlignment FAlignment = taCenter;
    TFont FFont;
};

}  // namespace Tallwick
