#pragma once
// Replaces a file's whole content so that a reader sees either the old file or the new one, never
// a part: the bytes go to a temporary file beside it, are forced to disk, and the temporary file is
// then renamed over the old one. Raises EFCreateError ("Cannot create file %s: reason", the
// system's reason for the failure) on any failure, leaving the old file as it was; a file that
// could not be opened for writing (read-only) is a failure too, as it would be for a writer
// truncating it in place.
//
// Permissions are never widened: an existing regular file keeps its own mode; a new file, or one
// that replaces a symbolic link, gets the mode `access` names. A link is never followed for its
// mode. A path that is, or links to, anything but a regular file (a device, a pipe, a folder) is
// refused: it is not a file the bytes could be kept in.
#include <Tallwick/Exception.h>

#include <QByteArray>
#include <QString>

namespace Tallwick {

enum class TNewFileAccess {
    UserDefault,  // what the user's file-creation mask leaves of read and write for everyone
    OwnerOnly,    // read and write for the owner alone (0600), for files in a user's private folders
};

void ReplaceFile(const QString& path, const QByteArray& bytes, TNewFileAccess access = TNewFileAccess::UserDefault);

// "Cannot create file PATH: " and the system's text for the error number (errno; on Windows a
// Win32 error code).
EFCreateError CannotCreateError(const QString& path, int systemError);

// Makes `folder` and any of its parents that are missing, for the user alone (0700 where the
// system has modes). 0, or the system's error number as CannotCreateError takes it.
int MakeUserFolders(const QString& folder);

}  // namespace Tallwick
