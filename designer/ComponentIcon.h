#pragma once
// The widget-box icon of a component: the component itself, set up in a state that shows what it
// is for (an image surface and an image panel hold a picture, a progress bar stands half full),
// drawn at a size that reads at icon scale, and scaled into 24 x 24.
#include <QIcon>

namespace Tallwick {

struct TComponentInfo;

QIcon ComponentIcon(const TComponentInfo& info);

}  // namespace Tallwick
