#pragma once
// Internal, never installed: the state of a TVexImage, shared by the source files that implement it.
#include "Tveximage.h"

#include <QSize>
#include <cstdint>
#include <memory>

namespace Tallwick {

class TVexImage::Private {
public:
    std::unique_ptr<TBitmap> FWorkBitmap = std::make_unique<TBitmap>();
    QSize FKnownHint;                         ///< the size hint the layout was last told of
    const TGraphic* FKnownGraphic = nullptr;  ///< the picture's graphic when last looked at
    std::unique_ptr<TImageIO> FImageIO;       ///< created on first use
    std::unique_ptr<TImageProc> FImageProc;   ///< created on first use
    std::uint32_t* FScanLine = nullptr;
    unsigned FScanLineGeneration = 0;  ///< bitmap generation FScanLine belongs to
    int FScanLineRow = -1;             ///< row FScanLine points at
    int FPixelRow = 0;
    bool FFollowDeviceRatio = true;
};

}  // namespace Tallwick
