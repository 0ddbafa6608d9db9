// The bytes of a picture file, mapped rather than copied.
#include "PictureFile.h"

#include "Exception.h"

#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>

namespace Tallwick {

namespace {
[[noreturn]] void CannotOpen(const QString& fileName) {
    throw EFOpenError(
        QCoreApplication::translate("Tallwick", "Cannot open file %1").arg(QDir::toNativeSeparators(fileName)));
}
}  // namespace

TPictureFile::TPictureFile(const QString& fileName) : FFileName(fileName), FFile(fileName) {
    if (QFileInfo(fileName).isDir() || !FFile.open(QIODevice::ReadOnly))
        CannotOpen(fileName);
    FSize = FFile.size();
    if (FSize == 0) {
        static const std::uint8_t kNothing = 0;
        FData = &kNothing;
        return;
    }
    FData = FFile.map(0, FSize);
    if (!FData) {  // a pipe or a file system without mapping: read it, bounded
        if (FSize > (std::int64_t(1) << 30))
            CannotOpen(fileName);
        FSmall = FFile.readAll();
        if (FSmall.size() != FSize)
            CannotOpen(fileName);
        FData = reinterpret_cast<const std::uint8_t*>(FSmall.constData());
    }
}

}  // namespace Tallwick
