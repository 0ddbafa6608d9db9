// JPEG files read and written through libjpeg, its errors and the warnings that mean damage
// turned into exceptions.
#include "JpegCodec.h"

#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"

#include <QDir>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>
#include <QCoreApplication>

namespace Tallwick {

namespace {
// Progressive files may hold any number of scans, each a pass over the whole picture; real ones
// have a dozen at most.
constexpr int kMaxScans = 200;
// Baseline JPEG needs at least a few bits per 8 x 8 block; progressive files with end-of-band
// runs can go further, hence the generous ratio.
constexpr std::int64_t kPixelsPerByte = 4096;

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to the
// setjmp in the decoding or encoding function; only C structures and plain pointers live in the
// frames it leaves, so no destructor is skipped.
struct ErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

// Warnings are not printed. A file whose picture data ends early is treated as damaged rather than
// shown with a grey lower part: whether the data simply stops (JWRN_JPEG_EOF) or stops at a marker
// (JWRN_HIT_MARKER), as a cut file given an end-of-image marker does. Other warnings (stray bytes
// between markers) are tolerated as usual.
void EmitMessage(j_common_ptr cinfo, int level) {
    const int code = cinfo->err->msg_code;
    if (level == -1 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void Progress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->Message, sizeof err->Message, "more than %d scans", kMaxScans);
        std::longjmp(err->Jump, 1);
    }
}

void InstallErrorManager(jpeg_common_struct* cinfo, ErrorManager& err) {
    cinfo->err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = EmitMessage;
    err.Pub.output_message = OutputMessage;
    err.Message[0] = '\0';
}

// Adobe writes CMYK inverted; the common case is the only one seen in practice.
void CmykRowToRgb32(const std::uint8_t* cmyk, std::uint32_t* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = 0xFF000000u | std::uint32_t(c * k / 255) << 16 | std::uint32_t(m * k / 255) << 8 |
                 std::uint32_t(y * k / 255);
    }
}

// Everything between setjmp and a possible longjmp: the header, the size check, the scanlines.
// Returns false with err.Message set on failure; `image` (owned by the caller) is then to be dropped.
bool Decode(jpeg_decompress_struct* cinfo, ErrorManager& err, const std::uint8_t* data, std::int64_t size,
            QImage* image, std::vector<std::uint8_t>* cmykRow) {
    if (setjmp(err.Jump))
        return false;
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    if (!TPictureLimits::Acceptable(cinfo->image_width, cinfo->image_height, size, kPixelsPerByte)) {
        std::snprintf(err.Message, sizeof err.Message, "%u x %u pixels is more than the file can hold",
                      cinfo->image_width, cinfo->image_height);
        return false;
    }
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    *image = TPictureLimits::NewImage(int(cinfo->image_width), int(cinfo->image_height));
    if (cmyk)
        cmykRow->resize(std::size_t(cinfo->image_width) * 4);
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        auto* row = reinterpret_cast<std::uint32_t*>(image->scanLine(int(cinfo->output_scanline)));
        JSAMPROW target = cmyk ? cmykRow->data() : reinterpret_cast<JSAMPROW>(row);
        jpeg_read_scanlines(cinfo, &target, 1);
        if (cmyk)
            CmykRowToRgb32(cmykRow->data(), row, int(cinfo->output_width), cinfo->saw_Adobe_marker);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

bool Encode(jpeg_compress_struct* cinfo, ErrorManager& err, const QImage& image, int quality, unsigned char** buffer,
            unsigned long* length) {
    if (setjmp(err.Jump))
        return false;
    jpeg_mem_dest(cinfo, buffer, length);
    cinfo->image_width = JDIMENSION(image.width());
    cinfo->image_height = JDIMENSION(image.height());
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}
}  // namespace

QImage TJpegCodec::Read(const std::uint8_t* data, std::int64_t size, const QString& fileName) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    InstallErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo), err);
    jpeg_create_decompress(&cinfo);
    jpeg_progress_mgr progress{};
    progress.progress_monitor = Progress;
    cinfo.progress = &progress;
    QImage image;
    std::vector<std::uint8_t> cmykRow;
    bool ok = false;
    try {
        ok = size > 0 && Decode(&cinfo, err, data, size, &image, &cmykRow);
    } catch (...) {  // NewImage refusing the size: never thrown across libjpeg frames
        jpeg_destroy_decompress(&cinfo);
        throw;
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        const QString reason =
            size > 0 ? QString::fromLocal8Bit(err.Message) : QCoreApplication::translate("Tallwick", "empty file");
        throw EInvalidPicture(QCoreApplication::translate("Tallwick", "Corrupt JPEG file %1: %2")
                                  .arg(QDir::toNativeSeparators(fileName), reason));
    }
    return image;
}

QByteArray TJpegCodec::Write(const QImage& source, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    ErrorManager err;
    InstallErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo), err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    const bool ok = Encode(&cinfo, err, image, quality, &buffer, &length);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    if (!ok)
        throw EInvalidGraphicOperation(
            QCoreApplication::translate("Tallwick", "Cannot encode JPEG: %1").arg(QString::fromLocal8Bit(err.Message)));
    return bytes;
}

}  // namespace Tallwick
