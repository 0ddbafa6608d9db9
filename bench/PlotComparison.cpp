// Benchmarks of one complete redraw of an 800 x 600 plot of a connected line through N points (x
// from 0 to N - 1, y = sin(x / 50) cos(x / 7) plus fixed pseudo-random noise, axes fitted to the
// data, pen width 1, no antialiasing, offscreen), N = 1 k, 100 k, 1 M and 10 M:
//   BM_PlotPolyline/N   TCanvas2D::Draw with one Polyline call
//   BM_PlotLinePairs/N  TCanvas2D::Draw with Line for each consecutive pair
//   BM_QcpReplot/N      QCustomPlot::replot, its adaptive sampling on (its default)
//   BM_QcpReplotAll/N   QCustomPlot::replot, adaptive sampling off
// and of the frame, marks and labels alone: BM_PlotEmpty against BM_QcpEmpty.
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcanvas2d.h>

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#ifdef SKYGLOW_WITH_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

using namespace Tallwick;

namespace {
constexpr int kImageWidth = 800, kImageHeight = 600;

struct Series {
    std::vector<double> X, Y;
    double YMin = 0, YMax = 0;
};

// One series at a time: the largest takes 160 MB.
const Series& SeriesOf(int count) {
    static std::unique_ptr<Series> series;
    if (series && int(series->X.size()) == count)
        return *series;
    series.reset();
    series = std::make_unique<Series>();
    series->X.resize(count);
    series->Y.resize(count);
    std::uint32_t noise = 2463534242u;
    for (int i = 0; i < count; ++i) {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const double x = i;
        series->X[i] = x;
        series->Y[i] = std::sin(x / 50) * std::cos(x / 7) + (noise / 4294967296.0 - 0.5) * 0.2;
    }
    const auto [low, high] = std::minmax_element(series->Y.begin(), series->Y.end());
    series->YMin = *low;
    series->YMax = *high;
    return *series;
}

// The canvas with its image at 800 x 600, its axes fitted to the series.
struct CanvasPlot {
    TCanvas2D Plot;
    explicit CanvasPlot(const Series* data) {
        Plot.SetBounds(0, 0, kImageWidth + 8, kImageHeight + 8);  // the bevels take 4 on each side
        if (data && !data->X.empty()) {
            Plot.SetAxisXMin(0);
            Plot.SetAxisXMax(std::max(1.0, double(data->X.size() - 1)));
            Plot.SetAxisYMin(data->YMin);
            Plot.SetAxisYMax(data->YMax);
        }
        Plot.ImageCanvas()->Pen.Color = clYellow;
    }
};

void RunCanvas(benchmark::State& state, bool polyline) {
    const Series& data = SeriesOf(int(state.range(0)));
    CanvasPlot canvas(&data);
    TCanvas2D& plot = canvas.Plot;
    const int count = int(data.X.size());
    plot.OnDraw = [&](QObject*) {
        plot.ImageCanvas()->Pen.Color = clYellow;
        if (polyline) {
            plot.Polyline(data.X.data(), data.Y.data(), count);
            return;
        }
        for (int i = 1; i < count; ++i)
            plot.Line(data.X[i - 1], data.Y[i - 1], data.X[i], data.Y[i]);
    };
    for (auto _ : state) {
        plot.Draw();
        benchmark::ClobberMemory();
    }
}

void BM_PlotPolyline(benchmark::State& state) { RunCanvas(state, true); }
void BM_PlotLinePairs(benchmark::State& state) { RunCanvas(state, false); }

void BM_PlotEmpty(benchmark::State& state) {
    CanvasPlot canvas(nullptr);
    for (auto _ : state) {
        canvas.Plot.Draw();
        benchmark::ClobberMemory();
    }
}

#ifdef SKYGLOW_WITH_QCUSTOMPLOT
struct PeerPlot {
    QCustomPlot Plot;
    PeerPlot() {
        Plot.resize(kImageWidth, kImageHeight);
        Plot.setNotAntialiasedElements(QCP::aeAll);
        Plot.setNoAntialiasingOnDrag(true);
    }
};

void RunPeer(benchmark::State& state, bool adaptiveSampling) {
    PeerPlot peer;
    {
        const Series& data = SeriesOf(int(state.range(0)));
        QCPGraph* graph = peer.Plot.addGraph();
        graph->setAdaptiveSampling(adaptiveSampling);
        graph->setPen(QPen(Qt::blue, 1));
        QVector<QCPGraphData> points(int(data.X.size()));
        for (int i = 0; i < points.size(); ++i)
            points[i] = QCPGraphData(data.X[i], data.Y[i]);
        graph->data()->set(points, true);
        peer.Plot.xAxis->setRange(0, std::max(1.0, double(data.X.size() - 1)));
        peer.Plot.yAxis->setRange(data.YMin, data.YMax);
    }
    for (auto _ : state) {
        peer.Plot.replot();
        benchmark::ClobberMemory();
    }
}

void BM_QcpReplot(benchmark::State& state) { RunPeer(state, true); }
void BM_QcpReplotAll(benchmark::State& state) { RunPeer(state, false); }

void BM_QcpEmpty(benchmark::State& state) {
    PeerPlot peer;
    for (auto _ : state) {
        peer.Plot.replot();
        benchmark::ClobberMemory();
    }
}
#else
void PeerMissing(benchmark::State& state) {
    for (auto _ : state)
        break;
    state.SkipWithError("built without QCustomPlot (libqcustomplot-dev)");
}
void BM_QcpReplot(benchmark::State& state) { PeerMissing(state); }
void BM_QcpReplotAll(benchmark::State& state) { PeerMissing(state); }
void BM_QcpEmpty(benchmark::State& state) { PeerMissing(state); }
#endif

void PointCounts(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 100000, 1000000, 10000000})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}
}  // namespace

BENCHMARK(BM_PlotEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QcpEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotPolyline)->Apply(PointCounts);
BENCHMARK(BM_PlotLinePairs)->Apply(PointCounts);
BENCHMARK(BM_QcpReplot)->Apply(PointCounts);
BENCHMARK(BM_QcpReplotAll)->Apply(PointCounts);
