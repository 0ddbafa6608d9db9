#pragma once
// Whether the saver's windows can appear at all. Qt aborts the process when its platform cannot
// connect to the display; the entry asks here first, so that a start without a display ends
// with a one-line reason and an exit status instead of a signal.
#include <QString>

namespace Tallwick {

// Why no X11 display can be opened ("DISPLAY is not set", "cannot connect to DISPLAY=:7"), or an
// empty text when one can. A platform other than xcb chosen in QT_QPA_PLATFORM (offscreen, say)
// is Qt's business and reported as reachable.
QString DisplayProblem();

}  // namespace Tallwick
