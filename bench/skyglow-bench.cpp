// Benchmarks BM_Fill/W/H, BM_DrawFrame/W/H/STARS and BM_TextNaive/W/H.
// What one frame of the star field costs, measured against one full-surface Fill (the least any
// frame does), and what the cached shadow text saves over drawing every copy with TextOut.
// BM_PlotLines/N and BM_PlotLinesDirect/N: N segments drawn through TCanvas2D::Line on an
// 800 x 600 plot, against the same segments drawn with MoveTo/LineTo at their pixels.
// BM_PlotZoom/N: a 10-step animated zoom over that drawing; max_step_ms is its slowest step.
#include "Canvas.h"
#include "HeadlessPlatform.h"
#include "LogoPicture.h"
#include "RatioReporter.h"
#include "Tcanvas2d.h"
#include "Tstars.h"
#include "Tveximage.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <cmath>
#include <vector>

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
// A closed Lissajous figure filling the plot: segments about four pixels long in every
// direction, as a dense plot has them.
struct PlotScene {
    TCanvas2D Plot;
    std::vector<double> X, Y;

    explicit PlotScene(int segments) {
        Plot.SetBounds(0, 0, 808, 608);  // an 800 x 600 image inside the bevels
        for (int i = 0; i <= segments; ++i) {
            const double t = 2 * M_PI * i / segments;
            X.push_back(5 + 4.8 * std::sin(97 * t));
            Y.push_back(5 + 4.8 * std::cos(89 * t));
        }
        Plot.Draw();
    }
    void DrawWorld() {
        for (std::size_t i = 1; i < X.size(); ++i)
            Plot.Line(X[i - 1], Y[i - 1], X[i], Y[i]);
    }
};

void BM_PlotLines(benchmark::State& state) {
    PlotScene scene(int(state.range(0)));
    for (auto _ : state) {
        scene.DrawWorld();
        benchmark::ClobberMemory();
    }
}

void BM_PlotLinesDirect(benchmark::State& state) {
    PlotScene scene(int(state.range(0)));
    std::vector<int> px, py;
    for (std::size_t i = 0; i < scene.X.size(); ++i) {
        px.push_back(scene.Plot.ValToScrX(scene.X[i]));
        py.push_back(scene.Plot.ValToScrY(scene.Y[i]));
    }
    TCanvas* canvas = scene.Plot.ImageCanvas();
    for (auto _ : state) {
        for (std::size_t i = 1; i < px.size(); ++i) {
            canvas->MoveTo(px[i - 1], py[i - 1]);
            canvas->LineTo(px[i], py[i]);
        }
        benchmark::ClobberMemory();
    }
}

// Zooms in to the middle quarter and back out, 10 steps each; every step repaints the plot with
// all segments. Reported per step: the slowest in wall-clock time (what the user sees; it grows
// when other programs share the cores) and in this thread's processor time.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void BM_PlotZoom(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    PlotScene scene(int(state.range(0)));
    scene.Plot.OnDraw = [&](QObject*) { scene.DrawWorld(); };
    Clock::time_point last;
    double lastCpu = 0, maxStep = 0, maxStepCpu = 0;
    long steps = 0;
    QObject::connect(&scene.Plot, &TCanvas2D::drawRequested, [&](QObject*) {
        const Clock::time_point now = Clock::now();
        const double cpu = ThreadCpuMs();
        maxStep = std::max(maxStep, std::chrono::duration<double, std::milli>(now - last).count());
        maxStepCpu = std::max(maxStepCpu, cpu - lastCpu);
        last = now;
        lastCpu = cpu;
        ++steps;
    });
    bool in = true;
    for (auto _ : state) {
        last = Clock::now();
        lastCpu = ThreadCpuMs();
        if (in)
            scene.Plot.AxisChange(2.5, 2.5, 7.5, 7.5, 10);
        else
            scene.Plot.AxisChange(0, 0, 10, 10, 10);
        in = !in;
    }
    state.counters["max_step_ms"] = maxStep;
    state.counters["max_step_cpu_ms"] = maxStepCpu;
    state.counters["steps"] = double(steps);
    state.SetItemsProcessed(steps);
}
}  // namespace

BENCHMARK(BM_PlotLines)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotLinesDirect)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotZoom)->Arg(100000)->Unit(benchmark::kMillisecond);
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
