// Replacing a file in one step on Windows: the bytes go to a new file beside it, are flushed to
// the disk, and the new file then takes the old one's place (MoveFileExW replaces it; rename()
// of the C library would refuse to). Names go to the W calls, so any file name works. A new file
// takes the access rules of its folder (a user's AppData is the user's alone), so both kinds of
// TNewFileAccess come to the same here. Errors are Win32 error codes, told in the system's words.
#include "FileReplace.h"

#include <Tallwick/Exception.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>
#undef ReplaceFile  // the system's ReplaceFileW, whose name would take ours

namespace Tallwick {

namespace {
constexpr int kTempNameTries = 16;

[[noreturn]] void CannotCreate(const QString& path, DWORD systemError) {
    throw CannotCreateError(path, int(systemError));
}

// The system's own sentence for an error code, without its closing full stop and line break.
QString SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString result = length ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    ::LocalFree(text);
    if (result.endsWith(QLatin1Char('.')))
        result.chop(1);
    return result.isEmpty() ? QStringLiteral("system error %1").arg(error) : result;
}

std::wstring Native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

// A file that is there but may not be written (read-only, say) is not replaced behind its owner's
// back: opening it for writing, without truncating, asks exactly whether it could be rewritten.
// A folder is no file to keep bytes in. 0, or the system's error.
DWORD RewriteError(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : ::GetLastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ERROR_ACCESS_DENIED;
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    ::CloseHandle(h);
    return 0;
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

EFCreateError CannotCreateError(const QString& path, int systemError) {
    return EFCreateError(QCoreApplication::translate("Tallwick", "Cannot create file %1: %2")
                             .arg(QDir::toNativeSeparators(path), SystemErrorText(DWORD(systemError))));
}

void ReplaceFile(const QString& path, const QByteArray& bytes, TNewFileAccess) {
    const std::wstring target = Native(path);
    if (const DWORD error = RewriteError(target))
        CannotCreate(path, error);
    std::wstring temp;
    const HANDLE h = CreateTemp(path, temp);
    if (h == INVALID_HANDLE_VALUE)
        CannotCreate(path, ::GetLastError());
    DWORD error = WriteAll(h, bytes) && ::FlushFileBuffers(h) ? 0 : ::GetLastError();
    ::CloseHandle(h);
    if (!error && !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error) {
        ::DeleteFileW(temp.c_str());
        CannotCreate(path, error);
    }
}

int MakeUserFolders(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return 0;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder)
        return int(ERROR_PATH_NOT_FOUND);
    if (const int error = MakeUserFolders(parent))
        return error;
    if (::CreateDirectoryW(Native(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    return int(::GetLastError());
}

}  // namespace Tallwick
