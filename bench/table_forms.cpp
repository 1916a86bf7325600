// The S7 access form with full tables (512 read and 512 write rows): the showing that resets
// the grids and loads the table file, and OK's checks with the save; against reading and
// writing the same rows with QXmlStreamReader / QXmlStreamWriter into plain string vectors
// (the floor). Both saves go through the same durable write. Ratios are ours over the floor.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_ratio.h"
#include "framework/services/atomicfile.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "tables/fs7_protocol_set_access.h"

namespace {

using TRows = std::vector<std::vector<QString>>;  // one vector of attribute values per row
struct TSections {
  std::vector<QString> Names;
  std::vector<std::vector<QString>> Attributes;
  std::vector<TRows> Rows;
};

// The form with both tables full, saved once to give the file every run reads.
class TBenchForm {
public:
  TBenchForm()
  {
    TAppState &S = AppState();
    S.Reset();
    Load_Default_Texts();
    S.Project_Dir = FDir.path();
    S.File_S7_Protocol = FDir.path() + "/S7_Protocol.xml";
    Form = std::make_unique<TFS7_Protocol_Set_Access>(nullptr);
    Form->AfterConstruction();
    Form->Show();
    for (int G = 0; G < 2; ++G) {
      TZavStringGrid *Grid = Form->Grid(G);
      const bool W = G == 1;
      for (int R = 1; R <= 512; ++R) {
        const QStringList Row = {"Y", QStringLiteral("192.168.%1.%2").arg(R % 5).arg(1 + R % 2), "102", "S71500",
                                 "0", "1", "Int", "DB", QString::number(R), "Flags (M) (Merker)",
                                 QString::number(2 * R), "0", "100"};
        for (int C = 0; C < Row.size(); ++C)
          Grid->SetCells(C + 1, R, Row[C]);
        int C = s7cols::cPoll_Time + 1;
        if (W) {
          Grid->SetCells(C++, R, "Y");
          Grid->SetCells(C++, R, "N");
        }
        for (const QString &V : {QString::number(R), QStringLiteral("0"), QStringLiteral("Y"), QStringLiteral("N"),
                                 QStringLiteral("Value %1").arg(R)})
          Grid->SetCells(C++, R, V);
      }
    }
    if (!Form->Controllo_dati())
      std::fprintf(stderr, "the benchmark's rows do not pass the checks\n");
    Form->Save_Table();
  }
  ~TBenchForm()
  {
    Form.reset();
    AppState().Reset();
  }
  QString Path() const { return AppState().File_S7_Protocol; }

  QTemporaryDir FDir;
  std::unique_ptr<TFS7_Protocol_Set_Access> Form;
};

// Freed by main while the application still exists.
std::unique_ptr<TBenchForm> Bench_Form;

TBenchForm &Bench()
{
  if (!Bench_Form)
    Bench_Form = std::make_unique<TBenchForm>();
  return *Bench_Form;
}

TSections Read_Floor(const QString &Path)
{
  TSections S;
  QFile F(Path);
  F.open(QIODevice::ReadOnly);
  QXmlStreamReader X(&F);
  int Depth = 0;
  while (!X.atEnd()) {
    const QXmlStreamReader::TokenType T = X.readNext();
    if (T == QXmlStreamReader::StartElement) {
      ++Depth;
      if (Depth == 2) {
        S.Names.push_back(X.name().toString());
        S.Attributes.emplace_back();
        S.Rows.emplace_back();
      } else if (Depth == 3) {
        std::vector<QString> Row;
        const QXmlStreamAttributes A = X.attributes();
        Row.reserve(size_t(A.size()));
        if (S.Attributes.back().empty())
          for (const QXmlStreamAttribute &At : A)
            S.Attributes.back().push_back(At.name().toString());
        for (const QXmlStreamAttribute &At : A)
          Row.push_back(At.value().toString());
        S.Rows.back().push_back(std::move(Row));
      }
    } else if (T == QXmlStreamReader::EndElement) {
      --Depth;
    }
  }
  return S;
}

void Write_Floor(const QString &Path, const TSections &S)
{
  QByteArray Out;
  QXmlStreamWriter X(&Out);
  X.writeStartElement("S7_Protocol");
  for (size_t I = 0; I < S.Names.size(); ++I) {
    X.writeStartElement(S.Names[I]);
    for (const std::vector<QString> &Row : S.Rows[I]) {
      X.writeStartElement("row");
      for (size_t C = 0; C < Row.size(); ++C)
        X.writeAttribute(S.Attributes[I][C], Row[C]);
      X.writeEndElement();
    }
    X.writeEndElement();
  }
  X.writeEndElement();
  X.writeComment("SW_VERSION = 1.003");
  WriteFileAtomicOrRaise(Path, Out);
}

// Showing: the reset of both grids, the position lists and the load of 1,024 rows.
void BM_FormShowLoad(benchmark::State &state)
{
  TBenchForm &B = Bench();
  for (auto _ : state)
    B.Form->FormShow(nullptr);
  state.counters["rows"] = B.Form->Grid(0)->Cells(s7cols::cPLC_Address, 512).isEmpty() ? 0 : 1024;
}

void BM_FloorRead(benchmark::State &state)
{
  TBenchForm &B = Bench();
  for (auto _ : state)
    benchmark::DoNotOptimize(Read_Floor(B.Path()));
}

// OK: the checks of every row, then the save.
void BM_FormChecksSave(benchmark::State &state)
{
  TBenchForm &B = Bench();
  B.Form->FormShow(nullptr);
  for (auto _ : state) {
    if (!B.Form->Controllo_dati())
      state.SkipWithError("checks failed");
    B.Form->Save_Table();
  }
}

void BM_FloorWrite(benchmark::State &state)
{
  TBenchForm &B = Bench();
  const TSections S = Read_Floor(B.Path());
  for (auto _ : state)
    Write_Floor(B.Path() + ".floor", S);
}

BENCHMARK(BM_FormShowLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FloorRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FormChecksSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    const double Open = reporter.Ratio("BM_FormShowLoad", "BM_FloorRead");
    const double Save = reporter.Ratio("BM_FormChecksSave", "BM_FloorWrite");
    if (Open > 0)
      std::printf("S7 form shown with 512 + 512 rows / QXmlStreamReader into vectors = %.2f (goal: at most 5)\n", Open);
    if (Save > 0)
      std::printf("S7 form checks and save / QXmlStreamWriter from vectors = %.2f (goal: at most 5)\n", Save);
    Bench_Form.reset();
  });
}
