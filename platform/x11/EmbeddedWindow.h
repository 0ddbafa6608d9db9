#pragma once
// Placing a top-level widget inside a window of another program, as a screen-saver preview lives
// inside the window it is given.
class QWidget;

namespace Tallwick {

// Makes widget's window a child of the X11 window parentId, at its top-left corner and of its
// size (read from the server: Qt reports 0 x 0 for foreign windows). The widget stays a window as
// far as Qt is concerned, so it is still shown with show() and ends the program as a main form.
// Returns false, changing nothing, when parentId names no window or there is no X11 display.
// Following later size changes and the parent's end is the job of TParentWindowWatcher.
bool EmbedInForeignWindow(QWidget* widget, unsigned long parentId);

}  // namespace Tallwick
