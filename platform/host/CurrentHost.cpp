// The program's host, once chosen, on every system.
#include "HostChoice.h"

#include <QGuiApplication>

namespace Tallwick {

namespace {
std::unique_ptr<THost>& Installed() {
    static std::unique_ptr<THost> host;
    return host;
}
}  // namespace

void UseHost(std::unique_ptr<THost> host) {
    if (host)
        host->Prepare();
    Installed() = std::move(host);
}

// Qt may still have gone its own way (a platform the check could reach and Qt could not): the
// host follows the platform Qt runs on.
THost& CurrentHost() {
    std::unique_ptr<THost>& host = Installed();
    const QString platform = qGuiApp ? QGuiApplication::platformName() : QString();
    if (!host || (qGuiApp && !Runs(host.get(), platform)))
        host = HostOf(platform);
    return *host;
}

}  // namespace Tallwick
