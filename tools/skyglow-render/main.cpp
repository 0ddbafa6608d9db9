// skyglow-render: draws frames of the star field on an off-screen surface and writes the last one
// as a PNG picture. Runs without a display. Exit status: 0 written (or usage asked for with
// --help), 1 failed, 2 bad arguments.
#include <Tallwick/Application.h>
#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include "HeadlessPlatform.h"
#include "LogoPicture.h"
#include <Tallwick/Random.h>
#include "RenderOptions.h"
#include "Tstars.h"
#include <Tallwick/Tveximage.h>

#include <QFile>
#include <QImage>
#include <cstdio>

using namespace Tallwick;

namespace {
constexpr int kWritten = 0, kFailed = 1, kBadArguments = 2;

int Fail(const QString& message) {
    std::fprintf(stderr, "skyglow-render: %s\n", qPrintable(message));
    return kFailed;
}

// Loads the settings into the engine; false (with a message printed) when they cannot be used.
bool LoadSettings(TStars& stars, const RenderOptions& options) {
    if (!options.SettingsFile.isEmpty()) {
        if (!QFile::exists(options.SettingsFile)) {
            Fail(QStringLiteral("settings file %1 does not exist").arg(options.SettingsFile));
            return false;
        }
        stars.SettingsPath = options.SettingsFile;
    }
    stars.LoadSettings();
    if (stars.SettingsDamaged) {
        Fail(QStringLiteral("settings file %1 is damaged (%2)").arg(stars.SettingsPath, stars.SettingsProblem));
        return false;
    }
    if (stars.ForeignTitle) {
        Fail(QStringLiteral("settings file %1 belongs to another program (its title is not \"%2\")")
                 .arg(stars.SettingsPath, TStars::ApplicationTitle()));
        return false;
    }
    return true;
}

int Render(const RenderOptions& options) {
    TStars stars;
    if (options.Seed)
        Randomize(*options.Seed);
    if (options.Clock) {
        const QDateTime clock = *options.Clock;
        stars.Clock = [clock] { return clock; };
    }
    TVexImage surface;
    surface.TImage::SetPixelRatio(options.Scale);  // the engine draws device pixels itself
    surface.SetHeightWidth(options.Height, options.Width);
    TVexImage logoSource;
    LoadLogo(&logoSource);
    stars.Surface = &surface;
    stars.LogoSource = &logoSource;
    if (!LoadSettings(stars, options))
        return kFailed;
    for (int frame = 0; frame < options.Frames; ++frame)
        stars.DrawFrame();
    const QImage& image = surface.Picture()->Bitmap()->Image();
    if (!image.save(options.Out, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(options.Out));
    return kWritten;
}
}  // namespace

int main(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        std::printf("%s\n", qPrintable(RenderHelp()));
        return kWritten;
    }
    HeadlessPlatformIfNoDisplay();
    TApplication app(argc, argv);
    app.SetTitle(QStringLiteral("Skyglow II"));
    QString error;
    const std::optional<RenderOptions> options = ParseRenderOptions(app.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "skyglow-render: %s; %s\n", qPrintable(error), qPrintable(RenderUsage()));
        return kBadArguments;
    }
    try {
        return Render(*options);
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
}
