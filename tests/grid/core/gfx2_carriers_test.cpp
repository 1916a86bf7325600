// The cell stream's carrier records, byte for byte, and their way back.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <memory>

#include "framework/classes/gfx2_component_records.h"
#include "grid/core/carriers.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_helpers.h"

namespace {

QByteArray Bytes(TGridCarrier &c)
{
  TMemoryStream ms;
  c.WriteRecord(&ms);
  return ms.Bytes();
}

void Read(TGridCarrier &c, const QByteArray &bytes)
{
  TMemoryStream ms;
  ms.WriteBuffer(bytes);
  ms.SetPosition(0);
  c.ReadRecord(&ms);
  EXPECT_EQ(ms.Position(), ms.Size()) << "the record is read to its end";
}

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

struct Carriers : ::testing::Test {
  TZavStringGrid grid{nullptr};
};

} // namespace

TEST_F(Carriers, CellRecordBytes)
{
  TGridCellIO cell(&grid);
  cell.SetCol(1);
  cell.SetRow(2);
  cell.SetCell(QStringLiteral("ab"));
  EXPECT_EQ(Bytes(cell), Record("TGridCellIO", Name("Col") + "\x02\x01" + Name("Row") + "\x02\x02" + Name("Cell") +
                                                    "\x06\x02" "ab" + Name("HasProp") + "\x08"));
  // An empty text is left out.
  cell.SetCell(QString());
  cell.SetHasProp(true);
  EXPECT_EQ(Bytes(cell), Record("TGridCellIO", Name("Col") + "\x02\x01" + Name("Row") + "\x02\x02" +
                                                    Name("HasProp") + "\x09"));
}

// The smallest integer form; positions beyond 65535 travel whole.
TEST_F(Carriers, IntegersTakeTheSmallestFormAndPositionsAre32Bit)
{
  const struct { int value; QByteArray bytes; } cases[] = {
      {-128, QByteArray("\x02\x80", 2)},
      {127, QByteArray("\x02\x7f", 2)},
      {200, QByteArray("\x03\xc8\x00", 3)},
      {-32768, QByteArray("\x03\x00\x80", 3)},
      {65535, QByteArray("\x04\xff\xff\x00\x00", 5)},
      {70000, QByteArray("\x04\x70\x11\x01\x00", 5)},
      {-70000, QByteArray("\x04\x90\xee\xfe\xff", 5)},
  };
  for (const auto &c : cases) {
    TGridCellIO out(&grid);
    out.SetRow(c.value);
    const QByteArray bytes = Bytes(out);
    EXPECT_EQ(bytes.mid(bytes.indexOf(Name("Row")) + 4, c.bytes.size()), c.bytes) << c.value;
    TGridCellIO in(&grid);
    Read(in, bytes);
    EXPECT_EQ(in.Row(), c.value);
  }
}

TEST_F(Carriers, TextsTakeTheirTagByContent)
{
  const QString ascii300(300, QLatin1Char('x'));
  const QString accented = QStringLiteral("caf\u00e9 cr\u00e8me");
  const QString chinese = QStringLiteral("\u4e2d\u6587");
  const struct { QString text; QByteArray head; } cases[] = {
      {QStringLiteral("abc"), QByteArray("\x06\x03", 2)},
      {ascii300, QByteArray("\x0c", 1) + Le32(300)},
      {accented, QByteArray("\x14", 1) + Le32(accented.toUtf8().size())},
      {chinese, QByteArray("\x12", 1) + Le32(2)},
  };
  for (const auto &c : cases) {
    TGridCellIO out(&grid);
    out.SetCell(c.text);
    const QByteArray bytes = Bytes(out);
    const int at = int(bytes.indexOf(Name("Cell"))) + 5;
    EXPECT_EQ(bytes.mid(at, c.head.size()), c.head) << c.text.left(10).toStdString();
    TGridCellIO in(&grid);
    Read(in, bytes);
    EXPECT_EQ(in.Cell(), c.text);
  }
  // UTF-16 little-endian after the count of code units.
  TGridCellIO out(&grid);
  out.SetCell(chinese);
  EXPECT_TRUE(Bytes(out).contains(QByteArray("\x12\x02\x00\x00\x00\x2d\x4e\x87\x65", 9)));
}

