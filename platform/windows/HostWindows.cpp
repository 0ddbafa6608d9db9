// The window-manager calls the saver makes on Windows, made through Win32 itself.
#include "HostWindows.h"

#include "WindowHandle.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

namespace Tallwick {

bool HostWindowExists(unsigned long id) { return id != 0 && ::IsWindow(HandleOf(id)); }

QSize HostWindowSize(unsigned long id) {
    RECT r{};
    if (!HostWindowExists(id) || !::GetClientRect(HandleOf(id), &r))
        return {};
    return QSize(int(r.right - r.left), int(r.bottom - r.top));
}

unsigned long GetForegroundWindow() { return IdOf(::GetForegroundWindow()); }

bool SetForegroundWindow(unsigned long id) { return HostWindowExists(id) && ::SetForegroundWindow(HandleOf(id)); }

bool EnableWindow(unsigned long id, bool enable) {
    if (!HostWindowExists(id))
        return false;
    return ::EnableWindow(HandleOf(id), enable ? TRUE : FALSE) != 0;
}

bool IsWindowEnabled(unsigned long id) { return HostWindowExists(id) && ::IsWindowEnabled(HandleOf(id)); }

namespace {

// The owner of windows kept out of the taskbar: a window of our own that is never shown, as the
// original's hidden application window was. Made once, on first use.
HWND HiddenOwner() {
    static const HWND owner = ::CreateWindowExW(0, L"STATIC", L"Skyglow", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                                ::GetModuleHandleW(nullptr), nullptr);
    return owner;
}

}  // namespace

namespace {
// Qt sets a window's owner (GWLP_HWNDPARENT) afresh each time it shows the window, from its
// transient parent, which cannot be a window of another program (nor one Qt does not know), and
// it does so just before ShowWindow: the owner is given again when the window is told it is about
// to show (WM_SHOWWINDOW, sent from inside ShowWindow after Qt's change), so that it is owned
// from its first visible moment on.
class TOwnerKeeper : public QObject, public QAbstractNativeEventFilter {
public:
    TOwnerKeeper(QWidget* widget, HWND owner) : QObject(widget), FWindow(NativeOf(widget)), FOwner(owner) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        Apply();
    }
    ~TOwnerKeeper() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->hwnd == FWindow && msg->message == WM_SHOWWINDOW && msg->wParam)
            Apply();
        return false;
    }

private:
    static HWND NativeOf(QWidget* widget) { return reinterpret_cast<HWND>(widget->winId()); }  // made now if need be
    void Apply() const {
        if (::GetWindow(FWindow, GW_OWNER) != FOwner)
            ::SetWindowLongPtrW(FWindow, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(FOwner));
    }

    HWND FWindow;
    HWND FOwner;
};
}  // namespace

// Windows gives a taskbar button to a top-level window that has no owner (and no
// WS_EX_APPWINDOW); an owned window never gets one.
void HideFromTaskbar(QWidget* widget) {
    if (!widget)
        return;
    const HWND window = reinterpret_cast<HWND>(widget->winId());  // made now when not yet there
    if (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
        return;  // a child (the preview in its host): never in the taskbar, and GWLP_HWNDPARENT would move it
    if (::GetWindow(window, GW_OWNER))
        return;  // owned already (by the host's window, say): no button
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~LONG_PTR(WS_EX_APPWINDOW));
    if (const HWND owner = HiddenOwner())
        new TOwnerKeeper(widget, owner);
}

bool SetOwnerWindow(QWidget* widget, unsigned long owner) {
    if (!widget || !HostWindowExists(owner))
        return false;
    new TOwnerKeeper(widget, HandleOf(owner));
    return true;
}

}  // namespace Tallwick
