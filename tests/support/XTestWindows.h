#pragma once
// Windows of "another program" for the X11 tests: made on a connection of the test's own, so the
// code under test meets them only through their ids, as it meets a screen-saver host's window.
#include <QSize>
#include <QTest>
#include <optional>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

class XTestWindows {
public:
    XTestWindows() : FDisplay(XOpenDisplay(nullptr)) {}
    ~XTestWindows() {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    XTestWindows(const XTestWindows&) = delete;
    XTestWindows& operator=(const XTestWindows&) = delete;

    Display* display() const { return FDisplay; }
    Window root() const { return DefaultRootWindow(FDisplay); }
    Atom atom(const char* name) const { return XInternAtom(FDisplay, name, False); }

    Window create(QSize size, bool mapped = true) {
        const Window window =
            XCreateSimpleWindow(FDisplay, root(), 10, 10, unsigned(size.width()), unsigned(size.height()), 0, 0, 0);
        if (mapped)
            XMapWindow(FDisplay, window);
        XSync(FDisplay, False);
        return window;
    }

    // The id of a window that existed and is gone.
    Window destroyedWindow() {
        const Window window = create(QSize(10, 10), false);
        XDestroyWindow(FDisplay, window);
        XSync(FDisplay, False);
        return window;
    }

    XWindowAttributes attributes(Window window) const {
        XWindowAttributes a{};
        XGetWindowAttributes(FDisplay, window, &a);
        return a;
    }

    Window parentOf(Window window) const {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(FDisplay, window, &rootReturn, &parent, &children, &count);
        if (children)
            XFree(children);
        return parent;
    }

    // The parent's first child once it is viewable (waiting up to 15 s); 0 when none shows.
    Window waitForViewableChild(Window parent) const {
        Window child = 0;
        for (int i = 0; i < 300 && !child; ++i) {
            Window rootReturn = 0, up = 0, *children = nullptr;
            unsigned count = 0;
            XQueryTree(FDisplay, parent, &rootReturn, &up, &children, &count);
            if (count > 0 && attributes(children[0]).map_state == IsViewable)
                child = children[0];
            if (children)
                XFree(children);
            if (!child)
                QTest::qWait(50);
        }
        return child;
    }

    QList<unsigned long> atomsOf(Window window, const char* property) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        QList<unsigned long> atoms;
        XGetWindowProperty(FDisplay, window, atom(property), 0, 64, False, XA_ATOM, &type, &format, &count, &remaining,
                           &data);
        if (data && format == 32)
            for (unsigned long i = 0; i < count; ++i)
                atoms.append(reinterpret_cast<unsigned long*>(data)[i]);
        if (data)
            XFree(data);
        return atoms;
    }

    // The next client message of the given type sent to the root window (the test must have
    // selected SubstructureNotifyMask on the root first).
    std::optional<XClientMessageEvent> waitForRootMessage(Atom type) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            XSync(FDisplay, False);
            while (XPending(FDisplay)) {
                XEvent event;
                XNextEvent(FDisplay, &event);
                if (event.type == ClientMessage && event.xclient.message_type == type)
                    return event.xclient;
            }
            QTest::qWait(10);
        }
        return std::nullopt;
    }

private:
    Display* FDisplay;
};
