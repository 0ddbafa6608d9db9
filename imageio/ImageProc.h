#pragma once
/// \class Tallwick::TImageProc
/// Processing of a bitmap in place.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Bitmap.h>

#include <cstdint>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TImageProc {
public:
    TImageProc();
    TImageProc(const TImageProc& other);
    TImageProc& operator=(const TImageProc& other);
    ~TImageProc();

    void SetAttachedBitmap(TBitmap* bitmap);
    TBitmap* AttachedBitmap() const;

    /// Turns the bitmap in place by `angle` degrees, positive counter-clockwise. Quarter turns are
    /// exact and exchange width and height; other angles enlarge the bitmap to hold the turned
    /// picture and fill the corners with the background colour, white (the colour a bitmap gives
    /// any pixel it uncovers); `interpolate` = bilinear sampling, else the nearest pixel.
    /// An angle that is not a finite number leaves the bitmap as it is and raises
    /// EInvalidGraphicOperation.
    void Rotate(double angle, bool interpolate);

    static constexpr std::uint32_t kBackground = 0xFFFFFFFFu;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
