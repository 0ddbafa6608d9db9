#pragma once
/// \class Tallwick::TEscala
/// TEscala: a colour scale (legend). A colour band from Minimum to Maximum, either a gradient
/// between two colours (egTwo) or a fixed blue-green-red scale (egThree), with TextInterval + 2
/// evenly spaced labels beside it, horizontal or vertical. ValueToColor gives any value's colour on
/// the same scale, so a plot can colour its data as the legend does; DrawMarkVertical marks one
/// value beside a vertical band. Labels are formatted with the format picture Format (",0.000":
/// thousands separators and three decimals, in the locale's separators).
///
/// The panel's Color is the scale's background and its Font the labels' font; changing either
/// redraws the scale. (The scale's Alignment, its placement in the parent, stands in for the
/// panel's caption alignment of the same name, which a scale has no use for.)
///
/// The whole scale is repainted by every setter that changes a value and on every resize; a range
/// with Maximum not above Minimum paints nothing and leaves the last picture.
#include <Tallwick/Color.h>
#include <Tallwick/FontProperty.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Tpnlimg.h>

#include <QFont>
#include <QString>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TEscala : public TPnlImg {
    Q_OBJECT
    /// Whether the scale's thickness follows its margins, band and labels.
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize NOTIFY AutoSizeChanged)
    /// Thickness of the colour band in pixels (0 to kMaxPixels).
    Q_PROPERTY(int BandWidth READ BandWidth WRITE SetBandWidth NOTIFY BandWidthChanged)
    /// Format picture of the labels, such as ",0.000".
    Q_PROPERTY(QString Format READ Format WRITE SetFormat NOTIFY FormatChanged)
    /// Colour at Minimum of a two-colour scale (egTwo).
    Q_PROPERTY(QColor GradColor1 READ GradColor1QColor WRITE SetGradColor1QColor NOTIFY GradColor1Changed)
    /// GradColor1 as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint GradColor1Value READ GradColor1Value WRITE SetGradColor1Value NOTIFY GradColor1Changed)
    /// Colour at Maximum of a two-colour scale (egTwo).
    Q_PROPERTY(QColor GradColor2 READ GradColor2QColor WRITE SetGradColor2QColor NOTIFY GradColor2Changed)
    /// GradColor2 as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint GradColor2Value READ GradColor2Value WRITE SetGradColor2Value NOTIFY GradColor2Changed)
    /// Width of the value steps the band's colour changes in; 0 gives a smooth band.
    Q_PROPERTY(double Interval READ Interval WRITE SetInterval NOTIFY IntervalChanged)
    /// Space in pixels around the band and the labels (0 to kMaxPixels).
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin NOTIFY MarginChanged)
    /// Value at the top (vertical) or right (horizontal) end of the band.
    Q_PROPERTY(double Maximum READ Maximum WRITE SetMaximum NOTIFY MaximumChanged)
    /// Value at the other end of the band.
    Q_PROPERTY(double Minimum READ Minimum WRITE SetMinimum NOTIFY MinimumChanged)
    /// Number of labels between the two end labels.
    Q_PROPERTY(int TextInterval READ TextInterval WRITE SetTextInterval NOTIFY TextIntervalChanged)
    /// Orientation before Alignment: a docked scale's orientation follows the docking.
    Q_PROPERTY(TEscalaOrientation Orientation READ Orientation WRITE SetOrientation NOTIFY OrientationChanged)
    /// Placement of the scale in its parent.
    Q_PROPERTY(TEscalaAlignment Alignment READ Alignment WRITE SetAlignment NOTIFY AlignmentChanged)
    /// Two-colour gradient (egTwo) or the fixed blue-green-red scale (egThree).
    Q_PROPERTY(TEscalaGraduation Graduation READ Graduation WRITE SetGraduation NOTIFY GraduationChanged)
    /// Band before the labels (epNormal) or after them (epInverse).
    Q_PROPERTY(TEscalaPosition Position READ Position WRITE SetPosition NOTIFY PositionChanged)
    /// Font of the labels.
    Q_PROPERTY(QFont Font READ FontQFont WRITE SetFontQFont NOTIFY FontChanged)
