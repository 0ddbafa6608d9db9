#pragma once
// The host of an X11 display: saver windows above the window manager, other programs' windows by
// their X11 ids (the preview's parent, the window the settings dialog gives back), taskbar hints.
#include "ForeignWindowsHost.h"

#include <QString>
#include <memory>

typedef struct _XDisplay Display;

namespace Tallwick {

class TX11Host : public TForeignWindowsHost {
public:
    // Connects to the display DISPLAY names and holds the connection until the application has
    // connected too: an X server resets when its last client leaves, and one that resets between
    // this check and Qt's own connection would make Qt abort. Null, with the reason in `problem`
    // ("DISPLAY is not set", "cannot connect to DISPLAY=:7"), when there is no display.
    // `platform`: what QT_QPA_PLATFORM is to be set to ("xcb"), or empty to leave it.
    static std::unique_ptr<TX11Host> Connect(QByteArray platform, QString& problem);
    // A host on the display Qt is already connected to.
    TX11Host();
    ~TX11Host() override;

    QByteArray QtPlatform() const override { return FPlatform; }
    void Connected() override;
    void CoverScreen(QWidget* window, QScreen* screen) const override;
    void TakeKeyboard(QWidget* window) const override;

private:
    TX11Host(QByteArray platform, Display* held);

    QByteArray FPlatform;
    Display* FHeld = nullptr;  // the check's connection, until Qt has its own
};

}  // namespace Tallwick
