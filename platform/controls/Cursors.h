#pragma once
/// \file
/// The framework's cursor numbers and their Qt shapes, and the application-wide cursor table.
///
/// Numbers 0 and below are the built-in shapes. Positive numbers are slots of the cursor table,
/// which holds cursors loaded from pictures; the library keeps its own three pictures in slots
/// crPanning, crZoomMore and crZoomLess (the plotting canvas loads them). A slot that was never
/// loaded, or whose picture could not be loaded, shows the default cursor.
#include <Tallwick/TallwickExport.h>

#include <QCursor>
#include <QString>

namespace Tallwick {

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
                  crHourGlass = -11, crDrag = -12, crNo = -18, crHandPoint = -21;
/// Slots of the library's own pictures: an open hand, a magnifier with "+", one with "-".
constexpr TCursor crPanning = 1, crZoomMore = 2, crZoomLess = 3;

TALLWICK_EXPORT QCursor CursorFor(TCursor cursor);

/// Loads a cursor picture into slot `slot` (> 0) of the table. `name` is one of the library's
/// cursor pictures ("PANNING", "ZOOMMORE", "ZOOMLESS") or the path of a picture file or Qt
/// resource (an XPM picture may give its hot spot in its header; otherwise the centre is the hot
/// spot). Returns false, and leaves the slot showing the default cursor, when the picture cannot be
/// loaded or the slot is not positive (nothing is stored then).
TALLWICK_EXPORT bool LoadCursorPicture(TCursor slot, const QString& name);

/// Whether the slot holds a loaded picture (false for the built-in shapes).
TALLWICK_EXPORT bool CursorSlotLoaded(TCursor slot);

}  // namespace Tallwick
