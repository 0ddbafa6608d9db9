#pragma once
/// \file
/// Alignment of controls inside their parent, as the form framework lays them out: on every resize
/// of the parent, aligned children take the parent's contents rectangle in the order top, bottom,
/// left, right, then client (the rest).
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <QRect>

class QWidget;

namespace Tallwick {

TALLWICK_EXPORT void SetControlAlign(QWidget* control, TAlign align);
TALLWICK_EXPORT TAlign ControlAlign(const QWidget* control);
/// Moves and sizes a control. Qt holds back the move and resize events of a widget that is not
/// shown; here they are delivered at once, so the control's aligned children and its resize handler follow
/// whether it is shown or not, as the form framework's controls do.
TALLWICK_EXPORT void SetControlBounds(QWidget* control, const QRect& bounds);
/// Lays out the aligned children of `parent` now.
TALLWICK_EXPORT void AlignChildren(QWidget* parent);

}  // namespace Tallwick