TEST_F(Carriers, FloatsTravelAsExtendedAndZeroIsLeftOut)
{
  EXPECT_EQ(DoubleToExtended(50), QByteArray("\0\0\0\0\0\0\0\xc8\x04\x40", 10));
  EXPECT_EQ(DoubleToExtended(-1), QByteArray("\0\0\0\0\0\0\0\x80\xff\xbf", 10));
  for (double v : {0.1, -2.5, 1e300, 5e-324, 123456.789})
    EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v)), v);

  TGridGraphicIO g(&grid);
  g.CellGraphic()->SetCellValue(50);
  EXPECT_TRUE(Bytes(g).contains(Name("CellGraphic.CellValue") + "\x05" + DoubleToExtended(50)));
  g.CellGraphic()->SetCellValue(0);
  EXPECT_FALSE(Bytes(g).contains("CellValue"));
}

TEST_F(Carriers, HeaderRecordBytes)
{
  TGridPropIO h(&grid);
  h.SetColCount(2);
  h.SetRowCount(3);
  h.SetColWidths(QStringLiteral("64,80"));
  h.SetFullGrid(true);
  h.SetID(1000);
  EXPECT_EQ(Bytes(h), Record("TGridPropIO", Name("ColCount") + "\x02\x02" + Name("RowCount") + "\x02\x03" +
                                                Name("ColWidths") + "\x06\x05" "64,80" + Name("FullGrid") + "\x09" +
                                                Name("ID") + QByteArray("\x03\xe8\x03", 3)));
}

// The properties record names every field under its object, colours by name where they have
// one, enumerations and sets by their value names.
TEST_F(Carriers, PropertiesRecordBytes)
{
  TGridCellPropIO p(&grid);
  TCellProperties *cp = p.CellProperties();
  cp->SetAlignment(taCenter);
  cp->SetBrushColor(clRed);
  cp->SetFontColor(0x00123456);
  cp->SetFontStyle({fsBold, fsUnderline});
  cp->SetEditor(edComboList);
  cp->SetCellObject(300);
  p.SetHasGraphic(true);
  const QByteArray props = QByteArray() + Name("CellProperties.IsBaseCell") + "\x09" +
                           Name("CellProperties.CellSpanX") + "\x02\xff" + Name("CellProperties.CellSpanY") + "\x02\xff" +
                           Name("CellProperties.Alignment") + "\x07" + Name("taCenter") +
                           Name("CellProperties.BorderColor") + "\x07" + Name("clBlack") +
                           Name("CellProperties.BorderWidth") + QByteArray("\x02\x00", 2) +
                           Name("CellProperties.BrushColor") + "\x07" + Name("clRed") +
                           Name("CellProperties.BrushColorTo") + "\x07" + Name("clNone") +
                           Name("CellProperties.BrushStyle") + "\x07" + Name("bsSolid") +
                           Name("CellProperties.CellObject") + QByteArray("\x03\x2c\x01", 3) +
                           Name("CellProperties.FontColor") + "\x04" + Le32(0x00123456) +
                           Name("CellProperties.FontSize") + QByteArray("\x02\x00", 2) +
                           Name("CellProperties.FontStyle") + "\x0b" + Name("fsBold") + Name("fsUnderline") +
                           QByteArray(1, '\0') + Name("CellProperties.Editor") + "\x07" + Name("edComboList") +
                           Name("CellProperties.GradientDirection") + "\x07" + Name("GradientVertical") +
                           Name("CellProperties.ReadOnly") + "\x08" + Name("CellProperties.VAlignment") + "\x07" +
                           Name("vtaTop") + Name("CellProperties.WordWrap") + "\x09" +
                           Name("CellProperties.NodeLevel") + QByteArray("\x02\x00", 2) + Name("HasGraphic") + "\x09";
  EXPECT_EQ(Bytes(p), Record("TGridCellPropIO", props));
}

