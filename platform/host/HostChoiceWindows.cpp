// Which host, on Windows: the Windows desktop itself, unless QT_QPA_PLATFORM names another of
// Qt's platforms (offscreen, in tests), which gets the host of no other programs' windows.
#include "HostChoice.h"

#include "windows/WindowsHost.h"

namespace Tallwick {

namespace {
bool IsWindowsPlatform(const QString& platform) { return platform.isEmpty() || platform.startsWith("windows"); }
}  // namespace

THostChoice ChooseHost(bool needsEmbedding) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (needsEmbedding && !IsWindowsPlatform(platform))
        return {nullptr, QStringLiteral("QT_QPA_PLATFORM=%1 cannot show a window inside another program's window, "
                                        "which needs the windows platform")
                             .arg(platform)};
    return {HostOf(platform), {}};
}

bool Runs(const THost* host, const QString& platform) {
    return host && (dynamic_cast<const TWindowsHost*>(host) != nullptr) == IsWindowsPlatform(platform);
}

std::unique_ptr<THost> HostOf(const QString& platform) {
    if (IsWindowsPlatform(platform))
        return std::make_unique<TWindowsHost>();
    return std::make_unique<THost>();
}

}  // namespace Tallwick
