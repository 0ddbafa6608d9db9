#pragma once
/// \file
/// Button glyphs stored as a strip of equal images side by side: normal, disabled, pressed, down
/// (as many as the strip holds). The colour of the strip's bottom-left pixel is transparent.
#include <Tallwick/TallwickExport.h>
#include <QIcon>
#include <QImage>
#include <QString>

namespace Tallwick {

/// The strip cut into numGlyphs images, each with the transparent colour keyed out.
TALLWICK_EXPORT QIcon GlyphIcon(const QImage& strip, int numGlyphs = 1);
/// The same for a picture file or resource; an empty icon when it cannot be read.
TALLWICK_EXPORT QIcon LoadGlyph(const QString& path, int numGlyphs = 1);

}  // namespace Tallwick
