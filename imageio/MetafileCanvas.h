#pragma once
// The device context a metafile is played on: mapping from logical units to the picture's pixels
// (map mode, window and viewport origins and extents), an object table of pens, brushes and fonts,
// selected objects, a stack of saved states, and the drawing calls, carried out with QPainter on
// the picture. Shared by the WMF and EMF players, which only decode records.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <map>
#include <vector>

namespace Tallwick {

// A colour as both formats store it (COLORREF, 0x00BBGGRR; the high byte is not looked at).
inline QColor ColorRef(std::uint32_t c) { return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)); }

// The map modes of SetMapMode.
enum MapMode {
    MM_TEXT = 1,
    MM_LOMETRIC,
    MM_HIMETRIC,
    MM_LOENGLISH,
    MM_HIENGLISH,
    MM_TWIPS,
    MM_ISOTROPIC,
    MM_ANISOTROPIC
};

// The raster operation of a bit-block transfer that fills the box with the brush.
constexpr std::uint32_t PATCOPY = 0x00F00021;

class TMetafileCanvas {
public:
    struct Pen {
        int Style = 0;     // PS_SOLID .. PS_INSIDEFRAME
        double Width = 0;  // logical units; 0 is one pixel
        QColor Color = Qt::black;
    };
    struct Brush {
        int Style = 0;  // BS_SOLID, BS_NULL, BS_HATCHED, others drawn solid
        int Hatch = 0;
        QColor Color = Qt::white;
    };
    struct Font {
        double Height = 12;  // logical units, the magnitude of LOGFONT's height
        int Weight = 400;
        bool Italic = false, Underline = false, StrikeOut = false;
        int Escapement = 0;  // tenths of a degree, counter-clockwise
        QString Face;
    };
    struct Object {
        enum Kind { None, PenObject, BrushObject, FontObject, Other } Type = None;
        Pen P;
        Brush B;
        Font F;
    };

    // deviceToImage maps device units (what the viewport is in) to the picture's pixels.
    TMetafileCanvas(QImage* image, const QTransform& deviceToImage, int objectSlots);
    ~TMetafileCanvas();

    // Mapping.
    void SetMapMode(int mode);
    void SetWindowOrg(double x, double y);
    void SetWindowExt(double x, double y);
    void SetViewportOrg(double x, double y);
    void SetViewportExt(double x, double y);

    // State.
    void SetBkColor(QColor c) { FState.BkColor = c; }
    void SetBkMode(int mode) { FState.BkMode = mode; }
    void SetTextColor(QColor c) { FState.TextColor = c; }
    void SetTextAlign(unsigned align) { FState.TextAlign = align; }
    void SetPolyFillMode(int mode) { FState.Winding = mode == 2; }
    void SaveDC();
    void RestoreDC(int which);  // negative: relative to the top; positive: absolute level

    // Objects. WMF puts a new object in the lowest free slot; EMF names the slot.
    int FirstFreeSlot() const;
    void CreateObject(int slot, const Object& object);
    void SelectObject(int slot);
    void SelectStockObject(int index);
    void DeleteObject(int slot);

    // Drawing, in logical coordinates.
    void MoveTo(QPointF p) { FState.Position = p; }
    void LineTo(QPointF p);
    void Polyline(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    void Rectangle(QRectF r);
    void RoundRect(QRectF r, double cornerW, double cornerH);
    void Ellipse(QRectF r);
    // kind 0 arc, 1 chord, 2 pie, from the radial through start to the one through end, counter-clockwise.
    void Arc(QRectF r, QPointF start, QPointF end, int kind);
    void TextOut(QPointF p, const QString& text);
    void FillRect(QRectF r);  // with the brush, no outline (pattern blits)
    // source in the bitmap's pixels; an empty or wholly outside source means the whole bitmap.
    void DrawImage(QRectF target, const QImage& image, QRectF source);

    // Drawing stops for good once the shapes drawn have covered kWorkBudget pixels in all: a small
    // file of many huge shapes could otherwise keep the player busy for hours.
    static constexpr std::int64_t kWorkBudget = std::int64_t(1) << 31;
    bool Exhausted() const { return FWork > kWorkBudget; }

private:
    struct State {
        int MapMode = 1;
        QPointF WindowOrg, WindowExt{1, 1}, ViewportOrg, ViewportExt{1, 1};
        Pen P;
        Brush B;
        Font F;
        QColor BkColor = Qt::white, TextColor = Qt::black;
        int BkMode = 2;
        unsigned TextAlign = 0;
        bool Winding = false;
        QPointF Position;
    };

    QTransform LogicalToDevice() const;
    // Pen, brush and transform onto the painter; false (nothing to draw) once the work budget is
    // spent, counting the part of `bounds` (logical) that lies on the picture.
    bool Apply(const QRectF& bounds);
    QPen MakePen() const;
    QBrush MakeBrush() const;
    double PixelsPerLogical() const;

    QImage* FImage;
    QPainter FPainter;
    QTransform FDeviceToImage;
    State FState;
    std::vector<State> FSaved;
    // Only the objects made are stored, so that a table of thousands of slots costs nothing until
    // the file fills them; the empty slots are kept as runs (first slot, one past the last), so
    // that finding the lowest costs no scan.
    void TakeSlot(int slot);
    int FSlots;
    std::map<int, Object> FObjects;
    std::map<int, int> FEmptyRuns;
    std::int64_t FWork = 0;
};

}  // namespace Tallwick