// Written, read into a fresh carrier and written again: the same bytes, the same values.
TEST_F(Carriers, EveryCarrierComesBackByteForByte)
{
  const auto roundTrip = [&](TGridCarrier &out, TGridCarrier &in) {
    const QByteArray bytes = Bytes(out);
    Read(in, bytes);
    EXPECT_EQ(Bytes(in), bytes) << out.ClassName().toStdString();
  };

  TGridPropIO h(&grid), h2(&grid);
  h.SetColCount(70000);
  h.SetRowCount(5);
  h.SetColWidths(QStringLiteral("1,2"));
  h.SetRowHeights(QStringLiteral("3"));
  h.SetID(-5);
  roundTrip(h, h2);
  EXPECT_EQ(h2.ColCount(), 70000);
  EXPECT_EQ(h2.RowHeights(), QStringLiteral("3"));

  TGridCellPropIO p(&grid), p2(&grid);
  TCellProperties *cp = p.CellProperties();
  cp->SetIsBaseCell(false);
  cp->SetCellSpanX(2);
  cp->SetCellSpanY(1);
  cp->SetBorderColor(clBtnFace);
  cp->SetBorderWidth(3);
  cp->SetBrushStyle(bsDiagCross);
  cp->SetFontName(QStringLiteral("Tahoma"));
  cp->SetFontSize(9);
  cp->SetFontStyle({fsItalic, fsStrikeOut});
  cp->SetGradientDirection(GradientHorizontal);
  cp->SetReadOnly(true);
  cp->SetVAlignment(vtaBottom);
  cp->SetWordWrap(false);
  cp->SetNodeLevel(4);
  cp->SetFontColor(0x00ABCDEF);
  roundTrip(p, p2);
  TCellProperties *cp2 = p2.CellProperties();
  EXPECT_FALSE(cp2->IsBaseCell());
  EXPECT_EQ(cp2->CellSpanX(), 2);
  EXPECT_EQ(cp2->BorderColor(), clBtnFace);
  EXPECT_EQ(cp2->BrushStyle(), bsDiagCross);
  EXPECT_EQ(cp2->FontName(), QStringLiteral("Tahoma"));
  EXPECT_EQ(cp2->FontStyle(), TFontStyles({fsItalic, fsStrikeOut}));
  EXPECT_EQ(cp2->GradientDirection(), GradientHorizontal);
  EXPECT_EQ(cp2->VAlignment(), vtaBottom);
  EXPECT_EQ(cp2->FontColor(), TColor(0x00ABCDEF));
  EXPECT_EQ(cp2->NodeLevel(), 4);

  TGridGraphicIO g(&grid), g2(&grid);
  TCellGraphic *cg = g.CellGraphic();
  cg->SetCheckBox(cbGrayed, true, haFull, vaAboveText);
  cg->SetCellIndex(-7);
  cg->SetCellCreated(true);
  cg->SetCellAngle(359);
  cg->SetCellValue(0.25);
  cg->SetCellErrFrom(4);
  cg->SetCellErrLen(100000);
  cg->SetCellText(QStringLiteral("t\u00e9xt"));
  roundTrip(g, g2);
  TCellGraphic *cg2 = g2.CellGraphic();
  EXPECT_EQ(cg2->CellType(), ctTriStateCheckBox);
  EXPECT_EQ(cg2->CellCheckBoxState(), cbGrayed);
  EXPECT_EQ(cg2->CellHAlign(), haFull);
  EXPECT_EQ(cg2->CellVAlign(), vaAboveText);
  EXPECT_TRUE(cg2->CellTransparent());
  EXPECT_TRUE(cg2->CellCreated());
  EXPECT_EQ(cg2->CellIndex(), -7);
  EXPECT_EQ(cg2->CellValue(), 0.25);
  EXPECT_EQ(cg2->CellErrLen(), 100000);
  EXPECT_EQ(cg2->CellText(), QStringLiteral("t\u00e9xt"));
  // The copy never holds the objects: freeing both carriers frees nothing twice.
  EXPECT_EQ(cg2->CellBitmap(), nullptr);

  TGridSLIO sl(&grid), sl2(&grid);
  sl.Strings()->Add(QStringLiteral("one"));
  sl.Strings()->Add(QString());
  sl.Strings()->Add(QStringLiteral("\u00fcber"));
  roundTrip(sl, sl2);
  ASSERT_EQ(sl2.Strings()->Count(), 3);
  EXPECT_EQ(sl2.Strings()->Strings(1), QString());
  EXPECT_EQ(sl2.Strings()->Strings(2), QStringLiteral("\u00fcber"));
  // An empty item is a UTF-16 text of no code units.
  EXPECT_TRUE(Bytes(sl).contains(Name("Strings.Strings") + "\x01\x06\x03" "one" + QByteArray("\x12\0\0\0\0", 5)));

  TGridFilePicIO fp(&grid), fp2(&grid);
  fp.Picture()->SetFilename(QStringLiteral("missing.png"));
  roundTrip(fp, fp2);
  EXPECT_EQ(fp2.Picture()->Filename(), QStringLiteral("missing.png"));
}

