#pragma once
// TVexImage: the drawing surface of the whole system. An image control whose picture always ends up
// holding a bitmap, with operations that keep that bitmap the size of the control, fill it with one
// colour and write single pixels straight into its rows.
//
// Direct pixel access: PixelOpen; then per row PixelRowSet(y) and PixelSet(x, colour), or
// PixelSet(x, y, colour) for scattered pixels; finally PixelClose, which shows the result.
#include "Bitmap.h"
#include "Color.h"
#include "ImageControl.h"
#include "TallwickExport.h"

#include <cstdint>
#include <memory>

namespace Tallwick {

// Qt face: the image control's properties and signals; it adds none of its own.
class TALLWICK_EXPORT TVexImage : public TImage {
    Q_OBJECT
public:
    // `owner` may be null: an off-screen surface that its creator deletes.
    explicit TVexImage(QWidget* owner = nullptr);
    ~TVexImage() override;

    // The control's whole area of the bitmap in one colour; pen and brush keep that colour.
    void Fill(TColor color);

    // Values <= 0 are ignored. The control takes the value (alignment may overrule it), then the
    // bitmap takes the control's resulting size.
    void SetHeight(int value);
    void SetWidth(int value);
    void SetHeightWidth(int height, int width);
    // Brings the bitmap to the control's size; a bitmap already that size is left untouched.
    virtual void Resize();

    void PixelOpen();
    void PixelRowSet(int row);
    // Writes the raw low three bytes of the colour (system colours are not resolved).
    void PixelSet(int x, TColor color);
    // Leaves the row selection of PixelSet(x, colour) untouched.
    void PixelSet(int x, int y, TColor color);
    // True inside the canvas's clipping area (the whole bitmap when no clip is selected).
    bool PixelIn(int x, int y);
    void PixelClose();

    static void Register();

protected:
    TBitmap* WorkBitmap() { return FWorkBitmap.get(); }

private:
    std::unique_ptr<TBitmap> FWorkBitmap;
    std::uint32_t* FScanLine = nullptr;
    unsigned FScanLineGeneration = 0;  // bitmap generation FScanLine belongs to
    int FScanLineRow = -1;             // row FScanLine points at
    int FPixelRow = 0;
};

// The stored word of a colour: red and blue exchanged, high byte dropped (kept opaque, see TBitmap).
inline std::uint32_t PixelValue(TColor color) {
    const std::uint32_t c = static_cast<std::uint32_t>(color);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace Tallwick
