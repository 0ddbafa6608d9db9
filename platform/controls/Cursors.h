#pragma once
// The framework's cursor numbers and their Qt shapes.
#include <QCursor>

namespace Tallwick {

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
                  crHourGlass = -11, crDrag = -12, crNo = -18, crHandPoint = -21;

QCursor CursorFor(TCursor cursor);

}  // namespace Tallwick
