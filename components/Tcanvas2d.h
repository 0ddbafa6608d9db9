#pragma once
/// \class Tallwick::TCanvas2D
/// TCanvas2D: a plot of user data in a box of world coordinates (x to the right, y upward), with a
/// framed plot area, tick marks and number labels on all four sides, and zoom and pan with the
/// mouse in animated steps.
///
/// The owner draws its data in OnDraw (or a slot connected to drawRequested) with the world calls
/// Line, Polyline, Point, Triangle and TextOutA. They use the pen, brush and font of ImageCanvas(), which the
/// owner sets first:
///
///     plot->OnDraw = [plot](QObject*) {
///         plot->ImageCanvas()->Pen.Color = clYellow;
///         for (...) plot->Line(x0, y0, x1, y1);
///     };
///
/// Image() is the TVexImage everything is painted on; its bitmap keeps the picture between
/// repaints. Owner code may read and draw on it, but must leave its mouse and double-click handlers
/// alone: the component runs its zoom and pan through them and raises its own events from there.
///
/// Rules kept beyond the plain formulas of the mapping:
///  - An axis whose limits are equal or not finite, or a plot area of no width or height, has no
///    mapping: the background is filled and OnDraw is raised, but no frame, marks or world drawing
///    appear. Pixel results beyond the int range are treated as out of range.
///  - Limits may be set inverted (minimum above maximum): the axis then runs the other way, and
///    the range tests of Line, Point and TextOutA use the lower and the upper limit.
///  - More tick marks than the plot area has pixels are drawn as one mark per pixel.
#include <Tallwick/Color.h>
#include <Tallwick/CustomPanel.h>
#include <Tallwick/Font.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Types.h>

#include <QColor>
#include <QFont>
#include <QString>
#include <memory>
#include <vector>

