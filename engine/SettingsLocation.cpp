// Where the settings file is read and written.
#include "SettingsLocation.h"

#include <Tallwick/Vexutils.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace Tallwick {

namespace {
bool Absolute(const QByteArray& path) { return path.startsWith('/'); }

// "C:\...", "C:/...", a UNC path "\\server\share", or "/..." (which Qt takes on the current drive).
bool WindowsAbsolute(const QString& path) {
    if (path.size() >= 3 && path[0].isLetter() && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/'))
        return true;
    return path.startsWith(u'/') || path.startsWith(QLatin1String("\\\\"));
}
}  // namespace

TSettingsLocation TSettingsLocation::ForProgram() {
#ifdef Q_OS_WIN
    return ForWindows(ApplicationDirectory(), qEnvironmentVariable("APPDATA"));
#else
    return For(ApplicationDirectory(), qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME"));
#endif
}

TSettingsLocation TSettingsLocation::ForWindows(const QString& executableDir, const QString& appData) {
    const QString beside = executableDir + QLatin1String(FileName);
    if (MayRewrite(beside))
        return {beside, beside, false};
    const QString user = WindowsUserFile(appData, QDir::homePath());
    if (QFileInfo::exists(user) || !QFileInfo(beside).isFile())
        return {user, user, true};
    return {beside, user, true};
}

QString TSettingsLocation::WindowsUserFile(const QString& appData, const QString& home) {
    const QString folder = WindowsAbsolute(appData) ? appData : home + QStringLiteral("/AppData/Roaming");
    QString slashed = folder;
    slashed.replace(u'\\', u'/');  // Windows' own separators, whatever platform this runs on
    return QDir::cleanPath(slashed + QStringLiteral("/Skyglow/") + QLatin1String(FileName));
}

bool TSettingsLocation::MayRewrite(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return false;
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

TSettingsLocation TSettingsLocation::For(const QString& executableDir, const QByteArray& xdgConfigHome,
                                         const QByteArray& home) {
    const QString beside = executableDir + QLatin1String(FileName);
    if (!InstalledFolder(executableDir) && MayWrite(beside))
        return {beside, beside, false};
    const QString user = UserFile(xdgConfigHome, home);
    if (QFileInfo::exists(user) || !QFileInfo::exists(beside))
        return {user, user, true};
    return {beside, user, true};
}

QString TSettingsLocation::UserFile(const QByteArray& xdgConfigHome, const QByteArray& home) {
    QString config;
    if (Absolute(xdgConfigHome))
        config = QFile::decodeName(xdgConfigHome);
    else
        config = (Absolute(home) ? QFile::decodeName(home) : QDir::homePath()) + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/skyglow/") + QLatin1String(FileName));
}

bool TSettingsLocation::InstalledFolder(const QString& executableDir) {
    const QDir dir(executableDir);
    const QString name = dir.dirName();
    QDir up = dir;
    const bool hasParent = up.cdUp();
    if (name == QLatin1String("libexec") || (hasParent && up.dirName() == QLatin1String("libexec")))
        return true;
    return name == QLatin1String("bin") && !(hasParent && up.exists(QStringLiteral("CMakeCache.txt")));
}

// Something other than a file in the way (a folder named Skyglow.ini) does not move the settings
// elsewhere: writing there fails and says so, naming the path.
bool TSettingsLocation::MayWrite(const QString& path) {
    const QFileInfo file(path);
#ifdef Q_OS_WIN
    // A folder's access list decides, which no attribute shows: try making a file in it.
    QTemporaryFile probe(file.absolutePath() + QStringLiteral("/.skyglow-XXXXXX"));
    if (!probe.open())
        return false;
    return !file.isFile() || MayRewrite(path);
#else
    if (::access(QFile::encodeName(file.absolutePath()).constData(), W_OK) != 0)
        return false;
    return !file.isFile() || ::access(QFile::encodeName(path).constData(), W_OK) == 0;
#endif
}

}  // namespace Tallwick
