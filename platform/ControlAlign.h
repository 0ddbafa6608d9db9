#pragma once
// Alignment of controls inside their parent, as the form framework lays them out: on every resize
// of the parent, aligned children take the parent's contents rectangle in the order top, bottom,
// left, right, then client (the rest).
#include "Types.h"

class QWidget;

void SetControlAlign(QWidget* control, TAlign align);
TAlign ControlAlign(const QWidget* control);
// Lays out the aligned children of `parent` now.
void AlignChildren(QWidget* parent);