TEST_F(Carriers, PicturesTravelAsTheirFiles)
{
  TGridBMPIO b(&grid), b2(&grid);
  EXPECT_EQ(Bytes(b), Record("TGridBMPIO", QByteArray())) << "an empty bitmap is left out";
  b.Bitmap()->SetSize(3, 2);
  b.Bitmap()->Canvas()->SetPixels(2, 1, clRed);
  const QByteArray bytes = Bytes(b);
  // Binary length, then the BMP file's own length, then the file.
  const int at = int(bytes.indexOf("Bitmap.Data")) + 11;
  const QByteArray bmpFile = b.Bitmap()->SaveToData();
  EXPECT_EQ(bytes.mid(at, 9), QByteArray("\x0a", 1) + Le32(bmpFile.size() + 4) + Le32(bmpFile.size()));
  EXPECT_EQ(bytes.mid(at + 9, 2), QByteArray("BM"));
  Read(b2, bytes);
  EXPECT_EQ(b2.Bitmap()->Width(), 3);
  EXPECT_EQ(b2.Bitmap()->Canvas()->Pixels(2, 1), clRed);

  TGridPicIO p(&grid), p2(&grid);
  EXPECT_FALSE(Bytes(p).contains("Picture.Data"));
  p.Picture()->SetGraphic(b.Bitmap());
  const QByteArray pbytes = Bytes(p);
  EXPECT_TRUE(pbytes.contains(Name("TBitmap") + Le32(bmpFile.size()) + "BM"));
  Read(p2, pbytes);
  ASSERT_NE(p2.Picture()->Graphic(), nullptr);
  EXPECT_EQ(p2.Picture()->Graphic()->ClassName(), QStringLiteral("TBitmap"));
  EXPECT_EQ(p2.Picture()->Bitmap()->Canvas()->Pixels(2, 1), clRed);

  TGridIconIO i(&grid), i2(&grid);
  EXPECT_FALSE(Bytes(i).contains("Icon.Data"));
  TIcon *icon = i.Icon();
  icon->AssignGraphic(b.Bitmap());
  Read(i2, Bytes(i));
  EXPECT_EQ(i2.Icon()->Width(), 3);
  EXPECT_EQ(i2.Icon()->Height(), 2);
}

// The reader takes the record whatever class it names, and only fields the carrier has.
TEST_F(Carriers, ReadingChecksSignatureFieldsAndLength)
{
  TGridCellIO cell(&grid);
  Read(cell, Record("TOther", Name("Row") + "\x02\x09"));
  EXPECT_EQ(cell.Row(), 9);

  const QByteArray good = Record("TGridCellIO", Name("Col") + "\x02\x01");
  const struct { const char *what; QByteArray bytes; } bad[] = {
      {"signature", QByteArray("TPF1") + good.mid(4)},
      {"unknown field", Record("TGridCellIO", Name("Colour") + "\x02\x01")},
      {"wrong value kind", Record("TGridCellIO", Name("Col") + "\x06\x01" "x")},
      {"cut short", good.left(good.size() - 3)},
      {"unknown enumeration value",
       Record("TGridGraphicIO", Name("CellGraphic.CellType") + "\x07" + Name("ctSomething"))},
  };
  for (const auto &b : bad) {
    TMemoryStream ms;
    ms.WriteBuffer(b.bytes);
    ms.SetPosition(0);
    TGridCellIO c(&grid);
    TGridGraphicIO g(&grid);
    TGridCarrier &target = QByteArray(b.what) == "unknown enumeration value" ? static_cast<TGridCarrier &>(g) : c;
    EXPECT_THROW(target.ReadRecord(&ms), EReadError) << b.what;
  }
}

// A control travels as a reference its owner's name qualifies; the reader finds it by that name.
TEST_F(Carriers, CellControlTravelsByName)
{
  TComponent form(nullptr);
  form.SetName(QStringLiteral("Form1"));
  auto *g = new TZavStringGrid(&form);
  auto *edit = new TEdit(&form);
  edit->SetName(QStringLiteral("Edit1"));
  TGridCellPropIO p(g), p2(g);
  p.CellProperties()->SetControl(edit);
  const QByteArray bytes = Bytes(p);
  EXPECT_TRUE(bytes.contains(Name("CellProperties.Control") + "\x07" + Name("Form1.Edit1")));
  Read(p2, bytes);
  EXPECT_EQ(p2.CellProperties()->Control(), edit);
  // A control without a name is left out.
  edit->SetName(QString());
  EXPECT_FALSE(Bytes(p).contains("Control"));
}
