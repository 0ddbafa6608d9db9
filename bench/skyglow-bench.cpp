// Benchmarks BM_Fill/W/H, BM_DrawFrame/W/H/STARS, BM_DrawFrameDense/W/H/STARS/RATIO (a frame on a
// screen of that pixel ratio: 1920/1080/1000/2 is a 4K screen at ratio 2) and BM_TextNaive/W/H.
// What one frame of the star field costs, measured against one full-surface Fill (the least any
// frame does), and what the cached shadow text saves over drawing every copy with TextOut.
// Picture library: BM_JpegLoad (a 4000 x 3000 JPEG made at start) against Qt's QImageReader on
// the same file, and BM_Rotate45 of 1920 x 1080 against QImage::transformed, smooth.
// BM_PlotLines/N and BM_PlotLinesDirect/N: N segments drawn through TCanvas2D::Line on an
// 800 x 600 plot, against the same segments drawn with MoveTo/LineTo at their pixels.
// BM_PlotZoom/N: a 10-step animated zoom over that drawing; max_step_ms is its slowest step.
// BM_PlotMesh/K: a mesh of 2,400 filled, outlined triangles on that plot with its image at canvas
// scale K; scale 2 (a screen of ratio 2, four times the pixels, smoothed edges) against scale 1.
#include "BitmapRotator.h"
#include <Tallwick/Canvas.h>
#include "HeadlessPlatform.h"
#include <Tallwick/ImageIO.h>
#include "JpegCodec.h"
#include "FileReplace.h"
#include "LogoPicture.h"
#include "RatioReporter.h"
#include <Tallwick/Tcanvas2d.h>
#include "Tstars.h"
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

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

    Scene(int width, int height, int stars, bool naiveText, double ratio = 1) {
        Surface.TImage::SetPixelRatio(ratio);  // the engine draws device pixels itself
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

// A screen of pixel ratio R: the surface is W x H, its bitmap W*R x H*R.
void BM_DrawFrameDense(benchmark::State& state) {
    Scene scene(int(state.range(0)), int(state.range(1)), int(state.range(2)), false, double(state.range(3)));
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
        Tallwick::ReplaceFile(file, Tallwick::TJpegCodec::Write(PhotoLike(4000, 3000), 85));
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
void BM_PlotMesh(benchmark::State& state) {
    PlotScene scene(1);
    scene.Plot.Image()->SetPixelRatio(double(state.range(0)));
    scene.Plot.Draw();
    TCanvas* canvas = scene.Plot.ImageCanvas();
    if (canvas->Scale() != state.range(0))
        state.SkipWithError("the plot's image did not take the scale");
    const int columns = 40, rows = 30;
    const double dx = 10.0 / columns, dy = 10.0 / rows;
    for (auto _ : state) {
        for (int i = 0; i < columns; ++i)
            for (int j = 0; j < rows; ++j) {
                const double x0 = i * dx, y0 = j * dy;
                canvas->Pen.Color = canvas->Brush.Color = RGB(i * 6, j * 8, 128);
                scene.Plot.Triangle(x0, y0, x0, y0 + dy, x0 + dx, y0 + dy);
                canvas->Pen.Color = canvas->Brush.Color = RGB(j * 8, i * 6, 64);
                scene.Plot.Triangle(x0, y0, x0 + dx, y0 + dy, x0 + dx, y0);
            }
        benchmark::ClobberMemory();
    }
}
}  // namespace

BENCHMARK(BM_PlotLines)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotLinesDirect)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotZoom)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotMesh)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill)->Args({1024, 768})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawFrame)
    ->Args({1024, 768, 1000})
    ->Args({1024, 768, 9999})
    ->Args({1920, 1080, 1000})
    ->Args({1920, 1080, 9999})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawFrameDense)->Args({1920, 1080, 1000, 2})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextNaive)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JpegLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegLoadQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate45)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate45Qt)->Unit(benchmark::kMillisecond);

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