namespace Tallwick {

struct TAxisLabel;
class TAxisLabels;
class TCanvas;

class TALLWICK_EXPORT TCanvas2D : public TCustomPanel {
    Q_OBJECT
    /// Colour of the frame, tick marks and labels.
    Q_PROPERTY(QColor AxisColor READ AxisColorQColor WRITE SetAxisColorQColor NOTIFY AxisColorChanged)
    /// AxisColor as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint AxisColorValue READ AxisColorValue WRITE SetAxisColorValue NOTIFY AxisColorChanged)
    /// Font of the tick labels.
    Q_PROPERTY(QFont AxisFont READ AxisFontQFont WRITE SetAxisFontQFont NOTIFY AxisFontChanged)
    /// Whether the frame, tick marks and labels are drawn.
    Q_PROPERTY(bool AxisShow READ AxisShow WRITE SetAxisShow NOTIFY AxisShowChanged)
    /// The automatic margin comes first: while it is on, the margin follows the labels.
    Q_PROPERTY(bool AxisXMarginAuto READ AxisXMarginAuto WRITE SetAxisXMarginAuto NOTIFY AxisXMarginAutoChanged)
    /// Margin in pixels left and right of the plot area.
    Q_PROPERTY(int AxisXMargin READ AxisXMargin WRITE SetAxisXMargin NOTIFY AxisXMarginChanged)
    /// Number of tick marks along the x axis.
    Q_PROPERTY(int AxisXMarks READ AxisXMarks WRITE SetAxisXMarks NOTIFY AxisXMarksChanged)
    /// World x at the plot area's right edge.
    Q_PROPERTY(double AxisXMax READ AxisXMax WRITE SetAxisXMax NOTIFY AxisXMaxChanged)
    /// World x at the plot area's left edge.
    Q_PROPERTY(double AxisXMin READ AxisXMin WRITE SetAxisXMin NOTIFY AxisXMinChanged)
    /// Whether AxisYMargin follows the tick labels' height.
    Q_PROPERTY(bool AxisYMarginAuto READ AxisYMarginAuto WRITE SetAxisYMarginAuto NOTIFY AxisYMarginAutoChanged)
    /// Margin in pixels above and below the plot area.
    Q_PROPERTY(int AxisYMargin READ AxisYMargin WRITE SetAxisYMargin NOTIFY AxisYMarginChanged)
    /// Number of tick marks along the y axis.
    Q_PROPERTY(int AxisYMarks READ AxisYMarks WRITE SetAxisYMarks NOTIFY AxisYMarksChanged)
    /// World y at the plot area's top edge.
    Q_PROPERTY(double AxisYMax READ AxisYMax WRITE SetAxisYMax NOTIFY AxisYMaxChanged)
    /// World y at the plot area's bottom edge.
    Q_PROPERTY(double AxisYMin READ AxisYMin WRITE SetAxisYMin NOTIFY AxisYMinChanged)
    /// Colour around the plot area.
    Q_PROPERTY(QColor ColorExt READ ColorExtQColor WRITE SetColorExtQColor NOTIFY ColorExtChanged)
    /// ColorExt as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorExtValue READ ColorExtValue WRITE SetColorExtValue NOTIFY ColorExtChanged)
    /// Colour of the plot area.
    Q_PROPERTY(QColor ColorInt READ ColorIntQColor WRITE SetColorIntQColor NOTIFY ColorIntChanged)
    /// ColorInt as the raw 0x00BBGGRR value, system colours included.
    Q_PROPERTY(uint ColorIntValue READ ColorIntValue WRITE SetColorIntValue NOTIFY ColorIntChanged)
    /// Format picture of the tick labels, such as "0.00".
    Q_PROPERTY(QString Format READ Format WRITE SetFormat NOTIFY FormatChanged)
    /// Right limit ZoomAll shows.
    Q_PROPERTY(double ZoomAllXMax READ ZoomAllXMax WRITE SetZoomAllXMax NOTIFY ZoomAllXMaxChanged)
    /// Left limit ZoomAll shows.
    Q_PROPERTY(double ZoomAllXMin READ ZoomAllXMin WRITE SetZoomAllXMin NOTIFY ZoomAllXMinChanged)
    /// Top limit ZoomAll shows.
    Q_PROPERTY(double ZoomAllYMax READ ZoomAllYMax WRITE SetZoomAllYMax NOTIFY ZoomAllYMaxChanged)
    /// Bottom limit ZoomAll shows.
    Q_PROPERTY(double ZoomAllYMin READ ZoomAllYMin WRITE SetZoomAllYMin NOTIFY ZoomAllYMinChanged)
    /// Factor between 0 and 1 by which one zoom-in step multiplies both axis ranges.
    Q_PROPERTY(double ZoomFactor READ ZoomFactor WRITE SetZoomFactor NOTIFY ZoomFactorChanged)
    /// Number of frames of the animated zoom.
    Q_PROPERTY(int ZoomSteps READ ZoomSteps WRITE SetZoomSteps NOTIFY ZoomStepsChanged)
    /// What a click does: nothing, zoom in, zoom out or pan.
    Q_PROPERTY(TZoomMode ZoomMode READ ZoomMode WRITE ZoomModeSet NOTIFY ZoomModeChanged STORED false)

public:
    /// Interaction modes of ZoomModeSet (the values are those of the mode numbers).
    enum TZoomMode { zmNone = 0, zmZoomIn = 1, zmZoomOut = -1, zmPan = 2 };
    Q_ENUM(TZoomMode)

    explicit TCanvas2D(QWidget* owner = nullptr);
    ~TCanvas2D() override;

    /// The surface everything is drawn on, and its canvas (pen, brush and font of the world
    /// calls). Both live as long as the component; the canvas survives every resize.
    TVexImage* Image() const;
    TCanvas* ImageCanvas() const;

