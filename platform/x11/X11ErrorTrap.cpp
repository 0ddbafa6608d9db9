// Catches the X protocol errors of the requests made on one Xlib connection while it lives.
#include "X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace Tallwick {

struct TX11ErrorTrap::State {
    Display* display;
    XErrorHandler previousHandler;
    State* outer;
    int errorCode;
};

namespace {

TX11ErrorTrap::State* innermostTrap = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
    TX11ErrorTrap::State* trap = innermostTrap;
    for (; trap; trap = trap->outer) {
        if (trap->display == display) {
            trap->errorCode = error->error_code;
            return 0;
        }
        if (!trap->outer)
            break;
    }
    // No trap for this connection: the handler from before the outermost trap decides.
    return trap && trap->previousHandler ? trap->previousHandler(display, error) : 0;
}

}  // namespace

TX11ErrorTrap::TX11ErrorTrap(Display* display) : FState(new State{display, nullptr, innermostTrap, 0}) {
    // Errors of earlier requests belong to whoever made them, not to this trap.
    XSync(display, False);
    FState->previousHandler = XSetErrorHandler(OnXError);
    innermostTrap = FState.get();
}

TX11ErrorTrap::~TX11ErrorTrap() {
    XSync(FState->display, False);
    innermostTrap = FState->outer;
    XSetErrorHandler(FState->previousHandler);
}

bool TX11ErrorTrap::Failed() {
    XSync(FState->display, False);
    return FState->errorCode != 0;
}

}  // namespace Tallwick
