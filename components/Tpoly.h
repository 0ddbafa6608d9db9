#pragma once
/// \class Tallwick::TPoly
/// TPoly: one filled polygon whose vertices lie evenly spaced on a circle centred in the image
/// (a regular polygon with Count corners turned by Rotation degrees), or, in Manual mode, wherever
/// the OnGetPointValue handler puts them; plus questions about its outline: the length of an edge
/// or of the whole contour, the point at a fraction of the contour and the vertex nearest to it.
///
/// The contour operations take the centre and radius as arguments; called with ValueXc(), ValueYc()
/// and ValueR() they describe the polygon on screen. Vertex indices are taken modulo Count and
/// fractions are wrapped into 0 .. 1 (1.25 is 0.25, -0.25 is 0.75). With Count 0 or less there is
/// no polygon: edges and contour have length 0, ContPoint gives the centre and ContPointGet -1.
#include <Tallwick/Color.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Types.h>

#include <functional>
#include <vector>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TPoly : public TPnlImg {
    Q_OBJECT
    /// Colour around the polygon.
    Q_PROPERTY(QColor ColorBack READ ColorBackQColor WRITE SetColorBackQColor NOTIFY ColorBackChanged)
    /// ColorBack as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorBackValue READ ColorBackValue WRITE SetColorBackValue NOTIFY ColorBackChanged)
    /// Fill colour of the polygon.
    Q_PROPERTY(QColor ColorBrush READ ColorBrushQColor WRITE SetColorBrushQColor NOTIFY ColorBrushChanged)
    /// ColorBrush as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorBrushValue READ ColorBrushValue WRITE SetColorBrushValue NOTIFY ColorBrushChanged)
    /// Colour of the polygon's outline.
    Q_PROPERTY(QColor ColorPen READ ColorPenQColor WRITE SetColorPenQColor NOTIFY ColorPenChanged)
    /// ColorPen as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorPenValue READ ColorPenValue WRITE SetColorPenValue NOTIFY ColorPenChanged)
    /// Number of corners; 0 or less draws no polygon.
    Q_PROPERTY(int Count READ Count WRITE SetCount NOTIFY CountChanged)
    /// Whether OnGetPointValue places the corners instead of the regular layout.
    Q_PROPERTY(bool Manual READ Manual WRITE SetManual NOTIFY ManualChanged)
    /// Turn of the regular polygon in degrees.
    Q_PROPERTY(double Rotation READ Rotation WRITE SetRotation NOTIFY RotationChanged)
    /// Width of the outline in pixels.
    Q_PROPERTY(int WidthPen READ WidthPen WRITE SetWidthPen NOTIFY WidthPenChanged)
public:
    using TBeforeDrawEvent = std::function<void(QObject* Sender, int xc, int yc, double r)>;
    using TGetPointValueEvent = std::function<void(QObject* Sender, int i, int xc, int yc, double r, TPoint* P)>;

    static constexpr int kStoredCount = 5;

    explicit TPoly(QWidget* owner = nullptr);
    ~TPoly() override;

    /// Colour around the polygon.
    ///@{
    TColor ColorBack() const;
    void SetColorBack(TColor value);
    ///@}
    /// Fill colour of the polygon.
    ///@{
    TColor ColorBrush() const;
    void SetColorBrush(TColor value);
    ///@}
    /// Colour of the polygon's outline.
    ///@{
    TColor ColorPen() const;
    void SetColorPen(TColor value);
    ///@}
    /// Number of corners; 0 or less draws no polygon.
    ///@{
    int Count() const;
    void SetCount(int value);
    ///@}
    /// The stored default of Count is 5, not the random initial value: a form writer leaves out a
    /// Count of 5, so such a form comes back with a fresh random count. (Qt 6 takes no function
    /// for a property's STORED attribute; writers ask here.)
    bool IsCountStored() const;
    /// Whether OnGetPointValue places the corners instead of the regular layout.
    ///@{
    bool Manual() const;
    void SetManual(bool value);
    ///@}
    /// Turn of the regular polygon in degrees.
    ///@{
    double Rotation() const;
    void SetRotation(double value);
    ///@}
    /// Width of the outline in pixels.
    ///@{
    int WidthPen() const;
    void SetWidthPen(int value);
    ///@}
    TALLWICK_COLOR_ACCESSORS(ColorBack)
    TALLWICK_COLOR_ACCESSORS(ColorBrush)
    TALLWICK_COLOR_ACCESSORS(ColorPen)

    /// Runs after the polygon is drawn, so the owner can draw over it.
    TBeforeDrawEvent OnBeforeDraw;
    /// Manual mode: writes vertex i's pixel position into *P, which holds the vertex's automatic
    /// position when the handler is called; a handler that leaves it keeps that position.
    TGetPointValueEvent OnGetPointValue;

    /// Repaints the whole image; also the inner panel's resize handler.
    void Draw(QObject* Sender = nullptr);
    TPoint PointValue(int i, int xc, int yc, double r);
    void PointValueManual(int i, int xc, int yc, double r, TPoint* P);
    double ContLenI(int i, int xc, int yc, double r);
    double ContLen(int xc, int yc, double r);
    TPoint ContPoint(double f, int xc, int yc, double r);
    int ContPointGet(double f, int xc, int yc, double r);
    int ValueXc() const;
    int ValueYc() const;
    double ValueR() const;

    // Layout: a small square, any size allowed down to a few pixels.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void Register();

signals:
    /// Emitted when ColorBack (and ColorBackValue) changes.
    void ColorBackChanged();
    /// Emitted when ColorBrush (and ColorBrushValue) changes.
    void ColorBrushChanged();
    /// Emitted when ColorPen (and ColorPenValue) changes.
    void ColorPenChanged();
    /// Emitted when Count changes.
    void CountChanged();
    /// Emitted when Manual changes.
    void ManualChanged();
    /// Emitted when Rotation changes.
    void RotationChanged();
    /// Emitted when WidthPen changes.
    void WidthPenChanged();
    void aboutToDraw(QObject* Sender, int xc, int yc, double r);
    void pointValueRequested(QObject* Sender, int i, int xc, int yc, double r, Tallwick::TPoint* P);

private:
    TPoint AutomaticPoint(int i, int xc, int yc, double r) const;
    int Wrap(int i) const;
    /// The walk along the contour shared by ContPoint and ContPointGet: the edge holding the point
    /// at fraction f and the part t of that edge still ahead of the point. False without a contour.
    bool ContWalk(double f, int xc, int yc, double r, int& edge, double& t);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
