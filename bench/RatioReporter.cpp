// The display reporter of skyglow-bench: Google Benchmark's own, followed by each ratio against its
// baseline.
#include "RatioReporter.h"

#include <cstdio>
#include <ostream>

TRatioReporter::TRatioReporter()
    : FDisplay(benchmark::CreateDefaultDisplayReporter()),
      FConsole(dynamic_cast<benchmark::ConsoleReporter*>(FDisplay) != nullptr) {}

bool TRatioReporter::ReportContext(const Context& context) {
    // The library may have pointed this reporter's streams elsewhere; the one that writes follows.
    FDisplay->SetOutputStream(&GetOutputStream());
    FDisplay->SetErrorStream(&GetErrorStream());
    return FDisplay->ReportContext(context);
}

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    FDisplay->ReportRuns(runs);
    for (const Run& run : runs) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single)
            continue;
        FTimes[run.run_name.str()] = run.GetAdjustedRealTime();
        FTimes[run.run_name.str() + " cpu"] = run.GetAdjustedCPUTime();
        for (const char* counter : {"max_step_ms", "max_step_cpu_ms"}) {
            const auto found = run.counters.find(counter);
            if (found != run.counters.end())
                FMaxStepMs[run.run_name.str() + " " + counter] = found->second.value;
        }
    }
}

void TRatioReporter::Finalize() {
    FDisplay->Finalize();
    if (FConsole)
        PrintRatios();
}

// Prints name/baseline (atMost) or baseline/name, and whether it meets the limit (0: no target).
void TRatioReporter::PrintRatio(const std::string& name, const std::string& baseline, const char* unit, double limit,
                                bool atMost) {
    const auto a = FTimes.find(name), b = FTimes.find(baseline);
    if (a == FTimes.end() || b == FTimes.end() || a->second <= 0 || b->second <= 0)
        return;
    const double ratio = atMost ? a->second / b->second : b->second / a->second;
    char line[200];
    if (limit > 0) {
        const bool met = atMost ? ratio <= limit : ratio >= limit;
        std::snprintf(line, sizeof line, "%-28s %7.2f %-26s target %s %g: %s", name.c_str(), ratio, unit,
                      atMost ? "<=" : ">=", limit, met ? "met" : "MISSED");
    } else {
        std::snprintf(line, sizeof line, "%-28s %7.2f %s", name.c_str(), ratio, unit);
    }
    GetOutputStream() << line << "\n";
}

void TRatioReporter::PrintRatios() {
    GetOutputStream() << "\nRatios within this run:\n";
    for (const char* size : {"1024/768", "1920/1080"}) {
        const std::string fill = std::string("BM_Fill/") + size;
        const std::string frame = std::string("BM_DrawFrame/") + size;
        const bool large = std::string(size) == "1920/1080";
        PrintRatio(frame + "/1000", fill, "fills", large ? 6 : 0, true);
        PrintRatio(frame + "/9999", fill, "fills", large ? 8 : 0, true);
        PrintRatio(frame + "/1000", std::string("BM_TextNaive/") + size, "times faster than TextNaive", large ? 10 : 0,
                   false);
    }
    PrintRatio("BM_DrawFrameDense/1920/1080/1000/2", "BM_Fill/3840/2160", "fills", 6, true);
    PrintRatio("BM_JpegLoad", "BM_JpegLoadQt", "x QImageReader", 1.2, true);
    PrintRatio("BM_Rotate45", "BM_Rotate45Qt", "x QImage::transformed", 1.5, true);
    // Wall clock, and processor time, which other programs on the same cores do not inflate.
    PrintRatio("BM_PlotLines/100000", "BM_PlotLinesDirect/100000", "times direct drawing (wall)", 1.5, true);
    PrintRatio("BM_PlotLines/100000 cpu", "BM_PlotLinesDirect/100000 cpu", "times direct drawing (cpu)", 1.5, true);
    PrintRatio("BM_PlotMesh/2", "BM_PlotMesh/1", "times scale 1 (four times the pixels, edges smoothed)", 0, true);
    PrintZoomSteps();
    PrintPlotComparison();
    GetOutputStream().flush();
}

// The canvas against QCustomPlot, both redrawing the same plot (time of the canvas / the peer's).
void TRatioReporter::PrintPlotComparison() {
    if (FTimes.find("BM_QcpEmpty") == FTimes.end()) {
        if (FTimes.find("BM_PlotEmpty") != FTimes.end())
            GetOutputStream() << "No comparison with QCustomPlot: the benchmark was built without it.\n";
        return;
    }
    PrintRatio("BM_PlotEmpty", "BM_QcpEmpty", "x QCustomPlot, empty plot", 1.5, true);
    for (const char* n : {"1000", "100000", "1000000", "10000000"}) {
        const std::string size(n);
        const bool large = size != "1000";
        PrintRatio("BM_PlotPolyline/" + size, "BM_QcpReplot/" + size, "x QCustomPlot default", large ? 1.0 : 0, true);
        PrintRatio("BM_PlotLinePairs/" + size, "BM_QcpReplotAll/" + size, "x QCustomPlot, no sampling",
                   size == "100000" ? 1.5 : 0, true);
    }
}

// One tick of 1/64 s per animation step at most.
void TRatioReporter::PrintZoomSteps() {
    for (const char* counter : {"max_step_ms", "max_step_cpu_ms"}) {
        const auto zoom = FMaxStepMs.find(std::string("BM_PlotZoom/100000 ") + counter);
        if (zoom == FMaxStepMs.end())
            continue;
        char line[200];
        std::snprintf(line, sizeof line, "%-28s %7.2f %-26s target <= 15.6: %s", "BM_PlotZoom/100000 step",
                      zoom->second, counter[9] == 'c' ? "ms processor, slowest step" : "ms wall clock, slowest step",
                      zoom->second <= 15.6 ? "met" : "MISSED");
        GetOutputStream() << line << "\n";
    }
}
