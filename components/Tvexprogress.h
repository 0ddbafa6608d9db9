#pragma once
/// \class Tallwick::TVexProgress
/// TVexProgress: a progress bar painted as a colour gradient, horizontal or vertical, with the
/// percentage written across it in inverted colours. In the ordinary mode the filled part grows
/// from one end (Color1 there, Color2 at the position) and the rest shows BackColor; in the timer
/// mode (IsTimer) two gradients meet in Color2 at the position and StepIt moves the position back
/// and forth between the bounds.
///
/// Min < Max always holds. Position stays within [Min, Max], also when Min or Max change, except
/// that a timer-mode step may carry it past a bound by less than one step. The label is the
/// position's share of the range: 0 % at Min, 100 % at Max.
#include <Tallwick/Color.h>
#include <Tallwick/Font.h>
#include <Tallwick/FontProperty.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Tpnlimg.h>

#include <QFont>
#include <cstdint>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TVexProgress : public TPnlImg {
    Q_OBJECT
    /// Colour of the part not yet filled (ordinary mode).
    Q_PROPERTY(QColor BackColor READ BackColorQColor WRITE SetBackColorQColor NOTIFY BackColorChanged)
    /// BackColor as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint BackColorValue READ BackColorValue WRITE SetBackColorValue NOTIFY BackColorChanged)
    /// Colour of the gradient at the start of the bar (ordinary mode) or at both bounds (timer mode).
    Q_PROPERTY(QColor Color1 READ Color1QColor WRITE SetColor1QColor NOTIFY Color1Changed)
    /// Color1 as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint Color1Value READ Color1Value WRITE SetColor1Value NOTIFY Color1Changed)
    /// Colour of the gradient at the position.
    Q_PROPERTY(QColor Color2 READ Color2QColor WRITE SetColor2QColor NOTIFY Color2Changed)
    /// Color2 as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint Color2Value READ Color2Value WRITE SetColor2Value NOTIFY Color2Changed)
    /// Font of the percentage label.
    Q_PROPERTY(QFont Font READ FontQFont WRITE SetFontQFont NOTIFY FontChanged)
    /// Timer mode: two gradients meet at the position, and StepIt moves it back and forth.
    Q_PROPERTY(bool IsTimer READ IsTimer WRITE SetIsTimer NOTIFY IsTimerChanged)
    /// Upper bound of the position; always above Min.
    Q_PROPERTY(int Max READ Max WRITE SetMax NOTIFY MaxChanged)
    /// Lower bound of the position; always below Max.
    Q_PROPERTY(int Min READ Min WRITE SetMin NOTIFY MinChanged)
    /// The value shown, from Min to Max; the label is its share of the range.
    Q_PROPERTY(int Position READ Position WRITE SetPosition NOTIFY PositionChanged)
    /// Whether the percentage is written across the bar.
    Q_PROPERTY(bool ShowValue READ ShowValue WRITE SetShowValue NOTIFY ShowValueChanged)
    /// Horizontal (filling from the left) or vertical (filling from the bottom).
    Q_PROPERTY(TVexProgressOrientation Orientation READ Orientation WRITE SetOrientation NOTIFY OrientationChanged)
public:
    enum TVexProgressOrientation { vpoHorizontal, vpoVertical };
    Q_ENUM(TVexProgressOrientation)

    explicit TVexProgress(QWidget* owner = nullptr);
    ~TVexProgress() override;

    /// Colour of the part not yet filled (ordinary mode).
    ///@{
    TColor BackColor() const;
    void SetBackColor(TColor value);
    ///@}
    /// Colour of the gradient at the start of the bar (ordinary mode) or at both bounds (timer mode).
    ///@{
    TColor Color1() const;
    void SetColor1(TColor value);
    ///@}
    /// Colour of the gradient at the position.
    ///@{
    TColor Color2() const;
    void SetColor2(TColor value);
    ///@}
    /// Font of the percentage label.
    ///@{
    const TFont& Font() const;
    void SetFont(const TFont& value);
    ///@}
    QFont FontQFont() const;
    void SetFontQFont(const QFont& value);
    /// Timer mode: two gradients meet at the position, and StepIt moves it back and forth.
    ///@{
    bool IsTimer() const;
    void SetIsTimer(bool value);
    ///@}
    /// Upper bound of the position; always above Min.
    ///@{
    int Max() const;
    /// Refused when not above Min; Position is brought back into the new range.
    void SetMax(int value);
    ///@}
    /// Lower bound of the position; always below Max.
    ///@{
    int Min() const;
    /// Refused when not below Max; Position is brought back into the new range.
    void SetMin(int value);
    ///@}
    /// The value shown, from Min to Max; the label is its share of the range.
    ///@{
    int Position() const;
    /// Values outside the range store the nearer bound.
    void SetPosition(int value);
    ///@}
    /// Whether the percentage is written across the bar.
    ///@{
    bool ShowValue() const;
    void SetShowValue(bool value);
    ///@}
    /// Horizontal (filling from the left) or vertical (filling from the bottom).
    ///@{
    TVexProgressOrientation Orientation() const;
    void SetOrientation(TVexProgressOrientation value);
    ///@}
    TALLWICK_COLOR_ACCESSORS(BackColor)
    TALLWICK_COLOR_ACCESSORS(Color1)
    TALLWICK_COLOR_ACCESSORS(Color2)

    int StepDirection() const;
    /// The label drawn now: the percentage followed by " %".
    QString LabelText() const;

    void Draw();
    void DrawHorizontal();
    void DrawVertical();
    void StepIt() { StepIt(1); }
    void StepIt(int delta);

    // Layout, as a QProgressBar of the label's font gives it: long and as thick as a line of
    // the label, growing along the bar only.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void Register();

signals:
    /// Emitted when BackColor (and BackColorValue) changes.
    void BackColorChanged();
    /// Emitted when Color1 (and Color1Value) changes.
    void Color1Changed();
    /// Emitted when Color2 (and Color2Value) changes.
    void Color2Changed();
    /// Emitted when Font changes.
    void FontChanged();
    /// Emitted when IsTimer changes.
    void IsTimerChanged();
    /// Emitted when Max changes.
    void MaxChanged();
    /// Emitted when Min changes.
    void MinChanged();
    /// Emitted when Position changes.
    void PositionChanged();
    /// Emitted when ShowValue changes.
    void ShowValueChanged();
    /// Emitted when Orientation changes.
    void OrientationChanged();

protected:
    void ResizeContent() override;

private:
    /// The filled extent along an axis of `length` pixels (64-bit: ranges may be wide).
    int Filled(int length) const;
    void StorePosition(std::int64_t value);
    // Thickness and length of the inside, the label's line `extra` pixels thicker.
    QSize InsideHint(int extra) const;
    // A size (length, thickness) at the bar's orientation, with the frame.
    QSize Oriented(QSize inside) const;
    void LayoutChanged();

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