    /// Properties.
    TColor AxisColor() const;
    void SetAxisColor(TColor value);
    /// Font of the tick labels.
    ///@{
    const TFont& AxisFont() const;
    /// Copies every attribute of `font`, takes its colour as AxisColor and repaints, always.
    void SetAxisFont(const TFont& font);
    ///@}
    /// Whether the frame, tick marks and labels are drawn.
    ///@{
    bool AxisShow() const;
    void SetAxisShow(bool value);
    ///@}
    /// Margin in pixels left and right of the plot area.
    ///@{
    int AxisXMargin() const;
    /// Stored only below half the image width minus 20; repaints whether stored or not. With the
    /// automatic margin on, that repaint measures the labels again, so the value does not stay.
    /// AxisXMarginChanged/AxisYMarginChanged announce the margin's net change once per call of a
    /// setter or of the adjustments.
    void SetAxisXMargin(int value);
    ///@}
    /// The automatic margin comes first: while it is on, the margin follows the labels.
    ///@{
    bool AxisXMarginAuto() const;
    void SetAxisXMarginAuto(bool value);
    ///@}
    /// Number of tick marks along the x axis.
    ///@{
    int AxisXMarks() const;
    void SetAxisXMarks(int value);
    ///@}
    /// World x at the plot area's right edge.
    ///@{
    double AxisXMax() const;
    void SetAxisXMax(double value);
    ///@}
    /// World x at the plot area's left edge.
    ///@{
    double AxisXMin() const;
    void SetAxisXMin(double value);
    ///@}
    /// Margin in pixels above and below the plot area.
    ///@{
    int AxisYMargin() const;
    void SetAxisYMargin(int value);
    ///@}
    /// Whether AxisYMargin follows the tick labels' height.
    ///@{
    bool AxisYMarginAuto() const;
    void SetAxisYMarginAuto(bool value);
    ///@}
    /// Number of tick marks along the y axis.
    ///@{
    int AxisYMarks() const;
    void SetAxisYMarks(int value);
    ///@}
    /// World y at the plot area's top edge.
    ///@{
    double AxisYMax() const;
    void SetAxisYMax(double value);
    ///@}
    /// World y at the plot area's bottom edge.
    ///@{
    double AxisYMin() const;
    void SetAxisYMin(double value);
    ///@}
    /// Colour around the plot area.
    ///@{
    TColor ColorExt() const;
    void SetColorExt(TColor value);
    ///@}
    /// Colour of the plot area.
    ///@{
    TColor ColorInt() const;
    void SetColorInt(TColor value);
    ///@}
    /// Format picture of the tick labels, such as "0.00".
    ///@{
    const QString& Format() const;
    /// A different text repaints, then raises OnChangeFormat.
    void SetFormat(const QString& value);
    ///@}
    /// Right limit ZoomAll shows.
    ///@{
    double ZoomAllXMax() const;
    void SetZoomAllXMax(double value);
    ///@}
    /// Left limit ZoomAll shows.
    ///@{
    double ZoomAllXMin() const;
    void SetZoomAllXMin(double value);
    ///@}
    /// Top limit ZoomAll shows.
    ///@{
    double ZoomAllYMax() const;
    void SetZoomAllYMax(double value);
    ///@}
    /// Bottom limit ZoomAll shows.
    ///@{
    double ZoomAllYMin() const;
    void SetZoomAllYMin(double value);
    ///@}
    /// Factor between 0 and 1 by which one zoom-in step multiplies both axis ranges.
    ///@{
    double ZoomFactor() const;
    /// Kept strictly between 0 and 1; other values are ignored. No repaint.
    void SetZoomFactor(double value);
    ///@}
    /// Number of frames of the animated zoom.
    ///@{
    int ZoomSteps() const;
    /// Kept above 0; other values are ignored. No repaint.
    void SetZoomSteps(int value);
    ///@}

    TALLWICK_COLOR_ACCESSORS(AxisColor)
    TALLWICK_COLOR_ACCESSORS(ColorExt)
    TALLWICK_COLOR_ACCESSORS(ColorInt)
    QFont AxisFontQFont() const;
    void SetAxisFontQFont(const QFont& font);

    /// Events: the handler runs first, then the signal of the same meaning.
    TNotifyEvent OnChangeFormat;  ///< formatRequested
    TNotifyEvent OnDblClick;      ///< doubleClicked
    TNotifyEvent OnDraw;          ///< drawRequested
    TMouseEvent OnMouseDown;      ///< mousePressed
    TMouseMoveEvent OnMouseMove;  ///< mouseMoved
    TMouseEvent OnMouseUp;        ///< mouseReleased
    // OnResize, the panel's, is raised after the repaint that follows every resize.

    /// Layout.
    void ImageResize();
    int ClientWidthGet() const;
    int ClientHeightGet() const;
    /// Right and bottom are the last pixels inside.
    TRect DrawRectGet() const;
    bool Inside(int X, int Y) const;
    void DrawRegionSet();

    /// Mapping between world values and pixels of Image().
    int ValToScrX(double x) const;
    double ValToScrXD(double x) const;
    int ValToScrY(double y) const;
    double ValToScrYD(double y) const;
    double ScrToValX(int X) const;
    double ScrToValY(int Y) const;
    QString ScrToValXS(int X) const;
    QString ScrToValYS(int Y) const;
    bool PointCheckIn(double x, double y) const;
    /// Whether both axes have a usable mapping (see the rules above).
    bool MappingValid() const;

    /// Axes.
    void AxisDraw();
    void MarkXDraw(double x);
    void MarkYDraw(double y);
    void MarkYDrawText(int X, int Y, double value, const QString& text);
    void AxisXMarginAdjust();
    void AxisYMarginAdjust();
    void AxisXAdjustToY();
    void AxisYAdjustToX();

