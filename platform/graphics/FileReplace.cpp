// Replaces a file's whole content so that a reader sees either the old file or the new one, never a
// part.
#include "FileReplace.h"

#include <Tallwick/Exception.h>

#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>

namespace Tallwick {

namespace {
[[noreturn]] void CannotCreate(const QString& path) {
    throw EFCreateError(QCoreApplication::translate("Tallwick", "Cannot create file %1").arg(path));
}

// write(2) until every byte is out; a short write followed by an error (full disk, size limit)
// is a failure. Going around Qt's buffer keeps that visible: a buffered flush can lose it.
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// A file that is there but may not be written (made read-only, say) is not replaced behind its
// owner's back: the rename would only need the directory to be writable. Opening it for writing,
// without truncating and without waiting on a pipe, asks exactly whether it could be rewritten.
bool MayRewrite(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    ::close(fd);
    return true;
}

// The new file keeps the old one's permissions; a first file is readable by everyone.
QFile::Permissions PermissionsFor(const QString& path) {
    if (QFile::exists(path))
        return QFile::permissions(path);
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
}
}  // namespace

void ReplaceFile(const QString& path, const QByteArray& bytes) {
    if (!MayRewrite(path))
        CannotCreate(path);
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        CannotCreate(path);
    if (!WriteAll(temp.handle(), bytes) || ::fsync(temp.handle()) != 0)
        CannotCreate(path);
    temp.setPermissions(PermissionsFor(path));
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        CannotCreate(path);
    temp.setAutoRemove(false);  // it is the file now
}

}  // namespace Tallwick
