#pragma once
// Programs that refuse to run as root (XScreenSaver, MATE's screen saver, sway): a test running
// as root runs them as an ordinary user it makes; anyone else runs them as themselves.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <pwd.h>
#include <unistd.h>

namespace TestUser {

// The user named `name`, made when missing (no home folder, no login shell). False when a root
// test could not make it.
inline bool Ensure(const char* name) {
    if (geteuid() != 0 || getpwnam(name))
        return true;
    return QProcess::execute("useradd", {"--no-create-home", "--shell", "/usr/sbin/nologin", name}) == 0;
}

// `command` run as that user (through runuser) when the test runs as root, else as it is.
inline QStringList As(const char* name, const QStringList& command) {
    if (geteuid() != 0)
        return command;
    return QStringList{"runuser", "-u", QString::fromLatin1(name), "--"} + command;
}

// Gives a folder (and what the test puts in it) to that user, so that it may write there.
inline bool Own(const char* name, const QString& path) {
    if (geteuid() != 0)
        return true;
    return QProcess::execute("chown", {"-R", QString::fromLatin1(name), path}) == 0;
}

}  // namespace TestUser
