#include "ImageIO.h"

#include "BmpCodec.h"
#include "Exception.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "MetafilePlayer.h"
#include "PcxCodec.h"
#include "FileReplace.h"
#include "PictureFile.h"
#include "TiffCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>

namespace Tallwick {

namespace {
enum class Format { Bmp, Jpeg, Tiff, Pcx, Gif, Metafile };

Format FormatOf(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return Format::Jpeg;
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff"))
        return Format::Tiff;
    if (ext == QLatin1String("pcx"))
        return Format::Pcx;
    if (ext == QLatin1String("gif"))
        return Format::Gif;
    if (ext == QLatin1String("wmf") || ext == QLatin1String("emf"))
        return Format::Metafile;
    return Format::Bmp;
}

QImage Decode(const TPictureFile& file) {
    const std::uint8_t* d = file.Data();
    const std::int64_t n = file.Size();
    switch (FormatOf(file.FileName())) {
    case Format::Jpeg: return TJpegCodec::Read(d, n, file.FileName());
    case Format::Tiff: return TTiffCodec::Read(d, n);
    case Format::Pcx: return TPcxCodec::Read(d, n);
    case Format::Gif: return TGifCodec::Read(d, n);
    case Format::Metafile: return TMetafilePlayer::Render(d, n);
    case Format::Bmp: break;
    }
    return TBmpCodec::Read(d, n, file.FileName());
}

QByteArray Encode(const QImage& image, const QString& fileName) {
    switch (FormatOf(fileName)) {
    case Format::Jpeg: return TJpegCodec::Write(image, TImageIO::kJpegQuality);
    case Format::Tiff: return TTiffCodec::Write(image);
    case Format::Pcx: return TPcxCodec::Write(image);
    case Format::Gif: return TGifCodec::Write(image);
    case Format::Metafile: break;  // refused before anything is written
    case Format::Bmp: break;
    }
    return TBmpCodec::Write(image);
}
}  // namespace

void TImageIO::SetAttachedBitmap(TBitmap* bitmap) { FBitmap = bitmap; }
TBitmap* TImageIO::AttachedBitmap() const { return FBitmap; }

TBitmap& TImageIO::Bitmap() const {
    if (!FBitmap)
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "No bitmap is attached for picture files"));
    return *FBitmap;
}

void TImageIO::LoadFromFile(const QString& fileName) {
    TBitmap& bitmap = Bitmap();
    const QImage image = Decode(TPictureFile(fileName));
    bitmap.Assign(image);
    bitmap.SetPixelFormat(pf24bit);
}

void TImageIO::SaveToFile(const QString& fileName) {
    // A BMP under a metafile's name would be refused by every reader, ours included.
    if (FormatOf(fileName) == Format::Metafile)
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot save WMF or EMF: these formats are read only"));
    TBitmap& bitmap = Bitmap();
    bitmap.SetPixelFormat(pf24bit);
    if (bitmap.Empty())
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "Cannot save an empty picture to %1")
                                           .arg(QDir::toNativeSeparators(fileName)));
    ReplaceFile(fileName, Encode(bitmap.Image(), fileName));
}

}  // namespace Tallwick
