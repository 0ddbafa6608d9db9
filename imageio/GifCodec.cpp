// GIF through giflib: the first image of a file read onto its logical screen; pictures written with
// a palette.
#include "GifCodec.h"

#include "ColourIndex.h"
#include "ColourQuantizer.h"
#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include <gif_lib.h>
#include <QCoreApplication>

namespace Tallwick {

namespace {
// LZW codes of at most 12 bits stand for strings of at most 4096 pixels.
constexpr std::int64_t kPixelsPerByte = 4096;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct MemoryReader {
    const std::uint8_t* Data;
    std::int64_t Size;
    std::int64_t Position = 0;
};

int ReadFunc(GifFileType* gif, GifByteType* buffer, int count) {
    auto* r = static_cast<MemoryReader*>(gif->UserData);
    const std::int64_t n = std::clamp<std::int64_t>(r->Size - r->Position, 0, std::max(count, 0));
    std::memcpy(buffer, r->Data + r->Position, std::size_t(n));
    r->Position += n;
    return int(n);
}

int WriteFunc(GifFileType* gif, const GifByteType* buffer, int count) {
    static_cast<std::vector<std::uint8_t>*>(gif->UserData)
        ->insert(static_cast<std::vector<std::uint8_t>*>(gif->UserData)->end(), buffer, buffer + count);
    return count;
}

[[noreturn]] void Unrecognized() { throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized GIF")); }

struct GifCloser {
    GifFileType* Gif;
    ~GifCloser() {
        int error = 0;
        if (Gif)
            DGifCloseFile(Gif, &error);
    }
};

// The transparent colour index of a graphic control extension, or -1.
int TransparentIndex(GifFileType* gif, GifByteType* extension, int code, int current) {
    GraphicsControlBlock gcb;
    if (code == GRAPHICS_EXT_FUNC_CODE && extension && DGifExtensionToGCB(extension[0], extension + 1, &gcb) == GIF_OK)
        return gcb.TransparentColor;
    (void)gif;
    return current;
}

// Skips one extension block with its sub-blocks, remembering transparency.
void SkipExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* extension = nullptr;
    if (DGifGetExtension(gif, &code, &extension) != GIF_OK)
        Unrecognized();
    transparent = TransparentIndex(gif, extension, code, transparent);
    while (extension) {
        if (DGifGetExtensionNext(gif, &extension) != GIF_OK)
            Unrecognized();
    }
}

// Rows of an interlaced image arrive in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(std::size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass])
            order.push_back(y);
    return order;
}

void ReadFrame(GifFileType* gif, QImage& image, int transparent) {
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map || d.Width <= 0 || d.Height <= 0)
        Unrecognized();
    std::vector<GifPixelType> line(std::size_t(d.Width));
    for (int y : RowOrder(d.Height, d.Interlace)) {
        if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK)
            Unrecognized();
        const int row = d.Top + y;
        if (row < 0 || row >= image.height())
            continue;
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
        for (int x = 0; x < d.Width; ++x) {
            const int column = d.Left + x, index = line[std::size_t(x)];
            if (column >= image.width())
                break;
            if (index == transparent || index >= map->ColorCount)
                continue;
            const GifColorType& c = map->Colors[index];
            out[column] = 0xFF000000u | std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
        }
    }
}
}  // namespace

QImage TGifCodec::Read(const std::uint8_t* data, std::int64_t size) {
    MemoryReader reader{data, size};
    int error = 0;
    GifFileType* gif = size >= 13 ? DGifOpen(&reader, ReadFunc, &error) : nullptr;
    if (!gif)
        Unrecognized();
    GifCloser closer{gif};
    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) != GIF_OK || type == TERMINATE_RECORD_TYPE)
            Unrecognized();
        if (type == EXTENSION_RECORD_TYPE) {
            SkipExtension(gif, transparent);
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK)
            Unrecognized();
        const GifImageDesc& d = gif->Image;
        // The logical screen, unless the frame does not fit on it (common in files cut from animations).
        const bool onScreen = d.Left + d.Width <= gif->SWidth && d.Top + d.Height <= gif->SHeight;
        const int width = onScreen ? gif->SWidth : d.Width, height = onScreen ? gif->SHeight : d.Height;
        if (!TPictureLimits::Acceptable(width, height, size, kPixelsPerByte) ||
            !TPictureLimits::Acceptable(d.Width, d.Height, size, kPixelsPerByte))
            Unrecognized();
        if (!onScreen)
            gif->Image.Left = gif->Image.Top = 0;
        QImage image = TPictureLimits::NewImage(width, height);
        image.fill(kWhite);
        ReadFrame(gif, image, transparent);
        return image;
    }
}

namespace {
// The picture's own colours as a palette and indices, when there are at most 256.
bool ExactPalette(const QImage& image, std::vector<GifColorType>& palette, std::vector<GifByteType>& indices) {
    std::vector<std::uint32_t> colours;
    if (!IndexColours(image, colours, indices))
        return false;
    for (const std::uint32_t p : colours)
        palette.push_back(GifColorType{GifByteType(p >> 16), GifByteType(p >> 8), GifByteType(p)});
    return true;
}

void Quantize(const QImage& image, std::vector<GifColorType>& palette, std::vector<GifByteType>& indices) {
    std::vector<std::uint32_t> colours;
    TColourQuantizer::Quantize(image, 256, colours, indices);
    for (const std::uint32_t p : colours)
        palette.push_back(GifColorType{GifByteType(p >> 16), GifByteType(p >> 8), GifByteType(p)});
}
}  // namespace

QByteArray TGifCodec::Write(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)  // the format's 16-bit sizes
        throw EInvalidGraphicOperation(
            QStringLiteral("A GIF file cannot hold %1 x %2 pixels").arg(image.width()).arg(image.height()));
    std::vector<GifColorType> palette;
    std::vector<GifByteType> indices;
    if (!ExactPalette(image, palette, indices)) {
        palette.clear();
        Quantize(image, palette, indices);
    }
    const int bits = std::max(1, GifBitSize(int(palette.size())));
    palette.resize(std::size_t(1) << bits, GifColorType{0, 0, 0});
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteFunc, &error);
    ColorMapObject* map = gif ? GifMakeMapObject(1 << bits, palette.data()) : nullptr;
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(gif, indices.data() + std::size_t(y) * std::size_t(image.width()), image.width()) == GIF_OK;
    GifFreeMapObject(map);
    if (gif)
        ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    if (!ok)
        throw EInvalidGraphicOperation(QCoreApplication::translate("Tallwick", "Cannot encode GIF"));
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

}  // namespace Tallwick
