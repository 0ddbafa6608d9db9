#pragma once
/// \file
/// The Qt face of a component's font property: Designer edits a QFont, the component keeps a TFont.
/// Name, point size (or pixel size when the QFont has no point size), bold, italic, underline and
/// strike-out carry over; the TFont's colour and escapement stay as they are.
#include <Tallwick/Font.h>
#include <Tallwick/TallwickExport.h>

#include <QFont>

namespace Tallwick {

TALLWICK_EXPORT QFont FontToQFont(const TFont& font);
TALLWICK_EXPORT TFont FontWithQFont(const TFont& base, const QFont& font);
/// True when the two fonts draw the same glyphs in the same colour.
inline bool SameFont(const TFont& a, const TFont& b) { return a.Key() == b.Key() && a.Color() == b.Color(); }

}  // namespace Tallwick
