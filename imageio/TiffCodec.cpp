// TIFF through libtiff: every compression, bit depth and photometric interpretation it can read.
#include "TiffCodec.h"

#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <tiffio.h>
#include <QCoreApplication>

namespace Tallwick {

namespace {
// A blank fax page compresses to about one bit per line, so bilevel pictures may be far larger
// than their files.
constexpr std::int64_t kPixelsPerByte = std::int64_t(1) << 16;
// No single allocation inside libtiff (strip buffers, tables) beyond this.
constexpr tmsize_t kMaxSingleAlloc = tmsize_t(256) << 20;

// A file in memory for libtiff's client interface: read-only for decoding, growing for encoding.
struct MemoryFile {
    const std::uint8_t* ReadData = nullptr;
    std::vector<std::uint8_t>* WriteData = nullptr;
    std::int64_t Size = 0;
    std::int64_t Position = 0;
    bool Truncated = false;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t count) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (!f->ReadData || count < 0 || f->Position >= f->Size)
        return 0;
    const std::int64_t n = std::min<std::int64_t>(count, f->Size - f->Position);
    std::memcpy(buffer, f->ReadData + f->Position, std::size_t(n));
    f->Position += n;
    return tmsize_t(n);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t count) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (!f->WriteData || count < 0)
        return 0;
    const std::int64_t end = f->Position + count;
    if (end > std::int64_t(f->WriteData->size()))
        f->WriteData->resize(std::size_t(end));
    std::memcpy(f->WriteData->data() + f->Position, buffer, std::size_t(count));
    f->Position = end;
    f->Size = std::max(f->Size, end);
    return count;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(handle);
    std::int64_t base = whence == SEEK_CUR ? f->Position : whence == SEEK_END ? f->Size : 0;
    const std::int64_t target = base + std::int64_t(offset);
    if (target < 0 || (f->ReadData && target > f->Size) || target > (std::int64_t(1) << 32))
        return toff_t(-1);
    f->Position = target;
    return toff_t(target);
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return toff_t(static_cast<MemoryFile*>(handle)->Size); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Tags that lie beyond the end of the file only draw a warning from libtiff, but a picture that
// lost its colour map or similar is damaged, not to be shown in other colours.
int NoteTruncation(TIFF*, void* file, const char*, const char* format, va_list) {
    if (std::strstr(format, "IO error"))
        static_cast<MemoryFile*>(file)->Truncated = true;
    return 1;
}

TIFF* Open(MemoryFile& file, const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAlloc);
    TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, NoteTruncation, &file);
    TIFF* tif = TIFFClientOpenExt("picture", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                                  UnmapProc, options);
    TIFFOpenOptionsFree(options);
    return tif;
}

[[noreturn]] void Unrecognized() {
    throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized TIFF"));
}

struct TiffCloser {
    TIFF* Tif;
    ~TiffCloser() {
        if (Tif)
            TIFFClose(Tif);
    }
};

// libtiff's RGBA words hold red in the low byte (ours hold blue there), with the colour already
// multiplied by the alpha; composited here on white, the library's background, as GIF's
// transparent pixels are. Opaque pixels, nearly all of them, only swap red and blue.
std::uint32_t AbgrToRgb(std::uint32_t p) {
    const std::uint32_t uncovered = 255 - (p >> 24);
    if (uncovered == 0)
        return (p & 0xFF00FF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
    const auto channel = [&](int shift) { return std::min<std::uint32_t>(255, (p >> shift & 0xFF) + uncovered); };
    return 0xFF000000u | channel(0) << 16 | channel(8) << 8 | channel(16);
}

void AbgrToRgb32(QImage& image) {
    // The rows are contiguous (checked before decoding), so the picture is one run of words.
    auto* pixel = reinterpret_cast<std::uint32_t*>(image.bits());
    std::transform(pixel, pixel + qsizetype(image.width()) * image.height(), pixel, AbgrToRgb);
}
}  // namespace

QImage TTiffCodec::Read(const std::uint8_t* data, std::int64_t size) {
    MemoryFile file;
    file.ReadData = data;
    file.Size = size;
    TIFF* tif = size >= 8 ? Open(file, "rm") : nullptr;
    if (!tif)
        Unrecognized();
    TiffCloser closer{tif};
    std::uint32_t width = 0, height = 0;
    char message[1024] = {};
    if (file.Truncated || !TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) ||
        !TPictureLimits::Acceptable(width, height, size, kPixelsPerByte) || !TIFFRGBAImageOK(tif, message))
        Unrecognized();
    QImage image = TPictureLimits::NewImage(int(width), int(height));
    // The image's rows are contiguous 32-bit words (bytesPerLine = 4 x width for RGB32).
    auto* raster = reinterpret_cast<std::uint32_t*>(image.bits());
    if (image.bytesPerLine() != qsizetype(width) * 4 ||
        !TIFFReadRGBAImageOriented(tif, width, height, raster, ORIENTATION_TOPLEFT, 1))
        Unrecognized();
    AbgrToRgb32(image);
    return image;
}

QByteArray TTiffCodec::Write(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint8_t> bytes;
    MemoryFile file;
    file.WriteData = &bytes;
    TIFF* tif = Open(file, "w");
    if (!tif)
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "Cannot encode TIFF"));
    bool ok = true;
    {
        TiffCloser closer{tif};
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(image.width()));
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(image.height()));
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
        TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
        for (int y = 0; y < image.height() && ok; ++y)
            ok = TIFFWriteScanline(tif, const_cast<uchar*>(image.constScanLine(y)), std::uint32_t(y), 0) == 1;
        ok = ok && TIFFWriteDirectory(tif);
    }
    if (!ok)
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "Cannot encode TIFF"));
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

}  // namespace Tallwick
