#pragma once
// Writes runs of one colour straight into the rows of a canvas's bitmap, clipped to the canvas's
// clipping area exactly as the canvas clips its own drawing. The frame draws thousands of small
// runs; going through the canvas would look up the clip box and the row for each of them.
// Pixels are kept in the bitmap's row format (0xFFRRGGBB, see TBitmap::ScanLine).
#include <QtGlobal>
#include <cstdint>

namespace Tallwick {

class TCanvas;

class TSpanPainter {
public:
    // Starts painting on the canvas's bitmap. Nothing else may resize or replace the bitmap until
    // End.
    explicit TSpanPainter(TCanvas* canvas);
    // Tells the bitmap's owners that its pixels changed, once for all runs.
    void End();

    // Pixels x0..x1 (inclusive) of row y.
    void Fill(int y, int x0, int x1, std::uint32_t pixel) {
        if (y < FTop || y >= FBottom)
            return;
        if (x0 < FLeft)
            x0 = FLeft;
        if (x1 >= FRight)
            x1 = FRight - 1;
        std::uint32_t* row = reinterpret_cast<std::uint32_t*>(FBits + y * FStride);
        for (int x = x0; x <= x1; ++x)
            row[x] = pixel;
    }

    // Whether the box x0..x1 by y0..y1 (inclusive) lies wholly inside the clip box.
    bool Contains(int x0, int y0, int x1, int y1) const {
        return x0 >= FLeft && x1 < FRight && y0 >= FTop && y1 < FBottom;
    }
    // Row y, unchecked: only for rows of a box Contains accepted.
    std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(FBits + y * FStride); }

    // Row y, when pixels x0..x1 of it all lie inside the clip box; null otherwise. Lets a caller
    // with many runs in one row write them without clipping each.
    std::uint32_t* RowIfInside(int y, int x0, int x1) const {
        if (y < FTop || y >= FBottom || x0 < FLeft || x1 >= FRight)
            return nullptr;
        return reinterpret_cast<std::uint32_t*>(FBits + y * FStride);
    }

private:
    TCanvas* FCanvas;
    uchar* FBits = nullptr;
    qsizetype FStride = 0;
    int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;  // clip box, right and bottom exclusive
};

}  // namespace Tallwick
