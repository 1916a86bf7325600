// Cell mark-up: the grid's renderer against QTextDocument on the same 10,000 cell texts
// (bold, italic, colour and size changes, a link, a line break, a list, an entity), once
// measuring and once painting into a cell-sized image. Each mode prints QTextDocument's
// time over the renderer's. Two large cells follow: a paint of a cell holding 16,000
// "&amp;" in 144,000 characters (against QTextDocument painting it), and highlighting every
// "&amp;" in it (against QString's replacement of the same matches, which ignores tags).
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/graphics.h"
#include "grid/foundation/markup_render.h"
#include "grid/foundation/markup_utils.h"
#include "bench_ratio.h"

namespace {

constexpr int kTexts = 10000;
constexpr int kCellWidth = 220;
constexpr int kCellHeight = 80;

struct TTexts {
  std::vector<QString> Markup, Html;
};

const TTexts &Texts()
{
  static const TTexts t = [] {
    TTexts r;
    for (int i = 0; i < kTexts; ++i) {
      const QString n = QString::number(i);
      r.Markup.push_back(QStringLiteral("<B>Tag ") + n + QStringLiteral("</B> <I>value</I> <FONT COLOR=\"clRed\" SIZE=\"3\">") +
                         QString::number(i % 97) + QStringLiteral(" bar</FONT> <A HREF=\"node") + n +
                         QStringLiteral("\">details</A><BR>in &amp; out<UL><LI>port ") + QString::number(i % 8) +
                         QStringLiteral("</LI></UL>"));
      r.Html.push_back(QStringLiteral("<b>Tag ") + n + QStringLiteral("</b> <i>value</i> <font color=\"#ff0000\" style=\"font-size:12pt\">") +
                       QString::number(i % 97) + QStringLiteral(" bar</font> <a href=\"node") + n +
                       QStringLiteral("\">details</a><br>in &amp; out<ul><li>port ") + QString::number(i % 8) +
                       QStringLiteral("</li></ul>"));
    }
    return r;
  }();
  return t;
}

struct TOuts {
  QString Anchor, Plain, Focus, Title, CID, CV, CT;
  int W = 0, H = 0, Count = 0, Mouse = 0;
  TRect AR, CR;
};

bool Render(TCanvas &C, const QString &Text, bool Measure, TOuts &o)
{
  return RenderHTMLText(&C, Text, TRect(0, 0, kCellWidth, kCellHeight), nullptr, -1, -1, -1, -1, 1, false, Measure,
                        false, false, true, false, true, false, 1.0, clBlue, clNone, clNone, TColor(0x808080), o.Anchor,
                        o.Plain, o.Focus, o.Title, o.W, o.H, o.Count, o.Mouse, o.AR, o.CR, o.CID, o.CV, o.CT, nullptr,
                        nullptr, nullptr, 0);
}

void BM_RenderMeasure(benchmark::State &state)
{
  QImage img(kCellWidth, kCellHeight, QImage::Format_RGB32);
  TCanvas c(&img);
  TOuts o;
  int64_t sum = 0;
  for (auto _ : state) {
    for (const QString &t : Texts().Markup) {
      Render(c, t, true, o);
      sum += o.W + o.H;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_QTextDocumentMeasure(benchmark::State &state)
{
  int64_t sum = 0;
  for (auto _ : state) {
    for (const QString &t : Texts().Html) {
      QTextDocument d;
      d.setTextWidth(kCellWidth);
      d.setHtml(t);
      const QSizeF s = d.documentLayout()->documentSize();
      sum += int64_t(s.width() + s.height());
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_RenderPaint(benchmark::State &state)
{
  // Both sides paint through one open painter, as a grid does inside its paint event.
  QImage img(kCellWidth, kCellHeight, QImage::Format_RGB32);
  QPainter p(&img);
  TCanvas c;
  c.SetPainter(&p);
  TOuts o;
  for (auto _ : state) {
    for (const QString &t : Texts().Markup) {
      p.fillRect(0, 0, kCellWidth, kCellHeight, Qt::white);
      Render(c, t, false, o);
    }
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_QTextDocumentPaint(benchmark::State &state)
{
  QImage img(kCellWidth, kCellHeight, QImage::Format_RGB32);
  QPainter p(&img);
  for (auto _ : state) {
    for (const QString &t : Texts().Html) {
      p.fillRect(0, 0, kCellWidth, kCellHeight, Qt::white);
      QTextDocument d;
      d.setTextWidth(kCellWidth);
      d.setHtml(t);
      d.drawContents(&p, QRectF(0, 0, kCellWidth, kCellHeight));
    }
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}

constexpr int kEntities = 16000;

// 9 characters per entity: 144,000 in all.
const QString &EntityCell()
{
  static const QString t = QStringLiteral("&amp;abc ").repeated(kEntities);
  return t;
}

void BM_RenderManyEntities(benchmark::State &state)
{
  QImage img(kCellWidth, kCellHeight, QImage::Format_RGB32);
  QPainter p(&img);
  TCanvas c;
  c.SetPainter(&p);
  TOuts o;
  for (auto _ : state) {
    p.fillRect(0, 0, kCellWidth, kCellHeight, Qt::white);
    Render(c, EntityCell(), false, o);
  }
}

void BM_QTextDocumentManyEntities(benchmark::State &state)
{
  QImage img(kCellWidth, kCellHeight, QImage::Format_RGB32);
  QPainter p(&img);
  for (auto _ : state) {
    p.fillRect(0, 0, kCellWidth, kCellHeight, Qt::white);
    QTextDocument d;
    d.setTextWidth(kCellWidth);
    d.setHtml(EntityCell());
    d.drawContents(&p, QRectF(0, 0, kCellWidth, kCellHeight));
  }
}

void BM_HighlightManyMatches(benchmark::State &state)
{
  int64_t sum = 0;
  for (auto _ : state)
    sum += HighlightInHTML(EntityCell(), QStringLiteral("&amp;"), QStringLiteral("hi"), false).size();
  benchmark::DoNotOptimize(sum);
}

void BM_QStringHighlightManyMatches(benchmark::State &state)
{
  int64_t sum = 0;
  for (auto _ : state) {
    QString s = EntityCell();
    sum += s.replace(QStringLiteral("&amp;"), QStringLiteral("<hi>&amp;</hi>"), Qt::CaseInsensitive).size();
  }
  benchmark::DoNotOptimize(sum);
}

BENCHMARK(BM_RenderMeasure)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QTextDocumentMeasure)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RenderPaint)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QTextDocumentPaint)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RenderManyEntities)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QTextDocumentManyEntities)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_HighlightManyMatches)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QStringHighlightManyMatches)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    for (const char *mode : {"Measure", "Paint"})
      if (const double r = reporter.Ratio(std::string("BM_QTextDocument") + mode, std::string("BM_Render") + mode); r > 0)
        std::printf("%s %d cell texts: QTextDocument / RenderHTMLText = %.2f (goal: at least 5)\n", mode, kTexts, r);
    if (const double r = reporter.Ratio("BM_QTextDocumentManyEntities", "BM_RenderManyEntities"); r > 0)
      std::printf("Paint one cell of %d entities: QTextDocument / RenderHTMLText = %.2f\n", kEntities, r);
    if (const double r = reporter.Ratio("BM_QStringHighlightManyMatches", "BM_HighlightManyMatches"); r > 0)
      std::printf("Highlight %d matches in one cell: QString::replace / HighlightInHTML = %.2f\n", kEntities, r);
  });
}
