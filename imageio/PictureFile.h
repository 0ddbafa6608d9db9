#pragma once
// The bytes of a picture file, mapped rather than copied. New files are written with ReplaceFile.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

namespace Tallwick {

class TPictureFile {
public:
    // Opens and maps the file; EFOpenError "Cannot open file %s" when it is missing, a folder or
    // unreadable.
    explicit TPictureFile(const QString& fileName);
    TPictureFile(const TPictureFile&) = delete;
    TPictureFile& operator=(const TPictureFile&) = delete;

    const std::uint8_t* Data() const { return FData; }
    std::int64_t Size() const { return FSize; }
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
    QFile FFile;
    QByteArray FSmall;  // an empty file cannot be mapped
    const std::uint8_t* FData = nullptr;
    std::int64_t FSize = 0;
};

}  // namespace Tallwick
