// Benchmarks BM_Fill/W/H, BM_DrawFrame/W/H/STARS and BM_TextNaive/W/H.
// What one frame of the star field costs, measured against one full-surface Fill (the least any
// frame does), and what the cached shadow text saves over drawing every copy with TextOut.
// Picture library: BM_JpegLoad (a 4000 x 3000 JPEG made at start) against Qt's QImageReader on
// the same file, and BM_Rotate45 of 1920 x 1080 against QImage::transformed, smooth.
#include "BitmapRotator.h"
#include "HeadlessPlatform.h"
#include "ImageIO.h"
#include "JpegCodec.h"
#include "PictureFile.h"
#include "LogoPicture.h"
#include "RatioReporter.h"
#include "Tstars.h"
#include "Tveximage.h"

#include <QApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Tallwick;

namespace {
// Frames enough for the stars to reach their steady spread (each flies off within a few dozen).
constexpr int kWarmUpFrames = 200;

struct Scene {
    TVexImage Surface;
    TVexImage LogoSource;
    TStars Stars;

    Scene(int width, int height, int stars, bool naiveText) {
        Surface.SetHeightWidth(height, width);
        LoadLogo(&LogoSource);
        Stars.Surface = &Surface;
        Stars.LogoSource = &LogoSource;
        Stars.StarCount = stars;
        Stars.NaiveText = naiveText;
        for (int i = 0; i < kWarmUpFrames; ++i)
            Stars.DrawFrame();
    }
};

void BM_Fill(benchmark::State& state) {
    TVexImage surface;
    surface.SetHeightWidth(int(state.range(1)), int(state.range(0)));
    TColor colour = 0;
    for (auto _ : state) {
        surface.Fill(colour);
        colour ^= 0x010101;
        benchmark::ClobberMemory();
    }
}

void BM_DrawFrame(benchmark::State& state) {
    Scene scene(int(state.range(0)), int(state.range(1)), int(state.range(2)), false);
    for (auto _ : state) {
        scene.Stars.DrawFrame();
        benchmark::ClobberMemory();
    }
}

void BM_TextNaive(benchmark::State& state) {
    Scene scene(int(state.range(0)), int(state.range(1)), 1000, true);
    for (auto _ : state) {
        scene.Stars.DrawFrame();
        benchmark::ClobberMemory();
    }
}
// A photograph-like picture: smooth gradients with fine detail, which JPEG keeps as many
// non-zero coefficients, like a real photo.
QImage PhotoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 28);
            const int r = (x * 255 / width + n) & 0xFF, g = (y * 255 / height + n) & 0xFF, b = ((x ^ y) & 0x3F) + n * 8;
            row[x] = 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b & 0xFF);
        }
    }
    return image;
}

// The 4000 x 3000 JPEG both loaders read, written once per run into a temporary folder.
const QString& JpegFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        Tallwick::TPictureFile::Write(file, Tallwick::TJpegCodec::Write(PhotoLike(4000, 3000), 85));
        return file;
    }();
    return path;
}

void BM_JpegLoad(benchmark::State& state) {
    TBitmap bitmap;
    Tallwick::TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    for (auto _ : state) {
        io.LoadFromFile(JpegFile());
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    }
}

void BM_JpegLoadQt(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(JpegFile());
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Rotate45(benchmark::State& state) {
    const QImage source = PhotoLike(1920, 1080);
    for (auto _ : state) {
        QImage turned = Tallwick::TBitmapRotator::Rotate(source, 45, true, 0xFFFFFFFFu);
        benchmark::DoNotOptimize(turned.constBits());
    }
}

void BM_Rotate45Qt(benchmark::State& state) {
    const QImage source = PhotoLike(1920, 1080);
    for (auto _ : state) {
        QImage turned = source.transformed(QTransform().rotate(-45), Qt::SmoothTransformation);
        benchmark::DoNotOptimize(turned.constBits());
    }
}
}  // namespace

BENCHMARK(BM_JpegLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegLoadQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate45)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate45Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawFrame)
    ->Args({1024, 768, 1000})
    ->Args({1024, 768, 9999})
    ->Args({1920, 1080, 1000})
    ->Args({1920, 1080, 9999})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextNaive)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    HeadlessPlatformIfNoDisplay();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
