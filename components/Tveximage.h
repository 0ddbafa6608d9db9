#pragma once
/// \class Tallwick::TVexImage
/// TVexImage: the drawing surface of the whole system. An image control whose picture always ends up
/// holding a bitmap, with operations that keep that bitmap the size of the control, fill it with one
/// colour and write single pixels straight into its rows.
///
/// Direct pixel access: PixelOpen; then per row PixelRowSet(y) and PixelSet(x, colour), or
/// PixelSet(x, y, colour) for scattered pixels; finally PixelClose, which shows the result.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Color.h>
#include <Tallwick/ImageControl.h>
#include <Tallwick/ImageIO.h>
#include <Tallwick/ImageProc.h>
#include <Tallwick/TallwickExport.h>

#include <QString>
#include <cstdint>
#include <memory>

namespace Tallwick {

/// Qt face: the image control's properties and signals, and DeviceRatioChanged.
class TALLWICK_EXPORT TVexImage : public TImage {
    Q_OBJECT
public:
    /// `owner` may be null: an off-screen surface that its creator deletes.
    explicit TVexImage(QWidget* owner = nullptr);
    ~TVexImage() override;

    /// Sizes of the bitmap below follow the control's size in bitmap pixels (DeviceWidth() x
    /// DeviceHeight(), the control's size at the default pixel ratio of 1).
    /// The control's whole area of the bitmap in one colour; pen and brush keep that colour.
    void Fill(TColor color);

    /// Values <= 0 are ignored. The control takes the value (alignment may overrule it), then the
    /// bitmap takes the control's resulting size.
    void SetHeight(int value);
    void SetWidth(int value);
    void SetHeightWidth(int height, int width);
    /// Brings the bitmap to the control's size; a bitmap already that size is left untouched.
    /// Following the device ratio, the canvas scale first becomes the window's device pixel ratio
    /// rounded up (see TImage::SetCanvasScale).
    virtual void Resize();
    // Whether the canvas draws at the screen's resolution: a new surface takes the window's device
    // ratio rounded up as its canvas scale, and Resize() follows it. On by default; off once a
    // pixel ratio is set.
    bool FollowDeviceRatio() const;
    void SetFollowDeviceRatio(bool value);
    /// A whole ratio k is drawn as the screen draws it: the canvas maps control pixels onto k x k
    /// bitmap pixels and the bitmap takes the control's size, so drawing fills the control. Other
    /// ratios are TImage's: the caller draws in bitmap pixels itself (TImage::SetPixelRatio, which
    /// a caller drawing device pixels at any ratio, such as the saver, calls by name).
    void SetPixelRatio(double ratio);

signals:
    // Following the device ratio, the surface came to a screen whose ratio asks for another
    // canvas scale: its owner sizes and draws it again.
    void DeviceRatioChanged();

public:
    void PixelOpen();
    void PixelRowSet(int row);
    /// Writes the raw low three bytes of the colour (system colours are not resolved).
    void PixelSet(int x, TColor color);
    /// Leaves the row selection of PixelSet(x, colour) untouched.
    void PixelSet(int x, int y, TColor color);
    /// True inside the canvas's clipping area (the whole bitmap when no clip is selected).
    bool PixelIn(int x, int y);
    void PixelClose();

    // Layout: the picture's size in control pixels when there is one, which a layout does not
    // cut unless the picture is stretched; the size of a new control otherwise.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static void Register();

    // Drawing primitives (TveximageDrawing.cpp, TveximageText.cpp). All draw into the picture's
    // bitmap through the canvas, so an empty picture first gets a bitmap of the control's size.
    // An operation that draws through a raster operation sets the copy mode back to SRCCOPY after;
    // one that returns without drawing leaves it alone. Scratch bitmaps cover only the part of the
    // box that the canvas can change, so a huge or far-away box allocates nothing large.

