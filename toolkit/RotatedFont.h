#pragma once
/// \file
/// Rotated fonts: the device font of a canvas font turned about the text's reference point.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Font.h>

namespace Tallwick {

/// A device font like `font` (height, weight 700 when bold else 400, italic, underline, strike-out,
/// character set, pitch, face) whose text runs `escapement` tenths of a degree counter-clockwise
/// from the x axis; characters stay upright relative to the baseline. The face "Default" (in any
/// case) stands for the framework's default face. Put it in place with TFont::SetHandle.
TALLWICK_EXPORT HFONT CreateRotatedFont(const TFont& font, int escapement);

}  // namespace Tallwick
