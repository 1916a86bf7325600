// The grid's binary cell stream: its bytes, its round trips, and a reader that neither crashes
// nor changes the grid on damaged or foreign input.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <random>

#include "framework/classes/gfx2_component_records.h"
#include "framework/controls/forms.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/carriers.h"
#include "grid/core/grid_error.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/int_lists.h"

namespace {

QByteArray Name(const char *s) { return char(qstrlen(s)) + QByteArray(s); }

QByteArray Record(const char *cls, const QByteArray &props)
{
  return QByteArray("TPF0") + Name(cls) + QByteArray(1, '\0') + props + QByteArray(2, '\0');
}

QByteArray Le32(uint32_t v)
{
  QByteArray b;
  for (int i = 0; i < 4; ++i)
    b += char((v >> (8 * i)) & 0xFF);
  return b;
}

QByteArray SaveRect(TZavStringGrid &g, const TGridRect &r)
{
  TMemoryStream ms;
  g.SaveRectToBinStream(r, &ms);
  return ms.Bytes();
}

void Load(TZavStringGrid &g, const QByteArray &bytes, TPoint at = TPoint(0, 0), bool whole = false)
{
  TMemoryStream ms;
  ms.WriteBuffer(bytes);
  ms.SetPosition(0);
  if (whole)
    g.LoadFromBinStream(&ms);
  else
    g.LoadAtPointFromBinStream(at, &ms);
}

// The header of a stream with the given ID in place of the writer's.
QByteArray WithID(const QByteArray &stream, int id, TComponent *owner)
{
  TMemoryStream in;
  in.WriteBuffer(stream);
  in.SetPosition(0);
  TGridPropIO h(owner);
  h.ReadRecord(&in);
  const QByteArray rest = in.ReadRemaining();
  h.SetID(id);
  TMemoryStream out;
  h.WriteRecord(&out);
  return out.Bytes() + rest;
}

// Everything of a grid that a load may change, as text to compare.
QString Snapshot(TZavStringGrid &g)
{
  QString s = QStringLiteral("%1x%2|").arg(g.ColCount()).arg(g.RowCount());
  for (int c = 0; c < g.ColCount(); ++c)
    s += QString::number(g.ColWidths(c)) + QLatin1Char(',');
  for (int r = 0; r < g.RowCount(); ++r)
    s += QString::number(g.RowHeights(r)) + QLatin1Char(',');
  for (int r = 0; r < g.RowCount(); ++r)
    for (int c = 0; c < g.ColCount(); ++c) {
      s += QStringLiteral("|%1,%2:").arg(c).arg(r) + g.GridCells(c, r);
      if (TCellGraphic *gr = g.CellGraphics(c, r))
        s += QStringLiteral(" g%1/%2/%3").arg(int(gr->CellType())).arg(gr->CellIndex()).arg(gr->CellValue());
      if (g.IsMergedCell(c, r))
        s += QStringLiteral(" m");
    }
  return s;
}

struct BinStream : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = new TZavStringGrid(&form);
  TZavStringGrid *other = new TZavStringGrid(&form);
  BinStream()
  {
    form.SetName(QStringLiteral("Form1"));
    for (TZavStringGrid *g : {grid, other}) {
      g->SetParent(&form);
      g->SetColCount(5);
      g->SetRowCount(6);
    }
  }
};

} // namespace

// One empty cell without properties: the header and one cell record, byte for byte.
TEST_F(BinStream, SmallestStreamBytes)
{
  grid->SetColWidths(2, 70);
  grid->SetRowHeights(3, 30);
  const int id = grid->BinStreamID();
  QByteArray idBytes;
  if (id >= -128 && id <= 127)
    idBytes = QByteArray("\x02", 1) + char(id);
  else if (id >= -32768 && id <= 32767)
    idBytes = QByteArray("\x03", 1) + Le32(uint32_t(id)).left(2);
  else
    idBytes = QByteArray("\x04", 1) + Le32(uint32_t(id));
  const QByteArray expected =
      Record("TGridPropIO", Name("ColCount") + "\x02\x01" + Name("RowCount") + "\x02\x01" + Name("ColWidths") +
                                "\x06\x02" "70" + Name("RowHeights") + "\x06\x02" "30" + Name("FullGrid") + "\x08" +
                                Name("ID") + idBytes) +
      Record("TGridCellIO", Name("Col") + "\x02\x02" + Name("Row") + "\x02\x03" + Name("HasProp") + "\x08");
  EXPECT_EQ(SaveRect(*grid, TGridRect(2, 3, 2, 3)), expected);
}

