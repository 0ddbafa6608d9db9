#pragma once
// TForm1, the full-screen saver: borderless, above every other window, covering the screen it
// starts on, pointer hidden, out of the taskbar. It closes at the first sign of the user: any key,
// any mouse button, the sixth mouse move since the program started, or the application losing
// activation. The screen-saver-running flag is set for its lifetime.
#include "ApplicationEvents.h"
#include "SaverForm.h"

namespace Tallwick {

class TForm1 : public TSaverForm {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    TApplicationEvents* AppEvents1;

    // The program-wide count of mouse moves over the saver; never reset.
    static int MouseMoveCount();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void Image1MouseDown();
    void Image1MouseMove();
    void AppEvents1Deactivate();
};

}  // namespace Tallwick
