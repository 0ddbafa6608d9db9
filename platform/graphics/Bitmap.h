#pragma once
/// \class Tallwick::TBitmap
/// A bitmap backed by a QImage in Format_RGB32, with the pixel format it is to be saved in and a
/// canvas for drawing on it.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Graphic.h>

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>

namespace Tallwick {

enum TPixelFormat { pfDevice, pf24bit, pf32bit };

class TALLWICK_EXPORT TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override;
    int Height() const override;
    bool Empty() const override;
    void Draw(TCanvas* target, const TRect& rect) const override;

    /// Resizing keeps the content at the top-left; uncovered pixels become white.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    /// Changes whenever the pixel memory is replaced, so that saved row addresses can be checked.
    unsigned Generation() const;

    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat format);

    /// Start of row `row`, counted from the top: one 32-bit word per pixel, 0xFFRRGGBB.
    /// Qt requires 0xFF in the high byte of Format_RGB32 pixels while the original row format left
    /// it 0; we always keep 0xFF there, so a row word and a Qt pixel describe the same colour.
    std::uint32_t* ScanLine(int row);

    TCanvas* Canvas();
    /// The one image behind the bitmap: the reference stays valid for the bitmap's lifetime, while
    /// its pixels are replaced on a change of size or on Assign (see Generation).
    QImage& Image();
    const QImage& Image() const;

    void Assign(const QImage& image);  ///< takes a copy, converted to Format_RGB32
    void Assign(const TBitmap& source);

    /// Called after any change of size, format or content made through the canvas.
    std::function<void()> OnChange;
    void Changed();

private:
    void Reallocate(int width, int height);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
