#pragma once
// TForm1, the full-screen saver: borderless, above every other window, covering one screen,
// pointer hidden, out of the taskbar. The saver puts one on every screen, each with a star field
// of its own sized to its screen. They close together at the first sign of the user: any key, any
// mouse button over any of them, the sixth mouse move since the program started (moves over all
// of them count together), or the application losing activation. The screen-saver-running flag is
// set while any of them exists.
#include <Tallwick/ApplicationEvents.h>
#include "SaverForm.h"

#include <QList>

class QScreen;

namespace Tallwick {

class TForm1 : public TSaverForm {
    Q_OBJECT
public:
    // Covers `screen`; without one, the screen the pointer is on (else the primary screen).
    explicit TForm1(QScreen* screen = nullptr, const TSettingsOverrides& overrides = {});
    ~TForm1() override;

    TApplicationEvents* AppEvents1;

    // The program-wide count of mouse moves over the saver windows; never reset.
    static int MouseMoveCount();
    // The saver windows that exist, in the order they were made. The first takes the keyboard.
    static QList<TForm1*> Windows();
    // Every screen, the one the pointer is on first (the saver's main window goes there); of
    // screens with the same geometry only the first.
    static QList<QScreen*> ScreensPointerFirst();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void Image1MouseDown();
    void Image1MouseMove();
    void AppEvents1Deactivate();
    static void CloseAll();
};

}  // namespace Tallwick
