#pragma once
/// \class Tallwick::TMetafile
/// A recorded vector drawing: the kind of graphic other than a bitmap that a picture can hold
/// (metafiles and icons). It can be drawn but not drawn on.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Graphic.h>

#include <QPicture>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TMetafile : public TGraphic {
public:
    explicit TMetafile(const QPicture& recording, int width, int height);
    ~TMetafile() override;
    TMetafile(const TMetafile& other);
    TMetafile& operator=(const TMetafile& other);
    int Width() const override;
    int Height() const override;
    bool Empty() const override;
    void Draw(TCanvas* target, const TRect& rect) const override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
