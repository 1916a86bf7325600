// Filter conditions on a million cell values, as a row filter or a find runs them: a
// case-insensitive wildcard condition and a numeric range condition. Side by side, the same
// decisions made by Qt directly (a QRegularExpression built from the wildcard once, and
// QString::toDouble with two comparisons), reported as ratios. A filter run or a find prepares
// its condition once (TFilterCondition), as the baselines do; MatchCondition prepares it for
// every value.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "framework/system/sysutils.h"
#include "grid/foundation/filter_conditions.h"

namespace {

constexpr int kValues = 1000000;

// Names with a number, "Pump 12 station 345", one in 13 with a "Valve" instead.
const std::vector<QString> &TextValues()
{
  static const std::vector<QString> v = [] {
    std::vector<QString> r;
    r.reserve(kValues);
    for (int i = 0; i < kValues; ++i)
      r.push_back(QStringLiteral("%1 %2 station %3")
                      .arg(i % 13 == 0 ? QStringLiteral("Valve") : QStringLiteral("Pump"))
                      .arg(i % 97)
                      .arg(i % 1000));
    return r;
  }();
  return v;
}

// Decimal numbers 0.00 .. 999.99.
const std::vector<QString> &NumberValues()
{
  static const std::vector<QString> v = [] {
    std::vector<QString> r;
    r.reserve(kValues);
    for (int i = 0; i < kValues; ++i)
      r.push_back(QString::number(int64_t(i) * 7919 % 100000 / 100.0, 'f', 2));
    return r;
  }();
  return v;
}

const QString kWildcard = QStringLiteral("valve*station*4?");
const QString kNumeric = QStringLiteral(">=250.5 & <750");

// One pass over all values per iteration; the hit count shows that both sides decide alike.
template <typename F>
void CountHits(benchmark::State &state, const std::vector<QString> &values, F matches)
{
  for (auto _ : state) {
    int hits = 0;
    for (const QString &v : values) hits += matches(v);
    benchmark::DoNotOptimize(hits);
    state.counters["hits"] = hits;
  }
  state.SetItemsProcessed(state.iterations() * int64_t(values.size()));
}

void BM_MatchConditionWildcard(benchmark::State &state)
{
  CountHits(state, TextValues(), [](const QString &v) { return MatchCondition(kWildcard, v, false); });
}

void BM_QRegularExpressionWildcard(benchmark::State &state)
{
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(kWildcard),
                              QRegularExpression::CaseInsensitiveOption);
  CountHits(state, TextValues(), [&](const QString &v) { return re.match(v).hasMatch(); });
}

void BM_FilterConditionWildcard(benchmark::State &state)
{
  const TFilterCondition condition(kWildcard, false);
  CountHits(state, TextValues(), [&](const QString &v) { return condition.Matches(v); });
}

void BM_MatchConditionNumeric(benchmark::State &state)
{
  CountHits(state, NumberValues(), [](const QString &v) { return MatchCondition(kNumeric, v, false); });
}

void BM_FilterConditionNumeric(benchmark::State &state)
{
  const TFilterCondition condition(kNumeric, false);
  CountHits(state, NumberValues(), [&](const QString &v) { return condition.Matches(v); });
}

void BM_ToDoubleNumeric(benchmark::State &state)
{
  CountHits(state, NumberValues(), [](const QString &v) {
    bool ok;
    const double d = v.toDouble(&ok);
    return ok && d >= 250.5 && d < 750;
  });
}

BENCHMARK(BM_MatchConditionWildcard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterConditionWildcard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QRegularExpressionWildcard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchConditionNumeric)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterConditionNumeric)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToDoubleNumeric)->Unit(benchmark::kMillisecond);

void PrintRatio(const TRatioReporter &Reporter, const char *What, const std::string &Ours, const std::string &Theirs)
{
  if (const double r = Reporter.Ratio(Ours, Theirs); r > 0)
    std::printf("%s on %d values: %s / %s = %.2f\n", What, kValues, Ours.c_str(), Theirs.c_str(), r);
}

}  // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  // A fixed locale, so that runs on different machines read the numbers alike.
  FormatSettings = TFormatSettings::Invariant();
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter, "Wildcard", "BM_MatchConditionWildcard", "BM_QRegularExpressionWildcard");
  PrintRatio(reporter, "Wildcard, prepared once", "BM_FilterConditionWildcard", "BM_QRegularExpressionWildcard");
  PrintRatio(reporter, "Numeric range", "BM_MatchConditionNumeric", "BM_ToDoubleNumeric");
  PrintRatio(reporter, "Numeric range, prepared once", "BM_FilterConditionNumeric", "BM_ToDoubleNumeric");
  benchmark::Shutdown();
  return 0;
}
