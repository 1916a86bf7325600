// The kept shaped text while the MQTT topic form's publish grid (1024 filled rows) is scrolled
// once from top to bottom, three rows at a time as a wheel does, each step painted: the time of
// a pass (each pass after the first finds the rows it shaped before only as far as the bound
// keeps them), and what the first pass, from an empty store, leaves behind (the store's own count
// of bytes and entries, and the process's heap in use).
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/bench_ratio.h"
#include "framework/graphics/text_cache.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "tables/fmqtt_set_topic.h"

namespace {

using namespace mqttcols;

class TBenchForm {
public:
  TBenchForm()
  {
    TAppState &S = AppState();
    S.Reset();
    Load_Default_Texts();
    S.Project_Dir = FDir.path();
    S.File_MQTT_Set_Topic = FDir.path() + "/MQTT_Set_Topic.xml";
    Form = std::make_unique<TFMQTT_Set_Topic>(nullptr);
    Form->AfterConstruction();
    Form->Show();
    TZavColumnGrid *G = Form->ACG_Pub;
    static const char *Types[] = {"Int", "Float", "String", "Base64"};
    for (int R = 1; R < G->RowCount(); ++R) {
      G->SetCells(cTopic, R, QStringLiteral("plant/line%1/station%2/value%3").arg(R % 7).arg(R % 13).arg(R));
      G->SetCells(cRetained, R, R % 3 ? "N" : "Y");
      G->SetCells(cQoS, R, QString::number(R % 3));
      G->SetCells(cData_Type, R, Types[R % 4]);
      G->SetCells(cDimension, R, QString::number(1 + R % 4));
      G->SetCells(cPosition, R, QString::number(4 * R));
      G->SetCells(cPub_Template, R, QStringLiteral("{\"id\":%1,\"v\":$VALUE$}").arg(R));
      G->SetCells(cOn_Change, R, R % 2 ? "Y" : "N");
      G->SetCells(cOn_Timer, R, R % 2 ? "N" : "Y");
      G->SetCells(cTime, R, QString::number(100 * (R % 50)));
    }
    QApplication::processEvents();
  }

  // Top to bottom, three rows at a time, each step painted.
  void Pass()
  {
    TZavColumnGrid *G = Form->ACG_Pub;
    G->SetTopRow(G->FixedRows());
    QApplication::processEvents();
    const int last = std::max(G->FixedRows(), G->RowCount() - G->VisibleRowCount());
    for (int top = G->FixedRows(); top < last; top = std::min(last, top + 3)) {
      G->SetTopRow(std::min(last, top + 3));
      QApplication::processEvents();
    }
  }

  QTemporaryDir FDir;
  std::unique_ptr<TFMQTT_Set_Topic> Form;
};

struct TFirstPass {
  bool Done = false;
  size_t BytesBefore = 0, BytesAfter = 0;
  int EntriesAfter = 0;
  long long HeapGrowth = 0;
  double Ms = 0;
} First;

void BM_ScrollMQTTGrid(benchmark::State &state)
{
  TBenchForm B;
  if (!First.Done) {
    TextCache::Clear();
    B.Form->ACG_Pub->Invalidate();
    QApplication::processEvents();
    First.BytesBefore = TextCache::Bytes();
    const long long heap = (long long)mallinfo2().uordblks;
    const auto start = std::chrono::steady_clock::now();
    B.Pass();
    First.Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    First.HeapGrowth = (long long)mallinfo2().uordblks - heap;
    First.BytesAfter = TextCache::Bytes();
    First.EntriesAfter = TextCache::Count();
    First.Done = true;
  }
  for (auto _ : state)
    B.Pass();
}

BENCHMARK(BM_ScrollMQTTGrid)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &) {
    if (!First.Done)
      return;
    std::printf("kept shaped text over one scroll of the MQTT publish grid: %.0f KiB -> %.0f KiB "
                "(growth %.0f KiB, bound %.0f KiB), %d entries\n",
                First.BytesBefore / 1024.0, First.BytesAfter / 1024.0,
                (double(First.BytesAfter) - double(First.BytesBefore)) / 1024.0, TextCache::ByteLimit / 1024.0,
                First.EntriesAfter);
    std::printf("heap in use grew by %.0f KiB during that scroll, which took %.0f ms\n", First.HeapGrowth / 1024.0,
                First.Ms);
  });
}
