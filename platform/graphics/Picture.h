#pragma once
/// \class Tallwick::TPicture
/// What an image control shows: nothing, a bitmap, or another kind of graphic.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Graphic.h>

#include <functional>
#include <memory>

namespace Tallwick {

class TBitmap;

class TALLWICK_EXPORT TPicture {
public:
    TPicture();
    ~TPicture();

    TGraphic* Graphic() const;
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    /// The picture's bitmap; an empty picture or one holding another kind of graphic first gets a
    /// new, empty (0 x 0) bitmap in place of its content.
    TBitmap* Bitmap();
    bool HoldsBitmap() const;
    int Width() const;
    int Height() const;

    std::function<void()> OnChange;
    void Changed();

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
