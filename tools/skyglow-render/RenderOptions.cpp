// The command line of skyglow-render: size, frames, settings, clock, seed, scale and the output
// picture.
#include "RenderOptions.h"

#include <QRegularExpression>
#include <cstring>

namespace {
constexpr double kLeastScale = 0.25, kGreatestScale = 8;

bool ParseSize(const QString& text, int& width, int& height) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    bool okW = false, okH = false;
    width = match.captured(1).toInt(&okW);
    height = match.captured(2).toInt(&okH);
    return okW && okH && width > 0 && height > 0;
}

// Applies one option (one of those taking a value) with its value; false with `error` set when the value is not acceptable.
bool ApplyOption(RenderOptions& options, const QString& name, const QString& value, QString& error) {
    bool ok = true;
    if (name == QLatin1String("--size")) {
        ok = ParseSize(value, options.Width, options.Height);
        if (!ok)
            error = QStringLiteral("size '%1' is not WxH with both sides above 0").arg(value);
    } else if (name == QLatin1String("--frames")) {
        options.Frames = value.toInt(&ok);
        ok = ok && options.Frames > 0;
        if (!ok)
            error = QStringLiteral("frames '%1' is not a whole number above 0").arg(value);
    } else if (name == QLatin1String("--settings")) {
        options.SettingsFile = value;
        ok = !value.isEmpty();
        if (!ok)
            error = QStringLiteral("--settings needs a file name");
    } else if (name == QLatin1String("--clock")) {
        const QDateTime clock = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        ok = clock.isValid();
        if (ok)
            options.Clock = clock;
        else
            error = QStringLiteral("clock '%1' is not \"YYYY-MM-DD hh:mm:ss\"").arg(value);
    } else if (name == QLatin1String("--scale")) {
        options.Scale = value.toDouble(&ok);
        ok = ok && options.Scale >= kLeastScale && options.Scale <= kGreatestScale;
        if (!ok)
            error = QStringLiteral("scale '%1' is not a number from 0.25 to 8").arg(value);
    } else if (name == QLatin1String("--seed")) {
        const uint seed = value.toUInt(&ok);
        if (ok)
            options.Seed = seed;
        else
            error = QStringLiteral("seed '%1' is not a whole number from 0 to 4294967295").arg(value);
    } else {  // --out
        options.Out = value;
        ok = !value.isEmpty();
        if (!ok)
            error = QStringLiteral("--out needs a file name");
    }
    return ok;
}
}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const QStringList& arguments, QString& error) {
    static const QStringList withValue{
        QStringLiteral("--size"), QStringLiteral("--frames"), QStringLiteral("--settings"), QStringLiteral("--clock"),
        QStringLiteral("--seed"), QStringLiteral("--scale"),  QStringLiteral("--out")};
    RenderOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (!withValue.contains(name)) {
            error = name.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option '%1'").arg(name)
                                                      : QStringLiteral("unexpected argument '%1'").arg(name);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        }
        if (!ApplyOption(options, name, arguments[++i], error))
            return std::nullopt;
    }
    if (options.Out.isEmpty()) {
        error = QStringLiteral("no --out file given");
        return std::nullopt;
    }
    return options;
}

QString RenderUsage() {
    return QStringLiteral(
        "usage: skyglow-render [--size WxH] [--frames N] [--settings FILE] "
        "[--clock \"YYYY-MM-DD hh:mm:ss\"] [--seed N] [--scale R] --out FILE.png");
}

QString RenderHelp() {
    return RenderUsage() +
           QStringLiteral(
               "\n"
               "Draws frames of the star field with no display and writes the last one as a PNG picture.\n"
               "  --size WxH        surface size in pixels (default 1024x768)\n"
               "  --frames N        frames to draw, N >= 1 (default 1)\n"
               "  --settings FILE   settings file to use (default: Skyglow.ini beside the program)\n"
               "  --clock TIME      date and time to show, \"YYYY-MM-DD hh:mm:ss\" (default: now)\n"
               "  --seed N          seed of the random generator (default: the time)\n"
               "  --scale R         device pixels per pixel, 0.25 to 8 (default 1): the frame the saver\n"
               "                    draws on a screen of that pixel ratio, WxH times R pixels in all\n"
               "  --out FILE.png    where to write the picture (required)\n"
               "  --help, -h        show this text\n"
               "Exit status: 0 written, 1 failed, 2 bad arguments.");
}

bool WantsHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}