    /// Drawing.
    void Draw();
    void Clear();
    void Line(double x1, double y1, double x2, double y2);
    /// The connected line through `count` points with the pen: the pixels of Line for each
    /// consecutive pair, and OutOfRange set when Line would set it for one of them. A NaN or
    /// infinite coordinate breaks the line there (the pairs through it are left out, and do not
    /// count as out of range); fewer than two points or a null array draw nothing. x need not be
    /// sorted. Points that follow each other within one pixel column cost a comparison each, so
    /// millions of points draw in about the time of one pass over them. On a canvas of scale above
    /// 1, where the rims of lines are smoothed, it draws the same pixels as Line, but where the
    /// segments of one pixel column meet their rims may mix differently (2 % of the pixels of a
    /// 3-pixel line through 100,000 points).
    void Polyline(const double* x, const double* y, int count);
    void Point(double x, double y, int radius);
    void Triangle(double x1, double y1, double x2, double y2, double x3, double y3);
    void TextOutA(double x, double y, int dx, int dy, const QString& text);
    /// Milliseconds the last Draw took, OnDraw included.
    double LastDrawTime() const;
    /// Set when Line or Triangle met pixel coordinates outside the drawable range since the last
    /// Draw began its OnDraw.
    bool OutOfRange() const;

    /// Rubber bands, drawn inverted: a second drawing erases the first.
    void ZoomDraw();
    void ZoomDraw(int X, int Y);
    void PanDraw();
    void PanDraw(int X, int Y);

    /// Zoom and pan. AxisChange refuses (beeps, changes nothing) a box wider or taller than 1e20,
    /// narrower or lower than 1e-20, inverted or not finite, and any change while one runs.
    void AxisChange(double xmin, double ymin, double xmax, double ymax, int steps);
    void AxisChange(double x0min, double y0min, double x0max, double y0max, double x1min, double y1min, double x1max,
                    double y1max, int steps);
    TZoomMode ZoomMode() const;
    void ZoomModeSet(int mode);
    void ZoomMore();
    void ZoomLess(int X, int Y);
    void Pan();
    void ZoomAll();
    bool Busy() const;
    /// Ends a running animated change after its current step (what a right press does).
    void Abort();

    /// Wheel zoom: a turn of `units` (120 a notch, away from the user positive) over image pixel
    /// (X, Y) multiplies both axis ranges by ZoomFactor to the power units / 120, by a factor of 4
    /// at most either way, around the world point under (X, Y), which stays there. Animated in
    /// ZoomSteps; a turn during an animation carries on from the view it is heading to. Outside
    /// the plot area, and during a pan drag, nothing happens. Real wheel events over Image() come
    /// here; touchpads' pixel deltas count 120 units per 15 pixels.
    void WheelZoom(double X, double Y, int units);

    /// The history of views. Every finished change of view made by the user or through the calls
    /// above (zoom in and out, pan, wheel, ZoomAll, AxisChange, and an animation stopped by the
    /// right button, at the view where it stopped) is recorded, after the view it started from;
    /// setting the axis limits directly is not. ZoomBack and ZoomForward move through the recorded
    /// views, animated, without recording; during an animation, or with nowhere to go, they beep.
    /// A back or forward walk stopped by the right button leaves the place in the history as it
    /// was. A new view after going back drops the views ahead; the oldest views go beyond
    /// kHistoryViews. The mouse's back and forward buttons and Alt+Left / Alt+Right walk too.
    static constexpr int kHistoryViews = 100;
    void ZoomBack();
    void ZoomForward();
    bool CanZoomBack() const;
    bool CanZoomForward() const;

    /// Handlers bound to Image() and to the panel.
    void Canvas2DMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Canvas2DMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void Canvas2DMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Canvas2DDblClick(QObject* Sender);
    void Canvas2DResize(QObject* Sender);

