#pragma once
// The display reporter of skyglow-bench: Google Benchmark's own, as its standard flags choose it
// (--benchmark_format=console|json|csv, --benchmark_color, --benchmark_counters_tabular; the
// file of --benchmark_out is the library's business), followed in the console format by the
// ratios that matter, each against a baseline measured in the same run: a frame in full-surface
// fills, the plain-text frame against the cached one, and plotting through the canvas's world
// calls against direct drawing; then the slowest step of an animated zoom; then the plotting canvas
// against QCustomPlot. With repetitions the medians are compared, otherwise the single runs.
// JSON and CSV stay exactly what the library
// writes.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

class TRatioReporter : public benchmark::BenchmarkReporter {
public:
    TRatioReporter();

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    void PrintRatios();
    void PrintRatio(const std::string& name, const std::string& baseline, const char* unit, double limit, bool atMost);
    void PrintZoomSteps();
    void PrintPlotComparison();

    benchmark::BenchmarkReporter* FDisplay;    // the library's, owned by it
    bool FConsole;                             // the ratios are shown
    std::map<std::string, double> FTimes;      // run name -> real time per iteration
    std::map<std::string, double> FMaxStepMs;  // "run name counter" -> slowest animation step
};
