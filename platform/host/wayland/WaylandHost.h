#pragma once
// The host of a Wayland desktop: the compositor places the windows (a saver window asks for full
// screen on its output), tells a pointer moved between windows by an enter alone, and offers no
// other programs' windows to draw in.
#include "Host.h"

#include <QString>
#include <memory>

namespace Tallwick {

class TWaylandHost : public THost {
public:
    // `platform`: what QT_QPA_PLATFORM is to be set to ("wayland"), or empty to leave it.
    explicit TWaylandHost(QByteArray platform = {});

    // Why no Wayland host can run here ("WAYLAND_DISPLAY is not set", Qt's Wayland platform not
    // installed), or empty when one can. WAYLAND_DISPLAY (default "wayland-0") names a socket in
    // XDG_RUNTIME_DIR or is an absolute path; WAYLAND_SOCKET hands over a connection already made.
    static QString Problem();

    QByteArray QtPlatform() const override { return FPlatform; }
    void Prepare() const override;
    int Finish(int status) const override;
    void CoverScreen(QWidget* window, QScreen* screen) const override;
    bool EnterIsMove() const override { return true; }

private:
    QByteArray FPlatform;
};

}  // namespace Tallwick
