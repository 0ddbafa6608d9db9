#pragma once
// TForm2, the live preview: a borderless child of a window of another program (the id passed after
// "/p"), exactly that window's size, following its size changes and ending when it is destroyed,
// or when another program destroys the preview's own window. It ignores the user entirely.
//
// The original closed on the system-command message. Its twin here is a close request sent to the
// preview window: the ICCCM WM_DELETE_WINDOW client message (what a host or a window manager sends
// to ask a window to close; Qt turns it into a close event). Any such request closes the preview.
#include "SaverForm.h"

namespace Tallwick {

class TForm2 : public TSaverForm {
    Q_OBJECT
public:
    // `parentArgument` is the second command-line argument: the parent window id, in decimal or
    // with "0x" in hex. A missing or non-numeric one raises "'%s' is not a valid integer value";
    // one that names no window raises an error saying so.
    explicit TForm2(const QString& parentArgument, const TSettingsOverrides& overrides = {});
    ~TForm2() override;

    unsigned long ParentWindow() const { return FParentWindow; }

private:
    void FormCreate(const QString& parentArgument);
    void FormDestroy();
    void ParentResized(QSize size);
    void ParentDestroyed();

    unsigned long FParentWindow = 0;
};

}  // namespace Tallwick
