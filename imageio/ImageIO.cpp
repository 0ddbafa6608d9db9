// Picture files into and out of the attached bitmap, each format chosen by the file name from the
// table of formats.
#include "ImageIO.h"

#include "Exception.h"
#include "FileReplace.h"
#include "PictureFile.h"
#include "PictureFormats.h"

#include <QDir>
#include <QCoreApplication>

namespace Tallwick {

class TImageIO::Private {
public:
    TBitmap* FBitmap = nullptr;
};

void TImageIO::SetAttachedBitmap(TBitmap* bitmap) { d->FBitmap = bitmap; }
TBitmap* TImageIO::AttachedBitmap() const { return d->FBitmap; }

TBitmap& TImageIO::Bitmap() const {
    if (!d->FBitmap)
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "No bitmap is attached for picture files"));
    return *d->FBitmap;
}

void TImageIO::LoadFromFile(const QString& fileName) {
    TBitmap& bitmap = Bitmap();
    const TPictureFile file(fileName);
    const QImage image = TPictureFormats::ByFileName(fileName).Read(file.Data(), file.Size(), fileName);
    bitmap.Assign(image);
    bitmap.SetPixelFormat(pf24bit);
}

void TImageIO::SaveToFile(const QString& fileName) {
    // Refused before anything is touched: a BMP under a metafile's name would be refused by every
    // reader, ours included.
    const TPictureFormat& format = TPictureFormats::ByFileName(fileName);
    if (!format.Write)
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot save %1: these formats are read only")
                .arg(TPictureFormats::ReadOnlyTitles()));
    TBitmap& bitmap = Bitmap();
    bitmap.SetPixelFormat(pf24bit);
    if (bitmap.Empty())
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "Cannot save an empty picture to %1")
                                           .arg(QDir::toNativeSeparators(fileName)));
    ReplaceFile(fileName, format.Write(bitmap.Image()));
}

TImageIO::~TImageIO() = default;

TImageIO::TImageIO() : d(std::make_unique<Private>()) {}
TImageIO::TImageIO(const TImageIO& other) : d(std::make_unique<Private>(*other.d)) {}
TImageIO& TImageIO::operator=(const TImageIO& other) {
    *d = *other.d;
    return *this;
}

}  // namespace Tallwick
