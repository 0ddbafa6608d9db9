#pragma once
// Qt aborts the process when its platform cannot connect to the display (the display went away
// after the program's own check, a server resetting, a platform plugin that does not load).
// While a TConnectGuard lives, such a start ends instead with one line on stderr, the program's
// name first, and status 1; Qt's other messages meanwhile are held back and passed on when the
// guard ends. It is meant for the application object's construction only.
#include <QString>

namespace Tallwick {

class TConnectGuard {
public:
    explicit TConnectGuard(const QString& program);
    ~TConnectGuard();
    TConnectGuard(const TConnectGuard&) = delete;
    TConnectGuard& operator=(const TConnectGuard&) = delete;
};

}  // namespace Tallwick
