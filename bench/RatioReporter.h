#pragma once
// Console output of Google Benchmark, followed by the ratios that matter, each against a baseline
// measured in the same run: a frame in full-surface fills, and the plain-text frame against the
// cached one, and plotting through the canvas's world calls against direct drawing; the slowest
// step of an animated zoom. With repetitions the medians are compared, otherwise the single runs.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    void PrintRatio(const std::string& name, const std::string& baseline, const char* unit, double limit,
                    bool atMost);

    std::map<std::string, double> FTimes;      // run name -> real time per iteration
    std::map<std::string, double> FMaxStepMs;  // "run name counter" -> slowest animation step
};
