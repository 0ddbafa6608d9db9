#pragma once
/// \class Tallwick::TCanvas
/// A drawing surface bound to a bitmap, holding state the way a device context does: pen, brush,
/// font, copy mode, clip rectangle, text alignment, background mode and pen position.
///
/// Pixel conventions follow the classic device interface and are tested pixel by pixel:
///  - Rectangle(l, t, r, b) and Ellipse cover l..r-1 x t..b-1, outline in the pen, inside in the brush;
///    FillRect covers the same box with the brush alone;
///  - LineTo leaves out its end pixel; Polygon fills, then outlines;
///  - every call stops at the clip rectangle.
/// Shapes are scan-converted here rather than by QPainter, whose aliased outlines cover one pixel
/// more; text and scaled copies go through QPainter.
///
/// Scale: a canvas of scale k draws on a bitmap of device pixels, k of them to a logical pixel each
/// way, and every coordinate it takes or gives is logical. What a logical pixel grid can say exactly
/// (boxes, one-pixel lines along the axes, single pixels, clip rectangles) fills whole k x k blocks,
/// so the picture is the scale-1 picture enlarged; what it can only approximate (text, ellipses,
/// polygon edges, slanted and wide lines, pictures stretched into a rectangle) is drawn at device
/// resolution. A slanted one-pixel line stays one logical pixel wide, stepped per device pixel. Pixel() reads the top-
/// left device pixel of a block; SetPixel() sets the whole block. Text measures as at scale 1.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Color.h>
#include <Tallwick/Font.h>
#include <Tallwick/Types.h>

#include <QString>
#include <cstdint>
#include <memory>

namespace Tallwick {

class TBitmap;
class TGraphic;
class TTextMask;

enum TPenMode { pmCopy, pmNot };
enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TALLWICK_EXPORT TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenMode Mode = pmCopy;
    TPenStyle Style = psSolid;
};

struct TALLWICK_EXPORT TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TBrush& o) const { return Color == o.Color && Style == o.Style; }
};

/// Raster operations for Draw and StretchDraw (the device interface's codes).
enum TCopyMode : std::uint32_t {
    cmBlackness = 0x00000042,
    cmDstInvert = 0x00550009,
    cmMergePaint = 0x00BB0226,
    cmNotSrcCopy = 0x00330008,
    cmSrcAnd = 0x008800C6,
    cmSrcCopy = 0x00CC0020,
    cmSrcInvert = 0x00660046,
    cmSrcPaint = 0x00EE0086,
    cmWhiteness = 0x00FF0062,
};

/// Background modes and text alignment flags of the device interface.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr unsigned TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6;
constexpr unsigned TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24;

class TCanvas;
using HDC = TCanvas*;

class TALLWICK_EXPORT TCanvas {
public:
    explicit TCanvas(TBitmap* bitmap);
    ~TCanvas();
    /// A canvas belongs to its bitmap (TBitmap::Canvas) and is neither copied nor moved.
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;
    TCopyMode CopyMode = cmSrcCopy;

    /// Asking for the handle brings the device context up to date with the brush first, as the
    /// framework does, so SetBkMode(Canvas->Handle(), TRANSPARENT) after a brush change holds.
    HDC Handle();
    TBitmap* Bitmap() const;

    /// Device pixels per logical pixel, 1 to kMaxScale; other values are taken as the nearer bound.
    static constexpr int kMaxScale = 16;
    int Scale() const;
    void SetScale(int scale);

    /// Pixels; reading outside the bitmap gives -1.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const;
    void Polyline(const TPoint* points, int count);

    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    /// Fills [x0, x1) x [y0, y1) in device pixels with the brush (a solid brush only), within the
    /// clip rectangle: for drawing finer than the logical grid, such as gradient bands.
    void FillDeviceRect(long long x0, long long y0, long long x1, long long y1);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const TPoint* points, int count);
    /// Polygon with its corners in device pixels (a logical corner times Scale(), or any pixel
    /// between): filled and outlined as Polygon does, finer than the logical grid. At scale 1 it is
    /// Polygon.
    void PolygonAtDevicePixels(const TPoint* corners, int count);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;  ///< ascent + descent
    TPoint TextExtent(const QString& text) const;
    /// Draws a prepared coverage mask as TextOut would draw its text, in the font colour.
    void TextOutMask(int x, int y, const TTextMask& mask);

    /// Copies a bitmap with its top-left at (x, y) through the copy mode; at a scale above 1 its
    /// pixels are logical pixels.
    void Draw(int x, int y, const TBitmap& source);
    /// Copies a bitmap of device pixels (drawn by a canvas of this scale) through the copy mode,
    /// its top-left at the logical point (x, y).
    void DrawScaled(int x, int y, const TBitmap& source);
    /// Copies a graphic scaled (nearest pixel) into the rectangle through the copy mode, onto the
    /// rectangle's device pixels.
    void StretchDraw(const TRect& rect, const TGraphic& source);
    void StretchDrawBitmap(const TRect& rect, const TBitmap& source);

    /// The clip rectangle, if any, in logical pixels; drawing never leaves it.
    bool HasClipRect() const;
    TRect ClipRect() const;
    void SetClipRect(const TRect& r);
    void ClearClipRect();
    bool PtVisible(int x, int y) const;

    int BkMode() const;
    void SetBkMode(int mode);
    unsigned TextAlign() const;
    void SetTextAlign(unsigned align);

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
