#pragma once
// Internal, never installed: lets the tests look at a TVexImage's scratch bitmap and at whether
// its picture-library objects exist yet.
#include "Tveximage.h"

namespace Tallwick {

class TALLWICK_EXPORT TVexImageTesting {
public:
    /// The scratch bitmap the drawing primitives size for the part they can change.
    static TBitmap* WorkBitmap(TVexImage& image);
    /// The picture library's objects, null until first used.
    static const TImageIO* ImageIOObject(const TVexImage& image);
    static const TImageProc* ImageProcObject(const TVexImage& image);
};

}  // namespace Tallwick
