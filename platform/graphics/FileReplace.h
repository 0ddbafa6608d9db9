#pragma once
// Replaces a file's whole content so that a reader sees either the old file or the new one, never
// a part: the bytes go to a temporary file beside it, are forced to disk, and the temporary file is
// then renamed over the old one. Raises EFCreateError ("Cannot create file %s") on any failure,
// leaving the old file as it was; a file that could not be opened for writing (read-only) is a
// failure too, as it would be for a writer truncating it in place.
#include <QByteArray>
#include <QString>

namespace Tallwick {

void ReplaceFile(const QString& path, const QByteArray& bytes);

}  // namespace Tallwick
