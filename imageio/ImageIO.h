#pragma once
/// \class Tallwick::TImageIO
/// Reading and writing a bitmap as a picture file, the format chosen by the file name's extension.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Bitmap.h>
#include <Tallwick/ImageProc.h>

#include <QString>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TImageIO {
public:
    TImageIO();
    TImageIO(const TImageIO& other);
    TImageIO& operator=(const TImageIO& other);
    ~TImageIO();

    void SetAttachedBitmap(TBitmap* bitmap);
    TBitmap* AttachedBitmap() const;

    /// Reads by lower-cased extension (.jpg/.jpeg JPEG, .tif/.tiff TIFF, .pcx, .gif, .wmf/.emf
    /// metafile drawn into the bitmap, anything else BMP). Decodes into a temporary and replaces
    /// the attached bitmap's size and content (24-bit pixel format) only on success; throws on
    /// failure leaving the bitmap exactly as it was.
    void LoadFromFile(const QString& fileName);

    /// Sets the bitmap to 24 bits per pixel, then writes by extension: JPEG quality 50, PCX, GIF,
    /// TIFF for .tif/.tiff, BMP otherwise. .wmf and .emf are refused (EInvalidGraphicOperation)
    /// before anything is touched. The file is replaced in one step: a failed write leaves
    /// an existing file as it was.
    void SaveToFile(const QString& fileName);

    static constexpr int kJpegQuality = 50;

private:
    TBitmap& Bitmap() const;

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