// A text cell lands at the chosen point, or at (0, 0) through LoadFromBinStream, with the
// offsets between its cells kept.
TEST_F(BinStream, PartialRectangleLandsAtThePoint)
{
  grid->SetCells(1, 1, QStringLiteral("a"));
  grid->SetCells(2, 1, QStringLiteral("b"));
  grid->SetCells(1, 2, QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
  grid->SetCells(2, 2, QStringLiteral("\u4e2d"));
  const QByteArray bytes = SaveRect(*grid, TGridRect(1, 1, 2, 2));

  Load(*other, bytes, TPoint(0, 0), true);
  EXPECT_EQ(other->Cells(0, 0), QStringLiteral("a"));
  EXPECT_EQ(other->Cells(1, 0), QStringLiteral("b"));
  EXPECT_EQ(other->Cells(0, 1), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
  EXPECT_EQ(other->Cells(1, 1), QStringLiteral("\u4e2d"));

  other->Clear();
  Load(*other, bytes, TPoint(3, 4));
  EXPECT_EQ(other->Cells(3, 4), QStringLiteral("a"));
  EXPECT_EQ(other->Cells(4, 5), QStringLiteral("\u4e2d"));
  EXPECT_EQ(other->ColCount(), 5) << "a partial stream keeps the grid's size";
}

// Cells that would land outside the grid are dropped; those inside are read.
TEST_F(BinStream, CellsOutsideTheGridAreDropped)
{
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      grid->SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
  grid->AddCheckBox(2, 2, true, false);
  const QByteArray bytes = SaveRect(*grid, TGridRect(0, 0, 2, 2));
  Load(*other, bytes, TPoint(3, 4));
  EXPECT_EQ(other->Cells(3, 4), QStringLiteral("00"));
  EXPECT_EQ(other->Cells(4, 5), QStringLiteral("11"));
  EXPECT_EQ(other->ColCount(), 5);
  EXPECT_EQ(other->RowCount(), 6);
  // Nothing was written past the counts, where a later growth would bring it back.
  other->SetColCount(7);
  other->SetRowCount(8);
  EXPECT_EQ(other->GridCells(5, 4), QString());
  EXPECT_EQ(other->GridCells(3, 6), QString());
  EXPECT_EQ(other->GridCells(5, 6), QString());
  EXPECT_EQ(other->CellGraphics(5, 6), nullptr);
}

// The whole grid with properties, merged cells, pictures, lists and values comes back at the
// same places with the same sizes.
TEST_F(BinStream, WholeGridRoundTrip)
{
  grid->SetColCount(6);
  grid->SetRowCount(7);
  grid->SetColWidths(1, 91);
  grid->SetColWidths(5, 13);
  grid->SetRowHeights(2, 40);
  grid->SetCells(1, 1, QStringLiteral("merged"));
  grid->MergeCells(1, 1, 2, 2);
  grid->SetCells(4, 1, QStringLiteral("styled"));
  TCellProperties *p = grid->CellProperties(4, 1);
  p->SetAlignment(taRightJustify);
  p->SetBrushColor(clYellow);
  p->SetFontColor(0x00123456);
  p->SetFontStyle({fsBold});
  p->SetFontName(QStringLiteral("Tahoma"));
  p->SetReadOnly(true);
  p->SetCellObject(4242);
  grid->AddCheckBox(0, 3, true, false);
  grid->AddProgress(1, 4, clRed, clWhite);
  grid->SetCells(1, 4, QStringLiteral("50"));
  if (TCellGraphic *g = grid->CellGraphics(1, 4))
    g->SetCellValue(50);
  grid->AddProgress(2, 4, clRed, clWhite);
  TBitmap *bmp = grid->CreateBitmap(3, 4, false, haLeft, vaTop);
  bmp->SetSize(4, 3);
  bmp->Canvas()->SetPixels(1, 2, clBlue);
  TPicture *pic = grid->CreatePicture(4, 4, false, noStretch, 0, haLeft, vaTop);
  TBitmap src;
  src.SetSize(2, 2);
  src.Canvas()->SetPixels(1, 1, clLime);
  pic->SetGraphic(&src);
  TFilePicture *fp = grid->CreateFilePicture(5, 4, false, noStretch, 0, haLeft, vaTop);
  fp->SetFilename(QStringLiteral("somewhere.png"));
  TStrings *radio = grid->CreateRadio(0, 5, 0, 1);
  radio->Add(QStringLiteral("one"));
  radio->Add(QStringLiteral("two"));
  grid->SetCells(5, 6, QStringLiteral("last"));

  TMemoryStream ms;
  grid->SaveToBinStream(&ms);
  ms.SetPosition(0);
  other->SetColWidths(1, 5);
  other->LoadFromBinStream(&ms);

  EXPECT_EQ(other->ColCount(), 6);
  EXPECT_EQ(other->RowCount(), 7);
  for (int c = 0; c < 6; ++c)
    EXPECT_EQ(other->ColWidths(c), grid->ColWidths(c)) << c;
  for (int r = 0; r < 7; ++r)
    EXPECT_EQ(other->RowHeights(r), grid->RowHeights(r)) << r;
  EXPECT_EQ(Snapshot(*other).toStdString(), Snapshot(*grid).toStdString());
  EXPECT_TRUE(other->IsMergedCell(2, 2));
  EXPECT_EQ(other->BaseCell(2, 2), TPoint(1, 1));
  EXPECT_EQ(other->Cells(2, 2), QStringLiteral("merged"));

  TCellProperties *q = other->CellProperties(4, 1);
  EXPECT_EQ(q->Alignment(), taRightJustify);
  EXPECT_EQ(q->BrushColor(), clYellow);
  EXPECT_EQ(q->FontColor(), TColor(0x00123456));
  EXPECT_EQ(q->FontStyle(), TFontStyles({fsBold}));
  EXPECT_EQ(q->FontName(), QStringLiteral("Tahoma"));
  EXPECT_TRUE(q->ReadOnly());
  EXPECT_EQ(q->CellObject(), 4242u) << "a stream of this process keeps the attached number";

  bool state = false;
  EXPECT_TRUE(other->GetCheckBoxState(0, 3, state));
  EXPECT_TRUE(state);
  EXPECT_EQ(other->CellGraphics(1, 4)->CellValue(), 50);
  EXPECT_EQ(other->CellGraphics(2, 4)->CellValue(), 0) << "a value of 0 after one of 50 stays 0";
  TBitmap *bmp2 = other->GetBitmap(3, 4);
  ASSERT_NE(bmp2, nullptr);
  EXPECT_EQ(bmp2->Width(), 4);
  EXPECT_EQ(bmp2->Canvas()->Pixels(1, 2), clBlue);
  TPicture *pic2 = other->GetPicture(4, 4);
  ASSERT_NE(pic2, nullptr);
  ASSERT_NE(pic2->Bitmap(), nullptr);
  EXPECT_EQ(pic2->Bitmap()->Canvas()->Pixels(1, 1), clLime);
  ASSERT_NE(other->GetFilePicture(5, 4), nullptr);
  EXPECT_EQ(other->GetFilePicture(5, 4)->Filename(), QStringLiteral("somewhere.png"));
  TStrings *radio2 = other->GetRadioStrings(0, 5);
  ASSERT_NE(radio2, nullptr);
  EXPECT_EQ(radio2->CommaText(), QStringLiteral("one,two"));

  // Written again, the copy gives the same bytes but for the writer's ID.
  TMemoryStream again;
  other->SaveToBinStream(&again);
  EXPECT_EQ(WithID(again.Bytes(), 1, &form), WithID(ms.Bytes(), 1, &form));
}

// A radio cell whose record has no items after one that has them, and a picture cell whose
// record holds no picture after one that does: each cell gets only what its own record holds.
TEST_F(BinStream, NothingOfOneRecordReachesTheNext)
{
  TStrings *first = grid->CreateRadio(0, 0, 0, 0);
  first->Add(QStringLiteral("x"));
  first->Add(QStringLiteral("y"));
  grid->CreateRadio(1, 0, 0, 0);
  TPicture *pic = grid->CreatePicture(0, 1, false, noStretch, 0, haLeft, vaTop);
  TBitmap src;
  src.SetSize(2, 2);
  pic->SetGraphic(&src);
  grid->CreatePicture(1, 1, false, noStretch, 0, haLeft, vaTop);
  Load(*other, SaveRect(*grid, TGridRect(0, 0, 1, 1)));
  ASSERT_NE(other->GetRadioStrings(1, 0), nullptr);
  EXPECT_EQ(other->GetRadioStrings(0, 0)->Count(), 2);
  EXPECT_EQ(other->GetRadioStrings(1, 0)->Count(), 0);
  ASSERT_NE(other->GetPicture(1, 1), nullptr);
  EXPECT_NE(other->GetPicture(0, 1)->Graphic(), nullptr);
  EXPECT_EQ(other->GetPicture(1, 1)->Graphic(), nullptr);
}

// An attached number and a control are taken only from a stream this process wrote.
TEST_F(BinStream, ForeignStreamsBringNoObjectOrControl)
{
  auto *edit = new TEdit(&form);
  edit->SetName(QStringLiteral("Edit1"));
  TCellProperties *p = grid->CellProperties(0, 0);
  p->SetCellObject(0xDEADBEEF);
  p->SetControl(edit);
  const QByteArray own = SaveRect(*grid, TGridRect(0, 0, 0, 0));
  Load(*other, own);
  EXPECT_EQ(other->CellProperties(0, 0)->CellObject(), 0xDEADBEEFu);
  EXPECT_EQ(other->CellProperties(0, 0)->Control(), edit);

  // The same form holds the control, so only the ID keeps the reader from finding it.
  const int foreignIDs[] = {0, grid->BinStreamID() + 1000000, grid->BinStreamID() - 1000000};
  for (int id : foreignIDs) {
    other->CellProperties(0, 0)->SetCellObject(7);
    other->CellProperties(0, 0)->SetControl(nullptr);
    Load(*other, WithID(own, id, &form));
    EXPECT_EQ(other->CellProperties(0, 0)->CellObject(), 0u) << id;
    EXPECT_EQ(other->CellProperties(0, 0)->Control(), nullptr) << id;
  }
  EXPECT_TRUE(TZavStringGrid::IsOwnBinStreamID(other->BinStreamID()));
  EXPECT_NE(other->BinStreamID(), grid->BinStreamID());
}

// Rectangles the stream cannot address are refused before a byte is written.
TEST_F(BinStream, RectanglesPast65535AreRefused)
{
  const TGridRect cases[] = {{0, 0, 65536, 0}, {0, 65530, 1, 65536}, {-1, 0, 0, 0}};
  for (const TGridRect &r : cases) {
    TMemoryStream ms;
    EXPECT_THROW(grid->SaveRectToBinStream(r, &ms), EZavGridError) << r.Right << "," << r.Bottom;
    EXPECT_EQ(ms.Size(), 0);
  }
}

// Progress of a rectangle runs from 0 to 100 whatever row it starts at.
TEST_F(BinStream, ProgressOfARectangleUsesItsOffset)
{
  grid->SetRowCount(200);
  std::vector<int> seen;
  grid->OnFileProgress = [&](TObject *, int16_t v) { seen.push_back(v); };
  SaveRect(*grid, TGridRect(0, 100, 1, 104));
  EXPECT_EQ(seen, (std::vector<int>{0, 25, 50, 75, 100}));
  const QByteArray bytes = SaveRect(*grid, TGridRect(0, 100, 1, 104));
  seen.clear();
  other->SetRowCount(200);
  other->OnFileProgress = [&](TObject *, int16_t v) { seen.push_back(v); };
  Load(*other, bytes, TPoint(0, 150));
  EXPECT_EQ(seen, (std::vector<int>{0, 25, 50, 75, 100}));
}

// Damaged, cut or foreign streams raise their error and leave the grid exactly as it was:
// texts, counts, sizes, properties and graphics.
TEST_F(BinStream, DamagedStreamsLeaveTheGridAsItWas)
{
  grid->SetCells(0, 0, QStringLiteral("keep"));
  grid->AddProgress(1, 1, clRed, clWhite);
  grid->CellGraphics(1, 1)->SetCellValue(30);
  grid->MergeCells(2, 2, 2, 1);
  grid->SetColWidths(3, 99);
  other->SetColCount(3);
  other->SetRowCount(4);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c)
      other->SetCells(c, r, QStringLiteral("o%1%2").arg(c).arg(r));
  other->AddCheckBox(2, 3, true, false);
  QByteArray whole;
  {
    TMemoryStream ms;
    other->SaveToBinStream(&ms);
    whole = ms.Bytes();
  }
  const QByteArray partial = SaveRect(*other, TGridRect(0, 0, 2, 3));
  QByteArray unknownProperty = whole;
  unknownProperty.replace("HasProp", "HasPrup");
  QByteArray badWidths;
  {
    TMemoryStream in;
    in.WriteBuffer(whole);
    in.SetPosition(0);
    TGridPropIO h(&form);
    h.ReadRecord(&in);
    const QByteArray rest = in.ReadRemaining();
    h.SetColWidths(QStringLiteral("64,x,64"));
    TMemoryStream out;
    h.WriteRecord(&out);
    badWidths = out.Bytes() + rest;
  }
  QByteArray fewHeights;
  {
    TMemoryStream in;
    in.WriteBuffer(whole);
    in.SetPosition(0);
    TGridPropIO h(&form);
    h.ReadRecord(&in);
    const QByteArray rest = in.ReadRemaining();
    h.SetRowHeights(QStringLiteral("20,20"));
    TMemoryStream out;
    h.WriteRecord(&out);
    fewHeights = out.Bytes() + rest;
  }
  // Lists nested far deeper than any carrier writes them.
  QByteArray deepList = whole.left(whole.indexOf("TPF0", 4)) +
                        Record("TGridCellIO", Name("Col") + QByteArray(1 << 20, '\x01'));

  const struct { const char *what; QByteArray bytes; } cases[] = {
      {"whole grid cut inside its last record", whole.left(whole.size() - 3)},
      {"whole grid cut after its header", whole.left(whole.indexOf("TPF0", 4) + 6)},
      {"partial stream cut short", partial.left(partial.size() - 5)},
      {"unknown property", unknownProperty},
      {"width that is not a number", badWidths},
      {"fewer heights than rows", fewHeights},
      {"deeply nested lists", deepList},
  };
  for (const auto &c : cases) {
    const QString before = Snapshot(*grid);
    EXPECT_ANY_THROW(Load(*grid, c.bytes, TPoint(0, 0), true)) << c.what;
    EXPECT_EQ(Snapshot(*grid).toStdString(), before.toStdString()) << c.what;
    EXPECT_EQ(grid->CellGraphics(1, 1)->CellValue(), 30) << c.what;
  }
}

// A lone extra byte after the final record is no record.
TEST_F(BinStream, ALoneTrailingByteIsIgnored)
{
  grid->SetCells(0, 0, QStringLiteral("x"));
  Load(*other, SaveRect(*grid, TGridRect(0, 0, 0, 0)) + QByteArray(1, '\x7f'));
  EXPECT_EQ(other->Cells(0, 0), QStringLiteral("x"));
}

TEST_F(BinStream, FileRoundTripAndMissingFile)
{
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/cells.bin");
  grid->SetCells(4, 5, QStringLiteral("corner"));
  grid->SaveToBinFile(path);
  other->SetColCount(2);
  other->LoadFromBinFile(path);
  EXPECT_EQ(other->ColCount(), 5);
  EXPECT_EQ(other->Cells(4, 5), QStringLiteral("corner"));
  EXPECT_THROW(other->LoadFromBinFile(dir.path() + QStringLiteral("/none.bin")), EFOpenError);
}

// Random damage to valid streams: the reader raises an error or reads, never crashes or leaks,
// and an error leaves the grid as it was.
TEST_F(BinStream, RandomInputNeverHurtsTheGrid)
{
  grid->SetCells(1, 1, QStringLiteral("t\u00e9xt"));
  grid->CellProperties(2, 1)->SetBrushColor(clAqua);
  grid->AddProgress(3, 1, clRed, clWhite);
  grid->CreateRadio(0, 2, 0, 0)->Add(QStringLiteral("r"));
  grid->CreateBitmap(1, 2, false, haLeft, vaTop)->SetSize(2, 2);
  grid->AddMultiImage(2, 2, 0, haLeft, vaTop);
  QByteArray seeds[2];
  {
    TMemoryStream ms;
    grid->SaveToBinStream(&ms);
    seeds[0] = ms.Bytes();
  }
  seeds[1] = SaveRect(*grid, TGridRect(1, 1, 3, 2));

  std::mt19937 rng(20261211);
  for (int round = 0; round < 1500; ++round) {
    QByteArray bytes = seeds[round % 2];
    const int edits = 1 + int(rng() % 6);
    for (int e = 0; e < edits; ++e) {
      const int at = int(rng() % uint32_t(bytes.size()));
      switch (rng() % 4) {
      case 0:
        bytes[at] = char(rng());
        break;
      case 1:
        bytes.remove(at, 1 + int(rng() % 8));
        break;
      case 2:
        bytes.insert(at, char(rng()));
        break;
      default:
        bytes.truncate(at);
        break;
      }
      if (bytes.isEmpty())
        bytes = "TPF0";
    }
    TZavStringGrid target(nullptr);
    target.SetColCount(4);
    target.SetRowCount(4);
    target.SetCells(0, 0, QStringLiteral("before"));
    target.AddProgress(1, 1, clRed, clWhite);
    const QString before = Snapshot(target);
    try {
      Load(target, bytes, TPoint(0, 0), round % 3 == 0);
    } catch (const Exception &) {
      EXPECT_EQ(Snapshot(target).toStdString(), before.toStdString()) << "round " << round;
    }
  }
}
