// Benchmarks BM_Fill/W/H, BM_DrawFrame/W/H/STARS and BM_TextNaive/W/H.
// What one frame of the star field costs, measured against one full-surface Fill (the least any
// frame does), and what the cached shadow text saves over drawing every copy with TextOut.
#include "HeadlessPlatform.h"
#include "LogoPicture.h"
#include "RatioReporter.h"
#include "Tstars.h"
#include "Tveximage.h"

#include <QApplication>
#include <benchmark/benchmark.h>

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
}  // namespace

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
