#pragma once
// Catches the X protocol errors of the requests made on one Xlib connection while it lives.
// Xlib's default handler ends the process on any error, and a window id handed to us from
// outside (a command line, a remembered foreground window) may name a window that is long gone.
// Xlib's handler is process-wide: the trap installs its own and puts the previous one back.
// Errors of other connections are passed on to the handler that was there before.
#include <memory>

typedef struct _XDisplay Display;

namespace Tallwick {

class TX11ErrorTrap {
public:
    explicit TX11ErrorTrap(Display* display);
    ~TX11ErrorTrap();
    TX11ErrorTrap(const TX11ErrorTrap&) = delete;
    TX11ErrorTrap& operator=(const TX11ErrorTrap&) = delete;

    // Waits until the server has answered every request made so far, then tells whether any of
    // them failed since the trap was set.
    bool Failed();

    struct State;

private:
    std::unique_ptr<State> FState;
};

}  // namespace Tallwick