public:
    enum TEscalaAlignment { eaNone, eaBottom, eaCentered, eaHCentered, eaLeft, eaRight, eaTop, eaVCentered };
    Q_ENUM(TEscalaAlignment)
    enum TEscalaGraduation { egTwo, egThree };
    Q_ENUM(TEscalaGraduation)
    enum TEscalaOrientation { eoHorizontal, eoVertical };
    Q_ENUM(TEscalaOrientation)
    enum TEscalaPosition { epNormal, epInverse };
    Q_ENUM(TEscalaPosition)

    /// More labels than this would only overprint one another.
    static constexpr int kMaxTextInterval = 10000;
    /// Margin and BandWidth are kept within 0 .. kMaxPixels.
    static constexpr int kMaxPixels = 65535;

    explicit TEscala(QWidget* owner = nullptr);
    ~TEscala() override;

    /// Whether the scale's thickness follows its margins, band and labels.
    ///@{
    bool AutoSize() const;
    void SetAutoSize(bool value);
    ///@}
    /// Thickness of the colour band in pixels (0 to kMaxPixels).
    ///@{
    int BandWidth() const;
    void SetBandWidth(int value);
    ///@}
    /// Format picture of the labels, such as ",0.000".
    ///@{
    const QString& Format() const;
    void SetFormat(const QString& value);
    ///@}
    /// Colour at Minimum of a two-colour scale (egTwo).
    ///@{
    TColor GradColor1() const;
    void SetGradColor1(TColor value);
    ///@}
    /// Colour at Maximum of a two-colour scale (egTwo).
    ///@{
    TColor GradColor2() const;
    void SetGradColor2(TColor value);
    ///@}
    /// Width of the value steps the band's colour changes in; 0 gives a smooth band.
    ///@{
    double Interval() const;
    /// Refused (nothing happens) when negative, not below the range, or not a number.
    void SetInterval(double value);
    ///@}
    /// Space in pixels around the band and the labels (0 to kMaxPixels).
    ///@{
    int Margin() const;
    void SetMargin(int value);
    ///@}
    /// Value at the top (vertical) or right (horizontal) end of the band.
    ///@{
    double Maximum() const;
    void SetMaximum(double value);
    ///@}
    /// Value at the other end of the band.
    ///@{
    double Minimum() const;
    void SetMinimum(double value);
    ///@}
    /// Both at once; refused when max <= min.
    void SetMaxMin(double max, double min);
    /// Number of labels between the two end labels.
    ///@{
    int TextInterval() const;
    /// Negative values are refused; values above kMaxTextInterval are taken as kMaxTextInterval.
    void SetTextInterval(int value);
    ///@}
    /// Placement of the scale in its parent.
    ///@{
    TEscalaAlignment Alignment() const;
    void SetAlignment(TEscalaAlignment value);
    ///@}
    /// Two-colour gradient (egTwo) or the fixed blue-green-red scale (egThree).
    ///@{
    TEscalaGraduation Graduation() const;
    void SetGraduation(TEscalaGraduation value);
    ///@}
    /// Orientation before Alignment: a docked scale's orientation follows the docking.
    ///@{
    TEscalaOrientation Orientation() const;
    void SetOrientation(TEscalaOrientation value);
    ///@}
    /// Band before the labels (epNormal) or after them (epInverse).
    ///@{
    TEscalaPosition Position() const;
    void SetPosition(TEscalaPosition value);
    ///@}
    /// Label font; a change redraws the scale.
    const TFont& Font() { return TPnlImg::Font(); }
    void SetFont(const TFont& value);
    QFont FontQFont() { return FontToQFont(TPnlImg::Font()); }
    void SetFontQFont(const QFont& value);
    TALLWICK_COLOR_ACCESSORS(GradColor1)
    TALLWICK_COLOR_ACCESSORS(GradColor2)

    void Draw();
    void EscalaResize(QObject* Sender);
    void PaintHorizontal();
    void PaintVertical();
    /// The colour of a value on this scale (values outside the range take the colour of the
    /// nearer end). A range of width 0 gives the colour of Minimum.
    TColor ValueToColor(double value) const;
    /// Marks a value with a short black line beside a vertical band; a value outside the range,
    /// or an empty range, only clears the mark strip.
    void DrawMarkVertical(double value);

    // Layout: across, the thickness AutoSize gives (the band and the widest label); along, room
    // for every label without overprinting (minimum) or with space between them (hint).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void Register();

signals:
    /// Emitted when AutoSize changes.
    void AutoSizeChanged();
    /// Emitted when BandWidth changes.
    void BandWidthChanged();
    /// Emitted when Format changes.
    void FormatChanged();
    /// Emitted when GradColor1 (and GradColor1Value) changes.
    void GradColor1Changed();
    /// Emitted when GradColor2 (and GradColor2Value) changes.
    void GradColor2Changed();
    /// Emitted when Interval changes.
    void IntervalChanged();
    /// Emitted when Margin changes.
    void MarginChanged();
    /// Emitted when Maximum changes.
    void MaximumChanged();
    /// Emitted when Minimum changes.
    void MinimumChanged();
    /// Emitted when TextInterval changes.
    void TextIntervalChanged();
    /// Emitted when Alignment changes.
    void AlignmentChanged();
    /// Emitted when Graduation changes.
    void GraduationChanged();
    /// Emitted when Orientation changes.
    void OrientationChanged();
    /// Emitted when Position changes.
    void PositionChanged();
    /// Emitted when Font changes.
    void FontChanged();

protected:
    void ResizeContent() override;

private:
    QString Label(double value) const;
    // The widest and the highest of the Maximum and Minimum labels in the label font.
    QSize LabelExtent() const;
    // Thickness across and inside length along the scale, with `gap` pixels between labels.
    QSize Hint(int gap) const;
    // A hint (thickness, length) as the widget's size at the scale's orientation.
    QSize Oriented(QSize hint) const;
    void UpdateSizePolicy();
    void PlaceInParent();
    void MeasureLabels();
    void PaintBandHorizontal();
    void PaintBandVertical();
    void PaintTextHorizontal();
    void PaintTextVertical();
    void ApplyAutoSize(int thickness, bool horizontal);
    /// The value drawn at position i of a band of length `length` (Max at i = 0 when reversed).
    double BandValue(int i, int length, bool reversed) const;
    double BandValueAt(double position, int length, bool reversed) const;

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
