#pragma once
// The framework's custom panel: a control with an outer and an inner bevel, a border, a caption
// and a face colour. Children aligned in it keep clear of the bevels and the border.
#include "Color.h"
#include "ControlAlign.h"
#include "Font.h"
#include "Types.h"

#include <QWidget>

namespace Tallwick {

class TCustomPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomPanel(QWidget* parent = nullptr);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TAlign Align() const;
    void SetAlign(TAlign align);
    TFont& Font() { return FFont; }

    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetWidth(int value) { SetControlBounds(this, QRect(pos(), QSize(value, height()))); }
    void SetHeight(int value) { SetControlBounds(this, QRect(pos(), QSize(width(), value))); }
    void SetBounds(int left, int top, int width, int height) {
        SetControlBounds(this, QRect(left, top, width, height));
    }

    // The panel's own resize notification (called after every size change).
    TNotifyEvent OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateMargins();

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
