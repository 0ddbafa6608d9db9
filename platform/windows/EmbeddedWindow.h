#pragma once
// Placing a top-level widget inside a window of another program, as a screen-saver preview lives
// inside the window it is given (the small monitor of the Screen Saver Settings dialog).
class QWidget;

namespace Tallwick {

// Makes widget's window a child window (WS_CHILD) of the window parentId, at its top-left corner
// and of the size of its client area. The widget stays a window as far as Qt is concerned, so it
// is still shown with show() and ends the program as a main form. Returns false, changing
// nothing, when parentId names no window. Following later size changes and the parent's end is
// the job of TParentWindowWatcher.
bool EmbedInForeignWindow(QWidget* widget, unsigned long parentId);

}  // namespace Tallwick