    // Layout: room for the axes' margins and a small plot area (hint), or a tiny one (minimum);
    // the plot takes whatever room there is.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void Register();

protected:
    /// The first polish (before the first show or grab) paints the picture, so that a canvas shown
    /// at the size it was made with is not left blank until its first resize.
    bool event(QEvent* event) override;
    /// Wheel and the back and forward buttons over Image().
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

signals:
    /// Emitted when AxisColor (and AxisColorValue) changes.
    void AxisColorChanged();
    /// Emitted when AxisFont changes.
    void AxisFontChanged();
    /// Emitted when AxisShow changes.
    void AxisShowChanged();
    /// Emitted when AxisXMargin changes.
    void AxisXMarginChanged();
    /// Emitted when AxisXMarginAuto changes.
    void AxisXMarginAutoChanged();
    /// Emitted when AxisXMarks changes.
    void AxisXMarksChanged();
    /// Emitted when AxisXMax changes.
    void AxisXMaxChanged();
    /// Emitted when AxisXMin changes.
    void AxisXMinChanged();
    /// Emitted when AxisYMargin changes.
    void AxisYMarginChanged();
    /// Emitted when AxisYMarginAuto changes.
    void AxisYMarginAutoChanged();
    /// Emitted when AxisYMarks changes.
    void AxisYMarksChanged();
    /// Emitted when AxisYMax changes.
    void AxisYMaxChanged();
    /// Emitted when AxisYMin changes.
    void AxisYMinChanged();
    /// Emitted when ColorExt (and ColorExtValue) changes.
    void ColorExtChanged();
    /// Emitted when ColorInt (and ColorIntValue) changes.
    void ColorIntChanged();
    /// Emitted when Format changes.
    void FormatChanged();
    /// Emitted when ZoomAllXMax changes.
    void ZoomAllXMaxChanged();
    /// Emitted when ZoomAllXMin changes.
    void ZoomAllXMinChanged();
    /// Emitted when ZoomAllYMax changes.
    void ZoomAllYMaxChanged();
    /// Emitted when ZoomAllYMin changes.
    void ZoomAllYMinChanged();
    /// Emitted when ZoomFactor changes.
    void ZoomFactorChanged();
    /// Emitted when ZoomSteps changes.
    void ZoomStepsChanged();
    /// Emitted when ZoomMode changes.
    void ZoomModeChanged();
    /// CanZoomBack() or CanZoomForward() changed.
    void ZoomHistoryChanged();

    void formatRequested(QObject* Sender);
    void doubleClicked(QObject* Sender);
    void drawRequested(QObject* Sender);
    void mousePressed(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    void mouseMoved(QObject* Sender, Tallwick::TShiftState Shift, int X, int Y);
    void mouseReleased(QObject* Sender, Tallwick::TMouseButton Button, Tallwick::TShiftState Shift, int X, int Y);
    // resized(QObject*) is the panel's signal, emitted after OnResize.

private:
    struct TBox {
        double XMin, YMin, XMax, YMax;
    };
    int MarginX() const;
    int MarginY() const;
    int ImageW() const;
    int ImageH() const;
    bool XMappingValid() const;
    bool YMappingValid() const;
    void SetLimits(const TBox& box);
    TBox Limits() const;
    static bool BoxAcceptable(const TBox& box);
    static bool SameBox(const TBox& a, const TBox& b);
    /// The world point kept under the pointer by a wheel zoom while it animates.
    struct TAnchor {
        bool Active = false;
        double X = 0, Y = 0;    ///< image pixel
        double WX = 0, WY = 0;  ///< world point
    };
    /// The world point of box under image pixel (X, Y), with the box drawn with margins mx, my.
    TAnchor AnchorAt(const TBox& box, double X, double Y, int mx, int my) const;
    /// Whether the anchor's world point is within a pixel of its pixel in the view shown.
    bool AnchorHolds() const;
    /// The box of the given ranges that has the anchor's world point at its pixel once the margins
    /// have followed that box's own labels.
    TBox PlacedAround(const TAnchor& anchor, double rangeX, double rangeY);
    /// The margins the box will be drawn with.
    int MarginXFor(const TBox& box);
    int MarginYFor(const TBox& box);
    int AutoMarginX(const TBox& box);
    int AutoMarginY(const TBox& box);
    /// Runs the animated steps from start to target; true when it ended on the target.
    bool Animate(TBox start, TBox target, int steps);
    TBox StepBox(const TBox& start, const TBox& target, double t, bool anchored);
    void RecordView(const TBox& from, const TBox& to);
    void WalkHistory(int destination);
    void SetHistoryIndex(int index);
    void SetMarginChecked(int& field, int value, int imageSize);
    void MarginsChanged(int oldX, int oldY);
    QSize HintAround(QSize plot) const;
    void HintMaybeChanged();
    int MarkCount(int marks, int pixels) const;
    void InvertedStroke(int x0, int y0, int x1, int y1);
    void ClearMargins(const TRect& inside);
    TAxisLabel& AxisLabel(double value);
    TAxisLabel& AxisLabelFor(const TBox& box, double value);
    void LabelOut(int X, int Y, TAxisLabel& label);
    int LabelTop(int Y, double value, int h) const;
    void MarkYDrawLabel(int X, int Y, double value, TAxisLabel& label);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
