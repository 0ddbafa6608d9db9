// TForm1, the full-screen saver window, one on every screen.
#include "SaverWindow.h"

#include "HostChoice.h"
#include "ScreenSaverFlag.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <optional>

namespace Tallwick {

namespace {
int gMouseMoveCount = 0;             // the program-wide mouse-move counter
std::optional<QPoint> gLastPointer;  // where the pointer was last seen over a saver window
QList<TForm1*> gWindows;             // the saver windows that exist

QScreen* PointerScreen() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}
}  // namespace

TForm1::TForm1(QScreen* screen, const TSettingsOverrides& overrides) : TSaverForm(QPoint(8, 8), overrides) {
    setFocusPolicy(Qt::StrongFocus);
    Image1->SetCursor(crNone);
    Image1->OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int, int) { Image1MouseDown(); };
    Image1->OnMouseMove = [this](QObject*, TShiftState, int, int) { Image1MouseMove(); };
    AppEvents1 = new TApplicationEvents(this);
    AppEvents1->OnDeactivate = [this](QObject*) { AppEvents1Deactivate(); };
    // Undecorated, above everything else, over the whole screen.
    CurrentHost().CoverScreen(this, screen ? screen : PointerScreen());
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

QList<TForm1*> TForm1::Windows() { return gWindows; }

// Mirrored monitors show the same part of the desktop: one window covers them all.
QList<QScreen*> TForm1::ScreensPointerFirst() {
    QList<QScreen*> all = QGuiApplication::screens();
    if (QScreen* first = PointerScreen(); first && all.removeOne(first))
        all.prepend(first);
    QList<QScreen*> screens;
    QList<QRect> covered;
    for (QScreen* screen : all)
        if (!covered.contains(screen->geometry())) {
            covered.append(screen->geometry());
            screens.append(screen);
        }
    return screens;
}

void TForm1::FormCreate() {
    gWindows.append(this);
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, nullptr, 0);
    CreateEngine();
}

// The flag stays up until the last saver window is gone.
void TForm1::FormDestroy() {
    DestroyEngine();
    gWindows.removeOne(this);
    if (gWindows.isEmpty())
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
}

// One window takes the keyboard, so the others do not take it away again.
void TForm1::showEvent(QShowEvent* event) {
    TSaverForm::showEvent(event);
    if (!gWindows.isEmpty() && gWindows.first() == this)
        CurrentHost().TakeKeyboard(this);
}

void TForm1::closeEvent(QCloseEvent* event) {
    TSaverForm::closeEvent(event);
    if (event->isAccepted())
        CloseAll();
}

// Closing one saver window closes them all. Qt ignores a close of a window already closing.
void TForm1::CloseAll() {
    for (TForm1* window : QList<TForm1*>(gWindows))
        if (window->isVisible())
            window->close();
}

void TForm1::keyPressEvent(QKeyEvent*) { close(); }

void TForm1::Image1MouseDown() { close(); }

// Some hosts (Wayland compositors) tell a window the pointer has come in with an enter alone, no
// motion: a pointer moved from one saver window onto another is a move there. A window that
// appears under a still pointer is entered where the pointer was, which is none.
void TForm1::enterEvent(QEnterEvent* event) {
    TSaverForm::enterEvent(event);
    const QPoint at = event->globalPosition().toPoint();
    const bool moved = gLastPointer && *gLastPointer != at;
    gLastPointer = at;
    if (moved && CurrentHost().EnterIsMove())
        Image1MouseMove();
}

// Only real pointer moves arrive here: a window mapped under a still pointer gets no motion.
void TForm1::Image1MouseMove() {
    gLastPointer = QCursor::pos();
    ++gMouseMoveCount;
    if (gMouseMoveCount > 5)
        close();
}

void TForm1::AppEvents1Deactivate() { close(); }

}  // namespace Tallwick
