// tallwick-convert: reads a picture file, optionally turns it and fits it within a square, and
// writes it in the format of the output name's extension. Runs without a display, so that file
// managers can call it to make previews.
#include "ConvertOptions.h"
#include "HeadlessPlatform.h"
#include "FileReplace.h"
#include "PictureFile.h"
#include "PictureFormats.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageIO.h>
#include <Tallwick/ImageProc.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <exception>

using namespace Tallwick;

namespace {
constexpr int kWritten = 0, kFailed = 1, kBadArguments = 2;

bool HasSuffix(const QString& fileName, std::initializer_list<const char*> suffixes) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const char* s : suffixes)
        if (suffix == QLatin1String(s))
            return true;
    return false;
}

// size itself when it fits within limit x limit, else scaled down to fit, keeping proportions.
QSize FitWithin(QSize size, int limit) {
    if (size.width() <= limit && size.height() <= limit)
        return size;
    const QSize fitted = size.scaled(limit, limit, Qt::KeepAspectRatio);
    return QSize(std::max(1, fitted.width()), std::max(1, fitted.height()));
}

// A drawing (a metafile) asked to fit a size is drawn at that size rather than drawn large and shrunk.
void Load(TBitmap& bitmap, const ConvertOptions& options) {
    const TPictureFormat& format = TPictureFormats::ByFileName(options.In);
    if (options.Size && format.DrawAt) {
        const TPictureFile file(options.In);
        const QSize size = FitWithin(format.Size(file.Data(), file.Size()), *options.Size);
        bitmap.Assign(format.DrawAt(file.Data(), file.Size(), size));
        bitmap.SetPixelFormat(pf24bit);
        return;
    }
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(options.In);
}

void Shrink(TBitmap& bitmap, int limit) {
    const QSize size = FitWithin(bitmap.Image().size(), limit);
    if (size == bitmap.Image().size())
        return;
    bitmap.Assign(bitmap.Image()
                      .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32));
    bitmap.SetPixelFormat(pf24bit);
}

// PNG is not among the library's formats; Qt's writer serves the previews file managers want.
void SavePng(const TBitmap& bitmap, const QString& fileName) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(bitmap.Image()))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot encode PNG: %1").arg(writer.errorString()));
    ReplaceFile(fileName, bytes);
}

int Convert(const ConvertOptions& options) {
    TBitmap bitmap;
    Load(bitmap, options);
    if (options.Rotate) {
        TImageProc proc;
        proc.SetAttachedBitmap(&bitmap);
        proc.Rotate(*options.Rotate, true);
    }
    if (options.Size)
        Shrink(bitmap, *options.Size);
    if (HasSuffix(options.Out, {"png"})) {
        SavePng(bitmap, options.Out);
    } else {
        TImageIO io;
        io.SetAttachedBitmap(&bitmap);
        io.SaveToFile(options.Out);
    }
    return kWritten;
}
}  // namespace

int main(int argc, char** argv) {
    HeadlessPlatformIfNoDisplay();
    QGuiApplication app(argc, argv);  // fonts for metafile text
    QString error;
    const std::optional<ConvertOptions> options = ParseConvertOptions(app.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "tallwick-convert: %s\n%s\n", qPrintable(error), qPrintable(ConvertUsage()));
        return kBadArguments;
    }
    if (options->Help) {
        std::printf("%s\n", qPrintable(ConvertUsage()));
        return kWritten;
    }
    try {
        return Convert(*options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tallwick-convert: %s\n", e.what());
        return kFailed;
    }
}
