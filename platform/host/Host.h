#pragma once
// THost: what the saver needs from the desktop it runs on, beyond Qt. One implementation per kind
// of host (X11, Wayland, Windows), chosen once at start (HostChoice.h); the saver's windows and dialogs ask
// the host and never the window system. The defaults here are those of a host with no other
// programs' windows at all (Qt's offscreen platform, in tests).
#include <QByteArray>
#include <QObject>
#include <QSize>
#include <functional>

class QScreen;
class QWidget;

namespace Tallwick {

// What a followed window of another program reports.
struct TFollowedWindowEvents {
    std::function<void(QSize)> Resized;
    std::function<void()> Destroyed;
};

class THost {
public:
    virtual ~THost();

    // The Qt platform to start on (QT_QPA_PLATFORM), or empty to leave Qt its own choice.
    virtual QByteArray QtPlatform() const { return {}; }
    // Readies the process's environment before the application object exists: QT_QPA_PLATFORM.
    virtual void Prepare() const;
    // The application object has connected to the display.
    virtual void Connected() {}
    // How the program ends with `status` once its windows are gone.
    virtual int Finish(int status) const { return status; }

    // Makes `window` a full-screen saver window over `screen` (none: where Qt puts it), above
    // every other window.
    virtual void CoverScreen(QWidget* window, QScreen* screen) const;
    // Gives the keys to a saver window that has just been shown.
    virtual void TakeKeyboard(QWidget* window) const;
    // Whether the pointer coming into a window without a motion of its own is a move of the
    // pointer (a compositor reports a move from one window onto another with an enter alone).
    virtual bool EnterIsMove() const { return false; }
    // Keeps a top-level window out of the taskbar and the pager.
    virtual void HideFromTaskbar(QWidget*) const {}

    // Other programs' windows, by the id the host gives them (0: none). The active one (0 when
    // unknown), taking input from one or giving it back, and activating one.
    virtual unsigned long ActiveWindow() const { return 0; }
    virtual void EnableWindow(unsigned long, bool) const {}
    virtual void Activate(unsigned long) const {}
    // Makes `widget`'s window a child of `parent`, of its size; false when that cannot be.
    virtual bool EmbedIn(QWidget*, unsigned long /*parent*/) const { return false; }
    // Reports what becomes of window `id` for as long as `owner` lives; false when it cannot be
    // followed (then nothing is reported).
    virtual bool Follow(unsigned long /*id*/, QObject* /*owner*/, const TFollowedWindowEvents&) const { return false; }
    // Makes another program's window `owner` the owner of top-level `window` (which then stays
    // above it, has no taskbar button of its own and goes with it); false when that cannot be.
    virtual bool SetOwner(QWidget* /*window*/, unsigned long /*owner*/) const { return false; }

protected:
    // Sizes `window` to `screen` before its first frame, which places the stars.
    static void PlaceOnScreen(QWidget* window, QScreen* screen);
};

}  // namespace Tallwick
