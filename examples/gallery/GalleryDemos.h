#pragma once
// The demonstrations of the gallery: each fills a cell with one kind of component set up the way
// a programmer choosing it would want to see it.
#include <QString>

class QWidget;

namespace Tallwick {

struct TComponentInfo;

// Fills `cell` with the demonstration of the component; false when it has none of its own.
bool AddDemo(const TComponentInfo& info, QWidget* cell);

}  // namespace Tallwick