    /// A shaded ball: `steps` rings from `outer` to `inner`, each i pixels in from the left and right
    /// and i scaled to the box's height-to-width ratio from the top and bottom; `offset` moves ring i
    /// i/3 pixels right and up, for a highlight toward the upper right. Pen and brush keep the last
    /// ring's colour. A box with x2 == x1 draws nothing.
    void Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool offset, int steps);
    /// The same with steps = (x2 - x1) / 2.
    void Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool offset);
    void Ball3D(const TRect& box, TColor outer, TColor inner, bool offset);
    /// Circle and ellipse by centre and radius, in the current pen and brush.
    void Ellipse(int x, int y, int r);
    void Ellipse(int x, int y, int rx, int ry);
    /// ORed into what lies beneath, bit by bit: channels only grow. Colour 0 and boxes with a
    /// negative width or height draw nothing.
    void EllipseTrans(int x1, int y1, int x2, int y2, TColor color);
    void RectTrans(int x1, int y1, int x2, int y2, TColor color);
    void FillTrans(TColor color);  ///< the whole control area
    /// Fills the box with `color` (the brush keeps it) and bevels it `width` pixels deep: raised
    /// with the 3-D highlight on the top and left, sunken with the shadow there.
    void Rect3D(int x1, int y1, int x2, int y2, TColor color, int width, bool raised);
    void Rect3D(const TRect& box, TColor color, int width, bool raised);
    void Fill3D(TColor color, int width, bool raised);  ///< the whole control area

    /// Text whose glyph pixels invert what lies beneath (each channel becomes 255 minus itself),
    /// top-left at (x, y); drawing it twice at the same place restores the picture. The canvas's
    /// font, pen and brush are not changed. A rotated canvas font draws rotated inverted text.
    void TextOutInv(int x, int y, const QString& text);
    /// Turns the canvas font by `angle` degrees counter-clockwise and draws the text at (x, y) with
    /// the canvas's alignment, unless (x, y) is outside the clipping area. The canvas keeps the
    /// turned font until its face, size, style or character set is set.
    void TextOutRot(int x, int y, double angle, const QString& text);
    /// Text anchored on the circle (or ellipse) around (x, y) at `angle` degrees counter-clockwise
    /// from the positive x axis, running along the tangent, reading clockwise.
    void TextOutAxial(int x, int y, int r, double angle, const QString& text);
    void TextOutAxial(int x, int y, int rx, int ry, double angle, const QString& text);

    /// Picture files through the picture library (TveximageFiles.cpp). The format follows the
    /// extension in any case: .jpg/.jpeg JPEG, .tif/.tiff TIFF, .pcx, .gif, .wmf/.emf (read only),
    /// BMP for any other name. Errors are raised as exceptions.
    /// Reads the file into the picture's bitmap (24 bits per pixel), then the control takes the
    /// picture's size. A failed load leaves the picture, its bitmap and the control as they were.
    /// The file's pixels are control pixels: a surface drawing at a canvas scale above 1 goes back
    /// to scale 1 first (a pixel ratio set through TImage::SetPixelRatio stays as set).
    void LoadFromFile(const QString& fileName);
    /// Writes the picture's bitmap (set to 24 bits per pixel). At a canvas scale k above 1 the file
    /// holds the control's pixels, each as the canvas reads it (its block's top-left pixel).
    void SaveToFile(const QString& fileName);
    /// Turns the picture's bitmap in place by `angle` degrees counter-clockwise, interpolating:
    /// quarter turns exchange width and height, other angles enlarge the bitmap and fill the
    /// uncovered corners with white. The control keeps its size.
    void Rotate(int angle);

protected:
    bool event(QEvent* event) override;

private:
    friend class TVexImageTesting;  // TveximageTesting.h, internal: the tests look at the scratch objects
    /// ORs `color` into the box (or the ellipse inscribed in it) through the scratch bitmap.
    void OrShape(long long x1, long long y1, long long x2, long long y2, TColor color, bool ellipse);

    /// The scratch bitmap sized for `part` (logical pixels) at the canvas's scale.
    void SizeWorkBitmap(const TRect& part);
    // A ratio set through TImage::SetPixelRatio, other than the canvas scale: the caller draws
    // bitmap pixels, and the surface no longer follows the screen.
    bool RatioSetByName() const { return PixelRatio() != CanvasScale(); }
    /// The canvas scale of the screen the surface is on: its device pixel ratio rounded up.
    int ScreenScale() const;
    /// Writes the device block of logical pixel (x, y), which must be visible.
    void SetBlock(int x, int y, std::uint32_t value);

    /// The picture's bitmap; a picture holding another kind of graphic first becomes a bitmap
    /// drawing of it, so that saving or rotating it loses nothing.
    TBitmap* PictureBitmap();

    void PictureMaybeResized();

    class Private;
    std::unique_ptr<Private> d;
};

/// The stored word of a colour: red and blue exchanged, high byte dropped (kept opaque, see TBitmap).
inline std::uint32_t PixelValue(TColor color) {
    const std::uint32_t c = static_cast<std::uint32_t>(color);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace Tallwick
