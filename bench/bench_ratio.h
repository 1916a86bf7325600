#pragma once
// The console report of a benchmark run, keeping each run's time so that main can print
// the ratio of a baseline to ours after it.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &Runs) override
  {
    for (const Run &r : Runs)
      if (r.run_type == Run::RT_Iteration)
      {
        Times[r.run_name.function_name] = r.GetAdjustedRealTime();
        TimesByRun[r.run_name.function_name + "/" + r.run_name.args] = r.GetAdjustedRealTime();
      }
    ConsoleReporter::ReportRuns(Runs);
  }
  // Time of Numerator over time of Denominator; 0 when either did not run.
  double Ratio(const std::string &Numerator, const std::string &Denominator) const
  {
    const auto n = Times.find(Numerator), d = Times.find(Denominator);
    return n != Times.end() && d != Times.end() && d->second > 0 ? n->second / d->second : 0;
  }
  std::map<std::string, double> Times;
  // By name and arguments ("BM_X/25000"), for benchmarks run at several sizes.
  std::map<std::string, double> TimesByRun;
};

// The benchmarks of a program on the offscreen platform (unless the caller chose another),
// then Report with their times while the application still exists.
template <class TReport>
int RunOffscreenBenchmarks(int argc, char **argv, TReport &&Report)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Report(static_cast<const TRatioReporter &>(reporter));
  benchmark::Shutdown();
  return 0;
}
