// Replacing a file in one step on Windows: the bytes go to a new file beside it, are flushed to
// the disk, and the new file then takes the old one's place (MoveFileExW replaces it; rename()
// of the C library would refuse to). Names go to the W calls, so any file name works.
#include "FileReplace.h"

#include <Tallwick/Exception.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>
#undef ReplaceFile  // the system's ReplaceFileW, whose name would take ours

namespace Tallwick {

namespace {
constexpr int kTempNameTries = 16;

[[noreturn]] void CannotCreate(const QString& path) {
    throw EFCreateError(QStringLiteral("Cannot create file %1").arg(path));
}

std::wstring Native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

// A file that is there but may not be written (read-only, say) is not replaced behind its owner's
// back: opening it for writing, without truncating, asks exactly whether it could be rewritten.
bool MayRewrite(const std::wstring& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    ::CloseHandle(h);
    return true;
}

bool WriteAll(HANDLE h, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const DWORD chunk = DWORD(std::min<qint64>(left, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(h, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// A new file of our own beside `path` (never one that was there), or INVALID_HANDLE_VALUE.
HANDLE CreateTemp(const QString& path, std::wstring& tempPath) {
    for (int i = 0; i < kTempNameTries; ++i) {
        const QString name = path + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16,
                                                              QLatin1Char('0'));
        tempPath = Native(name);
        const HANDLE h =
            ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}
}  // namespace

void ReplaceFile(const QString& path, const QByteArray& bytes) {
    const std::wstring target = Native(path);
    if (!MayRewrite(target))
        CannotCreate(path);
    std::wstring temp;
    const HANDLE h = CreateTemp(path, temp);
    if (h == INVALID_HANDLE_VALUE)
        CannotCreate(path);
    const bool written = WriteAll(h, bytes) && ::FlushFileBuffers(h);
    ::CloseHandle(h);
    if (!written || !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        CannotCreate(path);
    }
}

}  // namespace Tallwick
