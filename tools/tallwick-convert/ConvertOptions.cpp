// The command line of tallwick-convert: IN OUT [--rotate DEG] [--size N], or --help.
#include "ConvertOptions.h"

#include <cmath>

namespace Tallwick {

namespace {
bool ParseAngle(const QString& text, double& angle) {
    bool ok = false;
    angle = text.toDouble(&ok);
    return ok && std::isfinite(angle);
}

bool ParseSize(const QString& text, int& size) {
    bool ok = false;
    size = text.toInt(&ok);
    return ok && size >= 1 && size <= kMaxSize;
}
}  // namespace

QString ConvertUsage() {
    return QStringLiteral(
        "usage: tallwick-convert IN OUT [--rotate DEG] [--size N]\n"
        "Reads the picture IN and writes it as OUT, each in the format its extension names:\n"
        "  .jpg .jpeg JPEG (written at quality 50), .tif .tiff TIFF, .gif GIF, .pcx PCX,\n"
        "  .wmf .emf metafile (read only), .png PNG (written only), anything else BMP.\n"
        "  --rotate DEG  turn the picture DEG degrees counter-clockwise first\n"
        "  --size N      fit the picture within N x N pixels (1 to 4096), keeping its proportions;\n"
        "                metafiles are drawn at that size\n"
        "Exit status: 0 written, 1 read or write failed, 2 bad arguments.");
}

std::optional<ConvertOptions> ParseConvertOptions(const QStringList& arguments, QString& error) {
    ConvertOptions options;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            options.Help = true;
            return options;
        }
        if (a == QLatin1String("--rotate")) {
            double angle = 0;
            if (i + 1 >= arguments.size() || !ParseAngle(arguments[i + 1], angle)) {
                error = QStringLiteral("--rotate needs a finite angle in degrees");
                return std::nullopt;
            }
            options.Rotate = angle;
            ++i;
        } else if (a == QLatin1String("--size")) {
            int size = 0;
            if (i + 1 >= arguments.size() || !ParseSize(arguments[i + 1], size)) {
                error = QStringLiteral("--size needs a whole number of pixels from 1 to %1").arg(kMaxSize);
                return std::nullopt;
            }
            options.Size = size;
            ++i;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            error = QStringLiteral("unknown option '%1'").arg(a);
            return std::nullopt;
        } else {
            files << a;
        }
    }
    if (files.size() != 2) {
        error = files.size() < 2 ? QStringLiteral("needs an input and an output file")
                                 : QStringLiteral("unexpected argument '%1'").arg(files[2]);
        return std::nullopt;
    }
    options.In = files[0];
    options.Out = files[1];
    return options;
}

}  // namespace Tallwick
