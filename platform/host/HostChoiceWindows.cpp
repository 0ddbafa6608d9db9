// Which host, on Windows: the Windows desktop itself, unless QT_QPA_PLATFORM names another of
// Qt's platforms (offscreen, in tests), which gets the host of no other programs' windows.
#include "HostChoice.h"

#include "windows/WindowsHost.h"

#include <QGuiApplication>

namespace Tallwick {

namespace {
bool IsWindowsPlatform(const QString& platform) { return platform.isEmpty() || platform.startsWith("windows"); }

std::unique_ptr<THost> HostOf(const QString& platform) {
    if (IsWindowsPlatform(platform))
        return std::make_unique<TWindowsHost>();
    return std::make_unique<THost>();
}

std::unique_ptr<THost>& Installed() {
    static std::unique_ptr<THost> host;
    return host;
}
}  // namespace

THostChoice ChooseHost(bool needsEmbedding) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (needsEmbedding && !IsWindowsPlatform(platform))
        return {nullptr, QStringLiteral("QT_QPA_PLATFORM=%1 cannot show a window inside another program's window, "
                                        "which needs the windows platform")
                             .arg(platform)};
    return {HostOf(platform), {}};
}

void UseHost(std::unique_ptr<THost> host) {
    if (host)
        host->Prepare();
    Installed() = std::move(host);
}

// As on other systems, the host follows the platform Qt actually runs on.
THost& CurrentHost() {
    std::unique_ptr<THost>& host = Installed();
    const QString platform = qGuiApp ? QGuiApplication::platformName() : QString();
    const bool windowsHost = host && dynamic_cast<const TWindowsHost*>(host.get());
    if (!host || (qGuiApp && windowsHost != IsWindowsPlatform(platform)))
        host = HostOf(platform);
    return *host;
}

}  // namespace Tallwick
