// Whole-file replacement through a temporary file and a rename, keeping permissions as narrow as
// they were and saying why a replacement failed.
#include "FileReplace.h"

#include <Tallwick/Exception.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>

namespace Tallwick {

namespace {
EFCreateError CreateError(const QString& path, const QString& reason) {
    return EFCreateError(QCoreApplication::translate("Tallwick", "Cannot create file %1: %2")
                             .arg(QDir::toNativeSeparators(path), reason));
}

[[noreturn]] void CannotCreate(const QString& path, const QString& reason) { throw CreateError(path, reason); }

[[noreturn]] void CannotCreate(const QString& path, int systemError) { throw CannotCreateError(path, systemError); }

// write(2) until every byte is out; a short write followed by an error (full disk, size limit)
// is a failure. Going around Qt's buffer keeps that visible: a buffered flush can lose it.
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

QString KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

// The mode the replacement gets: an existing regular file's own, or (KeepsMode false) the mode
// a new file is created with, which the user's file-creation mask narrows further.
struct TReplacementMode {
    bool KeepsMode = false;
    mode_t Mode = 0;
};

// Looks at what is at `path` without following a link for its mode; refuses anything that is not,
// and does not lead to, a regular file or nothing at all.
TReplacementMode ModeFor(const QString& path, TNewFileAccess access) {
    const QByteArray name = QFile::encodeName(path);
    const TReplacementMode created{false, mode_t(access == TNewFileAccess::OwnerOnly ? 0600 : 0666)};
    struct stat own {};
    if (::lstat(name.constData(), &own) != 0) {
        if (errno != ENOENT)
            CannotCreate(path, errno);
        return created;
    }
    if (S_ISREG(own.st_mode))
        return {true, mode_t(own.st_mode & 0777)};
    if (!S_ISLNK(own.st_mode))
        CannotCreate(path, QStringLiteral("it is %1, not a regular file").arg(KindOf(own.st_mode)));
    struct stat target {};
    if (::stat(name.constData(), &target) != 0) {
        if (errno != ENOENT)
            CannotCreate(path, errno);
        return created;  // a link to nothing: the new file takes its place
    }
    if (!S_ISREG(target.st_mode))
        CannotCreate(path, QStringLiteral("it is a link to %1, which is %2, not a regular file")
                               .arg(QFile::symLinkTarget(path), KindOf(target.st_mode)));
    return created;
}

// A file that is there but may not be written (made read-only, say) is not replaced behind its
// owner's back: the rename would only need the directory to be writable. Opening it for writing,
// without truncating, asks exactly whether it could be rewritten. 0, or the system's error.
int RewriteError(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

// A new file beside `path`, named after it with a random ending, created with `mode`; -1 (errno
// set) when none could be made.
int CreateBeside(const QString& path, mode_t mode, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(path) + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Fills the temporary file and gives it its final mode; 0, or the system's error.
int Fill(int fd, const QByteArray& bytes, const TReplacementMode& mode) {
    if (!WriteAll(fd, bytes))
        return errno;
    if (mode.KeepsMode && ::fchmod(fd, mode.Mode) != 0)
        return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}
}  // namespace

EFCreateError CannotCreateError(const QString& path, int systemError) {
    return CreateError(path, QString::fromLocal8Bit(std::strerror(systemError)));
}

void ReplaceFile(const QString& path, const QByteArray& bytes, TNewFileAccess access) {
    const TReplacementMode mode = ModeFor(path, access);
    if (mode.KeepsMode) {
        if (const int error = RewriteError(path))
            CannotCreate(path, error);
    }
    QByteArray tempName;
    const int fd = CreateBeside(path, mode.Mode, tempName);
    if (fd < 0)
        CannotCreate(path, errno);
    int error = Fill(fd, bytes, mode);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempName.constData());
        CannotCreate(path, error);
    }
}

// The folders of a user's settings are the user's alone (0700), as the XDG rules ask of folders
// made for them.
int MakeUserFolders(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return 0;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder)
        return ENOENT;
    if (const int error = MakeUserFolders(parent))
        return error;
    return ::mkdir(QFile::encodeName(folder).constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

}  // namespace Tallwick
