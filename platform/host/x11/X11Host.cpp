// The X11 host, over the X11 glue of platform/x11.
#include "X11Host.h"

#include "X11Glue.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <X11/Xlib.h>
#include <algorithm>
#include <csignal>

namespace Tallwick {

namespace {
constexpr int kGrabAttempts = 250;  // 5 s in steps of 20 ms
constexpr int kGrabStepMs = 20;

// An X server run by a Wayland compositor names its monitors XWAYLAND0, XWAYLAND1, ...
bool OnXWayland() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [](const QScreen* screen) { return screen->name().startsWith(QLatin1String("XWAYLAND")); });
}

// A window can be given the keyboard only once the server shows it, a little after Qt does.
void GrabKeyboard(QPointer<QWidget> window, int attemptsLeft) {
    if (!window || !window->isVisible() || attemptsLeft == 0)
        return;
    if (window->windowHandle() && window->windowHandle()->setKeyboardGrabEnabled(true))
        return;
    QTimer::singleShot(kGrabStepMs, window, [window, attemptsLeft] { GrabKeyboard(window, attemptsLeft - 1); });
}
}  // namespace

std::unique_ptr<TX11Host> TX11Host::Connect(QByteArray platform, QString& problem) {
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty()) {
        problem = QStringLiteral("DISPLAY is not set");
        return nullptr;
    }
    // A display that closes a connection before the client has sent its greeting makes the
    // client's first write fail with EPIPE; left at its default, SIGPIPE would end the program
    // there instead of letting Xlib and Qt report the lost connection.
    std::signal(SIGPIPE, SIG_IGN);
    Display* display = XOpenDisplay(name.constData());
    if (!display) {
        problem = QStringLiteral("cannot connect to DISPLAY=%1").arg(QString::fromLocal8Bit(name));
        return nullptr;
    }
    return std::unique_ptr<TX11Host>(new TX11Host(std::move(platform), display));
}

TX11Host::TX11Host() = default;

TX11Host::TX11Host(QByteArray platform, Display* held) : FPlatform(std::move(platform)), FHeld(held) {}

TX11Host::~TX11Host() { Connected(); }

void TX11Host::Connected() {
    if (FHeld)
        XCloseDisplay(FHeld);
    FHeld = nullptr;
}

// Placed by the program itself, not by the window manager: above everything, undecorated.
void TX11Host::CoverScreen(QWidget* window, QScreen* screen) const {
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint);
    PlaceOnScreen(window, screen);
}

// An override-redirect window gets the keyboard only when it asks for it. Through XWayland the
// compositor's window manager undoes every focus change it did not make itself (it gives the
// focus back to the window it chose, here none), and the saver would take the focus going away
// for another window activated and close at once. There it takes the keyboard with a grab, which
// that window manager leaves alone, and which gives it the focus as well.
void TX11Host::TakeKeyboard(QWidget* window) const {
    window->setFocus();
    if (OnXWayland())
        GrabKeyboard(window, kGrabAttempts);
    else
        window->activateWindow();
}

}  // namespace Tallwick
