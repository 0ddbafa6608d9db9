#pragma once
// Mounts only the calling test sees: a mount namespace of its own (entered once; the mounts go with
// the process), then a small tmpfs or a read-only view of a folder, to make a full disk or a
// read-only file system on demand. Each function returns an empty text, or why it could not (not
// root, no namespaces in this container) for QSKIP.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

namespace PrivateMounts {

inline QString Failed(const char* what) {
    return QStringLiteral("%1 failed (%2): mounts need root and a mount namespace of our own")
        .arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

inline QString Enter() {
    static QString result = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return Failed("unshare(CLONE_NEWNS)");
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return Failed("making / private");
        return QString();
    }();
    return result;
}

// A tmpfs of `bytes` at `folder`.
inline QString SmallTmpfs(const QString& folder, int bytes) {
    if (QString why = Enter(); !why.isEmpty())
        return why;
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("none", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0)
        return Failed("mount -t tmpfs");
    return QString();
}

// A folder or a file seen read-only at its own place.
inline QString ReadOnly(const QString& path) {
    if (QString why = Enter(); !why.isEmpty())
        return why;
    const QByteArray name = QFile::encodeName(path);
    if (::mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr) != 0)
        return Failed("mount --bind");
    if (::mount(nullptr, name.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return Failed("mount -o remount,ro");
    return QString();
}

inline void Unmount(const QString& path) { ::umount2(QFile::encodeName(path).constData(), MNT_DETACH); }

}  // namespace PrivateMounts
