#include "Skyglowu1.h"

#include "ScreenSaverFlag.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace Tallwick {

namespace {
int gMouseMoveCount = 0;  // the program-wide mouse-move counter
}

TForm1::TForm1() : TSaverForm(QStringLiteral("Form1"), QPoint(8, 8)) {
    // Neither decorated nor listed by the window manager, and above everything else.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
    setFocusPolicy(Qt::StrongFocus);
    Image1->SetCursor(crNone);
    Image1->OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int, int) { Image1MouseDown(); };
    Image1->OnMouseMove = [this](QObject*, TShiftState, int, int) { Image1MouseMove(); };
    AppEvents1 = new TApplicationEvents(this);
    AppEvents1->OnDeactivate = [this](QObject*) { AppEvents1Deactivate(); };
    // Maximised on the screen the pointer is on when the saver starts.
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    // A window that fails to come into being (settings that cannot be read) is never destroyed
    // through its destructor: clear the flag it set on the way out.
    try {
        FormCreate();
    } catch (...) {
        FormDestroy();
        throw;
    }
}

TForm1::~TForm1() { FormDestroy(); }

int TForm1::MouseMoveCount() { return gMouseMoveCount; }

void TForm1::FormCreate() {
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, nullptr, 0);
    CreateEngine();
}

void TForm1::FormDestroy() {
    DestroyEngine();
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
}

// An override-redirect window gets the keyboard only when it asks for it.
void TForm1::showEvent(QShowEvent* event) {
    TSaverForm::showEvent(event);
    activateWindow();
    setFocus();
}

void TForm1::keyPressEvent(QKeyEvent*) { close(); }

void TForm1::Image1MouseDown() { close(); }

// Only real pointer moves arrive here: a window mapped under a still pointer gets no motion.
void TForm1::Image1MouseMove() {
    ++gMouseMoveCount;
    if (gMouseMoveCount > 5)
        close();
}

void TForm1::AppEvents1Deactivate() { close(); }

}  // namespace Tallwick
