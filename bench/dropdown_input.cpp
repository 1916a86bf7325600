// Typing one digit into a numeric drop-down edit: the input engine's character rules (state in,
// state out) against a QLineEdit with a QDoubleValidator taking the same digit (QLineEdit::insert
// runs the validator over the new text), and against the validator's validate alone. No window
// is shown; main prints the engine's time over each baseline's.
#include <QDoubleValidator>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_ratio.h"
#include "editors/dropdown_input.h"

namespace {

// The text is cut back after this many digits, so that every pass types into a short value.
constexpr int kRun = 16;

void BM_EngineTypeDigit(benchmark::State &state)
{
  TDropDownTextSettings s;
  s.EditType = TDropDownEditType::etFloat;
  s.Precision = 2;
  s.Signed = true;
  s.Prefix = QStringLiteral("$");
  const TDropDownEditEnv env;
  const TDropDownEditState empty{QStringLiteral("$"), 1, 0};
  TDropDownEditState st = empty;
  int typed = 0;
  for (auto _ : state)
  {
    if (typed++ == kRun) st = empty, typed = 1;
    TDropDownInputResult r = DropDownChar(st, QLatin1Char('7'), false, false, s, env);
    st = std::move(r.State);
    benchmark::DoNotOptimize(r.Changed);
  }
  if (!st.Text.endsWith(QLatin1Char('7'))) state.SkipWithError("the engine refused the digit");
}

void BM_LineEditValidatorTypeDigit(benchmark::State &state)
{
  QLineEdit edit;
  QDoubleValidator validator(-1e12, 1e12, 2);
  validator.setNotation(QDoubleValidator::StandardNotation);
  validator.setLocale(QLocale::c());
  edit.setValidator(&validator);
  int typed = 0;
  for (auto _ : state)
  {
    if (typed++ == kRun)
    {
      edit.clear();
      typed = 1;
    }
    edit.insert(QStringLiteral("7"));
  }
  if (!edit.text().endsWith(QLatin1Char('7'))) state.SkipWithError("the validator refused the digit");
}

// The validator alone over the line edit's text with the digit added (no edit buffer, no
// widget): the floor of any check of a typed digit.
void BM_ValidatorTypeDigit(benchmark::State &state)
{
  QLineEdit edit;
  QDoubleValidator validator(-1e12, 1e12, 2);
  validator.setNotation(QDoubleValidator::StandardNotation);
  validator.setLocale(QLocale::c());
  QString text;
  int typed = 0;
  for (auto _ : state)
  {
    if (typed++ == kRun) text.clear(), typed = 1;
    QString next = edit.text() + text + QLatin1Char('7');
    int pos = int(next.size());
    if (validator.validate(next, pos) != QValidator::Invalid) text = std::move(next);
  }
  if (!text.endsWith(QLatin1Char('7'))) state.SkipWithError("the validator refused the digit");
}

}  // namespace

BENCHMARK(BM_EngineTypeDigit)->Unit(benchmark::kNanosecond)->MinTime(0.5);
BENCHMARK(BM_LineEditValidatorTypeDigit)->Unit(benchmark::kNanosecond)->MinTime(0.5);
BENCHMARK(BM_ValidatorTypeDigit)->Unit(benchmark::kNanosecond)->MinTime(0.5);

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_EngineTypeDigit", "BM_LineEditValidatorTypeDigit"); r > 0)
      std::printf("Type a digit into a numeric edit: drop-down input engine / QLineEdit + QDoubleValidator = %.2f\n",
                  r);
    if (const double r = reporter.Ratio("BM_EngineTypeDigit", "BM_ValidatorTypeDigit"); r > 0)
      std::printf("Type a digit into a numeric edit: drop-down input engine / QDoubleValidator::validate alone = %.2f\n",
                  r);
  });
}
