#pragma once
// Where the settings file is read and written.
//
// Reading: the user's own file, $XDG_CONFIG_HOME/skyglow/Skyglow.ini (~/.config/skyglow/ when
// XDG_CONFIG_HOME is unset, empty or relative), when it exists; else Skyglow.ini beside the
// executable when it exists (defaults an administrator may set for everyone); else the defaults.
// Writing: the user's own file, its folder made as needed.
//
// A portable copy (the build tree, a copy in a folder of the user's) keeps its file beside itself
// for reading and writing alike, as it always did: the executable is not in an installed bin or
// libexec folder, and this user may write Skyglow.ini there. Reading the user's file first would
// let a file of an installed copy hide what the portable copy's settings dialog just saved.
//
// On Windows the user's own file is %APPDATA%\Skyglow\Skyglow.ini, and the file beside the
// program (in the system folder, where the setup program puts it) holds an administrator's
// defaults. A portable copy there is one with a Skyglow.ini beside it that this user may write
// (a .scr in a folder of the user's own, installed by right-click "Install").
#include <QByteArray>
#include <QString>

namespace Tallwick {

struct TSettingsLocation {
    QString ReadPath;      // the file read (where the defaults come from when it does not exist)
    QString WritePath;     // the file the settings dialog writes
    bool UserOwn = false;  // WritePath is the user's own file, whose folder is made as needed

    static constexpr const char* FileName = "Skyglow.ini";

    // For the running program, from its folder and the environment.
    static TSettingsLocation ForProgram();
    // The same from given facts: the executable's folder (ending in '/'), XDG_CONFIG_HOME and HOME.
    static TSettingsLocation For(const QString& executableDir, const QByteArray& xdgConfigHome, const QByteArray& home);

    // The same on Windows, from the executable's folder (ending in '/') and %APPDATA%.
    static TSettingsLocation ForWindows(const QString& executableDir, const QString& appData);

    // %APPDATA%/Skyglow/Skyglow.ini; when APPDATA is unset or not absolute, the usual place of
    // the roaming application data in the home folder.
    static QString WindowsUserFile(const QString& appData, const QString& home);
    // Whether this user may rewrite the existing file `path` (opened for writing, nothing
    // changed). False when it does not exist.
    static bool MayRewrite(const QString& path);

    // $XDG_CONFIG_HOME/skyglow/Skyglow.ini, or $HOME/.config/skyglow/Skyglow.ini.
    static QString UserFile(const QByteArray& xdgConfigHome, const QByteArray& home);
    // An installed program's folder: ".../bin" (not a CMake build tree's), ".../libexec" or a folder
    // inside one (".../libexec/xscreensaver").
    static bool InstalledFolder(const QString& executableDir);
    // Whether this user may write `path` (an existing file) or create it (in an existing folder).
    static bool MayWrite(const QString& path);
};

}  // namespace Tallwick
