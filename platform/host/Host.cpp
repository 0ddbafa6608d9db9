// The defaults of a host: full-screen windows placed by Qt, nothing known of other programs.
#include "Host.h"

#include <QScreen>
#include <QWidget>

namespace Tallwick {

THost::~THost() = default;

void THost::Prepare() const {
    if (!QtPlatform().isEmpty())
        qputenv("QT_QPA_PLATFORM", QtPlatform());
}

void THost::CoverScreen(QWidget* window, QScreen* screen) const {
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    PlaceOnScreen(window, screen);
}

void THost::TakeKeyboard(QWidget* window) const {
    window->activateWindow();
    window->setFocus();
}

void THost::PlaceOnScreen(QWidget* window, QScreen* screen) {
    if (!screen)
        return;
    window->setScreen(screen);
    window->setGeometry(screen->geometry());
}

}  // namespace Tallwick
