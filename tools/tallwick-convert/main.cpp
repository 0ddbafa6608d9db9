// tallwick-convert: reads a picture file, optionally turns it, and writes it in the format of the
// output name's extension. Runs without a display.
#include <Tallwick/Bitmap.h>
#include "ConvertOptions.h"
#include "HeadlessPlatform.h"
#include <Tallwick/ImageIO.h>
#include <Tallwick/ImageProc.h>

#include <QGuiApplication>
#include <cstdio>
#include <exception>

using namespace Tallwick;

namespace {
constexpr int kWritten = 0, kFailed = 1, kBadArguments = 2;

int Convert(const ConvertOptions& options) {
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(options.In);
    if (options.Rotate) {
        TImageProc proc;
        proc.SetAttachedBitmap(&bitmap);
        proc.Rotate(*options.Rotate, true);
    }
    io.SaveToFile(options.Out);
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
