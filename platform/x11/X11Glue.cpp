// The window-manager calls of the original platform that have an X11 counterpart.
#include "X11Glue.h"

#include "X11ErrorTrap.h"

#include <QGuiApplication>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace Tallwick {

namespace {

// One connection for all queries, opened on first use and kept for the life of the process.
Display* OwnDisplay() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

// Qt's own connection: requests about Qt's windows must follow Qt's requests that created them.
Display* QtDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// A property of 32-bit items (atoms, window ids); empty when absent or of another type.
std::vector<unsigned long> ReadProperty32(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &actualFormat, &count,
                           &remaining, &data) == Success &&
        actualType == type && actualFormat == 32 && data) {
        // Xlib hands out 32-bit items as longs.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

bool WindowManagerSupports(Display* display, Atom feature) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    for (unsigned long atom : ReadProperty32(display, DefaultRootWindow(display), supported, XA_ATOM))
        if (atom == feature)
            return true;
    return false;
}

// An EWMH request to the window manager: a client message about window, sent to the root.
void SendToWindowManager(Display* display, Window window, Atom request, long d0, long d1, long d2, long d3) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = request;
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    event.xclient.data.l[3] = d3;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

bool GetAttributes(Display* display, unsigned long id, XWindowAttributes& attributes) {
    if (!display || id == 0)
        return false;
    TX11ErrorTrap trap(display);
    const Status ok = XGetWindowAttributes(display, id, &attributes);
    return ok && !trap.Failed();
}

QSet<unsigned long>& DisabledWindows() {
    static QSet<unsigned long> windows;
    return windows;
}

void AddStatesToUnmappedWindow(Display* display, Window window, const std::vector<Atom>& states) {
    const Atom wmState = XInternAtom(display, "_NET_WM_STATE", False);
    std::vector<unsigned long> merged = ReadProperty32(display, window, wmState, XA_ATOM);
    for (Atom state : states)
        if (std::find(merged.begin(), merged.end(), state) == merged.end())
            merged.push_back(state);
    XChangeProperty(display, window, wmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(merged.data()), int(merged.size()));
}

}  // namespace

bool X11WindowExists(unsigned long id) {
    XWindowAttributes attributes;
    return GetAttributes(OwnDisplay(), id, attributes);
}

QSize X11WindowSize(unsigned long id) {
    XWindowAttributes attributes;
    if (!GetAttributes(OwnDisplay(), id, attributes))
        return {};
    return QSize(attributes.width, attributes.height);
}

unsigned long GetForegroundWindow() {
    Display* display = OwnDisplay();
    if (!display)
        return 0;
    TX11ErrorTrap trap(display);
    const Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    if (WindowManagerSupports(display, activeWindow)) {
        const auto active = ReadProperty32(display, DefaultRootWindow(display), activeWindow, XA_WINDOW);
        return active.empty() ? 0 : active.front();
    }
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus == None || focus == PointerRoot ? 0 : focus;
}

bool SetForegroundWindow(unsigned long id) {
    Display* display = OwnDisplay();
    XWindowAttributes attributes;
    if (!GetAttributes(display, id, attributes))
        return false;
    TX11ErrorTrap trap(display);
    const Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    if (WindowManagerSupports(display, activeWindow)) {
        // Source 2 ("pager"): the request acts for the user, as when a dialog gives the focus back;
        // as an application request without a timestamp it would fall to focus-stealing prevention.
        SendToWindowManager(display, id, activeWindow, 2, CurrentTime, 0, 0);
    } else {
        XRaiseWindow(display, id);
        XSetInputFocus(display, id, RevertToParent, CurrentTime);
    }
    return !trap.Failed();
}

bool EnableWindow(unsigned long id, bool enable) {
    const bool wasDisabled = DisabledWindows().contains(id);
    if (enable)
        DisabledWindows().remove(id);
    else
        DisabledWindows().insert(id);
    return wasDisabled;
}

bool IsWindowEnabled(unsigned long id) { return !DisabledWindows().contains(id); }

void HideFromTaskbar(QWidget* widget) {
    Display* display = QtDisplay();
    if (!widget || !display)
        return;
    QWidget* window = widget->window();
    const Window id = window->winId();
    const std::vector<Atom> states = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                                      XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
    // Qt calls a window visible from its show event on, before the server has mapped it; a
    // request about an unmapped window is ignored by window managers, so ask the server.
    XWindowAttributes attributes{};
    const bool mapped = XGetWindowAttributes(display, id, &attributes) && attributes.map_state != IsUnmapped;
    if (mapped) {
        const long add = 1, sourceApplication = 1;
        SendToWindowManager(display, id, XInternAtom(display, "_NET_WM_STATE", False), add, long(states[0]),
                            long(states[1]), sourceApplication);
    } else {
        AddStatesToUnmappedWindow(display, id, states);
    }
    XFlush(display);
}

}  // namespace Tallwick
